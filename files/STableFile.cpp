// STable reading and writing: the table file and delimited text.
//
// The table file is a run of NUL-terminated texts: the magic, the field
// count F, the row count R, the table's data and attributes, F times a
// field's name, data and attributes, then R times a row's data and
// attributes followed by F times a cell's value, data and attributes. Texts
// whose flag is off are written empty, so the layout never changes.
//
// Delimited text has one row per CR LF line, every cell written in double
// quotes with its own quotes doubled. The reader takes a quoted cell back
// without them, so a cell reads as it was written, and a plain cell as it
// stands (the common form of such files elsewhere); a quoted cell may span
// lines.
#include <cstdint>
#include <cstring>
#include <string>
#include <unordered_set>
#include <vector>

#include "files/SFile.h"
#include "files/SFileMem.h"
#include "files/STable.h"

namespace {

const char kMagic[] = "TAVRIN TABLE 1.0.0.0";

// A count text: decimal digits only, within 0 .. 2^31 - 1; else -1.
int ReadCount(SFile* stream) {
  SString text = stream->ReadZString(true);
  int64_t value = 0;
  if (text.GetLength() == 0) return 0;
  const char* p = text.GetText();
  if (*p == '+') p++;
  for (; *p; p++) {
    if (*p < '0' || *p > '9') return -1;
    value = value * 10 + (*p - '0');
    if (value > INT32_MAX) return -1;
  }
  return int(value);
}

// Writes the texts of a table file and remembers whether every byte went.
class TextWriter {
 public:
  explicit TextWriter(SFile* stream) : m_stream(stream) {}
  void Put(const SString& text, bool wanted = true) {
    const char* t = wanted ? text.GetText() : "";
    int n = int(std::strlen(t)) + 1;
    if (m_stream->WriteText(t) != n) m_ok = false;
  }
  bool Ok() const { return m_ok; }

 private:
  SFile* m_stream;
  bool m_ok = true;
};

}  // namespace

bool STable::Read(SFile* stream, bool data, bool attributes, char separator) {
  if (!stream) return false;
  Clear();
  return separator == 0 ? ReadTableFile(stream, data, attributes) : ReadDelimited(stream, separator);
}

bool STable::Write(SFile* stream, bool data, bool attributes, char separator) {
  if (!stream) return false;
  return separator == 0 ? WriteTableFile(stream, data, attributes) : WriteDelimited(stream, separator);
}

bool STable::CopyFrom(STable* other, bool data, bool attributes) {
  if (!other) return false;
  SFileMem memory;
  if (!other->Write(&memory, data, attributes, 0)) return false;
  memory.Rewind();
  return Read(&memory, data, attributes, 0);
}

// ==== Table file ============================================================================

// Every text of the file takes at least its NUL byte, so counts that claim
// more texts than the rest of the stream has bytes are refused before
// anything is built: a few bytes cannot make a table of millions of rows.
bool STable::ReadTableFile(SFile* stream, bool data, bool attributes) {
  if (!stream->ReadZString(true).EqualsText(kMagic)) return false;
  int fields = ReadCount(stream);
  int rows = ReadCount(stream);
  if (fields < 0 || rows < 0) return false;
  // The table's own texts and each row take 2 + 3F texts. Both counts may
  // reach 2^31 - 1, where the product passes 64 bits: the rows are bounded
  // by a division instead.
  const int64_t remaining = stream->GetRemaining();
  const int64_t textsPerPart = 2 + 3 * int64_t(fields);
  if (textsPerPart > remaining || rows > (remaining - textsPerPart) / textsPerPart) return false;

  m_data = stream->ReadZString(data);
  m_attributes = stream->ReadZString(attributes);
  // The names InsertField would refuse, found through a set: a file may
  // hold a great many fields.
  std::unordered_set<std::string> taken;
  for (int i = 0; i < fields; i++) {
    SString name = stream->ReadZString(true);
    name.Trim();
    if (name.GetLength() > 0 &&
        (name.IsInteger() || !taken.insert(name.ToLower().GetText()).second)) {
      Clear();
      return false;
    }
    _SField* f = NewField(name);
    m_fields.Add(f);
    f->data = stream->ReadZString(data);
    f->attributes = stream->ReadZString(attributes);
  }
  for (int r = 0; r < rows; r++) {
    m_rowData.Add(stream->ReadZString(data).GetText());
    m_rowAttributes.Add(stream->ReadZString(attributes).GetText());
    for (int i = 0; i < fields; i++) {
      _SField* f = m_fields.GetAt(i);
      f->cells.Add(stream->ReadZString(true).GetText());
      f->cellData.Add(stream->ReadZString(data).GetText());
      f->cellAttributes.Add(stream->ReadZString(attributes).GetText());
    }
  }
  return true;
}

