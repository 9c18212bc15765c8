// ControlNumber: the code of a control type, shared by dialog descriptions,
// class definitions, the script control classes and the control factory;
// each type has the KEY that names its records in a description and the
// name the designer shows.
#pragma once

#include <cstdint>

enum ControlNumber : int16_t {
  kControlNone = -1,
  kControlDialog = 0,
  kControlBinary = 1,
  kControlBrowser = 2,
  kControlButton = 3,
  kControlCheck = 4,
  kControlCodeEdit = 5,
  kControlCombo = 6,
  kControlEdit = 7,
  kControlExtendedList = 8,
  kControlFlash = 9,
  kControlGraph = 10,
  kControlGroup = 11,
  kControlGui = 12,
  kControlImageEditor = 13,
  kControlLabel = 14,
  kControlLcd = 15,
  kControlLevel = 16,
  kControlList = 17,
  kControlMedia = 18,
  kControlMediaPlayer = 19,
  kControlPanel = 20,
  kControlProgress = 21,
  kControlProperty = 22,
  kControlRadio = 23,
  kControlRichEdit = 24,
  kControlScroll = 25,
  kControlSlider = 26,
  kControlSplitter = 27,
  kControlSpread = 28,
  kControlStatic = 29,
  kControlTab = 30,
  kControlTabDoc = 31,
  kControlToolBar = 32,
  kControlTree = 33,
  kControlWaveEditor = 34,
  kControlWindow = 35,
  kControlExtern = 36,
};

// The types are exactly 0 .. kControlTypeCount - 1.
constexpr int kControlTypeCount = 37;

inline bool IsControlNumber(int number) { return number >= 0 && number < kControlTypeCount; }

// "BUTTON", "Button" ...; "" for a number outside the table.
const char* ControlTypeKey(int number);
const char* ControlTypeDisplayName(int number);
