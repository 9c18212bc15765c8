// The entry point of the engine: start the framework, load the package that
// is appended to this executable, run the application, and shut everything
// down again in reverse order. Every start-up failure ends in the same one
// message; the process always returns 0.
#include <windows.h>

#include "dialogs/DialogFromDescription.h"
#include "engine/LoadPackage.h"
#include "engine/PEngine.h"
#include "files/SDisk.h"
#include "files/SResource.h"
#include "window/Framework.h"
#include "window/FrameworkWindowClasses.h"

namespace {

// The icon of the application, big and small (WinMain.rc).
const int kApplicationIcon = 107;

void ShowCorruptedFile() { MessageBoxA(nullptr, "Corrupted File", "Fatal Error", MB_ICONERROR); }

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand) {
  (void)previous, (void)commandLine;
  // What needs the window system waits for the program's first need of it:
  // a program that ends before it makes a window never loads it.
  FrameworkInit(instance, showCommand, kStartWinSock | kStartDirectSound | kStartListActiveX,
                FrameworkStart::kAtFirstUse);
  SetClassIconResource(kApplicationIcon);
  InstallDialogBuilder();

  {
    // Created in this order and destroyed in the reverse one.
    SDisk disk;
    PEngine engine;
    SResource resources;
    SStringArray moduleFiles;

    if (LoadPackage(&disk, &engine, &resources, &moduleFiles, false)) {
      // A program that cannot start ends without a message of its own.
      engine.Run(&resources);
      engine.Reset();
    } else {
      ShowCorruptedFile();
    }
    DeleteModuleFiles(&disk, moduleFiles);
  }

  FrameworkExit();
  return 0;
}
