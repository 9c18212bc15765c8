#include "files/SPath.h"

#include <cstring>

#include "core/SStringArray.h"

namespace {

// Set makes local paths absolute in a buffer of this size; longer results
// are refused.
const int kFullPathBytes = 1024;

// Bytes a path may hold: not the control bytes and not the wildcard,
// quoting and redirection characters. Bytes of 128 and more are accepted.
bool IsPathChar(unsigned char c) {
  return c >= 32 && c != '"' && c != '*' && c != '<' && c != '>' && c != '?';
}

// A name may not hold a separator or a drive colon either.
bool IsNameChar(unsigned char c) {
  return IsPathChar(c) && c != ':' && c != '/' && c != '\\';
}

bool AllPathChars(const char* text) {
  for (; *text; text++)
    if (!IsPathChar(static_cast<unsigned char>(*text))) return false;
  return true;
}

bool AllNameChars(const char* text) {
  for (; *text; text++)
    if (!IsNameChar(static_cast<unsigned char>(*text))) return false;
  return true;
}

bool IsSlash(char c) { return c == '/' || c == '\\'; }

bool IsSchemeChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
         c == '+' || c == '-' || c == '.';
}

// A URL may also be written with backslashes ("scheme:\\server\a"). Only a
// scheme of two characters or more counts, so that a drive letter followed
// by two backslashes stays a local path.
bool IsBackslashUrl(const char* text) {
  int i = 0;
  while (IsSchemeChar(text[i])) i++;
  return i >= 2 && text[i] == ':' && IsSlash(text[i + 1]) && IsSlash(text[i + 2]);
}

// "." and ".." name folders, and so does any text whose last piece is one
// of them, but the platform returns such folders without their separator.
bool NamesDotFolder(const char* text) {
  const char* last = text;
  for (const char* p = text; *p; p++)
    if (IsSlash(*p)) last = p + 1;
  return strcmp(last, ".") == 0 || strcmp(last, "..") == 0;
}

bool EndsWith(const SString& text, char c) {
  return text.GetLength() > 0 && text.GetAt(text.GetLength() - 1) == c;
}

}  // namespace

// ---- Construction and setting ---------------------------------------------------

SPath::SPath() : m_trailingSeparator(1), m_kind(PathKind::INVALID) {}

SPath::SPath(const char* text) : SPath() { Set(text); }

SPath::~SPath() {}

SPath& SPath::Assign(const char* text) {
  Set(text);
  return *this;
}

// The stored full path travels, not GetFullPath: with the flag cleared that
// would drop a folder's final separator and turn its last folder into a name.
void SPath::CopyTo(SPath& other) const {
  other.m_input = "";
  other.m_full = m_full;
  other.m_kind = m_kind;
}

PathKind SPath::Set(const char* text) {
  if (!text || !*text) {
    m_kind = PathKind::INVALID;
    m_input = "";
    m_full = "";
    return m_kind;
  }
  m_kind = PathKind::INVALID;
  if (!AllPathChars(text)) return m_kind;
  m_input = text;

  // URLs are kept as written, only with '/' throughout.
  if (IsUrlText(text) || IsBackslashUrl(text)) {
    m_full = text;
    m_full.ReplaceChar(0, -1, '\\', '/');
    int colon = m_full.FindChar(':');
    if (m_full.Mid(colon + 1, 2) != "//") return m_kind;
    m_kind = PathKind::INTERNET;
    return m_kind;
  }
  if (IsUncText(text)) {
    m_full = text;
    m_full.ReplaceChar(0, -1, '/', '\\');
    m_kind = PathKind::NETWORK;
    return m_kind;
  }

  char buffer[kFullPathBytes];
  int n = MakeFullPathName(text, buffer, kFullPathBytes);
  if (n <= 0 || n >= kFullPathBytes) return m_kind;  // failed, or did not fit
  m_full.Assign(buffer, n);
  m_full.ReplaceChar(0, -1, '/', '\\');
  if (NamesDotFolder(text) && !EndsWith(m_full, '\\')) m_full += '\\';
  // Relative to a network folder, or written with two slashes, the platform
  // answers a UNC path; its root is \\server\ like any other network path.
  m_kind = IsUncText(m_full.GetText()) ? PathKind::NETWORK : PathKind::LOCAL;
  return m_kind;
}

PathKind SPath::SetFolder(const char* text) {
  if (!text || !*text || IsSlash(text[strlen(text) - 1])) return Set(text);
  SString folder(text);
  folder += '\\';  // becomes '/' when the text is a URL
  return Set(folder.GetText());
}

bool SPath::SetNoTrailingSeparator(bool noSeparator) {
  bool previous = m_trailingSeparator != 0;
  m_trailingSeparator = noSeparator ? 0 : 1;
  return previous;
}

// ---- Tests ------------------------------------------------------------------------

