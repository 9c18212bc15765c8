// SUniString: the framework's UTF-16 text string, the twin of SString.
//
// It keeps the storage rules of SString counted in 16-bit units: the buffer
// holds the smallest power of two of units that fits the length and its
// terminating 0, never below 8, and is reallocated whenever that capacity
// changes, so strings shrink as well as grow. Buffers come from malloc/free,
// including one handed to Attach.
//
// The string knows nothing of surrogate pairs: positions, counts and lengths
// are 16-bit units. Conversions from 8-bit text go through the ANSI code
// page. Case folding and the number readers know the ASCII letters and
// digits only; the character tests at a position are the platform's
// Unicode classification. Unlike SString, no assignment copies the tags.
#pragma once

#include <cstdint>

#include "core/STextStorage.h"

// UTF-16 code unit, as core/Platform.h declares it.
typedef char16_t UniChar;

// The buffer, its fields and the logic shared with SString are
// STextStorage's.
class SUniString : private STextStorage<UniChar> {
 public:
  // ---- Construction, destruction, assignment -------------------------------

  SUniString();                                // the no-buffer state
  SUniString(const SUniString& other);         // ConstructCopy: text only
  explicit SUniString(const UniChar* text);    // null gives ""
  SUniString(const char* text);                // ConstructFromText: CP_ACP, null gives ""
  // Moves keep copy semantics (the result is what a copy would give); the
  // source is left in the no-buffer state.
  SUniString(SUniString&& other) noexcept;
  virtual ~SUniString();

  static SUniString ConstructCopy(const SUniString& other) { return SUniString(other); }
  static SUniString ConstructFromText(const char* text) { return SUniString(text); }
  static SUniString ConstructFromInt(int value);
  static SUniString FromInt64(int64_t value);

  // count -1 reads text up to its 0 unit; otherwise exactly count units.
  void Assign(const UniChar* text, int count = -1);
  SUniString& SetText(const UniChar* text);
  void AssignString(const SUniString& other);
  void AssignText(const char* text);  // from the ANSI code page
  // Takes ownership of a malloc'd buffer without copying; capacity length + 1.
  void Attach(UniChar* buffer, int length = -1);
  void SetLength(int n, bool keep);
  void SetLengthFilled(int n, UniChar fill);

  SUniString& operator=(const SUniString& other) { AssignString(other); return *this; }
  SUniString& operator=(const UniChar* text) { return SetText(text); }
  SUniString& operator=(const char* text) { AssignText(text); return *this; }
  SUniString& operator=(SUniString&& other) noexcept;

  int GetLength() const { return m_length; }
  int GetCapacity() const { return m_capacity; }

  // ---- Buffer and character access -----------------------------------------

  UniChar* GetBuffer() { return m_data; }  // null in the no-buffer state
  const UniChar* GetBuffer() const { return m_data; }
  const UniChar* GetText() const { return m_data ? m_data : u""; }  // never null
  UniChar GetAt(int pos) const;            // 0 outside the text
  void SetAt(int pos, UniChar c);          // storing 0 cuts the text there
  int32_t GetTag() const { return m_tag1; }
  void SetTag(int32_t tag) { m_tag1 = tag; }

  // ---- Concatenation and editing --------------------------------------------

  SUniString Concat(const UniChar* text) const;
  void AppendText(const UniChar* text);
  SUniString& Append(const UniChar* text);
  void Insert(const UniChar* text, int pos = -1, int repeat = 1);
  void InsertChars(int n, UniChar c, int pos = -1);
  int Delete(int pos, int count = -1);
  // A longer replacement first opens room with '#' units, then overwrites.
  void Overwrite(int pos, int count, const UniChar* text);
  void OverwriteRange(int start, int end, const UniChar* text);

  SUniString operator+(const UniChar* text) const { return Concat(text); }
  SUniString operator+(const SUniString& other) const { return Concat(other.GetText()); }
  SUniString& operator+=(const UniChar* text) { return Append(text); }
  SUniString& operator+=(const SUniString& other) { return Append(other.GetText()); }

