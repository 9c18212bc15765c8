// LocaleRecord: the number separators and the day, month and season names
// that grouped number texts and date names are written with.
//
// Three fixed records exist for the whole process: 0 the system's (its
// separators and digit count come from the user's regional settings, its
// names are English), 1 English and 2 French. One of them is selected.
// They live in core, not in the window framework that reads the system's
// settings, so that strings and dates work without the framework started:
// until the framework loads the system's values, record 0 holds what an
// empty set of regional settings gives (no decimals, '.' and ',').
#pragma once

#include <cstdint>

// The layout is fixed: number formatting and the script Timer class read the
// fields directly.
struct LocaleRecord {
  int32_t number;             // 0, 1, 2
  int32_t flag;               // 0, 0, 1
  int32_t digits;             // decimals of grouped number texts
  char decimalSeparator;
  char thousandsSeparator;    // 0: no grouping
  char dayNames[7][16];       // Sunday first, NUL-padded
  char monthNames[12][16];    // January first
  char seasonNames[4][16];    // spring first
};

// Rebuilds the three records; the system record takes its values from the
// regional settings' texts "iDigits", "sDecimal" and "sThousand" (null or ""
// when missing). Selects record 0.
void BuildLocaleRecords(const char* digits, const char* decimal, const char* thousand);

// Selects record 0..2; any other number selects 0.
void SetLanguage(int number);
// The selected record; never null.
const LocaleRecord* GetLocaleRecord();

// Copies the comma-separated tokens of text into consecutive 16-byte entries,
// each with its terminating 0. The caller provides an entry per token and
// tokens shorter than 16 bytes. Returns the number of tokens.
int SplitCommaList(char (*entries)[16], const char* text);
