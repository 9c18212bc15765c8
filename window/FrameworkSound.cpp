#include "window/FrameworkSound.h"

#include <dsound.h>
#include <objbase.h>
#include <xaudio2.h>

#include "window/Framework.h"

namespace {

IDirectSound8* g_directSound;
// Asked for at start and not yet started: the device starts at its first use.
bool g_directSoundDeferred;
IXAudio27* g_xaudio2;
IXAudio2MasteringVoice* g_masteringVoice;

HRESULT CreateDefaultDevice(IDirectSound8** device) { return DirectSoundCreate8(nullptr, device, nullptr); }

void WaitMilliseconds(DWORD ms) { Sleep(ms); }

HRESULT (*g_create)(IDirectSound8**) = CreateDefaultDevice;
void (*g_wait)(DWORD) = WaitMilliseconds;

const CLSID kXAudio27Class = {0x5a508685, 0xa254, 0x4fba, {0x9b, 0x82, 0x9a, 0x24, 0xb0, 0x03, 0x06, 0xaf}};
const IID kXAudio27Interface = {0x8bcf1f58, 0x9fe7, 0x4583, {0x8a, 0xc6, 0xe2, 0xad, 0xc4, 0x65, 0xc8, 0xbb}};

const int kDirectSoundTries = 10;
const DWORD kDirectSoundRetryMs = 500;

}  // namespace

void SetDirectSoundStarter(HRESULT (*create)(IDirectSound8**), void (*wait)(DWORD)) {
  g_create = create ? create : CreateDefaultDevice;
  g_wait = wait ? wait : WaitMilliseconds;
}

void DeferDirectSound() { g_directSoundDeferred = true; }

void InitDirectSound() {
  g_directSoundDeferred = false;
  // A device held by another program, or an audio service still starting,
  // often becomes available a moment later.
  IDirectSound8* device = nullptr;
  for (int tries = 0; tries < kDirectSoundTries; tries++) {
    HRESULT hr = g_create(&device);
    if (hr != DSERR_ALLOCATED && hr != DSERR_NODRIVER) {
      if (FAILED(hr)) device = nullptr;
      break;
    }
    device = nullptr;
    g_wait(kDirectSoundRetryMs);
  }
  g_directSound = device;
  if (device) device->SetCooperativeLevel(GetAppWindowHandle(), DSSCL_PRIORITY);
}

bool InitXAudio2() {
  IXAudio27* engine = nullptr;
  HRESULT hr = CoCreateInstance(kXAudio27Class, nullptr, CLSCTX_INPROC_SERVER, kXAudio27Interface,
                                reinterpret_cast<void**>(&engine));
  if (FAILED(hr) || !engine) return false;
  if (FAILED(engine->Initialize(0, XAUDIO2_ANY_PROCESSOR))) {
    engine->Release();
    return false;
  }
  UINT32 count = 0;
  UINT32 device = 0;
  if (SUCCEEDED(engine->GetDeviceCount(&count))) {
    for (UINT32 i = 0; i < count; i++) {
      XAUDIO2_DEVICE_DETAILS details;
      if (SUCCEEDED(engine->GetDeviceDetails(i, &details)) && (details.Role & DefaultGameDevice)) {
        device = i;
        break;
      }
    }
  }
  IXAudio2MasteringVoice* voice = nullptr;
  hr = engine->CreateMasteringVoice(&voice, XAUDIO2_DEFAULT_CHANNELS, XAUDIO2_DEFAULT_SAMPLERATE, 0,
                                    device, nullptr);
  if (FAILED(hr) || !voice) {
    engine->Release();
    return false;
  }
  g_xaudio2 = engine;
  g_masteringVoice = voice;
  return true;
}

void ReleaseSoundDevices() {
  g_directSoundDeferred = false;
  if (g_masteringVoice) g_masteringVoice->DestroyVoice();
  g_masteringVoice = nullptr;
  if (g_xaudio2) g_xaudio2->Release();
  g_xaudio2 = nullptr;
  if (g_directSound) g_directSound->Release();
  g_directSound = nullptr;
}

IDirectSound8* GetDirectSound() {
  if (g_directSoundDeferred) InitDirectSound();
  return g_directSound;
}

IXAudio27* GetXAudio2() { return g_xaudio2; }

IXAudio2MasteringVoice* GetMasteringVoice() { return g_masteringVoice; }
