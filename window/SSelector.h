// SSelector: the pickers that a program shows on behalf of an owner window
// - the system's folder browser, open and save dialogs, font and colour
// dialogs, and the framework's own popups of the named system colours and
// of a month calendar. Each picker runs modally, keeps its result in the
// selector and answers whether the user confirmed; none shows a message of
// its own.
#pragma once

#include <windows.h>

#include <cstdint>

#include "core/SString.h"
#include "core/SStringArray.h"
#include "core/STimer.h"

class SSelector {
 public:
  // The two popups (SSelectorColorPopup.h, SSelectorDatePopup.h).
  class _SWndColor;
  class _SWndDate;

  explicit SSelector(HWND owner);
  virtual ~SSelector();
  SSelector(const SSelector&) = delete;
  SSelector& operator=(const SSelector&) = delete;

  // The chosen folder (with a trailing "\" while the separator flag is
  // set); "" when cancelled. Files are listed too with includeFiles.
  SString PickFolder(const char* title, const char* startFolder, bool includeFiles);
  // Entries of filters are a description, "|" and a pattern; null gives no
  // filter. extraFlags joins the dialog's own (OFN_ALLOWMULTISELECT for
  // several files). True when at least one file was chosen.
  bool PickOpenFiles(DWORD extraFlags, const SStringArray* filters, const char* initialFolder, const char* title,
                     int filterIndex);
  // The path at that index of the last open choice; "" out of range.
  SString GetFile(int index) const { return m_files.GetString(index); }
  // True when a path was chosen.
  bool PickSaveFile(DWORD extraFlags, const SStringArray* filters, const char* initialFolder, const char* title,
                    int filterIndex, const char* defaultExtension);
  // Each in/out argument may be null (0 or ""): style bits 1 bold, 2
  // italic, 4 underline, 8 strike-out; the face name; the size in points.
  bool PickFont(int32_t* style, SString* faceName, int32_t* size);
  // The system's colour dialog; a system colour word presets nothing.
  bool PickColorDialog(uint32_t initialColor, bool fullOpen, bool preventFullOpen, bool anyColor);
  // The popup of the named system colours; the choice is kept as a system
  // colour word. False without an owner window.
  bool PickColor(const char* title);
  // The calendar popup, starting on the date (null: today). Anything but
  // a chosen date leaves the current local date and time.
  bool PickDate(const STimer* initialDate);

  HWND GetOwner() const { return m_owner; }
  // The window that owns the following pickers (null: none).
  void SetOwner(HWND owner) { m_owner = owner; }
  const SString& GetFolder() const { return m_folder; }
  const SStringArray& GetFiles() const { return m_files; }
  const SString& GetSavePath() const { return m_savePath; }
  const SString& GetFontName() const { return m_fontName; }
  int32_t GetFontSize() const { return m_fontSize; }
  int32_t GetFontStyle() const { return m_fontStyle; }
  uint32_t GetColor() const { return m_color; }
  const STimer& GetDate() const { return m_date; }

 private:
  // Expands the start folder when the browser has opened.
  static int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM lparam, LPARAM data);

  HWND m_owner;
  uint8_t m_folderSeparator;
  SString m_folder;
  SStringArray m_files;
  SString m_savePath;
  SString m_fontName;
  int32_t m_fontSize;
  int32_t m_fontStyle;
  uint32_t m_color;
  STimer m_date;
};

// The colour word of system colour index k.
constexpr uint32_t kSystemColorBase = 0xFE000000u;