bool SPath::IsFile() const { return IsValid() && GetLayout().nameStart < m_full.GetLength(); }

bool SPath::IsFolder() const {
  if (!IsValid()) return false;
  Layout layout = GetLayout();
  return layout.nameStart > layout.rootEnd && layout.nameStart >= m_full.GetLength();
}

bool SPath::IsRoot() const {
  if (!IsValid()) return false;
  Layout layout = GetLayout();
  return layout.nameStart == layout.rootEnd && layout.nameStart >= m_full.GetLength();
}

bool SPath::IsUrlText(const char* text) {
  if (!text) return false;
  const char* found = strstr(text, "://");
  return found && found != text;
}

bool SPath::IsUncText(const char* text) {
  return text && text[0] == '\\' && text[1] == '\\';
}

// ---- Layout -----------------------------------------------------------------------

// Where the root ends: LOCAL after "D:\", NETWORK after the backslash that
// follows "\\server", INTERNET after the slash that follows
// "scheme://server". A network or internet path that is only a server has
// no such separator: its root is the whole path plus one, and it has
// neither folders nor a name.
SPath::Layout SPath::GetLayout() const {
  int length = m_full.GetLength();
  Layout layout = {length, length, false};
  int separatorAt = -1;
  switch (m_kind) {
    case PathKind::LOCAL:
      separatorAt = (length < 3 ? length : 3) - 1;
      break;
    case PathKind::NETWORK:
      separatorAt = m_full.FindChar('\\', 2);
      break;
    case PathKind::INTERNET:
      separatorAt = m_full.FindChar('/', m_full.Find("://") + 3);
      break;
    case PathKind::INVALID:
      return layout;
  }
  if (separatorAt < 0) {
    layout.rootAdded = true;
  } else {
    layout.rootEnd = separatorAt + 1;
  }
  int last = m_full.ReverseFindChar(-1, Separator());
  layout.nameStart = last + 1 > layout.rootEnd ? last + 1 : layout.rootEnd;
  return layout;
}

SString SPath::GetFolderPart(const Layout& layout) const {
  if (layout.nameStart <= layout.rootEnd) return SString("");
  return m_full.Mid(layout.rootEnd, layout.nameStart - layout.rootEnd);
}

SString SPath::WithoutLast(const SString& text) const {
  return text.Left(text.GetLength() - 1);
}

// ---- Queries ----------------------------------------------------------------------

SString SPath::GetRoot() const {
  if (!IsValid()) return SString("");
  Layout layout = GetLayout();
  if (!layout.rootAdded) return m_full.Left(layout.rootEnd);
  SString root = m_full;
  root += Separator();
  return root;
}

SString SPath::GetScheme() const {
  if (!IsInternet()) return SString("");
  return m_full.Left(m_full.Find("://") + 3);
}

SString SPath::GetName() const {
  if (!IsValid()) return SString("");
  return m_full.Mid(GetLayout().nameStart);
}

SString SPath::GetTitle() const {
  SString name = GetName();
  int point = name.ReverseFindChar(-1, '.');
  return point < 0 ? name : name.Left(point);
}

SString SPath::GetExtension(bool withPoint, bool lowerCase) const {
  SString name = GetName();
  int point = name.ReverseFindChar(-1, '.');
  if (point < 0) return SString("");
  SString extension = name.Mid(withPoint ? point : point + 1);
  return lowerCase ? extension.ToLower() : extension;
}

SString SPath::GetFolder() const {
  if (!IsValid()) return SString("");
  SString part = GetFolderPart(GetLayout());
  return m_trailingSeparator ? part : WithoutLast(part);
}

SString SPath::GetFolderWithRoot() const { return GetRoot() + GetFolder(); }

SString SPath::GetFullPath() const {
  if (!IsValid()) return SString("");
  if (m_trailingSeparator || GetLayout().nameStart < m_full.GetLength()) return m_full;
  return GetFolderWithRoot();
}

SString SPath::GetLastFolderName(bool withoutSeparator) const {
  if (!IsValid()) return SString("");
  SString part = GetFolderPart(GetLayout());
  if (part.GetLength() == 0) return SString("");
  SString body = WithoutLast(part);
  SString last = body.Mid(body.ReverseFindChar(-1, Separator()) + 1);
  if (!m_trailingSeparator || withoutSeparator) return last;
  return last + part.Right(1);
}

SString SPath::GetParent() const {
  if (!IsValid()) return SString("");
  Layout layout = GetLayout();
  if (layout.nameStart < m_full.GetLength()) return GetFolderWithRoot();
  SString part = GetFolderPart(layout);
  if (part.GetLength() == 0) return SString("");  // a root has no parent
  int cut = WithoutLast(part).ReverseFindChar(-1, Separator());
  if (cut < 0) return GetRoot();
  SString rest = part.Left(cut + 1);
  return GetRoot() + (m_trailingSeparator ? rest : WithoutLast(rest));
}

