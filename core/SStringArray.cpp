// SStringArray: ownership of the strings, text order, the Base64 line form
// and the text-level searches.
#include "core/SStringArray.h"

#include <cstring>

namespace {

// Byte 1 of a coded pattern matches any run, byte 2 any one byte.
const char kAnyRun = 1;
const char kAnyByte = 2;

// Whole-text match of a coded pattern. On a mismatch after a run the match
// resumes one byte further behind that run: the result is that of the full
// backtracking search, without its recursion.
bool MatchCoded(const char* text, const char* pattern) {
  const char* star = nullptr;  // pattern just after the last run byte
  const char* resume = nullptr;  // text position that run is retried from
  while (*text) {
    if (*pattern == kAnyRun) {
      star = ++pattern;
      resume = text;
    } else if (*pattern != 0 && (*pattern == kAnyByte || *pattern == *text)) {
      pattern++;
      text++;
    } else if (star) {
      pattern = star;
      text = ++resume;
    } else {
      return false;
    }
  }
  while (*pattern == kAnyRun) pattern++;
  return *pattern == 0;
}

}  // namespace

// ---- Construction and ownership ---------------------------------------------------------

SStringArray::SStringArray(const SStringArray& other) : SArray<SString*>() { Assign(other); }

SStringArray& SStringArray::operator=(const SStringArray& other) {
  Assign(other);
  return *this;
}

SStringArray::~SStringArray() { Purge(); }

SArray<SString*>& SStringArray::Assign(const SArray<SString*>& source) {
  if (&source == this) return *this;
  DeepAssign(source);
  SetCompareMode(source.GetCompareMode());
  return *this;
}

void SStringArray::FreeStorage() {
  Purge();
  SArray<SString*>::FreeStorage();
}

void SStringArray::DeepAssign(const SArray<SString*>& source) {
  if (&source == this) return;
  Purge();
  for (int i = 0; i < source.GetCount(); i++) {
    SString* s = source.GetAt(i);
    Add(s ? s->GetText() : "");
  }
}

// ---- Element operations ------------------------------------------------------------------

void SStringArray::CopyElement(SString** dest, SString* const* source, int index, int extra) {
  (void)index, (void)extra;
  SString* copy = new SString();
  if (*source) copy->AssignString(**source, false);
  *dest = copy;
}

int SStringArray::CompareElements(SString* const* a, SString* const* b, int mode, int extra) const {
  (void)extra;
  if (mode & 1) {
    SString* const* t = a;
    a = b;
    b = t;
  }
  if (!*a || !*b) {
    if (*a == *b) return 0;
    return *a ? 1 : -1;
  }
  return (*a)->Compare((*b)->GetText(), (mode & 2) == 0);
}

void SStringArray::ParseElement(SString** slot, const char* line, int index, int extra) {
  (void)index, (void)extra;
  SString* s = new SString(line);
  s->DecodeBase64();
  // A decoded 0 byte ends the text.
  s->SetLength(static_cast<int>(std::strlen(s->GetText())), true);
  *slot = s;
}

SString SStringArray::FormatElement(SString* element, int index, int extra) const {
  (void)index, (void)extra;
  SString line;
  if (element) line = *element;
  line.EncodeBase64(false);
  return line;
}

// ---- Texts ----------------------------------------------------------------------------------

int SStringArray::Add(const char* text, int index, int n) {
  SString value(text);
  return InsertAt(&value, index, n);
}

SString SStringArray::GetString(int index) const {
  if (index < 0 || index >= GetCount() || !GetAt(index)) return SString("");
  return *GetAt(index);
}

int SStringArray::Find(const char* text, int start, int end) const {
  SString value(text);
  return SArray<SString*>::Find(&value, start, end, 0);
}

int SStringArray::RemoveText(const char* text, int start, int end) {
  SString value(text);
  return DeleteAndRemoveValue(&value, start, end, 0);
}

int SStringArray::FindSorted(const char* text, int start, int end) const {
  SString value(text);
  return BinaryFind(&value, start, end, 0);
}

int SStringArray::FindInsertPosition(const char* text, int start, int end) const {
  SString value(text);
  return SArray<SString*>::FindInsertPosition(&value, start, end, 0);
}

int SStringArray::AddSorted(const char* text, int start, int end) {
  return Add(text, FindInsertPosition(text, start, end), 1);
}

SString SStringArray::Join(int start, int count, const char* separator) const {
  SString result("");
  if (start < 0 || start >= GetCount() || count == 0) return result;
  int end = (count < 0 || count > GetCount() - start) ? GetCount() : start + count;
  for (int i = start; i < end; i++) {
    if (i > start) result += separator ? separator : "";
    if (GetAt(i)) result += *GetAt(i);
  }
  return result;
}

int SStringArray::CopyMatching(int start, int end, SStringArray* target, const char* pattern) const {
  if (!target || start < 0 || start >= GetCount()) return 0;
  if (end < 0 || end > GetCount()) end = GetCount();
  int copied = 0;
  for (int i = start; i < end; i++) {
    SString* s = GetAt(i);
    if (s && SString::MatchWildcard(s->GetText(), pattern ? pattern : "")) {
      target->Add(s->GetText());
      copied++;
    }
  }
  return copied;
}

int SStringArray::FindMatches(const char* codedPattern, SArray<int>* indexes) const {
  int found = 0;
  for (int i = 0; i < GetCount(); i++) {
    SString* s = GetAt(i);
    if (s && MatchCoded(s->GetText(), codedPattern ? codedPattern : "")) {
      if (indexes) indexes->Add(i);
      found++;
    }
  }
  return found;
}
