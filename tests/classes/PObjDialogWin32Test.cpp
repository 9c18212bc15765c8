// The Dialog class with its owner and its control objects, called as the
// stack machine calls it. Until the Button class exists, a test-only class
// takes the Button row: it records the windows attached to it, and its
// events 2 (mouse record) and 3 (clicked) show the router's control rows.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "classes/PObjRectangle.h"
#include "classes/PObjStringArray.h"
#include "classes/windows/PObjDialog.h"
#include "classes/windows/PObjImage.h"
#include "dialogs/DialogFromDescription.h"
#include "engine/PObjectDefinition.h"
#include "files/SFileMem.h"
#include "window/ControlNotify.h"
#include "tests/classes/FrameworkClassTest.h"
#include "tests/engine/EngineTestClasses.h"

namespace {

using D = PObjDialog;

// Every window attached to a test control, in order (null: let go).
std::vector<std::pair<PObject*, SWnd*>>& Attachments() {
  static std::vector<std::pair<PObject*, SWnd*>> log;
  return log;
}

class TestControl : public enginetest::RecordingObject {
 public:
  using RecordingObject::RecordingObject;
  void AttachWindow(SWnd* window) override { Attachments().push_back({this, window}); }
  static PObject* New(PObjectDefinition* d) { return new (std::nothrow) TestControl(d); }
};

std::string Extern(int id, const char* className) {
  return "[EXTERN]\r\nID=" + std::to_string(id) + "\r\nNAME=X" + std::to_string(id) +
         "\r\nPOSITION=10 80 40 20\r\nSTYLE=WS_VISIBLE\r\nEXTERN_NAME=" + className + "\r\n\r\n";
}

std::string Description(int buttonId) {
  return "TAVRIN DIALOG 1.0.0.0\r\n\r\n"
         "[DIALOG]\r\nCAPTION=Loaded\r\nPOSITION=0 0 240 120\r\nSTYLE=WS_VISIBLE WS_CAPTION WS_SYSMENU\r\n\r\n"
         "[BUTTON]\r\nID=" + std::to_string(buttonId) + "\r\nNAME=First\r\nCAPTION=One\r\nPOSITION=10 10 80 24\r\nSTYLE=WS_VISIBLE\r\n\r\n"
         "[STATIC]\r\nID=5\r\nNAME=Note\r\nCAPTION=Hello\r\nPOSITION=10 50 120 20\r\nSTYLE=WS_VISIBLE\r\n\r\n"
         "[BUTTON]\r\nID=13\r\nNAME=Go\r\nCAPTION=Two\r\nPOSITION=100 10 80 24\r\nSTYLE=WS_VISIBLE\r\n\r\n";
}

// Handler member numbers of the owner class.
enum : uint16_t { kOnButtonMouse = 10, kOnButtonClick, kOnLoaded, kOnClose, kOnDrop };

class PObjDialogTest : public classtest::FrameworkClassTest {
 protected:
  void SetUp() override {
    FrameworkClassTest::SetUp();
    InstallDialogBuilder();
    Attachments().clear();
    PObjectDefinition* button = engine.FindDefinitionByName("Button");
    ASSERT_NE(button, nullptr);
    button->SetFactory(TestControl::New);
    ASSERT_TRUE(button->AddMember(MEMBER_FUNCTION, 0, TYPE_VOID) && button->AddMember(MEMBER_FUNCTION, 1, TYPE_VOID) &&
                button->AddMember(MEMBER_EVENT, 2, TYPE_VOID,
                                  {PParamDecl(TYPE_INTEGER), PParamDecl(TYPE_INTEGER), PParamDecl(TYPE_INTEGER),
                                   PParamDecl(TYPE_INTEGER), PParamDecl(TYPE_INTEGER)}) &&
                button->AddMember(MEMBER_EVENT, 3, TYPE_VOID));

    ownerClass = enginetest::AddClass(engine, MakeTypeCode(ORIGIN_USER, 'O', 'W', 'N'), "Owner");
    ASSERT_NE(ownerClass, nullptr);
    const TypeCode I = TYPE_INTEGER;
    PObjectDefinition* dialogClass = engine.FindDefinition(D::kTypeCode);
    // Handlers are named after the class and the event's internal name.
    auto handler = [](PObjectDefinition* raiser, int event) {
      return std::string(raiser->GetName()) + "." + raiser->GetMemberName(event);
    };
    const std::string mouse = handler(button, 2), click = handler(button, 3);
    const std::string loaded = handler(dialogClass, D::ON_LOADED), close = handler(dialogClass, D::ON_CLOSE);
    const std::string drop = handler(dialogClass, D::ON_FILES_DROPPED);
    ASSERT_TRUE(enginetest::AddScript(ownerClass, MEMBER_HANDLER, kOnButtonMouse,
                                      enginetest::ScriptSignature(mouse.c_str(), TYPE_VOID, {I, I, I, I, I})));
    ASSERT_TRUE(enginetest::AddScript(ownerClass, MEMBER_HANDLER, kOnButtonClick,
                                      enginetest::ScriptSignature(click.c_str(), TYPE_VOID)));
    ASSERT_TRUE(enginetest::AddScript(ownerClass, MEMBER_HANDLER, kOnLoaded,
                                      enginetest::ScriptSignature(loaded.c_str(), TYPE_VOID, {TYPE_STRING})));
    ASSERT_TRUE(enginetest::AddScript(ownerClass, MEMBER_HANDLER, kOnClose,
                                      enginetest::ScriptSignature(close.c_str(), TYPE_INTEGER)));
    ASSERT_TRUE(enginetest::AddScript(ownerClass, MEMBER_HANDLER, kOnDrop,
                                      enginetest::ScriptSignature(drop.c_str(), TYPE_VOID, {PObjStringArray::kTypeCode})));
    owner = static_cast<enginetest::RecordingObject*>(ownerClass->CreateInstance());
    owner->onCall = [this](uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
      events.push_back({member, PObject::GetArgCount(args), caller});
      if (member == kOnLoaded) loadedText = PObject::GetArgString(args, 0);
      if (member == kOnButtonMouse) mouseCodes.push_back(PObject::GetArgInt64(args, 0));
      if (member == kOnDrop) {
        SStringArray& paths = static_cast<PObjStringArray*>(PObject::GetArgObject(args, 0))->GetStore();
        for (int i = 0; i < paths.GetCount(); i++) dropped.push_back(paths.GetString(i).GetText());
      }
      if (auto it = reactions.find(member); it != reactions.end()) it->second();
      return member == kOnClose ? PObject::ReturnInt64(result, 0) : true;
    };
    dialog = NewDialog();
  }
  void TearDown() override {
    for (PObject* d : dialogs) PObject::DeleteObject(d);
    PObject::DeleteObject(owner);
    SetDialogBuilder(nullptr);
    FrameworkClassTest::TearDown();
  }

