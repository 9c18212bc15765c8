// WindowType: the number each window class stores in its SWnd, so that the
// shared message handling and the background painting can tell the kinds of
// child apart without knowing their classes. A numbering of its own, apart
// from the ControlNumber of the script classes.
#pragma once

#include <cstdint>

enum WindowType : int32_t {
  kWindowPlain = 0,
  kWindowBrowser = 3,
  kWindowButton = 4,
  kWindowCheck = 6,
  kWindowCombo = 9,
  kWindowControlBar = 10,
  kWindowDialogEditor = 11,
  kWindowEdit = 12,
  kWindowExtendedList = 13,
  kWindowFlash = 14,
  kWindowGraph = 15,
  kWindowGroup = 16,
  kWindowGui = 18,
  kWindowImageEditor = 19,
  kWindowLabel = 20,
  kWindowLcd = 21,
  kWindowLevel = 22,
  kWindowList = 23,
  kWindowMedia = 26,
  kWindowMediaPlayer = 27,
  kWindowPanel = 28,
  kWindowProgress = 29,
  kWindowRadio = 32,
  kWindowRichEdit = 33,
  kWindowScroll = 34,
  kWindowSlider = 36,
  kWindowSplitter = 37,
  kWindowSpread = 38,
  kWindowStatic = 39,
  kWindowStatusBar = 40,
  kWindowTab = 41,
  kWindowTabDoc = 42,
  kWindowToolBar = 43,
  kWindowTrayIcon = 44,
  kWindowTree = 45,
  kWindowWaveEditor = 47,
  kWindowExtern = 48,
};
