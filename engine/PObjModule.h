// PObjModule: an object of an external module's class. The module keeps a
// matching object of its own ("Tavrin_New" makes it, "Tavrin_Delete" ends
// it); every member call goes to the module in one call record, and the
// module raises the class's events through the two callbacks below, during
// a call or later from code of its own. An object of a module that is a
// control also owns (or, attached, uses) the control's window.
#pragma once

#include <cstdint>

#include "engine/PObject.h"
#include "engine/PluginSDK.h"

class SWnd;

class PObjModule : public PObject {
 public:
  // The window of a module control (PObjModuleExternCtrl.h, Windows only).
  class _PExternCtrl;

  explicit PObjModule(PObjectDefinition* definition);
  ~PObjModule() override;

  // The Register of every module class: the factory, category, control
  // number EXTERN, base "Control" for a control module, then "ID".
  static void Register(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  // The module part of an object, wherever in its chain the given part
  // sits; null when it has none.
  static PObjModule* PartOf(PObject* object);

  // Releases the control window (unless attached), then the part.
  bool Release() override;
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;
  // Uses window without owning it; null forgets it.
  void AttachWindow(SWnd* window) override;

  // Position of the member with that number, -1 when none: the loader made
  // the numbers of a module class ascend.
  static int FindMember(const PObjectDefinition* definition, int number);

  // ---- The callbacks a module gets -------------------------------------------------------

  static bool TAVRIN_CDECL EventCallback(void* object, int32_t event, ModuleEventResult* result,
                                         int32_t count, ...);
  static bool TAVRIN_CDECL CallMemberCallback(void* object, int32_t member, void* result,
                                              SArray<SValue*>* args, uint8_t* noHandler);
  // The allocators of the call record: buffers of n+1 units, terminated at
  // both ends, from the heap whose buffers the engine's texts take over.
  static char* TAVRIN_CDECL AllocateText(int32_t n);
  static UniChar* TAVRIN_CDECL AllocateUniText(int32_t n);

  // ---- Module controls (Windows only) ----------------------------------------------------

  // "Tavrin_Create" once the control's window exists, with the control's
  // properties; "Tavrin_Destroy" when the dialog that holds it closes.
  // Nothing without the entry or a window with a handle.
  void Create();
  void Destroy();
  SWnd* GetWindow() const { return m_window; }
  ModuleHandle GetHandle() const { return m_handle; }
  // "Tavrin_Resize" when exported; the control window calls it on WM_SIZE.
  void Resize();

 private:
  struct Entries {
    moduleentry::New create;
    moduleentry::Delete remove;
    moduleentry::Create createControl;
    moduleentry::Window destroyControl;
    moduleentry::Window resize;
    moduleentry::Call call;
    moduleentry::MakeString makeString;
    moduleentry::MakeUniString makeUniString;
  };

  // The handler's result as the module wants it: numbers in the value,
  // texts copied into buffers of the module's own allocators.
  bool HandTextBack(TypeCode returns, const SValue& value, char** text, UniChar** uniText) const;
  // The window handle a module gets, 0 without a window.
  uintptr_t GetWindowHandle() const;
  // Forgets the window, deleting it unless it is attached.
  void DeleteWindow();

  SWnd* m_window;
  bool m_attached;
  Entries m_entries;
  ModuleHandle m_handle;
};