  D* NewDialog() {
    D* d = static_cast<D*>(engine.FindDefinition(D::kTypeCode)->CreateInstance());
    EXPECT_TRUE(owner->BindOwner(d));
    dialogs.push_back(d);
    return d;
  }
  bool Load(D* d, SWnd* parent = nullptr, bool popup = true, int buttonId = 12, const std::string& more = "") {
    SFileMem stream;
    std::string text = Description(buttonId) + more;
    stream.Write(text.data(), int(text.size()));
    stream.Rewind();
    bool loaded = d->LoadDescription(&stream, parent, owner, popup, "hello");
    PumpMessages();
    return loaded;
  }
  PObject* Control(D* d, const char* text) {
    int64_t object = CallInt(d, D::GET_CONTROL, With().Str(text));
    return reinterpret_cast<PObject*>(uintptr_t(object));
  }
  int Count(uint16_t member) const {
    int n = 0;
    for (const auto& e : events) n += e.member == member;
    return n;
  }
  // Whether the object was last attached to that window.
  static SWnd* LastWindowOf(PObject* object) {
    SWnd* last = reinterpret_cast<SWnd*>(-1);
    for (const auto& [o, w] : Attachments())
      if (o == object) last = w;
    return last;
  }

  struct Event {
    uint16_t member;
    int count;
    PObject* caller;
  };
  PObjectDefinition* ownerClass = nullptr;
  enginetest::RecordingObject* owner = nullptr;
  D* dialog = nullptr;
  std::vector<PObject*> dialogs;
  std::vector<Event> events;
  std::vector<int64_t> mouseCodes;
  std::string loadedText;
  std::vector<std::string> dropped;
  std::map<uint16_t, std::function<void()>> reactions;
};

TEST_F(PObjDialogTest, EachControlGetsAnObjectOfItsClassBoundToTheOwner) {
  bool loadedDuringEvent = false;
  reactions[kOnLoaded] = [&] { loadedDuringEvent = dialog->IsLoaded(); };
  ASSERT_TRUE(Load(dialog));
  EXPECT_EQ(loadedText, "hello");
  EXPECT_TRUE(loadedDuringEvent) << "loaded is set before event 122";

  D::_PDialog* window = dialog->GetWindow();
  ASSERT_EQ(window->GetControlCount(), 3);
  ASSERT_EQ(dialog->GetControlObjectCount(), 3);
  PObject* first = dialog->GetControlObject(0);
  PObject* go = dialog->GetControlObject(2);
  ASSERT_NE(first, nullptr);
  PObject* note = dialog->GetControlObject(1);
  ASSERT_NE(note, nullptr) << "the static gets an object of the Static class";
  EXPECT_STREQ(note->GetDefinition()->GetName(), "Static");
  ASSERT_NE(go, nullptr);
  EXPECT_EQ(LastWindowOf(go), window->GetControl(2));
  EXPECT_EQ(window->GetControl(2)->GetScriptObject(), go);
  EXPECT_EQ(go->GetOwner(), owner);
  EXPECT_EQ(window->GetScriptObject(), dialog);

  // By id and by name.
  EXPECT_EQ(Control(dialog, "13"), go);
  EXPECT_EQ(Control(dialog, "Go"), go);
  EXPECT_EQ(Control(dialog, "12"), first);
  EXPECT_EQ(Control(dialog, "5"), note);
  EXPECT_EQ(Control(dialog, "Note"), note);
  EXPECT_EQ(Control(dialog, "99"), nullptr);
  EXPECT_EQ(CallInt(dialog, D::GET_CONTROL_COUNT), 3);
}

TEST_F(PObjDialogTest, ControlNotificationsBecomeEventsOfTheControlObject) {
  ASSERT_TRUE(Load(dialog));
  PObject* go = dialog->GetControlObject(2);
  SendMessageA(dialog->GetWindow()->GetControl(2)->GetHwnd(), BM_CLICK, 0, 0);
  PumpMessages();
  ASSERT_EQ(Count(kOnButtonClick), 1);
  for (const Event& e : events) {
    if (e.member == kOnButtonClick || e.member == kOnButtonMouse) EXPECT_EQ(e.caller, go) << e.member;
  }
  ASSERT_FALSE(mouseCodes.empty()) << "the button's mouse record";
  EXPECT_EQ(mouseCodes.front(), kMouseLeft | kMouseDown);
  for (const Event& e : events) {
    if (e.member == kOnButtonMouse) EXPECT_EQ(e.count, 5);
  }
}

TEST_F(PObjDialogTest, AHandlerOfTheLoadEventCanCloseTheDialog) {
  reactions[kOnLoaded] = [&] { EXPECT_EQ(CallInt(dialog, D::CLOSE), 1); };
  ASSERT_TRUE(Load(dialog));
  EXPECT_EQ(Count(kOnClose), 1) << "the close steps ran";
  EXPECT_FALSE(dialog->IsLoaded());
  EXPECT_EQ(dialog->GetHwnd(), nullptr);
  EXPECT_EQ(LastWindowOf(dialog->GetControlObject(0)), nullptr);
  EXPECT_EQ(LastWindowOf(dialog->GetControlObject(2)), nullptr);
}

// The click's handler deletes the Dialog, and with it the window whose
// procedure is still handling the click.
TEST_F(PObjDialogTest, AHandlerMayReleaseItsDialog) {
  ASSERT_TRUE(Load(dialog));
  HWND window = dialog->GetHwnd();
  HWND button = dialog->GetWindow()->GetControl(2)->GetHwnd();
  reactions[kOnButtonClick] = [&] {
    dialogs.erase(std::find(dialogs.begin(), dialogs.end(), static_cast<PObject*>(dialog)));
    PObject::DeleteObject(dialog);
    dialog = nullptr;
  };
  SendMessageA(button, BM_CLICK, 0, 0);
  PumpMessages();
  EXPECT_EQ(Count(kOnButtonClick), 1);
  EXPECT_FALSE(IsWindow(window));
}

// A child Dialog destroyed with its parent, without a WM_CLOSE of its own:
// its control objects let go of the windows the SDialog deletes.
TEST_F(PObjDialogTest, AChildDestroyedWithItsParentDetachesItsControls) {
  D* parent = NewDialog();
  PObjRectangle* place = Make<PObjRectangle>();
  place->Set(10, 10, 400, 300);
  ASSERT_EQ(CallInt(parent, D::CREATE,
                    With().Obj(place).Str("Parent").Str("WS_VISIBLE WS_CAPTION").Str("").Obj(nullptr).Int(1)),
            1);
  ASSERT_TRUE(Load(dialog, parent->GetWindow(), false));
  EXPECT_EQ(GetParent(dialog->GetHwnd()), parent->GetHwnd());
  EXPECT_TRUE(GetWindowLongA(dialog->GetHwnd(), GWL_STYLE) & WS_CHILD);
  PObject* go = dialog->GetControlObject(2);

  EXPECT_EQ(CallInt(parent, D::CLOSE), 1);
  EXPECT_EQ(Count(kOnClose), 1) << "the parent's close only";
  EXPECT_EQ(dialog->GetHwnd(), nullptr);
  EXPECT_FALSE(dialog->IsLoaded());
  EXPECT_EQ(LastWindowOf(go), nullptr);
  EXPECT_EQ(LastWindowOf(dialog->GetControlObject(0)), nullptr);
}

// An external control gets an object of its module's class only when the
// module declares that class a control.
TEST_F(PObjDialogTest, ModuleControlsGetObjectsOfTheirModuleClass) {
  PObjectDefinition* gauge = enginetest::AddClass(engine, MakeTypeCode(ORIGIN_MODULE, 'G', 'A', 'U'), "Gauge", "",
                                                  TestControl::New);
  PObjectDefinition* plain = enginetest::AddClass(engine, MakeTypeCode(ORIGIN_MODULE, 'P', 'L', 'N'), "Plain", "",
                                                  TestControl::New);
  ASSERT_TRUE(gauge && plain);
  gauge->SetModule("", true);
  plain->SetModule("", false);
  ASSERT_TRUE(Load(dialog, nullptr, true, 12, Extern(20, "Gauge") + Extern(21, "Plain") + Extern(22, "Nobody")));
  ASSERT_EQ(dialog->GetControlObjectCount(), 6);
  PObject* object = dialog->GetControlObject(3);
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(object->GetDefinition(), gauge);
  EXPECT_EQ(LastWindowOf(object), dialog->GetWindow()->GetControl(3));
  EXPECT_EQ(dialog->GetControlObject(4), nullptr);
  EXPECT_EQ(dialog->GetControlObject(5), nullptr);
}

// A real WM_DROPFILES, as the shell posts it, reaches the owner as event
// 117 with the paths in a StringArray.
TEST_F(PObjDialogTest, DroppedFilesArriveAsAStringArray) {
  PObjRectangle* place = Make<PObjRectangle>();
  place->Set(20, 20, 300, 200);
  ASSERT_EQ(CallInt(dialog, D::CREATE, With().Obj(place).Str("Drop").Str("WS_VISIBLE WS_CAPTION").Str("").Obj(nullptr).Int(1)),
            1);
  CallVoid(dialog, D::ACCEPT_FILES, With().Int(1));
  const char paths[] = "C:\\a.txt\0C:\\b c.txt\0";
  HGLOBAL drop = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + sizeof paths + 1);
  DROPFILES* header = static_cast<DROPFILES*>(GlobalLock(drop));
  header->pFiles = sizeof(DROPFILES);
  memcpy(reinterpret_cast<char*>(header + 1), paths, sizeof paths);
  GlobalUnlock(drop);
  ASSERT_TRUE(PostMessageA(dialog->GetHwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0));
  PumpMessages();
  EXPECT_EQ(dropped, (std::vector<std::string>{"C:\\a.txt", "C:\\b c.txt"}));
}

