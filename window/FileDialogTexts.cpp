#include "window/FileDialogTexts.h"

#include <cstring>

#include "files/SPath.h"

SStringArray ParseFileDialogFilter(const char* text) {
  SStringArray tokens;
  SString token;
  bool quoted = false;
  for (const char* c = text ? text : ""; *c; c++) {
    if (*c == '"') {
      quoted = !quoted;
    } else if (*c == '|' && !quoted) {
      tokens.Add(token.GetText());
      token = "";
    } else {
      token += *c;
    }
  }
  tokens.Add(token.GetText());
  SStringArray entries;
  for (int i = 0; i + 1 < tokens.GetCount(); i += 2)
    entries.Add((tokens.GetString(i) + "|" + tokens.GetString(i + 1)).GetText());
  return entries;
}

std::vector<char> MakeFileDialogFilter(const SStringArray* filters) {
  std::vector<char> text;
  if (!filters) return text;
  for (int i = 0; i < filters->GetCount(); i++) {
    SString entry = filters->GetString(i);
    size_t start = text.size();
    text.insert(text.end(), entry.GetText(), entry.GetText() + entry.GetLength());
    text.push_back('\0');
    // A pattern never holds a "|" (no file name can); a description may.
    int bar = entry.ReverseFindChar(-1, '|');
    if (bar >= 0) text[start + bar] = '\0';
  }
  text.push_back('\0');
  return text;
}

int FileDialogFilterIndex(const SStringArray* filters, int index) {
  return filters && index >= 0 && index < filters->GetCount() ? index + 1 : 1;
}

int SplitFileSelection(const char* buffer, int size, SStringArray* files) {
  SStringArray texts;
  for (int at = 0; at < size && buffer[at];) {
    int length = int(strnlen(buffer + at, size_t(size - at)));
    SString text;
    text.Assign(buffer + at, length);
    texts.Add(text.GetText());
    at += length + 1;
  }
  if (texts.GetCount() == 1) files->Add(texts.GetString(0).GetText());
  if (texts.GetCount() < 2) return texts.GetCount();
  SString folder = texts.GetString(0);
  char last = folder.GetAt(folder.GetLength() - 1);
  if (last != '\\' && last != '/') folder += "\\";
  for (int i = 1; i < texts.GetCount(); i++) {
    SPath path;
    path.Set((folder + texts.GetString(i)).GetText());
    files->Add(path.GetFullPath().GetText());
  }
  return texts.GetCount() - 1;
}
