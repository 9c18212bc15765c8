// The members of the Dialog class as programs see them: functions 0-110 and
// events 111-137, declared in member-number order.
#include "classes/PObjColor.h"
#include "classes/PObjCursor.h"
#include "classes/PObjFile.h"
#include "classes/PObjPoint.h"
#include "classes/PObjRectangle.h"
#include "classes/PObjStringArray.h"
#include "classes/windows/PObjDialog.h"
#include "engine/PObjectDefinition.h"

namespace {

constexpr TypeCode Builtin(const char (&letters)[4]) {
  return MakeTypeCode(ORIGIN_BUILTIN, letters[0], letters[1], letters[2]);
}

const TypeCode V = TYPE_VOID, I = TYPE_INTEGER, S = TYPE_STRING, P = TYPE_POINTER;
const TypeCode RECT_ = PObjRectangle::kTypeCode, SIZE_ = PObjSize::kTypeCode, POINT_ = PObjPoint::kTypeCode;
const TypeCode COLOR = PObjColor::kTypeCode, FILE_ = PObjFile::kTypeCode, CURSOR = PObjCursor::kTypeCode;
const TypeCode DIALOG = PObjDialog::kTypeCode, STRINGS = PObjStringArray::kTypeCode;
const TypeCode IMAGE = Builtin("IMG"), MENU = Builtin("MNU"), TOOLBAR = Builtin("TOB"), CONTROL = Builtin("CTR");

// Parameters with defaults.
constexpr PParamDecl Int(const char* written, int32_t value) { return PParamDecl(I, written, value); }
constexpr PParamDecl Text(const char* text) { return PParamDecl(S, text); }
constexpr PParamDecl Null(TypeCode type) { return PParamDecl(type, static_cast<const char*>(nullptr)); }
const PParamDecl kTrue = Int("true", 1), kFalse = Int("false", 0), kMinusOne = Int("-1", -1);
const PParamDecl kZero = Int("0", 0);

}  // namespace