TEST_F(PObjDialogTest, AnImageBecomesTheBackgroundAndTheIcon) {
  PObjRectangle* place = Make<PObjRectangle>();
  place->Set(20, 20, 300, 200);
  ASSERT_EQ(CallInt(dialog, D::CREATE, With().Obj(place).Str("Look").Str("WS_VISIBLE WS_CAPTION").Str("").Obj(nullptr).Int(1)),
            1);
  HWND window = dialog->GetHwnd();
  PObjImage* empty = Make<PObjImage>();
  PObjImage* red = Make<PObjImage>();
  ASSERT_TRUE(red->GetImage()->Create(32, 32, PixelFormat32bppARGB));
  red->GetImage()->Fill(RGB(255, 0, 0));

  // An Image without a picture makes no icon and changes nothing.
  EXPECT_EQ(CallInt(dialog, D::SET_ICON, With().Obj(empty)), 1);
  EXPECT_EQ(SendMessageA(window, WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_EQ(CallInt(dialog, D::SET_ICON, With().Obj(red)), 1);
  EXPECT_NE(SendMessageA(window, WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_NE(SendMessageA(window, WM_GETICON, ICON_SMALL, 0), 0);

  // The background is drawn from the window's own copy: changing the
  // Image afterwards does not reach it, and null removes it.
  auto backgroundAt = [&](int x, int y) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 32);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all = {0, 0, 32, 32};
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    FillRect(dc, &all, blue);
    DeleteObject(blue);
    FindWindowObject(window)->RenderBackground(dc, 32, 32);
    COLORREF pixel = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return pixel;
  };
  CallVoid(dialog, D::SET_BACK_IMAGE, With().Obj(red));
  red->GetImage()->Fill(RGB(0, 255, 0));
  EXPECT_EQ(backgroundAt(5, 5), RGB(255, 0, 0));
  CallVoid(dialog, D::SET_BACK_IMAGE, With().Obj(nullptr));
  EXPECT_EQ(backgroundAt(5, 5), RGB(0, 0, 255));
}

}  // namespace
