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

// Lists the registered ActiveX controls (the component category of
// controls), sorted by name: class id texts, class ids and names, any of
// them null; answers the count.
typedef int (*ActiveXListFunction)(SStringArray* classIdTexts, SArray<GUID>* classIds, SStringArray* names);

class SDialogEditor : public SWnd, public SDialogModel {
 public:
  SDialogEditor() = default;
  ~SDialogEditor() override = default;

  using SDialogModel::GetText;
  using SWnd::GetText;

  // The lister every editor uses; null lists nothing.
  static void SetActiveXLister(ActiveXListFunction lister);
  static ActiveXListFunction GetActiveXLister();

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
