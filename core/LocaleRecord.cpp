// The three locale records and the selected one.
#include "core/LocaleRecord.h"

#include <cstdlib>
#include <cstring>

namespace {

const char kEnglishDays[] = "Sunday,Monday,Tuesday,Wednesday,Thursday,Friday,Saturday";
const char kEnglishMonths[] =
    "January,February,March,April,May,June,July,August,September,October,November,December";
const char kEnglishSeasons[] = "Spring,Summer,Autumn,Winter";
// Windows-1252: \xE9 is e acute, \xFB u circumflex.
const char kFrenchDays[] = "Dimanche,Lundi,Mardi,Mercredi,Jeudi,Vendredi,Samedi";
const char kFrenchMonths[] =
    "Janvier,F\xE9vrier,Mars,Avril,Mai,Juin,Juillet,Ao\xFBt,Septembre,Octobre,Novembre,D\xE9"
    "cembre";
const char kFrenchSeasons[] = "Printemps,Et\xE9,Automne,Hiver";

struct LocaleTable {
  LocaleRecord records[3];
  int selected;
};

void FillRecord(LocaleRecord& r, int number, int flag, int digits, char decimal, char thousand,
                bool french) {
  std::memset(&r, 0, sizeof r);
  r.number = number;
  r.flag = flag;
  r.digits = digits;
  r.decimalSeparator = decimal;
  r.thousandsSeparator = thousand;
  SplitCommaList(r.dayNames, french ? kFrenchDays : kEnglishDays);
  SplitCommaList(r.monthNames, french ? kFrenchMonths : kEnglishMonths);
  SplitCommaList(r.seasonNames, french ? kFrenchSeasons : kEnglishSeasons);
}

void Build(LocaleTable& t, const char* digits, const char* decimal, const char* thousand) {
  char d = decimal && decimal[0] ? decimal[0] : '.';
  char k = thousand && thousand[0] ? thousand[0] : ',';
  FillRecord(t.records[0], 0, 0, digits ? std::atoi(digits) : 0, d, k, false);
  FillRecord(t.records[1], 1, 0, 2, '.', ',', false);
  FillRecord(t.records[2], 2, 1, 2, ',', ' ', true);
  t.selected = 0;
}

// Built on first use, so that the records are valid before anything
// (static objects included) reads them.
LocaleTable& Table() {
  static LocaleTable table = [] {
    LocaleTable t;
    Build(t, nullptr, nullptr, nullptr);
    return t;
  }();
  return table;
}

}  // namespace

int SplitCommaList(char (*entries)[16], const char* text) {
  if (!entries || !text || !text[0]) return 0;
  // With ',' as the only separator and no quoting, every comma ends a token
  // and a trailing comma leaves an empty last token.
  int count = 0;
  const char* start = text;
  for (const char* p = text;; p++) {
    if (*p != ',' && *p != 0) continue;
    size_t n = static_cast<size_t>(p - start);
    if (n > 15) n = 15;  // an entry never overflows into the next
    std::memcpy(entries[count], start, n);
    entries[count][n] = 0;
    count++;
    if (*p == 0) return count;
    start = p + 1;
  }
}

void BuildLocaleRecords(const char* digits, const char* decimal, const char* thousand) {
  Build(Table(), digits, decimal, thousand);
}

void SetLanguage(int number) { Table().selected = (number >= 0 && number <= 2) ? number : 0; }

const LocaleRecord* GetLocaleRecord() {
  LocaleTable& t = Table();
  return &t.records[t.selected];
}
