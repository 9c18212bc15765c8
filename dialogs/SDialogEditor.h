// SDialogEditor: the dialog model (SDialogModel) together with the window
// of the visual dialog designer (SWnd). The run-time loader makes one
// without a window for every dialog a program opens; the designer's host
// creates its window and derives from it to answer the model's hooks.
//
// Here: the designer state that InitControlTypes prepares in every editor,
// windowed or not - the registered ActiveX controls in the letter submenus
// of the ActiveX menu, when the framework was started with its
// ActiveX-listing option.
#pragma once

#include <windows.h>

#include "core/SArray.h"
#include "core/SStringArray.h"
#include "dialogs/ActiveXMenus.h"
#include "dialogs/SDialogModel.h"
#include "window/SWnd.h"

class SDialogEditor : public SWnd, public SDialogModel {
 public:
  // The window of a WINDOW record: a plain framework window that also
  // shows its background when printed (the designer's surface prints its
  // previews).
  class _SWnd : public SWnd {
   public:
    LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;
  };

  SDialogEditor() = default;
  ~SDialogEditor() override = default;

  using SDialogModel::GetText;
  using SWnd::GetText;

  const SActiveXMenus& GetActiveXMenus() const { return m_activeXMenus; }
  const SStringArray& GetActiveXNames() const { return m_activeXNames; }
  const SStringArray& GetActiveXClassIdTexts() const { return m_activeXClassIdTexts; }
  const SArray<GUID>& GetActiveXClassIds() const { return m_activeXClassIds; }

 protected:
  void PrepareDesigner() override;

 private:
  // The ActiveX lists and the nine submenus, filled again at every
  // InitControlTypes.
  void ListActiveX();

  SArray<GUID> m_activeXClassIds;
  SStringArray m_activeXClassIdTexts;
  SStringArray m_activeXNames;
  SActiveXMenus m_activeXMenus;
};
