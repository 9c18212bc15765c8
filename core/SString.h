// SString: the framework's 8-bit text string (ANSI code page).
//
// The buffer is always allocated at a canonical capacity: the smallest power
// of two that holds the length plus its terminating 0, never below 8. Every
// change of length recomputes it and moves the text when it differs, so
// strings shrink as well as grow, and edits that stay inside one size class
// never allocate. Buffers come from malloc/free; so do the buffers handed to
// Attach and returned by Duplicate and ToWide.
//
// A default-constructed string has no buffer at all; it reads as "" wherever
// it is read. Positions are 0-based byte indexes; ranges are (start, count)
// with a negative start counting as 0 and a negative or overlong count
// reaching the end. Case rules know the ASCII letters only.
#pragma once

#include <cstdarg>
#include <cstdint>

#include "core/STextStorage.h"

// UTF-16 code unit, the same type core/Platform.h declares; repeated here so
// that this header does not pull the platform headers into every user.
typedef char16_t UniChar;

// The buffer, its fields and the logic shared with SUniString are
// STextStorage's.
class SString : private STextStorage<char> {
 public:
  // ---- Construction, destruction, assignment -------------------------------

  SString();                            // the no-buffer state
  SString(const SString& other);        // ConstructCopy: text only, never the tags
  SString(const char* text);            // ConstructFromText: null gives ""
  explicit SString(const UniChar* text);  // ConstructFromWide: CP_ACP, null gives ""
  // Moves keep copy semantics (text only, result as a copy would leave it);
  // the source is left in the no-buffer state.
  SString(SString&& other) noexcept;
  virtual ~SString();

  // Named forms of the constructors.
  static SString ConstructCopy(const SString& other) { return SString(other); }
  static SString ConstructFromText(const char* text) { return SString(text); }
  static SString ConstructFromWide(const UniChar* text) { return SString(text); }
  // n zero bytes (negative n counts as 0): a zero-filled work buffer.
  static SString ConstructZeroed(int n);

  // count -1 reads text up to its 0 byte; otherwise exactly count bytes.
  void Assign(const char* text, int count = -1);
  SString& SetText(const char* text);
  // textOnly false also copies tag1 and tag2.
  void AssignString(const SString& other, bool textOnly);
  SString& CopyFrom(const SString& other);
  void AssignWide(const UniChar* text);
  // Takes ownership of a malloc'd buffer without copying; capacity length + 1.
  void Attach(char* buffer, int length = -1);
  void SetLength(int n, bool keep);
  void SetLengthFilled(int n, char fill);

  SString& operator=(const SString& other) { return CopyFrom(other); }
  SString& operator=(const char* text) { return SetText(text); }
  SString& operator=(SString&& other) noexcept;

  int GetLength() const { return m_length; }
  int GetCapacity() const { return m_capacity; }

  // ---- Buffer and character access -----------------------------------------

  char* GetBuffer() { return m_data; }  // null in the no-buffer state
  const char* GetBuffer() const { return m_data; }
  const char* GetText() const { return m_data ? m_data : ""; }  // never null
  char* Duplicate() const;   // malloc'd copy with its 0; null without buffer
  UniChar* ToWide() const;   // malloc'd UTF-16 copy; null without buffer

  char GetAt(int pos) const;       // signed byte; 0 outside the text
  int GetByteAt(int pos) const;    // 0-255; 0 outside the text
  int FirstChar() const;           // 0-255; 0 when empty
  void SetAt(int pos, char c);     // storing 0 cuts the text there
  void SwapChars(int pos1, int pos2);
  int32_t GetTag() const { return m_tag1; }
  void SetTag(int32_t tag) { m_tag1 = tag; }

  // ---- Concatenation and editing --------------------------------------------

  SString Concat(const char* text) const;
  void AppendText(const char* text);
  SString& Append(const char* text);
  void AppendChar(char c);
  void Insert(const char* text, int pos = -1, int repeat = 1);
  void InsertChars(int n, char c, int pos = -1);
  int Delete(int pos, int count = -1);
  void Overwrite(int pos, int count, const char* text);
  void OverwriteRange(int start, int end, const char* text);  // end -1 = the end

  SString operator+(const char* text) const { return Concat(text); }
  SString operator+(const SString& other) const { return Concat(other.GetText()); }
  SString& operator+=(const char* text) { return Append(text); }
  SString& operator+=(const SString& other) { return Append(other.GetText()); }
  SString& operator+=(char c) { AppendChar(c); return *this; }

  // ---- Substrings -------------------------------------------------------------

  SString Mid(int start, int count = -1) const;
  SString Left(int n) const;
  SString Right(int n) const;
  SString Slice(int start, int end) const;  // end -1 = the end of the text
  SString BeforeChar(char c) const;
  SString BeforeCharOrAll(char c) const;
  SString AfterChar(char c) const;

