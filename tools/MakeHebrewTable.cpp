// Writes the Hebrew calendar's table of years (values/cxHebrewTable.inc) from
// ICU's Hebrew calendar: for each Gregorian year 1583..2239, the Hebrew date
// of its 1 January, coded, and the type of the Hebrew year it falls in.
//
//   MakeHebrewTable FILE           writes the table to FILE
//   MakeHebrewTable --check FILE   fails unless FILE holds what it would write
//
// Either way it first checks four rows known by heart.

#include <unicode/ucal.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int FirstYear = 1583;
constexpr int LastYear = 2239;
constexpr int HebrewYearOffset = 3760;
constexpr double MillisPerDay = 86400000.0;

// ICU's months, from 0.
constexpr int Kislev = 2;
constexpr int Tevet = 3;
constexpr int Shevat = 4;

struct TRow {
  int Year;
  int FirstOfJanuary;
  int YearType;
};

[[noreturn]] void Fail(const std::string& message) {
  std::fprintf(stderr, "MakeHebrewTable: %s\n", message.c_str());
  std::exit(1);
}

void Check(UErrorCode status, const char* what) {
  if (U_FAILURE(status)) Fail(std::string(what) + ": " + u_errorName(status));
}

// 1..29: that day of Tevet; 0, 31, 32: the 1st, 2nd, 3rd of Shevat; 30 and
// 33: the 30th and 29th of Kislev.
int CodeOf(int month, int day, int year) {
  if (month == Tevet) return day;
  if (month == Shevat && day == 1) return 0;
  if (month == Shevat && day <= 3) return day + 29;
  if (month == Kislev && day == 30) return 30;
  if (month == Kislev && day == 29) return 33;
  Fail("1 January " + std::to_string(year) + " falls on a day the table cannot code");
}

double StartOfHebrewYear(UCalendar* hebrew, int year) {
  UErrorCode status = U_ZERO_ERROR;
  ucal_clear(hebrew);
  ucal_set(hebrew, UCAL_EXTENDED_YEAR, year);
  ucal_set(hebrew, UCAL_MONTH, 0);
  ucal_set(hebrew, UCAL_DATE, 1);
  const UDate start = ucal_getMillis(hebrew, &status);
  Check(status, "start of a Hebrew year");
  return start;
}

// 1, 2, 3: a deficient, regular or complete common year; 4, 5, 6: the same
// for a leap year.
int YearTypeOf(UCalendar* hebrew, int year) {
  const double days = (StartOfHebrewYear(hebrew, year + 1) - StartOfHebrewYear(hebrew, year)) / MillisPerDay;
  switch (static_cast<int>(days)) {
    case 353: return 1;
    case 354: return 2;
    case 355: return 3;
    case 383: return 4;
    case 384: return 5;
    case 385: return 6;
    default: Fail("Hebrew year " + std::to_string(year) + " has " + std::to_string(days) + " days");
  }
}

std::vector<TRow> ComputeRows() {
  UErrorCode status = U_ZERO_ERROR;
  UCalendar* hebrew = ucal_open(u"UTC", -1, "en@calendar=hebrew", UCAL_DEFAULT, &status);
  UCalendar* gregorian = ucal_open(u"UTC", -1, "en@calendar=gregorian", UCAL_GREGORIAN, &status);
  Check(status, "opening the calendars");
  std::vector<TRow> rows;
  for (int year = FirstYear; year <= LastYear; ++year) {
    ucal_clear(gregorian);
    ucal_setDate(gregorian, year, UCAL_JANUARY, 1, &status);
    const UDate moment = ucal_getMillis(gregorian, &status);
    ucal_setMillis(hebrew, moment, &status);
    const int hebrewYear = ucal_get(hebrew, UCAL_EXTENDED_YEAR, &status);
    const int month = ucal_get(hebrew, UCAL_MONTH, &status);
    const int day = ucal_get(hebrew, UCAL_DATE, &status);
    Check(status, "converting 1 January");
    if (hebrewYear != year + HebrewYearOffset) Fail("1 January " + std::to_string(year) + " is in another Hebrew year");
    rows.push_back({year, CodeOf(month, day, year), YearTypeOf(hebrew, hebrewYear)});
  }
  ucal_close(gregorian);
  ucal_close(hebrew);
  return rows;
}

void CheckKnownRows(const std::vector<TRow>& rows) {
  const TRow known[] = {{1583, 7, 3}, {2024, 20, 4}, {2025, 1, 3}, {2239, 24, 6}};
  for (const TRow& k : known) {
    const TRow& row = rows[static_cast<size_t>(k.Year - FirstYear)];
    if (row.FirstOfJanuary != k.FirstOfJanuary || row.YearType != k.YearType)
      Fail("row " + std::to_string(k.Year) + " is (" + std::to_string(row.FirstOfJanuary) + ", " +
           std::to_string(row.YearType) + ")");
  }
}

std::string Render(const std::vector<TRow>& rows) {
  std::ostringstream out;
  out << "// Written by tools/MakeHebrewTable.cpp from ICU's Hebrew calendar; do not edit.\n"
         "// One pair per Gregorian year from "
      << FirstYear << " to " << LastYear
      << ": the Hebrew date of 1 January\n"
         "// (1..29 that day of Tevet; 0, 31, 32 the 1st, 2nd, 3rd of Shevat; 30, 33\n"
         "// the 30th, 29th of Kislev) and the type of the Hebrew year (1, 2, 3 a\n"
         "// deficient, regular, complete common year; 4, 5, 6 the same for a leap year).\n";
  constexpr int PerLine = 8;
  for (size_t i = 0; i < rows.size(); ++i) {
    if (i % PerLine == 0) out << "/* " << rows[i].Year << " */";
    out << " {" << rows[i].FirstOfJanuary << ", " << rows[i].YearType << "},";
    if (i % PerLine == PerLine - 1 || i + 1 == rows.size()) out << "\n";
  }
  return out.str();
}

}  // namespace

int main(int argc, char** argv) {
  const bool checking = argc == 3 && std::strcmp(argv[1], "--check") == 0;
  if (argc != 2 && !checking) {
    std::fprintf(stderr, "usage: MakeHebrewTable [--check] FILE\n");
    return 2;
  }
  const std::vector<TRow> rows = ComputeRows();
  CheckKnownRows(rows);
  const std::string table = Render(rows);
  const char* path = argv[argc - 1];
  if (checking) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream committed;
    committed << in.rdbuf();
    if (!in || committed.str() != table) Fail(std::string(path) + " is not the table ICU gives; run MakeHebrewTable " + path);
    return 0;
  }
  std::ofstream out(path, std::ios::binary);
  out << table;
  if (!out) Fail(std::string("cannot write ") + path);
  return 0;
}
