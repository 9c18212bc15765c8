// SSystem: the screen's font names, fonts a program adds for itself, and
// font files put into the Fonts folder.
#include "files/SSystem.h"

#include "core/SStringArray.h"
#include "core/TextFunctions.h"
#include "files/SDisk.h"
#include "files/SFile.h"
#include "files/SFilePath.h"
#include "files/SPath.h"

namespace {

// The full path of a font file, lower case: the form the list and the font
// table share. "" for a path that is not valid.
SString FontPath(const char* path) {
  SPath full(path);
  if (!path || !full.IsValid()) return SString("");
  return full.GetFullPath().MakeLower();
}

}  // namespace

namespace SSystem {

// One face name into the list; an empty name ends the enumeration.
static int CALLBACK FontEnumProc(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM list) {
  if (!font->lfFaceName[0]) return 0;
  reinterpret_cast<SStringArray*>(list)->Add(font->lfFaceName);
  return 1;
}

int GetFontNames(SStringArray& names) {
  int before = names.GetCount();
  HDC screen = GetDC(nullptr);
  if (screen) {
    LOGFONTA font;
    ZeroMemory(&font, sizeof font);
    font.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExA(screen, &font, FontEnumProc, reinterpret_cast<LPARAM>(&names), 0);
    ReleaseDC(nullptr, screen);
  }
  // A face comes once for each of its character sets; sorted, the copies
  // stand next to each other.
  names.Sort();
  for (int i = names.GetCount() - 1; i > 0; i--) {
    if (names.Compare(names.GetPtr(i), names.GetPtr(i - 1), names.GetCompareMode(), 0) == 0)
      names.DeleteAndRemoveAt(i, 1);
  }
  return names.GetCount() - before;
}

bool AddFont(SStringArray& added, const char* path) {
  SString full = FontPath(path);
  if (full.GetLength() == 0 || AddFontResourceA(full.GetText()) == 0) return false;
  added.Add(full.GetText());
  return true;
}

bool RemoveFont(SStringArray& added, const char* path) {
  // Only a font of the list: one that another program or the system put
  // into the table is not the caller's to take out.
  SString full = FontPath(path);
  int at = full.GetLength() == 0 ? -1 : added.Find(full.GetText());
  if (at < 0 || !RemoveFontResourceA(full.GetText())) return false;
  added.DeleteAndRemoveAt(at, 1);
  return true;
}

void ReleaseFontList(SStringArray& added) {
  // RemoveFont deletes the entry it removes, so the list is worked from its
  // end; an entry the table no longer knows goes all the same.
  while (added.GetCount() > 0) {
    int last = added.GetCount() - 1;
    SString path = added.GetString(last);
    if (!RemoveFont(added, path.GetText()) || added.GetCount() > last)
      added.DeleteAndRemoveAt(last, 1);
  }
  added.Purge();
}

bool CopyToFontsFolder(const char* fileName, SFile* stream) {
  if (!stream || !fileName || !IsValidFileName(fileName)) return false;
  SDisk disk;
  SString folder = disk.GetFontsFolder();
  if (folder.GetLength() == 0) return false;
  SString target = folder + fileName;
  if (disk.Exists(target.GetText())) return false;
  SFilePath file;
  if (!file.Open(target.GetText(), true, true, true)) return false;
  int expected = stream->GetRemaining();
  bool whole = stream->CopyTo(&file, -1) == expected;
  file.Close();
  // A font file cut short is no font; it does not stay behind.
  if (!whole) disk.DeleteFile(target.GetText());
  return whole;
}

}  // namespace SSystem