  // ---- Comparison (both texts read up to their first 0 byte) --------------------

  bool EqualsText(const char* text) const;
  bool DiffersFromText(const char* text) const { return !EqualsText(text); }
  int Compare(const char* text, bool caseSensitive = true) const;  // -1, 0, 1
  int CompareNoCase(const char* text) const { return Compare(text, false); }

  bool operator==(const char* text) const { return EqualsText(text); }
  bool operator==(const SString& other) const { return EqualsText(other.GetText()); }
  bool operator!=(const char* text) const { return DiffersFromText(text); }
  bool operator!=(const SString& other) const { return DiffersFromText(other.GetText()); }

  // ---- Search (index or -1; ranges by the range rule) -----------------------------

  int FindChar(char c, int start = 0, int count = -1) const;
  int FindCharNoCase(char c, int start = 0, int count = -1) const;
  // after: answer the position just past the match.
  int Find(const char* text, int start = 0, int count = -1, bool after = false) const;
  int FindNoCase(const char* text, int start = 0, int count = -1) const;
  int FindNotChar(char c, int start = 0, int count = -1) const;
  int FindNotOneOf(const char* set, int start = 0, int count = -1) const;
  int FindOneOf(const char* set, int start = 0, int count = -1,
                bool caseSensitive = true) const;
  int FindOutsideQuotes(int pos, const char* text, char quote) const;
  int FindWord(const char* word, int pos, char quote, bool skipComments) const;
  int ReverseFindChar(int pos, char c) const;  // pos -1 = last
  // n characters follow n; the first of them that is found decides.
  int ReverseFindChars(int pos, int n, ...) const;
  int ReverseFindOneOf(const char* set, int pos) const;

  // ---- Character classes at a position (ASCII; false outside the text) -----------

  bool IsDigitAt(int pos) const;
  bool IsAlphaAt(int pos) const;
  bool IsLowerAt(int pos) const;
  bool IsUpperAt(int pos) const;
  bool IsVowelAt(int pos) const;      // A E I O U Y, either case
  bool IsConsonantAt(int pos) const;  // any other ASCII letter

  // Further families (text transforms, numbers and formatting, codings) each
  // take their own section below, before the private part.

  // ---- Text transforms (SStringTransforms.cpp) -------------------------------------
  //
  // Blank means space, and tab unless spacesOnly is set.

  // n > 0 removes n bytes, n < 0 the blanks at that end; TrimLeading then
  // answers how many blanks went (0 otherwise).
  int TrimLeading(int n = -1, bool spacesOnly = false);
  void TrimTrailing(int n = -1, bool spacesOnly = false);
  int Trim(int leading = -1, int trailing = -1, bool spacesOnly = false);

  SString& MakeLower();
  SString& MakeUpper();
  SString ToLower() const;
  SString ToUpper() const;
  SString WithoutBlanks(bool tabsToo = false) const;
  SString& RemoveBlanks(bool tabsToo = false);
  // Trims, then drops blanks outside double quotes unless they separate two
  // word characters or touch a character of keep (may be null).
  SString& RemoveExtraBlanks(bool tabsToSpaces = false, const char* keep = nullptr);
  // Windows-1252 accented letters to their base letters.
  SString& RemoveAccents(bool capitals = true, bool smallLetters = true);
  // "12. Item" -> "Item".
  SString& StripLeadingNumber();
  SString& Reverse();

  // Ranges by the range rule. ReplaceChar answers the positions that held
  // oldChar; a newChar 0 cuts the text at the first of them.
  int ReplaceChar(int start, int count, char oldChar, char newChar);
  // Non-overlapping, left to right; answers the count (0 for an empty find).
  int Replace(int start, int count, const char* find, const char* replacement,
              bool caseSensitive = true);

  // Enclosed: longer than 1 byte, c at both ends and nowhere in between.
  bool IsEnclosedBy(char c) const;
  bool Enclose(char c);
  bool Unenclose(char c);
  SString Unenclosed(char c) const;

  // The line from pos up to CR or LF; *next (may be null) goes past the
  // break, CR LF counting as one.
  SString GetLineAt(int pos, int* next = nullptr) const;
  int CountLines() const;  // 1 + the CR LF pairs
  int LongestLineLength() const;
  // The run of blanks (space, tab, CR, LF) or non-blanks at pos; blank runs
  // are skipped unless keepBlanks is set.
  SString NextWord(int pos, int* next = nullptr, bool keepBlanks = false) const;
  // The markup tag or text run at pos (after blanks); a text run longer than
  // maxText (-1 = any) comes back as "". Every out argument may be null.
  bool NextMarkupToken(int pos, SString* token, int* next, bool* isTag, bool* isOpening,
                       bool* isClosing, int maxText = -1) const;

