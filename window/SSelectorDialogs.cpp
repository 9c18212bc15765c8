// SSelector: the system's own dialogs - folder browser, open and save,
// font and colour.
#include <shlobj.h>

#include <cstdlib>
#include <vector>

#include "files/SPath.h"
#include "window/FileDialogTexts.h"
#include "window/SSelector.h"

namespace {

// The name buffers: a multiple selection of many files needs room.
const int kOpenBufferSize = 32768;
const int kSaveBufferSize = 40000;
const DWORD kOpenFlags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
const DWORD kSaveFlags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;

// What both file dialogs are given; the filter text and the name buffer
// live with it.
struct FileDialog {
  OPENFILENAMEA info = {};
  std::vector<char> filter;
  std::vector<char> name;

  FileDialog(HWND owner, int bufferSize, const SStringArray* filters, int filterIndex, const char* folder,
             const char* title, DWORD flags)
      : filter(MakeFileDialogFilter(filters)), name(size_t(bufferSize), '\0') {
    info.lStructSize = sizeof info;
    info.hwndOwner = owner;
    info.lpstrFilter = filter.empty() ? nullptr : filter.data();
    info.nFilterIndex = DWORD(FileDialogFilterIndex(filters, filterIndex));
    info.lpstrFile = name.data();
    info.nMaxFile = DWORD(bufferSize);
    info.lpstrInitialDir = folder;
    info.lpstrTitle = title;
    info.Flags = flags;
  }
};

static_assert(sizeof(OPENFILENAMEA) == 88, "the open and save dialogs take this structure size");
static_assert(sizeof(CHOOSEFONTA) == 60, "the font dialog takes this structure size");
static_assert(sizeof(CHOOSECOLORA) == 36, "the colour dialog takes this structure size");

}  // namespace

// ---- Folder -----------------------------------------------------------------------------------

int CALLBACK SSelector::BrowseCallback(HWND window, UINT message, LPARAM, LPARAM data) {
  const SString* start = reinterpret_cast<const SString*>(data);
  if (message == BFFM_INITIALIZED && start && start->GetLength()) {
    UniChar* wide = start->ToWide();
    SendMessageA(window, BFFM_SETEXPANDED, TRUE, reinterpret_cast<LPARAM>(wide));
    free(wide);
  }
  return 0;
}

SString SSelector::PickFolder(const char* title, const char* startFolder, bool includeFiles) {
  SString start;
  if (startFolder && *startFolder) {
    SPath path;
    path.SetFolder(startFolder);
    path.SetNoTrailingSeparator(true);
    start = path.GetFolderWithRoot();
  }
  IMalloc* allocator = nullptr;
  if (FAILED(SHGetMalloc(&allocator)) || !allocator) return "";
  m_folder = "";
  BROWSEINFOA info = {};
  char display[MAX_PATH] = "";
  info.hwndOwner = m_owner;
  info.pszDisplayName = display;
  info.lpszTitle = title;
  info.ulFlags = BIF_NEWDIALOGSTYLE | BIF_RETURNFSANCESTORS | (includeFiles ? BIF_BROWSEINCLUDEFILES : 0);
  info.lpfn = BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(&start);
  if (PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&info)) {
    char path[MAX_PATH];
    if (SHGetPathFromIDListA(chosen, path)) {
      m_folder = path;
      if (m_folderSeparator && m_folder.GetAt(m_folder.GetLength() - 1) != '\\') m_folder += "\\";
    }
    allocator->Free(chosen);
  }
  allocator->Release();
  return m_folder;
}

// ---- Open and save ----------------------------------------------------------------------------

bool SSelector::PickOpenFiles(DWORD extraFlags, const SStringArray* filters, const char* initialFolder,
                              const char* title, int filterIndex) {
  m_files.Purge();
  FileDialog dialog(m_owner, kOpenBufferSize, filters, filterIndex, initialFolder, title, kOpenFlags | extraFlags);
  if (!GetOpenFileNameA(&dialog.info)) return false;
  if (extraFlags & OFN_ALLOWMULTISELECT)
    SplitFileSelection(dialog.name.data(), kOpenBufferSize, &m_files);
  else if (dialog.name[0])
    m_files.Add(dialog.name.data());
  return m_files.GetCount() > 0;
}

bool SSelector::PickSaveFile(DWORD extraFlags, const SStringArray* filters, const char* initialFolder,
                             const char* title, int filterIndex, const char* defaultExtension) {
  m_savePath = "";
  FileDialog dialog(m_owner, kSaveBufferSize, filters, filterIndex, initialFolder, title, kSaveFlags | extraFlags);
  dialog.info.lpstrDefExt = defaultExtension;
  if (!GetSaveFileNameA(&dialog.info)) return false;
  m_savePath = dialog.name.data();
  return m_savePath.GetLength() > 0;
}

// ---- Font and colour --------------------------------------------------------------------------

bool SSelector::PickFont(int32_t* style, SString* faceName, int32_t* size) {
  int32_t bits = style ? *style : 0;
  int32_t points = size ? *size : 0;
  LOGFONTA font = {};
  if (faceName) lstrcpynA(font.lfFaceName, faceName->GetText(), LF_FACESIZE);
  HDC screen = GetDC(nullptr);
  int dotsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  // Rounded to the nearest pixel, halves up.
  font.lfHeight = -((points * dotsPerInch * 2 + 72) / 144);
  font.lfWeight = (bits & 1) ? FW_BOLD : 0;
  font.lfItalic = (bits & 2) ? 1 : 0;
  font.lfUnderline = (bits & 4) ? 1 : 0;
  font.lfStrikeOut = (bits & 8) ? 1 : 0;

  CHOOSEFONTA info = {};
  info.lStructSize = sizeof info;
  info.hwndOwner = m_owner;
  info.lpLogFont = &font;
  info.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
  if (!ChooseFontA(&info)) return false;

  m_fontName = font.lfFaceName;
  m_fontSize = info.iPointSize / 10;
  m_fontStyle = (font.lfWeight == FW_BOLD ? 1 : 0) | (font.lfItalic ? 2 : 0) | (font.lfUnderline ? 4 : 0) |
                (font.lfStrikeOut ? 8 : 0);
  if (style) *style = m_fontStyle;
  if (faceName) *faceName = m_fontName;
  if (size) *size = m_fontSize;
  return true;
}

bool SSelector::PickColorDialog(uint32_t initialColor, bool fullOpen, bool preventFullOpen, bool anyColor) {
  // A fresh set each time; white is what the dialog shows for an unset one.
  COLORREF custom[16];
  for (COLORREF& color : custom) color = RGB(255, 255, 255);
  CHOOSECOLORA info = {};
  info.lStructSize = sizeof info;
  info.hwndOwner = m_owner;
  info.lpCustColors = custom;
  info.Flags = (anyColor ? CC_ANYCOLOR : CC_SOLIDCOLOR) | (fullOpen ? CC_FULLOPEN : 0) |
               (preventFullOpen ? CC_PREVENTFULLOPEN : 0);
  // Colour words of the system colours are not colours the dialog knows.
  if (initialColor <= 0x00FFFFFF) {
    info.rgbResult = initialColor;
    info.Flags |= CC_RGBINIT;
  }
  if (!ChooseColorA(&info)) return false;
  m_color = info.rgbResult;
  return true;
}
