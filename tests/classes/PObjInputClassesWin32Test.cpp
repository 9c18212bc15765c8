// Keyboard, Clipboard and Mouse under the window system: keys and clicks
// synthesised and read back, the clipboard exchanged with the X display's
// own clipboard (xclip), data blocks between Files, and capture drags
// driven by synthesised input from a second thread.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "classes/PObjClipboard.h"
#include "classes/PObjFile.h"
#include "classes/PObjKeyboard.h"
#include "classes/PObjMouse.h"
#include "classes/PObjPoint.h"
#include "engine/PObjectDefinition.h"
#include "files/SClipboard.h"
#include "files/SFileMem.h"
#include "tests/classes/FrameworkClassTest.h"
#include "tests/window/InputTesting.h"
#include "window/FrameworkMessage.h"

namespace {

using namespace classtest;

class InputClassTest : public FrameworkClassTest {
 protected:
  int64_t Call(PObject* o, uint16_t member, std::initializer_list<int64_t> ints = {}) {
    Args args = With();
    for (int64_t n : ints) args.Int(n);
    return CallInt(o, member, args);
  }
};

// Runs a shell command of the host (Wine starts Unix programs, on the same
// X display) and answers what it wrote; "<failed>" when it did not start or
// end within 5 seconds. Its output travels through a file: Wine gives a
// Unix program no pipe of ours.
std::string RunHostShell(const std::string& command) {
  const std::string base = "/tmp/tavrin-classes-" + std::to_string(GetCurrentProcessId());
  const std::string out = base + ".out", done = base + ".done";
  DeleteFileA(("Z:" + done).c_str());
  std::string line = "/bin/sh -c \"" + command + " >" + out + " 2>&1; touch " + done + "\"";
  STARTUPINFOA start = {};
  start.cb = sizeof start;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &process))
    return "<failed>";
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  if (!PumpUntil([&] { return GetFileAttributesA(("Z:" + done).c_str()) != INVALID_FILE_ATTRIBUTES; }, 5000))
    return "<failed>";
  SFileMem text;
  std::string output;
  if (text.LoadFile(("Z:" + out).c_str())) output.assign(reinterpret_cast<const char*>(text.GetData()), text.GetSize());
  DeleteFileA(("Z:" + out).c_str());
  DeleteFileA(("Z:" + done).c_str());
  return output;
}

// ---- Keyboard ------------------------------------------------------------------------------------

using K = PObjKeyboard;

TEST_F(InputClassTest, KeyboardConstants) {
  PObjectDefinition* d = engine.FindDefinition(K::kTypeCode);
  ASSERT_NE(d, nullptr);
  // 109 key names, 4 shift states and the ID.
  EXPECT_EQ(d->GetConstantCount(), 109 + 4 + 1);
  EXPECT_EQ(d->GetMemberCount(), K::MEMBER_COUNT);
}

