// The set-up of each control type after its window exists: record colours,
// the type's extra keys and the content named in the resources, in that
// order. Nothing fails here any more: a key that cannot be read leaves its
// setting at the control's default.
#pragma once

#include <windows.h>

#include "dialogs/SDialogCtrl.h"

class SResource;
class SWnd;

// Where and how the factory creates a control window.
struct ControlPlacement {
  RECT rect;
  DWORD style;
  DWORD exStyle;
  HWND parent;
  int id;
};

// window is of the framework class of the record's type (or derived).
void SetUpControl(SWnd* window, SResource* resources, const SDialogModel::_SCtrl& record, bool runMode);
