// SSystem: queries of and actions on the machine and the logged-on user's
// desktop, as free functions without state: the system's version, ending
// the session, names, the screen, fonts, running programs, file
// associations and the network adapters' addresses. Every failure comes
// back as 0, false, "" or a rectangle of zeros.
#pragma once

#include <windows.h>

#include <cstdint>

#include "core/SArray.h"
#include "core/SString.h"

// Windows' GetComputerName and GetUserName macros must not rename the
// functions below in some files and not in others.
#ifdef GetComputerName
#undef GetComputerName
#endif
#ifdef GetUserName
#undef GetUserName
#endif

class SFile;
class SStringArray;

namespace SSystem {

// The result of GetOSVersion (also the script constants of the System class).
enum OSVersionCode : int {
  OS_95 = 1,
  OS_NT4 = 2,
  OS_98 = 3,
  OS_ME = 4,
  OS_2K = 5,
  OS_XP = 6,
  OS_VISTA = 7,
  OS_SEVEN = 8,
  OS_EIGHT = 9,
  OS_UNKNOWN = 255
};

// ---- Version, shutdown and logoff -----------------------------------------------------

// 0 when the version can't be read.
int GetOSVersion();
// The code of a platform id and version number.
int OSVersionFromNumbers(DWORD platformId, DWORD major, DWORD minor);
// False only for Windows 95, 98 and ME.
bool IsNtFamily();
// ExitWindowsEx's answer: non-zero when the system took the request. Shut
// down and restart enable the shutdown privilege first.
int ShutDown();
int Reboot();
int LogOff();

// ---- Names ---------------------------------------------------------------------------------

SString GetComputerName();
SString GetUserName();
SString GetRegisteredOwner();
// The English name of the country of the keyboard layout's language.
SString GetKeyboardLocaleName();

// ---- Screen --------------------------------------------------------------------------------

int GetScreenDepth();  // bits per pixel
int GetMonitorWidth();
int GetMonitorHeight();
// The primary screen's work area for null, else the monitor's.
RECT GetWorkArea(HMONITOR monitor);

// ---- Fonts ---------------------------------------------------------------------------------
//
// The added-fonts list belongs to the caller and holds the full path, lower
// case, of each font file that AddFont put into the system's font table.

// Merges the face names of the screen's fonts into the list, which is then
// sorted without duplicates; answers how many entries it gained.
int GetFontNames(SStringArray& names);
bool AddFont(SStringArray& added, const char* path);
bool RemoveFont(SStringArray& added, const char* path);
// Takes every font of the list out of the font table and empties the list,
// so that fonts a program added do not outlive it.
void ReleaseFontList(SStringArray& added);
// A new file of that name in the Fonts folder with the stream's rest; false
// when such a file exists. The font is not added to the table.
bool CopyToFontsFolder(const char* fileName, SFile* stream);

// ---- Programs and files --------------------------------------------------------------------

// The running processes that have a module of that path (null or "": this
// program's own executable).
int CountProcesses(const char* path);
// Makes the program (with the parameters after its quoted path, then
// "%1" quoted) the command that opens files of the extension.
bool SetFileAssociation(const char* extension, const char* programPath, const char* parameters);

// ---- Network -------------------------------------------------------------------------------

// Appends each network adapter's hardware address, as 6 bytes and as text
// "XX:XX:XX:XX:XX:XX"; answers how many.
int GetMacAddresses(SArray<uint8_t>* bytes, SStringArray* texts);
SString GetMacAddress();  // the first, or ""

}  // namespace SSystem
