// SXml::Load: the reader of the document grammar.
//
// The text is cut into tokens: blanks, CR and LF between tokens are
// skipped; a tag runs from "<" to the first ">" outside double quotes; a
// text runs from its first non-blank byte up to the next "<". Comments end
// at "-->", processing instructions at "?>", and CDATA sections are text
// taken as written.
//
// A tag's meaning is defined by two general steps: its blanks are compacted
// (as SString::RemoveExtraBlanks does, keeping those next to a double quote), then
// it is split at blanks and "=" with the double quote protecting values
// (SStringParser::Parse). Tags in the form the writer produces, name then
// single-blank-separated name="value" pairs, come out of those steps
// unchanged, so they are split here directly without copying; every other
// tag takes the general steps.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "core/SStringParser.h"
#include "core/TextFunctions.h"
#include "files/SFile.h"
#include "files/SXml.h"

namespace {

// With the limit flag, longer texts read as empty.
const int kLimitedText = 512;

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Bytes a name may hold in the direct split: anything the general steps
// would keep inside one token.
bool IsPlainNameByte(char c) {
  return static_cast<unsigned char>(c) > ' ' && c != '=' && c != '"' && c != '/' && c != '<' &&
         c != '>';
}

// A view of bytes inside the text being read or inside a token string.
struct Span {
  const char* p = nullptr;
  int n = 0;
};

// One tag, split: its name and the raw attribute values between their
// quotes.
struct Tag {
  bool opening = false;
  bool selfClosing = false;
  Span name;
  std::vector<Span> attributeNames;
  std::vector<Span> attributeValues;
  bool pairsOdd = false;    // tokens after the name that make no pairs
  bool badValue = false;    // a value not enclosed in double quotes
  int tokens = 0;

