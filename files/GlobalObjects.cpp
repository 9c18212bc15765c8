#include "files/GlobalObjects.h"

// Objects of one translation unit are constructed in the order of their
// definitions and destroyed in the reverse order: this order is the
// framework's, so keep it.
SArray<HWND> DialogWindowList;
SString AppFolderPath;
SString ExePath;
SString ModulePath;
SArray<SCursor*> StandardCursorTable;
SIdentifiants Identifiants;
SDll RichEditLibrary;
SDll LayeredWindowLibrary;
SStringArray KeyNameTable;
