// The application's sound devices, started when FrameworkInit's flags ask
// for them: one DirectSound 8 device on the default output, and an XAudio2
// 2.7 engine with its mastering voice. A device that cannot be started stays
// null and the application runs without it; the sound classes test for null.
// Opening the sound device costs the start-up of every program, most of which
// never play a sound, so the DirectSound device starts at the first
// GetDirectSound instead.
#pragma once

#include <windows.h>

struct IDirectSound8;
struct IXAudio27;
struct IXAudio2MasteringVoice;

// DirectSound on the default device. A device that is busy or has no
// driver yet is tried again after 500 ms, ten calls in all; the device then
// gets the priority cooperative level on the application window.
void InitDirectSound();
// Makes the first GetDirectSound call InitDirectSound (until
// ReleaseSoundDevices).
void DeferDirectSound();
// XAudio2 2.7 through COM (COM must be initialised), with a mastering voice
// on the first default-game device, or device 0. False leaves both null.
bool InitXAudio2();
// Destroys the mastering voice, releases XAudio2 and DirectSound.
void ReleaseSoundDevices();

IDirectSound8* GetDirectSound();
IXAudio27* GetXAudio2();
IXAudio2MasteringVoice* GetMasteringVoice();

// Test seam: the device creation and the wait between tries of
// InitDirectSound, so that a machine without sound can be played without
// waiting five seconds. Null restores DirectSoundCreate8 and Sleep.
void SetDirectSoundStarter(HRESULT (*create)(IDirectSound8** device), void (*wait)(DWORD ms));
