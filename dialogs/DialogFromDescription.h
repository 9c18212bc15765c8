// CreateDialogFromDescription: a dialog description made into a live
// SDialog - its window, every control through the control factory, and
// the dialog's own settings (icons, background, tab order, bars, menus,
// size limits, anchoring, show state, focus).
//
// SDialog::Load reaches it once InstallDialogBuilder has run: Load's
// DialogBuildOptions carry the owner (context), the tool-bar factory and
// the name-to-id callback, and builderOptions may point at a
// DialogDescriptionOptions for the rest.
#pragma once

#include <windows.h>

#include "window/MenuFile.h"
#include "window/SDialog.h"

class SFile;
class SResource;

// What SDialog::Load passes through DialogBuildOptions::builderOptions;
// without one, the defaults below.
struct DialogDescriptionOptions {
  HWND parent = nullptr;
  bool popup = false;            // a top-level popup even with a parent
  bool noShow = false;           // leave the dialog hidden at the end
  void* creationParameter = nullptr;  // creation data, and lparam of the built message
  MenuFactory menuFactory = nullptr;  // null: plain menus
};

// False: no stream, a description that does not read or has no dialog
// record, a window that could not be made, or a control record the factory
// gives no window for. In the last two cases the dialog's window and the
// controls made so far stay; the caller decides.
bool CreateDialogFromDescription(SFile* stream, SDialog* dialog, HWND parent, SResource* resources, bool popup,
                                 MenuFactory menuFactory, ToolBarFactory toolBarFactory, NameToIdFunction nameToId,
                                 bool noShow, void* creationParameter, void* owner);

// Makes the function above the dialog builder behind SDialog::Load.
void InstallDialogBuilder();