  // Alignment 0 left, 1 centre, 2 right, 3 justify; width <= 0 takes the
  // longest line.
  void WordWrap(int alignment, int width, bool continueLongLines = true, bool pad = false);
  void WordWrapLeft(int width, bool continueLongLines = true, bool pad = false);
  void WordWrapCentre(int width, bool continueLongLines = true, bool pad = false);
  void WordWrapRight(int width, bool continueLongLines = true, bool pad = false);
  void WordWrapJustify(int width, bool continueLongLines = true, bool pad = false);

  // '*' any run, '?' one byte, case-sensitive, over the whole text.
  static bool MatchWildcard(const char* text, const char* pattern);
  bool Matches(const char* pattern) const;
  bool IsIdentifier() const;
  bool IsUpperIdentifier() const;
  bool IsLowerIdentifier() const;
  bool IsValidFileName() const;

  // ---- Codings (SStringCodings.cpp) -----------------------------------------------
  //
  // Each replaces the text by its encoded or decoded form and returns the
  // string; an empty text stays as it is. Decoded bytes are kept whole,
  // 0 bytes included.

  // RFC 4648 groups without filling, then one terminator: '=' standard,
  // '@' with the url alphabet ('-' and '_' for 62 and 63).
  SString& EncodeBase64(bool urlAlphabet = false);
  SString& DecodeBase64();  // either alphabet; the last character is ignored
  // Every 7 bytes as 8 bytes from 32 to 159, then 255.
  SString& Encode7Bit();
  SString& Decode7Bit();
  // Letters, digits, '-' and '_' stay; form turns space into '+'.
  SString& EncodeUrl(bool form = false);
  SString& DecodeUrl(bool form = false);
  SString& EscapeHtml(bool apostrophes, bool quotes);
  SString& UnescapeHtml(bool apostrophes, bool quotes);
  // EscapeHtml in one pass, and with highBytes bytes 160-255 as decimal
  // references.
  SString& EscapeHtmlFull(bool apostrophes, bool quotes, bool highBytes = true);
  SString& CrLfToBr();
  SString& BrToCrLf();
  // Windows-1252 <-> UTF-8; FromUtf8 drops what Windows-1252 cannot hold.
  SString& ToUtf8();
  SString& FromUtf8();

  // ---- Numbers and formatting (SStringNumbers.cpp) ----------------------------------

  // printf rules of the runtime, with the size prefixes "I64" (64-bit
  // integer), h and l (narrow or wide characters and strings; wide ones are
  // UTF-16), F, N and L (ignored). The output is never cut, and arguments may
  // point into this very string.
  SString& Format(const char* format, ...);
  SString& FormatArgs(const char* format, va_list args);

  SString& FormatInt(int32_t value);
  SString& FormatUInt(uint32_t value);
  SString& FormatInt64(int64_t value);
  SString& FormatUInt64(uint64_t value);
  static SString FromInt(int32_t value);
  static SString FromUInt(uint32_t value);
  static SString FromInt64(int64_t value);
  static SString FromUInt64(uint64_t value);

  // "%16f" with the trailing zeros removed, and the point too unless
  // keepPointZero leaves one 0 after it; short values keep leading blanks.
  SString& SetDouble(double value, bool keepPointZero = false);
  static SString FromDouble(double value);
  SString& SetDoubleFixed(int decimals, double value);
  // Grouped with the separators of the selected locale record.
  SString& SetIntGrouped(int32_t value);
  SString& SetDoubleGrouped(double value);
  // At least digits (1..16) upper-case digits; prefix may be null.
  SString& SetHex(int digits, int64_t value, const char* prefix = nullptr);
  SString& SetBinary(uint32_t value);
  SString& SetRoman(int32_t value);  // "" for values <= 0
  SString& EncodeHexEscapes(char escape);
  SString& DecodeHexEscapes(char escape);

  int64_t ToInt64() const;
  double ToDouble() const;
  int64_t HexValue() const;    // "#ff", "0x1F" or "1F"; 0 on any error
  int32_t BinaryValue() const;
  int32_t RomanValue() const;  // 0 unless every byte is a Roman letter

  bool IsNumber() const;
  bool IsInteger() const;
  bool IsDecimal() const;
  bool IsHexNumber(const char* prefix = nullptr, bool caseSensitivePrefix = false) const;
  // 0 none or empty, 1 integer, 2 decimal, 3 hexadecimal, 4 quoted text.
  int ClassifyLiteral(char quote) const;
  bool IsIpAddress() const;

  // ---- Digests (SStringDigests.cpp) ----------------------------------------------
  //
  // Of the text up to its first 0 byte; false or "" when there is no buffer.

  bool Crc32(uint32_t& crc) const;
  SString Md5() const;   // 32 upper-case hex digits
  SString Sha1() const;  // 40 upper-case hex digits

 private:
  // Builds a string of exactly these n bytes.
  SString(const char* bytes, int n);
};

inline SString operator+(const char* text, const SString& s) {
  return SString(text).Concat(s.GetText());
}
