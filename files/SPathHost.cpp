// Host stand-in for the platform part of SPath: GetFullPathNameA's rules
// applied to the text alone. The host's current directory is seen as drive
// Z:, the way Wine maps the host's root, so that host and Wine runs of the
// same tests see the same kind of paths.
#include <unistd.h>

#include <cstring>
#include <vector>

#include "files/SPath.h"

namespace {

SString CurrentDirectory() {
  char buffer[4096];
  SString folder("Z:");
  folder += getcwd(buffer, sizeof buffer) ? buffer : "/";
  folder.ReplaceChar(0, -1, '/', '\\');
  return folder;
}

// The length of the prefix that ".." never climbs above: "D:" before a
// rooted path, "\\server\share" of a UNC path.
int PrefixLength(const SString& path) {
  if (path.GetAt(0) != '\\') return 2;
  int server = path.FindChar('\\', 2);
  if (server < 0) return path.GetLength();
  int share = path.FindChar('\\', server + 1);
  return share < 0 ? path.GetLength() : share;
}

// Collapses empty, "." and ".." pieces after the prefix; a trailing
// separator stays, trailing dots and blanks of the last piece go.
SString Collapse(const SString& path) {
  int prefix = PrefixLength(path);
  std::vector<SString> pieces;
  SString rest = path.Mid(prefix);
  for (int start = 0; start < rest.GetLength();) {
    int end = rest.FindChar('\\', start);
    if (end < 0) end = rest.GetLength();
    SString piece = rest.Mid(start, end - start);
    start = end + 1;
    if (piece.GetLength() == 0 || piece == ".") continue;
    if (piece != "..") pieces.push_back(piece);
    else if (!pieces.empty()) pieces.pop_back();
  }
  int count = int(pieces.size());
  bool trailing = rest.GetLength() > 0 && rest.GetAt(rest.GetLength() - 1) == '\\' &&
                  count > 0;
  if (count > 0 && !trailing) {
    SString& last = pieces[count - 1];
    int keep = last.GetLength();
    while (keep > 0 && (last.GetAt(keep - 1) == '.' || last.GetAt(keep - 1) == ' ')) keep--;
    last = last.Left(keep);
  }
  SString result = path.Left(prefix);
  bool unc = path.GetAt(0) == '\\';
  if (!unc || count > 0 || rest.GetLength() > 0) result += '\\';
  for (int i = 0; i < count; i++) {
    result += pieces[i];
    if (i < count - 1 || trailing) result += '\\';
  }
  return result;
}

}  // namespace

int SPath::MakeFullPathName(const char* text, char* buffer, int size) {
  if (!text || !*text) return 0;
  SString path(text);
  path.ReplaceChar(0, -1, '/', '\\');
  SString current = CurrentDirectory();
  if (path.GetLength() >= 2 && path.GetAt(0) == '\\' && path.GetAt(1) == '\\') {
    // already absolute: \\server\share...
  } else if (path.GetAt(1) == ':') {
    if (path.GetAt(2) != '\\') {
      // Relative to that drive's current folder: ours on our drive, else its root.
      bool ours = (path.GetAt(0) | 0x20) == (current.GetAt(0) | 0x20);
      path = (ours ? current : path.Left(2)) + "\\" + path.Mid(2);
    }
  } else if (path.GetAt(0) == '\\') {
    path = current.Left(2) + path;
  } else {
    path = current + "\\" + path;
  }
  SString full = Collapse(path);
  if (full.GetLength() >= size) return full.GetLength() + 1;
  memcpy(buffer, full.GetText(), size_t(full.GetLength()) + 1);
  return full.GetLength();
}