  // ---- Substrings -------------------------------------------------------------

  SUniString Mid(int start, int count = -1) const;
  SUniString Left(int n) const;
  SUniString Right(int n) const;
  SUniString Slice(int start, int end) const;
  SUniString BeforeChar(UniChar c) const;
  SUniString BeforeCharOrAll(UniChar c) const;
  SUniString AfterChar(UniChar c) const;

  // ---- Comparison (both texts read up to their first 0 unit) --------------------

  bool EqualsText(const UniChar* text) const;
  int Compare(const UniChar* text) const;        // units unsigned; -1, 0, 1
  int CompareNoCase(const UniChar* text) const;  // folds A-Z only

  bool operator==(const UniChar* text) const { return EqualsText(text); }
  bool operator==(const SUniString& other) const { return EqualsText(other.GetText()); }
  bool operator!=(const UniChar* text) const { return !EqualsText(text); }
  bool operator!=(const SUniString& other) const { return !EqualsText(other.GetText()); }

  // ---- Search (index or -1; ranges are start and count, -1 reaching the end) ----

  int FindChar(UniChar c) const;  // the whole text
  int Find(const UniChar* text, int start = 0, int count = -1, bool after = false) const;
  int FindNoCase(const UniChar* text, int start = 0, int count = -1) const;

  // ---- Transforms ------------------------------------------------------------------

  // n > 0 cuts n units, n < 0 the blanks (space, and tab unless spacesOnly).
  int TrimLeading(int n = -1, bool spacesOnly = false);  // answers the blanks cut when n < 0
  void TrimTrailing(int n = -1, bool spacesOnly = false);
  int Trim(int leading = -1, int trailing = -1, bool spacesOnly = false);
  SUniString& MakeLower();
  SUniString& MakeUpper();
  SUniString ToLower() const;
  SUniString ToUpper() const;
  SUniString WithoutBlanks(bool tabsToo = false) const;
  void RemoveBlanks(bool tabsToo = false);
  void Reverse();
  // Every non-overlapping match inside the range; answers the count.
  int Replace(int start, int count, const UniChar* find, const UniChar* replacement,
              bool caseSensitive = true);

  // Enclosed: longer than 1, starts and ends with c, no c in between.
  bool IsEnclosedBy(UniChar c) const;
  bool Enclose(UniChar c);
  bool Unenclose(UniChar c);

  // ---- Character classes at a position (platform Unicode; false outside) --------

  bool IsDigitAt(int pos) const;
  bool IsAlphaAt(int pos) const;
  bool IsLowerAt(int pos) const;
  bool IsUpperAt(int pos) const;

  // ---- Numbers: text from and to values --------------------------------------------

  void SetInt(int value);                            // "%d"
  void SetInt64(int64_t value);                      // "%I64d"
  // Six decimals without leading spaces, then trailing zeros cut; a final
  // '.' goes too, or keeps one '0' after it with keepPointZero.
  void SetDouble(double value, bool keepPointZero = false);
  // At least digits (1..16) upper-case hex digits, prefix (may be null) in front.
  void SetHex(int digits, int64_t value, const UniChar* prefix = nullptr);
  void SetBinary(uint32_t value);
  double ToDouble() const;
  int64_t ToInt64() const;
  int64_t HexValue() const;    // "#ff", "0x1F", "1F"; 0 on any error
  int32_t BinaryValue() const;

  // ---- Literal tests (ASCII rules, as the 8-bit twin) -------------------------------

  bool IsNumber() const;
  bool IsInteger() const;
  bool IsDecimal() const;
  bool IsHexNumber(const UniChar* prefix = nullptr, bool caseSensitivePrefix = false) const;
  // 0 nothing or empty, 1 integer, 2 decimal, 3 hex "0x", 4 enclosed by quote.
  int ClassifyLiteral(UniChar quote) const;

 private:
  // Builds a string of exactly these n units.
  SUniString(const UniChar* units, int n);
  // Replaces the text with ASCII bytes, one unit each.
  void AssignAscii(const char* text);
};
