// SPath: one file-system path or URL, classified and taken apart.
//
// The full path is stored normalised and is made of three consecutive
// pieces: the root (D:\, \\server\ or scheme://server/), the folder part
// (each folder followed by the separator) and the name (the text after the
// last separator, empty for a folder). URLs use '/', every other kind '\'.
// Every query works on the stored full path; the trailing-separator flag
// only decides whether the folder texts that queries return end with their
// separator. Nothing here touches the disk: only Set asks the platform to
// make a local path absolute against the current directory.
#pragma once

#include <cstdint>

#include "core/SString.h"

class SStringArray;

// Also the script constants of the path class.
enum class PathKind : int32_t { INVALID = 0, LOCAL = 1, NETWORK = 2, INTERNET = 3 };

class SPath {
 public:
  // ---- Construction and setting ---------------------------------------------

  SPath();  // INVALID, empty, trailing separators on
  explicit SPath(const char* text);  // ConstructFromText
  SPath(const SPath& other) = default;
  SPath& operator=(const SPath& other) = default;
  virtual ~SPath();

  static SPath ConstructFromText(const char* text) { return SPath(text); }
  SPath& Assign(const char* text);
  // Makes other an equal of this path: same full path and kind, input text
  // "", its own trailing-separator flag kept.
  void CopyTo(SPath& other) const;

  // A null or empty text clears the path; a text with a character that no
  // path may hold gives INVALID and keeps the previous texts.
  PathKind Set(const char* text);
  // Set, after appending a separator when the text ends with none.
  PathKind SetFolder(const char* text);
  // Returns the previous flag (true: separators were on).
  bool SetNoTrailingSeparator(bool noSeparator);

  PathKind GetKind() const { return m_kind; }
  bool HasTrailingSeparator() const { return m_trailingSeparator != 0; }

  // ---- Tests ----------------------------------------------------------------

  bool IsValid() const { return m_kind != PathKind::INVALID; }
  bool IsLocal() const { return m_kind == PathKind::LOCAL; }
  bool IsNetwork() const { return m_kind == PathKind::NETWORK; }
  bool IsInternet() const { return m_kind == PathKind::INTERNET; }
  bool IsFileSystem() const { return IsLocal() || IsNetwork(); }
  bool IsFile() const;
  bool IsFolder() const;
  bool IsRoot() const;

  // "://" somewhere after the first character.
  static bool IsUrlText(const char* text);
  // Two leading backslashes (two slashes do not count).
  static bool IsUncText(const char* text);

  // ---- Queries ("" for an INVALID path) ---------------------------------------

  SString GetRoot() const;
  SString GetScheme() const;  // "scheme://" of a URL, "" for other kinds
  SString GetName() const;
  SString GetTitle() const;   // the name without its extension
  SString GetExtension(bool withPoint, bool lowerCase) const;
  SString GetFolder() const;  // the folders between root and name
  SString GetFolderWithRoot() const;
  SString GetFullPath() const;
  SString GetLastFolderName(bool withoutSeparator) const;
  SString GetParent() const;
  // The folder with that index (0 = first after the root), with its
  // separator unless cut is asked.
  SString GetFolderAt(int index, bool cut) const;
  // Parts of Split from start (0 = root), count of them (negative: to the
  // end), joined, with every '/' and '\' turned into separator.
  SString GetParts(int start, int count, bool withoutName, char separator) const;
  // GetFullPath of a URL after its "scheme://"; "" for every other kind.
  SString GetUrlWithoutScheme() const;

  // ---- Parts ------------------------------------------------------------------

  // Appends the root, each folder with its separator, then the name
  // (possibly ""); returns how many texts were appended (0 when INVALID).
  int Split(SStringArray& parts) const;
  int CountParts() const;
  int CountFolders() const;

  // ---- Comparisons (ASCII case ignored) ----------------------------------------

  bool Equals(const SPath& other) const;
  // This path's root and folders begin the other's parts; strict asks for
  // the other to lie in a sub-folder.
  bool Contains(const SPath& other, bool strict) const;

  // ---- Editing: true when the new path was set, else nothing changes ------------

  bool SetRoot(const char* root);
  bool ReplaceFolder(const char* folder);
  bool SetName(const char* name);
  bool SetTitle(const char* title);
  bool SetExtension(const char* extension);
  bool RemoveExtension() { return SetExtension(""); }

  // ---- The names the script class knows these operations by -------------------

  bool IsSame(const SPath& other) const { return Equals(other); }
  bool IsInside(const SPath& other, bool strict) const { return Contains(other, strict); }
  SString JoinParts(int start, int count, bool withoutName, char separator) const {
    return GetParts(start, count, withoutName, separator);
  }
  bool SetFolderPart(const char* folder) { return ReplaceFolder(folder); }

 private:
  // Where the pieces of the full path lie.
  struct Layout {
    int rootEnd;     // index just past the root (the length when synthesised)
    int nameStart;   // index of the name (the length when there is none)
    bool rootAdded;  // the root is the whole path with a separator added
  };

  char Separator() const { return m_kind == PathKind::INTERNET ? '/' : '\\'; }
  Layout GetLayout() const;
  // The folder part with its final separator, whatever the flag.
  SString GetFolderPart(const Layout& layout) const;
  SString WithoutLast(const SString& text) const;
  // Sets the text on the working copy and, when it is valid, takes it over.
  bool Adopt(SPath& copy, const SString& text);

  // GetFullPathNameA's contract: the length written, or the size needed
  // when the buffer is too small, 0 on failure. Platform part of Set.
  static int MakeFullPathName(const char* text, char* buffer, int size);

  uint8_t m_trailingSeparator;
  SString m_input;
  SString m_full;
  PathKind m_kind;
};