  // Empty again, keeping the lists' storage for the next tag.
  void Reset() {
    opening = selfClosing = pairsOdd = badValue = false;
    name = Span();
    attributeNames.clear();
    attributeValues.clear();
    tokens = 0;
  }
};

// The root's name is taken as written, not only as an identifier, but it
// must read back as the same start tag once written: plain name bytes, and
// not "?" or "!" first (which would start an instruction or declaration),
// and a word character last when attributes follow it, as the blank between
// them is otherwise compacted away.
bool IsWritableRootName(const Tag& tag) {
  if (tag.name.n == 0 || tag.name.p[0] == '?' || tag.name.p[0] == '!') return false;
  for (int i = 0; i < tag.name.n; i++)
    if (!IsPlainNameByte(tag.name.p[i])) return false;
  return tag.tokens < 2 || IsWordChar(tag.name.p[tag.name.n - 1]);
}

// SString::RemoveExtraBlanks (tabs to spaces, keeping blanks next to a
// double quote) in one pass. That operation deletes blank by blank, which a
// hostile tag of a great many blanks would make quadratic; a blank's fate
// depends only on the byte kept before it and the byte after it, so one
// pass with a write position gives the same text.
void CompactBlanks(const char* p, int n, SString& out) {
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  int start = 0, end = n;
  while (start < end && blank(p[start])) start++;
  while (end > start && blank(p[end - 1])) end--;
  out.SetLength(end - start, false);
  char* w = out.GetBuffer();
  int kept = 0;
  bool quoted = false;
  for (int i = start; i < end; i++) {
    char c = p[i];
    if (quoted) {
      quoted = c != '"';
    } else if (c == '"') {
      quoted = true;
    } else if (blank(c)) {
      char before = kept > 0 ? w[kept - 1] : 0;
      char after = i + 1 < end ? p[i + 1] : 0;
      bool separates = IsWordChar(before) && IsWordChar(after);
      bool touchesQuote = !blank(before) && (before == '"' || after == '"');
      if (!separates && !touchesQuote) continue;
    }
    w[kept++] = c == '\t' ? ' ' : c;
  }
  out.SetLength(kept, true);
}

int FindFrom(const char* text, int n, int from, const char* what) {
  int m = int(std::strlen(what));
  for (int i = from; i + m <= n; i++) {
    const char* hit = static_cast<const char*>(std::memchr(text + i, what[0], size_t(n - i)));
    if (!hit) return -1;
    i = int(hit - text);
    if (i + m <= n && std::memcmp(text + i, what, size_t(m)) == 0) return i;
  }
  return -1;
}

// The UTF-8 bytes of a character reference's code point.
void AppendUtf8(SString& out, uint32_t c) {
  char b[4];
  int n;
  if (c < 0x80) {
    b[0] = char(c);
    n = 1;
  } else if (c < 0x800) {
    b[0] = char(0xC0 | (c >> 6));
    b[1] = char(0x80 | (c & 0x3F));
    n = 2;
  } else if (c < 0x10000) {
    b[0] = char(0xE0 | (c >> 12));
    b[1] = char(0x80 | ((c >> 6) & 0x3F));
    b[2] = char(0x80 | (c & 0x3F));
    n = 3;
  } else {
    b[0] = char(0xF0 | (c >> 18));
    b[1] = char(0x80 | ((c >> 12) & 0x3F));
    b[2] = char(0x80 | ((c >> 6) & 0x3F));
    b[3] = char(0x80 | (c & 0x3F));
    n = 4;
  }
  SString bytes;
  bytes.Assign(b, n);
  out += bytes;
}

// "&#...;" or "&#x...;" at p (n bytes left): its length, 0 when it is none.
int ReadCharacterReference(const char* p, int n, uint32_t& code) {
  int i = 2;
  int base = 10;
  if (i < n && (p[i] == 'x' || p[i] == 'X')) {
    base = 16;
    i++;
  }
  int first = i;
  uint32_t value = 0;
  for (; i < n && i - first < 8; i++) {
    char c = p[i];
    int digit;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    else
      break;
    value = value * uint32_t(base) + uint32_t(digit);
  }
  if (i == first || i >= n || p[i] != ';') return 0;
  if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  code = value;
  return i + 1;
}

// Decodes the predefined entities and character references; any other "&"
// stays as it is, as older documents wrote it unescaped.
void Decode(Span s, SString& out) {
  if (!std::memchr(s.p, '&', size_t(s.n))) {
    out.Assign(s.p, s.n);
    return;
  }
  static const struct {
    const char* name;
    char c;
  } entities[] = {{"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
  out = "";
  int run = 0;
  for (int i = 0; i < s.n; i++) {
    if (s.p[i] != '&') continue;
    int length = 0;
    char single = 0;
    uint32_t code = 0;
    if (i + 1 < s.n && s.p[i + 1] == '#') {
      length = ReadCharacterReference(s.p + i, s.n - i, code);
    } else {
      for (const auto& e : entities) {
        int m = int(std::strlen(e.name));
        if (m <= s.n - i && std::memcmp(s.p + i, e.name, size_t(m)) == 0) {
          length = m;
          single = e.c;
          break;
        }
      }
    }
    if (length == 0) continue;
    SString before;
    before.Assign(s.p + run, i - run);
    out += before;
    if (single)
      out += single;
    else
      AppendUtf8(out, code);
    run = i + length;
    i = run - 1;
  }
  SString rest;
  rest.Assign(s.p + run, s.n - run);
  out += rest;
}

}  // namespace

// Builds the tree from the token stream; a friend of SXmlItem, so that the
// root's name and the loaded texts go in as read.
class SXmlLoader {
 public:
  SXmlLoader(SXmlItem* root, bool limit) : m_root(root), m_limit(limit) {}
  bool Run(const char* text, int n);

 private:
  bool SplitDirect(const char* tag, int n, Tag& out);
  bool SplitGeneral(const char* tag, int n, Tag& out);
  // Results: 1 go on, 0 the document is complete, -1 malformed.
  int OnTag(const Tag& tag);
#ifdef TAVRIN_XML_SPLIT_CHECK
  void CheckSplit(const char* tag, int n, const Tag& direct);
#endif
  int OnText(Span piece, bool decode);

  SXmlItem* m_root;
  bool m_limit;
  bool m_haveRoot = false;
  std::vector<SXmlItem*> m_open;
  Tag m_tag;                // the tag at hand
  SStringParser m_parser;   // the general split's tokens live here
  SString m_scratch;        // names and values on their way in
  SString m_scratch2;
};

bool SXml::Load(SFile* stream, bool limit) {
  if (!stream) return false;
  Clear("");
  SString text = stream->ReadString(-1);
  SXmlLoader loader(&m_root, limit);
  return loader.Run(text.GetText(), text.GetLength());
}

bool SXmlLoader::Run(const char* text, int n) {
  int pos = 0;
  for (;;) {
    while (pos < n && IsSpace(text[pos])) pos++;
    if (pos >= n) return true;
    int result;
    if (text[pos] != '<') {
      const char* next = static_cast<const char*>(std::memchr(text + pos, '<', size_t(n - pos)));
      int end = next ? int(next - text) : n;
      result = OnText({text + pos, end - pos}, true);
      pos = end;
    } else if (n - pos >= 4 && std::memcmp(text + pos, "<!--", 4) == 0) {
      int end = FindFrom(text, n, pos + 4, "-->");
      if (end < 0) return true;
      pos = end + 3;
      continue;
    } else if (n - pos >= 9 && std::memcmp(text + pos, "<![CDATA[", 9) == 0) {
      int end = FindFrom(text, n, pos + 9, "]]>");
      if (end < 0) return true;
      result = OnText({text + pos + 9, end - pos - 9}, false);
      pos = end + 3;
    } else if (n - pos >= 2 && text[pos + 1] == '?') {
      int end = FindFrom(text, n, pos + 2, "?>");
      if (end < 0) return true;
      pos = end + 2;
      continue;
    } else {
      // The first ">" outside double quotes; a declaration ("<!") also
      // keeps ">" inside its brackets.
      bool declaration = n - pos >= 2 && text[pos + 1] == '!';
      bool quoted = false;
      int brackets = 0;
      int end = -1;
      for (int i = pos + 1; i < n; i++) {
        char c = text[i];
        if (c == '"') {
          quoted = !quoted;
        } else if (quoted) {
          const char* q = static_cast<const char*>(std::memchr(text + i, '"', size_t(n - i)));
          if (!q) break;
          i = int(q - text) - 1;
        } else if (declaration && c == '[') {
          brackets++;
        } else if (declaration && c == ']' && brackets > 0) {
          brackets--;
        } else if (c == '>' && brackets == 0) {
          end = i;
          break;
        }
      }
      if (end < 0) return true;
      int start = pos;
      pos = end + 1;
      if (declaration) continue;
      bool direct = SplitDirect(text + start, end + 1 - start, m_tag);
      if (!direct && !SplitGeneral(text + start, end + 1 - start, m_tag)) return false;
#ifdef TAVRIN_XML_SPLIT_CHECK
      if (direct) CheckSplit(text + start, end + 1 - start, m_tag);
#endif
      result = OnTag(m_tag);
    }
    if (result <= 0) return result == 0;
  }
}

// The writer's form: "<" name (" " attribute "=\"" value "\"")* [" "] ["/"]
// ">" or "</" name [" "] ">", with word characters around every blank that
// separates, and no tab or NUL anywhere. The general steps leave such a tag
// exactly as it is split here; anything else answers false.
bool SXmlLoader::SplitDirect(const char* tag, int n, Tag& out) {
  out.Reset();
  int i = 1;
  int end = n - 1;  // the ">"
  bool closing = i < end && tag[i] == '/';
  if (closing) i++;
  int nameStart = i;
  while (i < end && IsPlainNameByte(tag[i])) i++;
  if (i == nameStart) return false;
  out.name = {tag + nameStart, i - nameStart};
  out.opening = !closing;
  out.tokens = 1;
  if (closing) {
    if (i < end && tag[i] == ' ') i++;
    return i == end;
  }
  bool first = true;
  for (;;) {
    if (i == end) return true;
    if (tag[i] == '/') {
      out.selfClosing = true;
      return i + 1 == end;
    }
    if (tag[i] != ' ') return false;
    i++;
    if (i == end) return true;
    if (tag[i] == '/') continue;
    // The blank after the name survives compaction only between two word
    // characters; after a value's quote it always does.
    if (first && !IsWordChar(tag[i - 2])) return false;
    int attributeStart = i;
    while (i < end && IsWordChar(tag[i])) i++;
    if (i == attributeStart || i + 1 >= end || tag[i] != '=' || tag[i + 1] != '"') return false;
    int valueStart = i + 2;
    int valueEnd = valueStart;
    while (valueEnd < end && tag[valueEnd] != '"') {
      if (tag[valueEnd] == '\t' || tag[valueEnd] == '\0') return false;
      valueEnd++;
    }
    if (valueEnd >= end) return false;
    out.attributeNames.push_back({tag + attributeStart, i - attributeStart});
    out.attributeValues.push_back({tag + valueStart, valueEnd - valueStart});
    out.tokens += 2;
    i = valueEnd + 1;
    first = false;
  }
}

// The general steps of the grammar, on a copy of the tag.
bool SXmlLoader::SplitGeneral(const char* tag, int n, Tag& out) {
  out.Reset();
  SString text;
  CompactBlanks(tag, n, text);
#ifdef TAVRIN_XML_SPLIT_CHECK
  SString slow;
  slow.Assign(tag, n);
  slow.RemoveExtraBlanks(true, "\"");
  if (slow.GetLength() != text.GetLength() ||
      std::memcmp(slow.GetText(), text.GetText(), size_t(text.GetLength())) != 0)
    std::abort();
#endif
  int length = text.GetLength();
  if (length < 2) return false;
  out.opening = text.GetAt(1) != '/';
  out.selfClosing = out.opening && text.GetAt(length - 2) == '/';
  int lead = out.opening ? 1 : 2;
  int trail = out.selfClosing ? 2 : 1;
  if (length - lead - trail <= 0) return false;
  static_cast<SString&>(m_parser) = text.Mid(lead, length - lead - trail);
  int count = m_parser.Parse(SString(" ="), '"', 1, nullptr);
  if (count <= 0) return false;
  out.tokens = count;
  const SString* name = m_parser.GetTokenPointer(0);
  out.name = {name->GetText(), name->GetLength()};
  if (count > 1 && (count - 1) % 2 != 0) {
    out.pairsOdd = true;
    return true;
  }
  for (int k = 1; k + 1 < count; k += 2) {
    const SString* attribute = m_parser.GetTokenPointer(k);
    const SString* value = m_parser.GetTokenPointer(k + 1);
    if (!value->IsEnclosedBy('"')) {
      out.badValue = true;
      return true;
    }
    out.attributeNames.push_back({attribute->GetText(), attribute->GetLength()});
    out.attributeValues.push_back({value->GetText() + 1, value->GetLength() - 2});
  }
  return true;
}

#ifdef TAVRIN_XML_SPLIT_CHECK
// Fuzz builds prove the shortcut on every tag it takes: the general steps
// must split the same tag the same way.
void SXmlLoader::CheckSplit(const char* text, int n, const Tag& direct) {
  auto same = [](Span a, Span b) { return a.n == b.n && std::memcmp(a.p, b.p, size_t(a.n)) == 0; };
  Tag general;
  bool ok = SplitGeneral(text, n, general) && general.opening == direct.opening &&
            general.selfClosing == direct.selfClosing && general.tokens == direct.tokens &&
            !general.pairsOdd && !general.badValue && same(general.name, direct.name) &&
            general.attributeNames.size() == direct.attributeNames.size();
  for (size_t k = 0; ok && k < direct.attributeNames.size(); k++)
    ok = same(general.attributeNames[k], direct.attributeNames[k]) &&
         same(general.attributeValues[k], direct.attributeValues[k]);
  if (!ok) std::abort();
}
#endif

int SXmlLoader::OnTag(const Tag& tag) {
  if (!tag.opening) {
    if (tag.tokens > 1 || m_open.empty()) return -1;
    const SString& name = m_open.back()->GetName();
    if (name.GetLength() != tag.name.n || std::memcmp(name.GetText(), tag.name.p, size_t(tag.name.n)) != 0)
      return -1;
    m_open.pop_back();
    return m_open.empty() ? 0 : 1;
  }
  SXmlItem* element;
  if (!m_haveRoot) {
    if (!IsWritableRootName(tag)) return -1;
    m_haveRoot = true;
    element = m_root;
    element->AssignName(tag.name.p, tag.name.n);
  } else {
    if (m_open.empty() || !IsIdentifier(tag.name.p, tag.name.n)) return -1;
    m_scratch.Assign(tag.name.p, tag.name.n);
    element = m_open.back()->NewChild(m_scratch.GetText());
    if (!element) return -1;
  }
  if (!tag.selfClosing) m_open.push_back(element);
  if (tag.pairsOdd || tag.badValue) return -1;
  // The element is new, so a name can only repeat within this tag; a set
  // keeps the test linear however many attributes a hostile tag carries.
  std::unordered_set<std::string_view> seen;
  const size_t kFewAttributes = 16;
  const std::vector<Span>& names = tag.attributeNames;
  for (size_t k = 0; k < names.size(); k++) {
    std::string_view name(names[k].p, size_t(names[k].n));
    if (!IsIdentifier(names[k].p, names[k].n)) return -1;
    if (names.size() <= kFewAttributes) {
      for (size_t j = 0; j < k; j++)
        if (name == std::string_view(names[j].p, size_t(names[j].n))) return -1;
    } else if (!seen.insert(name).second) {
      return -1;
    }
    m_scratch.Assign(names[k].p, names[k].n);
    Decode(tag.attributeValues[k], m_scratch2);
    element->AppendLoadedAttribute(m_scratch, m_scratch2);
  }
  if (element == m_root && tag.selfClosing) return 0;
  return 1;
}

// Text pieces beside child elements are kept one after another: the model
// has one text per element.
int SXmlLoader::OnText(Span piece, bool decode) {
  if (m_open.empty()) return -1;
  if (m_limit && piece.n > kLimitedText) return 1;
  if (decode) {
    Decode(piece, m_scratch2);
  } else {
    m_scratch2.Assign(piece.p, piece.n);
  }
  m_open.back()->AppendLoadedText(m_scratch2);
  return 1;
}
