// The factory's common road: the window object, its creation by type, the
// type's set-up (ControlSetup.cpp) and the finish every control shares.
#include "dialogs/ControlFactory.h"

#include "controls/custom/SExternCtrl.h"
#include "core/SStringParser.h"
#include "dialogs/ControlSetup.h"
#include "dialogs/SDialogEditor.h"
#include "files/SFileMem.h"
#include "files/SResource.h"
#include "window/Framework.h"
#include "window/FrameworkMessage.h"
#include "window/SDialog.h"
#include "window/controls/SButtonCtrl.h"
#include "window/controls/SCheckCtrl.h"
#include "window/controls/SComboCtrl.h"
#include "window/controls/SEditCtrl.h"
#include "window/controls/SExListCtrl.h"
#include "window/controls/SGroupCtrl.h"
#include "window/controls/SListCtrl.h"
#include "window/controls/SProgressCtrl.h"
#include "window/controls/SRadioCtrl.h"
#include "window/controls/SRichEditCtrl.h"
#include "window/controls/SScrollCtrl.h"
#include "window/controls/SSliderCtrl.h"
#include "window/controls/SStaticCtrl.h"
#include "window/controls/STabCtrl.h"
#include "window/controls/SToolBarCtrl.h"
#include "window/controls/STreeCtrl.h"

namespace {

using _SCtrl = SDialogModel::_SCtrl;

// Where and how a control window is created.
struct ControlPlacement {
  RECT rect;
  DWORD style;
  DWORD exStyle;
  HWND parent;
  int id;
};

// Style bits the factory adds for some types.
const DWORD kSliderStyle = TBS_DOWNISLEFT;
const DWORD kToolBarStyle = TBSTYLE_FLAT | CCS_NOPARENTALIGN | CCS_NORESIZE;

// The object the dialog supplied, or a new one of the type's own class.
template <class T>
T* ObjectOf(SWnd* supplied) {
  return supplied ? static_cast<T*>(supplied) : new T;
}

// A system control whose Create takes the caption.
template <class T>
SWnd* CreateWithText(SWnd* supplied, const ControlPlacement& p, const char* text) {
  T* control = ObjectOf<T>(supplied);
  if (control->Create(text, p.style, p.exStyle, &p.rect, p.parent, p.id)) return control;
  delete control;
  return nullptr;
}

// A system control whose Create takes no text.
template <class T>
SWnd* CreatePlain(SWnd* supplied, const ControlPlacement& p, DWORD addedStyle = 0) {
  T* control = ObjectOf<T>(supplied);
  if (control->Create(p.style | addedStyle, p.exStyle, &p.rect, p.parent, p.id)) return control;
  delete control;
  return nullptr;
}

// A window of the framework's own class.
SWnd* CreateFrameworkWindow(SWnd* window, const ControlPlacement& p, DWORD style, const char* text) {
  // A popup takes no id: its menu argument would be read as a menu.
  HMENU id = (style & WS_POPUP) ? nullptr : reinterpret_cast<HMENU>(INT_PTR(p.id));
  if (window->Create(style, text, p.exStyle, &p.rect, p.parent, id, nullptr, GetInstanceHandle(), false))
    return window;
  delete window;
  return nullptr;
}

// A check's type bits lost to the check-box bit that Create ORs in (a
// three-state box would otherwise become a group box) are put back.
void RestoreCheckType(SWnd* check, DWORD recordStyle) {
  DWORD type = recordStyle & BS_TYPEMASK;
  if (type == 0 || DWORD(check->GetStyle() & BS_TYPEMASK) == type) return;
  check->SendMessage(BM_SETSTYLE, (check->GetStyle() & ~BS_TYPEMASK & 0xFFFF) | type, FALSE);
}

// The window of the record's type, created; null for a type this factory
// does not make or a failed creation (the object is then deleted).
SWnd* CreateByType(SWnd* supplied, const ControlPlacement& p, const _SCtrl& record, bool runMode) {
  const char* caption = record.caption.GetText();
  switch (record.controlNumber) {
    case kControlButton:
      return CreateWithText<SButtonCtrl>(supplied, p, caption);
    case kControlCheck: {
      SWnd* check = CreateWithText<SCheckCtrl>(supplied, p, caption);
      if (check) RestoreCheckType(check, p.style);
      return check;
    }
    case kControlCombo:
      return CreateWithText<SComboCtrl>(supplied, p, caption);
    case kControlEdit: {
      ControlPlacement edit = p;
      if (!runMode) edit.style |= ES_MULTILINE;
      return CreateWithText<SEditCtrl>(supplied, edit, caption);
    }
    case kControlExtendedList:
      return CreatePlain<SExListCtrl>(supplied, p);
    case kControlGroup:
      return CreateWithText<SGroupCtrl>(supplied, p, caption);
    case kControlList:
      return CreatePlain<SListCtrl>(supplied, p);
    case kControlProgress:
      return CreatePlain<SProgressCtrl>(supplied, p);
    case kControlRadio:
      return CreateWithText<SRadioCtrl>(supplied, p, caption);
    case kControlRichEdit:
      return CreateWithText<SRichEditCtrl>(supplied, p, caption);
    case kControlScroll:
      return CreatePlain<SScrollCtrl>(supplied, p);
    case kControlSlider:
      return CreatePlain<SSliderCtrl>(supplied, p, kSliderStyle);
    case kControlStatic:
      return CreatePlain<SStaticCtrl>(supplied, p);
    case kControlTab:
      return CreatePlain<STabCtrl>(supplied, p);
    case kControlToolBar: {
      SToolBarCtrl* toolBar = ObjectOf<SToolBarCtrl>(supplied);
      if (!toolBar->Create(p.style | kToolBarStyle, &p.rect, p.parent, p.id)) {
        delete toolBar;
        return nullptr;
      }
      if (p.exStyle) toolBar->SetExStyle(LONG(p.exStyle));
      return toolBar;
    }
    case kControlTree:
      return CreatePlain<STreeCtrl>(supplied, p);
    case kControlWindow:
      return CreateFrameworkWindow(ObjectOf<SDialogEditor::_SWnd>(supplied), p, p.style | WS_CHILD, caption);
    case kControlExtern: {
      SExternCtrl* control = ObjectOf<SExternCtrl>(supplied);
      control->SetClassName(record.GetExtra("EXTERN_NAME").GetText());
      control->SetFileName(record.GetExtra("EXTERN_FILENAME").GetText());
      DWORD style = (p.style & WS_POPUP) ? p.style : p.style | WS_CHILD;
      return CreateFrameworkWindow(control, p, style, caption);
    }
    default:
      // The dialog type, numbers outside the table, and the types this
      // factory does not make yet.
      delete supplied;
      return nullptr;
  }
}

}  // namespace