TEST_F(InputClassTest, KeysSynthesisedAndReadBack) {
  TestWnd window;
  ASSERT_TRUE(ShowOnTop(window, 40, 40, 100, 60));
  SetFocus(window.GetHwnd());
  K* keyboard = Make<K>();
  EXPECT_EQ(Call(keyboard, K::IS_PRESSED, {VK_F8, 500}), 0) << "a key not held answers false";
  Call(keyboard, K::PRESS, {VK_SHIFT});
  Call(keyboard, K::PRESS, {VK_F8});
  PumpFor(50);
  EXPECT_EQ(Call(keyboard, K::IS_KEY_DOWN, {VK_F8}), 1);
  EXPECT_EQ(Call(keyboard, K::IS_SHIFT_DOWN), 1);
  EXPECT_EQ(Call(keyboard, K::GET_SHIFT_STATE), SC_SHIFT);
  EXPECT_EQ(Call(keyboard, K::IS_CONTROL_DOWN), 0);
  // Held: true once, then false within the delay, then true after it.
  EXPECT_EQ(Call(keyboard, K::IS_PRESSED, {VK_F8, 300}), 1);
  EXPECT_EQ(Call(keyboard, K::IS_PRESSED, {VK_F8, 300}), 0);
  Sleep(120);
  EXPECT_EQ(Call(keyboard, K::IS_PRESSED, {VK_F8, 300}), 0);
  Sleep(250);
  EXPECT_EQ(Call(keyboard, K::IS_PRESSED, {VK_F8, 300}), 1);
  Call(keyboard, K::RELEASE, {VK_F8});
  Call(keyboard, K::RELEASE, {VK_SHIFT});
  PumpFor(50);
  EXPECT_EQ(Call(keyboard, K::IS_KEY_DOWN, {VK_F8}), 0);
  EXPECT_EQ(Call(keyboard, K::GET_SHIFT_STATE), SC_NONE);
  // The right-hand Ctrl is the extended one.
  keybd_event(VK_CONTROL, 0, KEYEVENTF_EXTENDEDKEY, 0);
  PumpFor(50);
  EXPECT_EQ(Call(keyboard, K::IS_RIGHT_CONTROL_DOWN), 1);
  EXPECT_EQ(Call(keyboard, K::IS_RIGHT_CONTROL_DOWN_TOO), 1);
  EXPECT_EQ(Call(keyboard, K::GET_SHIFT_STATE), SC_CTRL);
  keybd_event(VK_CONTROL, 0, KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP, 0);
  // A stroke reaches the focused window as a down and an up.
  window.Forget();
  Call(keyboard, K::TAP, {'Q'});
  PumpFor(100);
  EXPECT_TRUE(window.Saw(WM_KEYDOWN));
  EXPECT_TRUE(window.Saw(WM_KEYUP));
  EXPECT_EQ(Call(keyboard, K::IS_KEY_DOWN, {'Q'}), 0);
}

// ---- Clipboard -----------------------------------------------------------------------------------

using CB = PObjClipboard;

TEST_F(InputClassTest, ClipboardTextBothWaysWithX) {
  CB* clipboard = Make<CB>();
  Args text = With();
  text.Str("from Tavrin");
  EXPECT_EQ(CallInt(clipboard, CB::SET_TEXT, text), 1);
  EXPECT_EQ(CallText(clipboard, CB::GET_TEXT), "from Tavrin");
  EXPECT_EQ(RunHostShell("xclip -selection clipboard -o"), "from Tavrin");
  // xclip serves the one request that the clipboard makes, then ends.
  ASSERT_EQ(RunHostShell("printf 'from X' | xclip -selection clipboard -loops 1 -i"), "");
  PumpFor(200);
  EXPECT_EQ(CallText(clipboard, CB::GET_TEXT), "from X");
}

TEST_F(InputClassTest, ClipboardDataBlockFromOneFileIntoAnother) {
  CB* clipboard = Make<CB>();
  PObjFile* source = Make<PObjFile>();
  PObjFile* target = Make<PObjFile>();
  Args closed = With();
  closed.Obj(target);
  EXPECT_EQ(CallInt(clipboard, CB::GET_DATA, closed), 0x5A5A5A5A) << "a File without a stream";
  // Two memory streams: empty, then ten bytes with the position inside.
  Args allocate = With();
  allocate.Int(0);
  CallInt(source, PObjFile::ALLOCATE, allocate);
  Args empty = With();
  empty.Obj(source);
  EXPECT_EQ(CallInt(clipboard, CB::SET_DATA, empty), 0);
  SFile* stream = source->GetStream();
  ASSERT_NE(stream, nullptr);
  stream->Write("0123456789", 10);
  stream->Seek(4);
  Args ten = With();
  ten.Obj(source);
  EXPECT_EQ(CallInt(clipboard, CB::SET_DATA, ten), 1);
  EXPECT_EQ(stream->GetPosition(), 4);

  // The block is the framework's registered format, not a predefined one.
  const UINT format = SClipboard::GetDataFormat();
  EXPECT_GE(format, 0xC000u);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_FALSE(IsClipboardFormatAvailable(0x81));
  HANDLE block = GetClipboardData(format);
  ASSERT_NE(block, nullptr);
  const uint8_t* bytes = static_cast<const uint8_t*>(GlobalLock(block));
  EXPECT_EQ(*reinterpret_cast<const uint32_t*>(bytes), 10u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes) + 4, 10), "0123456789");
  EXPECT_EQ(bytes[14], 0);
  GlobalUnlock(block);
  CloseClipboard();

  Args allocateTarget = With();
  allocateTarget.Int(0);
  CallInt(target, PObjFile::ALLOCATE, allocateTarget);
  target->GetStream()->Write("ab", 2);
  Args read = With();
  read.Obj(target);
  EXPECT_EQ(CallInt(clipboard, CB::GET_DATA, read), 10);
  SFile* written = target->GetStream();
  EXPECT_EQ(written->GetSize(), 12);
  std::string content(12, '\0');
  written->Seek(0);
  written->Read(content.data(), 12);
  EXPECT_EQ(content, "ab0123456789");
}