bool STable::WriteTableFile(SFile* stream, bool data, bool attributes) {
  TextWriter out(stream);
  out.Put(SString(kMagic));
  out.Put(SString::FromInt(GetFieldCount()));
  out.Put(SString::FromInt(GetRowCount()));
  out.Put(m_data, data);
  out.Put(m_attributes, attributes);
  for (int i = 0; i < GetFieldCount(); i++) {
    _SField* f = m_fields.GetAt(i);
    out.Put(f->name);
    out.Put(f->data, data);
    out.Put(f->attributes, attributes);
  }
  for (int r = 0; r < GetRowCount(); r++) {
    out.Put(*m_rowData.GetAt(r), data);
    out.Put(*m_rowAttributes.GetAt(r), attributes);
    for (int i = 0; i < GetFieldCount(); i++) {
      _SField* f = m_fields.GetAt(i);
      out.Put(*f->cells.GetAt(r));
      out.Put(*f->cellData.GetAt(r), data);
      out.Put(*f->cellAttributes.GetAt(r), attributes);
    }
  }
  return out.Ok();
}

// ==== Delimited text ========================================================================

namespace {

int CountQuotes(const SString& text) {
  int n = 0;
  for (const char* p = text.GetText(); *p; p++) n += *p == '"';
  return n;
}

// A quoted cell loses its quotes, and its doubled quotes become single
// again; any other cell is taken as it stands.
SString Unquoted(const SString& token) {
  if (token.GetLength() < 2 || token.GetAt(0) != '"' || token.GetAt(token.GetLength() - 1) != '"')
    return token;
  SString inner = token.Mid(1, token.GetLength() - 2);
  inner.Replace(0, -1, "\"\"", "\"");
  return inner;
}

// The cells of one line: each separator outside double quotes ends one
// cell, a blank as much as a comma, so that 1 TAB TAB 3 keeps its empty
// middle cell (the general tokenizer folds a run of blanks into one
// separator). Quotes stay in the cell. An empty line, or one whose quote is
// never closed, has no cells.
std::vector<SString> SplitCells(const SString& line, char separator) {
  std::vector<SString> cells;
  const char* text = line.GetText();
  const int length = line.GetLength();
  if (length == 0) return cells;
  bool inside = false;
  int start = 0;
  for (int i = 0; i < length; i++) {
    if (text[i] == '"') inside = !inside;
    if (text[i] == separator && !inside) {
      cells.push_back(line.Mid(start, i - start));
      start = i + 1;
    }
  }
  if (inside) return {};
  cells.push_back(line.Mid(start, length - start));
  return cells;
}

}  // namespace

// Rows shorter than the first line still get a cell in every field, so a
// long first line over many short ones would make far more cells than the
// text holds bytes; past a few cells per byte the text is refused.
bool STable::ReadDelimited(SFile* stream, char separator) {
  int64_t bytes = stream->GetRemaining();
  if (bytes <= 0) return true;
  const int64_t cellBudget = 4 * bytes + 65536;
  while (!stream->IsEnd()) {
    SString line = stream->ReadLine(true, -1, nullptr);
    // An odd number of quotes leaves a quoted cell open: its line break
    // belongs to the cell.
    int quotes = CountQuotes(line);
    while (quotes % 2 != 0 && !stream->IsEnd()) {
      SString next = stream->ReadLine(true, -1, nullptr);
      quotes += CountQuotes(next);
      line += "\r\n";
      line += next;
    }
    std::vector<SString> cells = SplitCells(line, separator);
    const int tokens = int(cells.size());
    if (tokens == 0) continue;
    if (GetFieldCount() == 0)
      for (int i = 0; i < tokens; i++) InsertField("", -1);
    if (int64_t(GetFieldCount()) * (GetRowCount() + 1) > cellBudget) {
      Clear();
      return false;
    }
    int row = InsertRow(-1);
    for (int i = 0; i < tokens && i < GetFieldCount(); i++)
      *m_fields.GetAt(i)->cells.GetAt(row) = Unquoted(cells[size_t(i)]);
  }
  return true;
}

// Every cell is quoted, so that a cell made of one double quote, or of
// nothing, reads back as itself.
bool STable::WriteDelimited(SFile* stream, char separator) {
  bool ok = true;
  for (int r = 0; r < GetRowCount(); r++) {
    SString line("");
    for (int i = 0; i < GetFieldCount(); i++) {
      SString cell(*m_fields.GetAt(i)->cells.GetAt(r));
      cell.Replace(0, -1, "\"", "\"\"");
      line += "\"";
      line += cell;
      line += "\"";
      if (i + 1 < GetFieldCount()) line += separator;
    }
    if (stream->WriteLine(line.GetText()) != line.GetLength() + 2) ok = false;
  }
  return ok;
}
