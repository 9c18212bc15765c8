// The installed ActiveX controls, for the designer's toolbox, and the
// dispatch id of a named member of an automation object, for the hosted
// controls.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include "core/SArray.h"
#include "core/SStringArray.h"

// The classes registered in the controls category: their class id texts
// ("{...}"), class ids and full names, each array emptied first and skipped
// when null. With names, the three are sorted together by name, ignoring
// case, equal names keeping their order. Answers how many were listed; 0
// when the category manager is missing. COM must be initialised.
int ListActiveXControls(SStringArray* texts, SArray<GUID>* classIds, SStringArray* names);

// The DISPID of the member, 0 when the object does not know it.
DISPID GetDispatchId(IDispatch* object, const char* name);