TEST_F(InputClassTest, ClipboardSoundIsAWholeWaveFile) {
  WAVEFORMATEX format = {};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = 1;
  format.nSamplesPerSec = 8000;
  format.wBitsPerSample = 8;
  format.nBlockAlign = 1;
  format.nAvgBytesPerSec = 8000;
  const uint8_t sound[5] = {128, 140, 150, 140, 128};
  ASSERT_TRUE(CB::SetWaveSound(format, sound, 5));
  SFileMem image;
  ASSERT_TRUE(CB::GetWaveImage(&image));
  // RIFF, WAVE, a 16-byte fmt chunk, the data chunk and its pad byte.
  ASSERT_EQ(image.GetSize(), 12 + 8 + 16 + 8 + 6);
  const uint8_t* b = image.GetData();
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(b), 4), "RIFF");
  EXPECT_EQ(*reinterpret_cast<const uint32_t*>(b + 4), uint32_t(image.GetSize() - 8));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(b + 8), 8), "WAVEfmt ");
  EXPECT_EQ(*reinterpret_cast<const uint32_t*>(b + 16), 16u);
  EXPECT_EQ(*reinterpret_cast<const uint16_t*>(b + 20), WAVE_FORMAT_PCM);
  EXPECT_EQ(*reinterpret_cast<const uint32_t*>(b + 24), 8000u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(b + 36), 4), "data");
  EXPECT_EQ(*reinterpret_cast<const uint32_t*>(b + 40), 5u);
  EXPECT_EQ(std::vector<uint8_t>(b + 44, b + 49), std::vector<uint8_t>(sound, sound + 5));
  // The platform's own player takes it as a wave file.
  EXPECT_TRUE(PlaySoundA(reinterpret_cast<const char*>(b), nullptr, SND_MEMORY | SND_NODEFAULT | SND_SYNC));
  EXPECT_FALSE(CB::SetWaveSound(format, sound, 0));
}

// ---- Mouse ---------------------------------------------------------------------------------------

using M = PObjMouse;

// The drag reports that reach the Mouse's hidden window, recorded on their
// way to its own procedure.
struct Report {
  UINT message;
  int button, x, y;
};
std::vector<Report> g_reports;
WNDPROC g_mouseProc = nullptr;

LRESULT CALLBACK RecordReports(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message >= kCaptureDragMoveMessage && message <= kCaptureLostMessage)
    g_reports.push_back({message, int(wparam), int16_t(LOWORD(lparam)), int16_t(HIWORD(lparam))});
  return CallWindowProcA(g_mouseProc, window, message, wparam, lparam);
}

// Absolute synthesised mouse input, sent from another thread as a person's
// hand would while the test thread pumps.
void SendMouse(DWORD flags, int x = 0, int y = 0) { SendAbsoluteMouse(flags, {x, y}); }