bool PObjDialog::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const int F = MEMBER_FUNCTION, E = MEMBER_EVENT;
  // The three loads share their tail: owner, parent, popup, text.
  const PParamDecl owner = Null(P), parent = Null(DIALOG), popup = kTrue, text = Text("");
  return d->AddMember(F, 0, V, {Null(RECT_), Null(RECT_), kMinusOne, kMinusOne}) &&
         d->AddMember(F, 1, V, {kTrue}) && d->AddMember(F, 2, V, {kTrue}) && d->AddMember(F, 3, I) &&
         d->AddMember(F, 4, I, {Int("1", 1)}) && d->AddMember(F, 5, V) && d->AddMember(F, 6, I, {text}) &&
         d->AddMember(F, 7, I, {text}) && d->AddMember(F, 8, V, {kTrue}) && d->AddMember(F, 9, V, {kTrue}) &&
         d->AddMember(F, 10, V, {kTrue}) && d->AddMember(F, 11, V, {PParamDecl(I)}) && d->AddMember(F, 12, V) &&
         d->AddMember(F, 13, V) && d->AddMember(F, 14, I) && d->AddMember(F, 15, I, {PParamDecl(COLOR)}) &&
         d->AddMember(F, 16, I) && d->AddMember(F, 17, S) && d->AddMember(F, 18, I) && d->AddMember(F, 19, I) &&
         d->AddMember(F, 20, I, {PParamDecl(SIZE_), PParamDecl(SIZE_)}) &&
         d->AddMember(F, 21, V, {PParamDecl(SIZE_)}) && d->AddMember(F, 22, V, {PParamDecl(SIZE_)}) &&
         d->AddMember(F, 23, I, {PParamDecl(RECT_)}) && d->AddMember(F, 24, I) &&
         d->AddMember(F, 25, CONTROL, {PParamDecl(S)}) && d->AddMember(F, 26, I) && d->AddMember(F, 27, S) &&
         d->AddMember(F, 28, I) && d->AddMember(F, 29, I) && d->AddMember(F, 30, V, {PParamDecl(SIZE_)}) &&
         d->AddMember(F, 31, MENU, {kZero}) && d->AddMember(F, 32, V, {PParamDecl(SIZE_)}) &&
         d->AddMember(F, 33, I, {PParamDecl(POINT_)}) && d->AddMember(F, 34, I) && d->AddMember(F, 35, I) &&
         d->AddMember(F, 36, S) && d->AddMember(F, 37, DIALOG) && d->AddMember(F, 38, DIALOG) &&
         d->AddMember(F, 39, I, {PParamDecl(RECT_)}) &&
         d->AddMember(F, 40, I, {PParamDecl(S), PParamDecl(S), Text("Window"), kFalse, kFalse, kFalse}) &&
         d->AddMember(F, 41, I, {PParamDecl(RECT_)}) && d->AddMember(F, 42, I, {PParamDecl(I)}) &&
         d->AddMember(F, 43, S, {kZero}) && d->AddMember(F, 44, S) && d->AddMember(F, 45, I, {PParamDecl(RECT_)}) &&
         d->AddMember(F, 46, TOOLBAR) && d->AddMember(F, 47, DIALOG) && d->AddMember(F, 48, DIALOG) &&
         d->AddMember(F, 49, I) && d->AddMember(F, 50, I) && d->AddMember(F, 51, I) && d->AddMember(F, 52, I) &&
         d->AddMember(F, 53, I) && d->AddMember(F, 54, I) && d->AddMember(F, 55, I) && d->AddMember(F, 56, I) &&
         d->AddMember(F, 57, I) && d->AddMember(F, 58, I) && d->AddMember(F, 59, I) &&
         d->AddMember(F, 60, I, {PParamDecl(FILE_), owner, parent, popup, text}) &&
         d->AddMember(F, 61, MENU, {PParamDecl(FILE_)}) && d->AddMember(F, 62, MENU, {PParamDecl(S)}) &&
         d->AddMember(F, 63, MENU, {PParamDecl(S)}) &&
         d->AddMember(F, 64, I, {PParamDecl(S), owner, parent, popup, text}) &&
         d->AddMember(F, 65, I, {PParamDecl(S), owner, parent, popup, text}) && d->AddMember(F, 66, V) &&
         d->AddMember(F, 67, I, {PParamDecl(S), Text(""), Int("MB_OK", 0), Int("MBI_EXCLAMATION", 48)}) &&
         d->AddMember(F, 68, V) && d->AddMember(F, 69, V, {PParamDecl(I), PParamDecl(I)}) &&
         d->AddMember(F, 70, I,
                      {PParamDecl(RECT_), Text(""), Text("WS_VISIBLE WS_CAPTION WS_SYSMENU"), Text(""),
                       Null(DIALOG), kTrue}) &&
         d->AddMember(F, 71, V, {PParamDecl(POINT_)}) && d->AddMember(F, 72, V, {PParamDecl(POINT_)}) &&
         d->AddMember(F, 73, V, {PParamDecl(RECT_)}) && d->AddMember(F, 74, V, {PParamDecl(RECT_)}) &&
         d->AddMember(F, 75, V, {Null(RECT_)}) &&
         d->AddMember(F, 76, I, {PParamDecl(S), PParamDecl(S), Text("Window")}) &&
         d->AddMember(F, 77, V, {PParamDecl(I), PParamDecl(I)}) && d->AddMember(F, 78, V) &&
         d->AddMember(F, 79, V, {kTrue}) && d->AddMember(F, 80, V, {Int("AUTOSIZE_SIZE", 68)}) &&
         d->AddMember(F, 81, V, {Null(COLOR)}) && d->AddMember(F, 82, V, {Null(IMAGE)}) &&
         d->AddMember(F, 83, V, {Int("DRAW_TOPLEFT", 0)}) && d->AddMember(F, 84, V, {PParamDecl(S)}) &&
         d->AddMember(F, 85, V, {PParamDecl(I)}) && d->AddMember(F, 86, V, {kMinusOne, kMinusOne}) &&
         d->AddMember(F, 87, V, {kMinusOne, kMinusOne}) && d->AddMember(F, 88, V, {PParamDecl(I), PParamDecl(I)}) &&
         d->AddMember(F, 89, V, {PParamDecl(I)}) && d->AddMember(F, 90, V, {Null(CURSOR)}) &&
         d->AddMember(F, 91, V, {PParamDecl(S)}) && d->AddMember(F, 92, V) && d->AddMember(F, 93, V, {PParamDecl(I)}) &&
         d->AddMember(F, 94, I, {PParamDecl(IMAGE)}) && d->AddMember(F, 95, V, {kMinusOne, kMinusOne}) &&
         d->AddMember(F, 96, I, {PParamDecl(MENU)}) && d->AddMember(F, 97, V, {kMinusOne, kMinusOne}) &&
         d->AddMember(F, 98, V, {PParamDecl(I), PParamDecl(I)}) && d->AddMember(F, 99, V, {PParamDecl(S)}) &&
         d->AddMember(F, 100, V, {PParamDecl(RECT_)}) &&
         d->AddMember(F, 101, I, {PParamDecl(S), PParamDecl(S), Text("Window")}) &&
         d->AddMember(F, 102, V, {PParamDecl(I), PParamDecl(I)}) && d->AddMember(F, 103, V, {PParamDecl(I), Text("")}) &&
         d->AddMember(F, 104, V, {PParamDecl(S)}) && d->AddMember(F, 105, V, {kZero, kZero}) &&
         d->AddMember(F, 106, V, {PParamDecl(I)}) && d->AddMember(F, 107, V, {PParamDecl(I)}) &&
         d->AddMember(F, 108, V, {kTrue}) && d->AddMember(F, 109, V, {kTrue}) && d->AddMember(F, 110, V, {kZero, kZero}) &&
         // Events.
         d->AddMember(E, ON_DRAG_START, I, {PParamDecl(I), PParamDecl(I)}) &&
         d->AddMember(E, ON_MOUSE, V, {PParamDecl(I), PParamDecl(I), PParamDecl(I), PParamDecl(I), PParamDecl(I)}) &&
         d->AddMember(E, ON_CANCEL, I) && d->AddMember(E, ON_CREATED, I) && d->AddMember(E, ON_CLOSE, I) &&
         d->AddMember(E, ON_ERASE, V, {PParamDecl(I)}) && d->AddMember(E, ON_FILES_DROPPED, V, {PParamDecl(STRINGS)}) &&
         d->AddMember(E, ON_DRAG_END, V) && d->AddMember(E, ON_FOCUS, V, {PParamDecl(I)}) &&
         d->AddMember(E, ON_KEY_DOWN, V, {PParamDecl(I)}) && d->AddMember(E, ON_CHILD_KEY, V, {PParamDecl(I)}) &&
         d->AddMember(E, ON_LOADED, V, {PParamDecl(S)}) && d->AddMember(E, ON_MAXIMIZED, V) &&
         d->AddMember(E, ON_MINIMIZED, V) && d->AddMember(E, ON_MODAL_START, I, {PParamDecl(S)}) &&
         d->AddMember(E, ON_MOUSE_ENTER, V, {PParamDecl(I), PParamDecl(I)}) && d->AddMember(E, ON_MOUSE_LEAVE, V) &&
         d->AddMember(E, ON_MOUSE_MOVE, V, {PParamDecl(I), PParamDecl(I)}) && d->AddMember(E, ON_MOVE, V) &&
         d->AddMember(E, ON_OK, I) && d->AddMember(E, ON_PARENT_RESIZED, V) && d->AddMember(E, ON_RESTORED, V) &&
         d->AddMember(E, ON_COMMAND, V, {PParamDecl(I)}) && d->AddMember(E, ON_END_SESSION, V) &&
         d->AddMember(E, ON_SIZE, V) && d->AddMember(E, ON_USER_MESSAGE, V, {PParamDecl(I), PParamDecl(I)}) &&
         d->AddMember(E, ON_TIMER, V, {PParamDecl(I)});
}
