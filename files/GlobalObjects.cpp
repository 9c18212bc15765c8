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
// The rich-edit and layered-window library objects belong here, between
// the identifier tables and the key names, once the library class exists.
SStringArray KeyNameTable;