TEST_F(InputClassTest, MousePositionAndClicks) {
  TestWnd window;
  ASSERT_TRUE(ShowOnTop(window, 100, 100, 120, 80));
  M* mouse = Make<M>();
  POINT p = {30, 20};
  ClientToScreen(window.GetHwnd(), &p);
  Call(mouse, M::MOVE_TO, {p.x, p.y});
  EXPECT_EQ(Call(mouse, M::GET_X), p.x);
  EXPECT_EQ(Call(mouse, M::GET_Y), p.y);
  PObjPoint* point = Make<PObjPoint>();
  Args target = With();
  target.Obj(point);
  EXPECT_EQ(CallInt(mouse, M::GET_POSITION, target), 1);
  EXPECT_EQ(point->GetFirst(), p.x);
  EXPECT_EQ(point->GetSecond(), p.y);
  Args none = With();
  none.Obj(nullptr);
  EXPECT_EQ(CallInt(mouse, M::GET_POSITION, none), 0x5A5A5A5A);

  window.Forget();
  Call(mouse, M::PRESS_RIGHT);
  PumpFor(50);
  EXPECT_EQ(Call(mouse, M::IS_RIGHT_DOWN), 1);
  Call(mouse, M::RELEASE_RIGHT);
  Call(mouse, M::DOUBLE_CLICK_LEFT);
  PumpFor(100);
  EXPECT_EQ(Call(mouse, M::IS_RIGHT_DOWN), 0);
  EXPECT_EQ(Call(mouse, M::IS_LEFT_DOWN), 0);
  EXPECT_TRUE(window.Saw(WM_RBUTTONDOWN));
  EXPECT_TRUE(window.Saw(WM_RBUTTONUP));
  EXPECT_TRUE(window.Saw(WM_LBUTTONDBLCLK) || window.Saw(WM_LBUTTONDOWN));
}

TEST_F(InputClassTest, MouseCaptureDrag) {
  // The display reports the pointer only over a window of the program.
  TestWnd under;
  ASSERT_TRUE(ShowOnTop(under, 150, 100, 200, 150));
  M* mouse = Make<M>();
  HWND hidden = mouse->GetDragTarget();
  ASSERT_NE(hidden, nullptr);
  g_reports.clear();
  g_mouseProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(hidden, GWLP_WNDPROC, LONG_PTR(RecordReports)));
  SetCursorPos(200, 150);
  EXPECT_EQ(Call(mouse, M::START_DRAG), 0) << "no button held";
  EXPECT_EQ(Call(mouse, M::END_DRAG), 0) << "no drag runs";

  std::thread([] { SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN, 200, 150); }).join();
  ASSERT_TRUE(PumpUntil([&] { return Call(mouse, M::IS_LEFT_DOWN) == 1; }, 1000));
  EXPECT_EQ(Call(mouse, M::START_DRAG), 1);
  EXPECT_EQ(Call(mouse, M::START_DRAG), 0) << "a drag already runs";
  std::thread([] {
    SendMouse(MOUSEEVENTF_MOVE, 220, 160);
    Sleep(50);
    SendMouse(MOUSEEVENTF_MOVE, 240, 170);
    Sleep(50);
    SendMouse(MOUSEEVENTF_LEFTUP | MOUSEEVENTF_MOVE, 240, 170);
  }).join();
  PumpUntil([] { return !g_reports.empty() && g_reports.back().message == kCaptureDragDropMessage; }, 2000);
  ASSERT_GE(g_reports.size(), 2u);
  for (size_t i = 0; i + 1 < g_reports.size(); i++) EXPECT_EQ(g_reports[i].message, UINT(kCaptureDragMoveMessage));
  const Report& last = g_reports.back();
  const Report& final = g_reports[g_reports.size() - 2];
  EXPECT_EQ(last.message, UINT(kCaptureDragDropMessage));
  EXPECT_EQ(last.button, 1);
  EXPECT_EQ(final.button, 1);
  // A message-only window's client area starts at the screen's origin.
  POINT client = {240, 170};
  ScreenToClient(hidden, &client);
  EXPECT_EQ(last.x, client.x);
  EXPECT_EQ(last.y, client.y);

  // Taken away: the capture lost report.
  g_reports.clear();
  std::thread([] { SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_RIGHTDOWN, 240, 170); }).join();
  ASSERT_TRUE(PumpUntil([&] { return Call(mouse, M::IS_RIGHT_DOWN) == 1; }, 1000));
  EXPECT_EQ(Call(mouse, M::START_DRAG), 1);
  EXPECT_EQ(Call(mouse, M::END_DRAG), 1);
  PumpFor(50);
  ASSERT_EQ(g_reports.size(), 1u);
  EXPECT_EQ(g_reports[0].message, UINT(kCaptureLostMessage));
  EXPECT_EQ(g_reports[0].button, 4);
  std::thread([] { SendMouse(MOUSEEVENTF_RIGHTUP, 240, 170); }).join();
  PumpFor(50);
  SetWindowLongPtrA(hidden, GWLP_WNDPROC, LONG_PTR(g_mouseProc));
}

}  // namespace