SString SPath::GetFolderAt(int index, bool cut) const {
  if (!IsValid() || index < 0) return SString("");
  SStringArray parts;
  int count = Split(parts);
  if (index >= count - 2) return SString("");
  SString folder = parts.GetString(index + 1);
  return cut ? WithoutLast(folder) : folder;
}

SString SPath::GetParts(int start, int count, bool withoutName, char separator) const {
  if (!IsValid() || start < 0 || count == 0) return SString("");
  SStringArray parts;
  int total = Split(parts);
  if (start >= total) return SString("");
  int end = (count < 0 || count > total - start) ? total : start + count;
  if (withoutName && end == total) end--;
  SString joined;
  for (int i = start; i < end; i++) joined += parts.GetString(i);
  for (int i = 0; i < joined.GetLength(); i++)
    if (IsSlash(joined.GetAt(i))) joined.SetAt(i, separator);
  return joined;
}

SString SPath::GetUrlWithoutScheme() const {
  if (!IsInternet()) return SString("");
  return GetFullPath().Mid(GetScheme().GetLength());
}

// ---- Parts ------------------------------------------------------------------------

int SPath::Split(SStringArray& parts) const {
  if (!IsValid()) return 0;
  Layout layout = GetLayout();
  parts.Add(GetRoot().GetText());
  int added = 1;
  char separator = Separator();
  for (int start = layout.rootEnd; start < layout.nameStart; added++) {
    int end = m_full.FindChar(separator, start) + 1;
    parts.Add(m_full.Mid(start, end - start).GetText());
    start = end;
  }
  parts.Add(m_full.Mid(layout.nameStart).GetText());
  return added + 1;
}

int SPath::CountParts() const {
  SStringArray parts;
  return Split(parts);
}

int SPath::CountFolders() const {
  int parts = CountParts();
  return parts > 2 ? parts - 2 : 0;
}

// ---- Comparisons ------------------------------------------------------------------

bool SPath::Equals(const SPath& other) const {
  if (!IsValid() || m_kind != other.m_kind) return false;
  SStringArray mine, theirs;
  int count = Split(mine);
  if (other.Split(theirs) != count) return false;
  for (int i = 0; i < count; i++)
    if (mine.GetString(i).CompareNoCase(theirs.GetString(i).GetText()) != 0) return false;
  return true;
}

bool SPath::Contains(const SPath& other, bool strict) const {
  if (!IsValid() || m_kind != other.m_kind) return false;
  SStringArray mine, theirs;
  int count = Split(mine);
  int otherCount = other.Split(theirs);
  if (strict ? otherCount <= count : otherCount < count) return false;
  for (int i = 0; i < count - 1; i++)
    if (mine.GetString(i).CompareNoCase(theirs.GetString(i).GetText()) != 0) return false;
  return true;
}

// ---- Editing ----------------------------------------------------------------------
//
// Each edit builds the new text from a fresh copy (separators on) and lets
// Set judge it, so a failed edit leaves this path as it was.

bool SPath::Adopt(SPath& copy, const SString& text) {
  if (copy.Set(text.GetText()) == PathKind::INVALID) return false;
  copy.CopyTo(*this);
  return true;
}

bool SPath::SetRoot(const char* root) {
  if (!IsValid() || !root || !AllPathChars(root)) return false;
  size_t length = strlen(root);
  if (length <= 2 || root[length - 1] != '\\') return false;
  SPath copy;
  CopyTo(copy);
  return Adopt(copy, SString(root) + copy.GetFolder() + copy.GetName());
}

bool SPath::ReplaceFolder(const char* folder) {
  if (!IsValid() || !folder || !AllPathChars(folder)) return false;
  SPath copy;
  CopyTo(copy);
  if (copy.SetFolder((copy.GetRoot() + folder).GetText()) == PathKind::INVALID) return false;
  return Adopt(copy, copy.GetFullPath() + GetName());
}

bool SPath::SetName(const char* name) {
  if (!IsValid() || !name || !AllNameChars(name)) return false;
  SPath copy;
  CopyTo(copy);
  return Adopt(copy, copy.GetFolderWithRoot() + name);
}

bool SPath::SetTitle(const char* title) {
  if (!IsValid() || !title || !AllNameChars(title)) return false;
  SPath copy;
  CopyTo(copy);
  return Adopt(copy, copy.GetFolderWithRoot() + title + copy.GetExtension(true, true));
}

bool SPath::SetExtension(const char* extension) {
  if (!IsValid() || !extension || !AllNameChars(extension)) return false;
  if (*extension == '.') extension++;
  SPath copy;
  CopyTo(copy);
  SString text = copy.GetFolderWithRoot() + copy.GetTitle();
  if (*extension) text = text + "." + extension;
  return Adopt(copy, text);
}
