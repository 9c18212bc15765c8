// CreateControlFromRecord: the control factory, which makes one live
// framework window from one control record of a dialog description, with
// the record's rectangle, styles, id and text, its colours and the extra
// keys of its type.
//
// Two callers: the dialog builder, in run mode, for every control of a
// dialog a program opens; the designer, in design mode, for the preview of
// one record. Design mode keeps every window hidden and differs from run
// mode only where a type says so.
#pragma once

#include <windows.h>

#include "core/SStringArray.h"
#include "dialogs/SDialogCtrl.h"

class SDialog;
class SFileMem;
class SResource;
class SWnd;

// The window (the caller owns it), or null: no parent or record, a type
// this factory does not make (the dialog type, numbers outside the table,
// and for now the editors, owner-drawn, hosted and media types), or a
// window that could not be created. An object that the dialog supplied
// through CreateControlObject is deleted whenever the result is null.
SWnd* CreateControlFromRecord(SDialog* dialog, SResource* resources, HWND parent, const SDialogModel::_SCtrl* record,
                              bool runMode);

// The window of a ControlNumber made by a program rather than a record: window
// (of the type's framework class) is created as a child of parent, WS_CHILD
// added unless the style has WS_POPUP, with id 0 and the text; a null rect
// gives an empty one. The window, or null with window deleted.
SWnd* CreateControlOfNumber(SWnd* window, int controlNumber, const RECT* rect, DWORD style, DWORD exStyle,
                            HWND parent, const char* text);

// ---- Shared with the dialog builder ---------------------------------------------------

// The record colour rule: the default word is not applied; a system colour
// is resolved; every other word, the transparent one included, goes to
// SetBackColor as it is.
void ApplyRecordBackColor(SWnd* window, uint32_t word);
// The named entry of the resources into the stream, rewound; false (the
// stream untouched) without resources, for an empty name or a missing
// entry.
bool ReadResourceEntry(SResource* resources, const SString& name, SFileMem* stream);
// A bar-separated list, each item trimmed of blanks, empty items kept ("A|"
// is two items); "" gives none. Appended to items; answers the count.
int SplitDescriptionList(const SString& value, SStringArray* items);
