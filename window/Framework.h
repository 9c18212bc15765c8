// Framework start-up and shutdown, and the process-wide state that every
// window and control reads: the module instance, the show command and start
// flags, the default window font, the screen's colour depth, the Find and
// Replace message number and the hidden application window.
//
// FrameworkInit runs once at the start of the process on the thread that
// becomes the user-interface thread, before any framework window exists;
// FrameworkExit undoes it in reverse order as the last act of the process.
// Nothing of the framework may be used outside that span.
#pragma once

#include <windows.h>

// Start flags, the third argument of FrameworkInit. The engine passes
// kStartWinSock | kStartDirectSound | kStartListActiveX.
enum : int {
  kStartWinSock = 0x01,
  kStartDirectSound = 0x02,
  kStartXAudio2 = 0x04,
  // COM is left alone (neither initialised nor uninitialised), and the
  // module path is recorded.
  kStartNoCom = 0x08,
  // Read by the dialog designer only: list the installed ActiveX controls.
  kStartListActiveX = 0x10,
};

// When FrameworkInit builds what needs the window system (the cursors, the
// default font, the window classes and the application window, COM on the
// user-interface thread, the rich-edit library): at once, or at the first
// need of it, so that a program that makes no window pays for none of it.
// The first need is the first framework window, the first call of an
// accessor below that answers a part of it, the first thread started
// (SThread), the first module library loaded, and, for COM alone, the first
// system library that may use COM.
enum class FrameworkStart { kAtOnce, kAtFirstUse };

void FrameworkInit(HINSTANCE instance, int showCommand, int flags,
                   FrameworkStart start = FrameworkStart::kAtOnce);
void FrameworkExit();
// Runs the deferred share of the start now, when it is still to run and the
// caller is the user-interface thread; on any other thread it does nothing.
void StartWindowing();
// COM alone, on the same terms (unless kStartNoCom).
void StartComForUserInterface();
// WinSock (with kStartWinSock), once, from any thread.
void StartWinSock();

HINSTANCE GetInstanceHandle();
int GetShowCommand();
int GetStartFlags();
// Null when the application window does not exist.
HWND GetAppWindowHandle();
// The system message font's face at 8 points; every framework window gets it.
HFONT GetDefaultFont();
int GetScreenColorDepth();
// Test seam: the recorded depth, so that the paths of screens below 32 bits
// per pixel can be run on any display. FrameworkInit records it afresh.
void SetScreenColorDepthForTesting(int bitsPerPixel);
// The number of the registered message "commdlg_FindReplace".
UINT GetFindReplaceMessage();
bool IsWinSockStarted();

// pixels x 1440 / the screen's vertical dots per inch.
int PixelsToTwips(int pixels);
// Height of the default font at a vertical resolution: 8 points as a
// negative character height, rounded half up (96 dpi gives -11).
int DefaultFontHeight(int dotsPerInch);

// Builds the three locale records from the user's regional settings and
// selects the system's.
void LoadLocaleSettings();