SWnd* CreateControlFromRecord(SDialog* dialog, SResource* resources, HWND parent, const _SCtrl* record, bool runMode) {
  if (!parent || !record) return nullptr;
  ControlPlacement placement;
  // Each edge a 16-bit sum, as the description's coordinates are.
  placement.rect = {record->x, record->y, int16_t(record->x + record->width), int16_t(record->y + record->height)};
  placement.style = runMode ? record->style : record->style & ~DWORD(WS_VISIBLE);
  placement.exStyle = record->exStyle;
  placement.parent = parent;
  placement.id = record->id;

  SWnd* supplied = dialog ? dialog->CreateControlObject(record->controlNumber, record) : nullptr;
  SWnd* window = CreateByType(supplied, placement, *record, runMode);
  if (!window) return nullptr;

  SetUpControl(window, resources, *record, runMode);

  SString tip = record->GetExtra("TOOLTIP");
  if (tip.GetLength() > 0) {
    window->SetToolTipText(tip.GetText());
    window->EnableToolTip(true);
  }
  // The control's id, as the Control class reports it; a popup's slot holds
  // its menu and stays as it is.
  if (!(window->GetStyle() & WS_POPUP) && GetWindowLongPtrA(window->GetHwnd(), GWLP_ID) != LONG_PTR(record->id))
    SetWindowLongPtrA(window->GetHwnd(), GWLP_ID, LONG_PTR(record->id));
  window->SetName(record->name.GetText());
  window->SendMessage(kControlCreatedMessage, 0, 0);
  return window;
}

SWnd* CreateControlOfNumber(SWnd* window, int controlNumber, const RECT* rect, DWORD style, DWORD exStyle,
                            HWND parent, const char* text) {
  if (!window || !parent) {
    delete window;
    return nullptr;
  }
  ControlPlacement placement = {rect ? *rect : RECT{}, style, exStyle, parent, 0};
  _SCtrl record;
  record.SetControlNumber(controlNumber);
  record.caption = text ? text : "";
  return CreateByType(window, placement, record, true);
}

// ---- Shared with the dialog builder ---------------------------------------------------

void ApplyRecordBackColor(SWnd* window, uint32_t word) {
  if (word != kColorDefault) window->SetBackColor(ResolveColorWord(word));
}

bool ReadResourceEntry(SResource* resources, const SString& name, SFileMem* stream) {
  return resources && name.GetLength() > 0 && resources->Read(stream, name.GetText(), true);
}

int SplitDescriptionList(const SString& value, SStringArray* items) {
  if (value.GetLength() == 0) return 0;
  SStringParser parser(value.GetText());
  int count = parser.Parse(SString("|"), '"', SStringParser::kTrimSpaces, items);
  return count < 0 ? 0 : count;
}
