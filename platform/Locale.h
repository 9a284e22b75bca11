#pragma once
// National-language services: locale items, calendar items, character types,
// date pictures, collation and case mapping.
//
// One locale profile answers for every locale identifier. The running program
// uses the user's own locale (LC_ALL, LC_* and LANG, read through ICU); tests
// select one of the fixed profiles so that their answers never depend on the
// machine.

#include "platform/WinTypes.h"

using LCID = DWORD;
using LCTYPE = DWORD;
using CALID = DWORD;
using CALTYPE = DWORD;

inline constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
inline constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;

// Locale items.
inline constexpr LCTYPE LOCALE_NOUSEROVERRIDE = 0x80000000;
inline constexpr LCTYPE LOCALE_RETURN_NUMBER = 0x20000000;
inline constexpr LCTYPE LOCALE_ILANGUAGE = 0x0001;
inline constexpr LCTYPE LOCALE_SLANGUAGE = 0x0002;
inline constexpr LCTYPE LOCALE_IDEFAULTCODEPAGE = 0x000B;
inline constexpr LCTYPE LOCALE_SLIST = 0x000C;
inline constexpr LCTYPE LOCALE_SDECIMAL = 0x000E;
inline constexpr LCTYPE LOCALE_STHOUSAND = 0x000F;
inline constexpr LCTYPE LOCALE_SGROUPING = 0x0010;
inline constexpr LCTYPE LOCALE_IDIGITS = 0x0011;
inline constexpr LCTYPE LOCALE_ILZERO = 0x0012;
inline constexpr LCTYPE LOCALE_SCURRENCY = 0x0014;
inline constexpr LCTYPE LOCALE_ICURRDIGITS = 0x0019;
inline constexpr LCTYPE LOCALE_ICURRENCY = 0x001B;
inline constexpr LCTYPE LOCALE_INEGCURR = 0x001C;
inline constexpr LCTYPE LOCALE_SDATE = 0x001D;
inline constexpr LCTYPE LOCALE_STIME = 0x001E;
inline constexpr LCTYPE LOCALE_SSHORTDATE = 0x001F;
inline constexpr LCTYPE LOCALE_SLONGDATE = 0x0020;
inline constexpr LCTYPE LOCALE_IDATE = 0x0021;
inline constexpr LCTYPE LOCALE_ITIME = 0x0023;
inline constexpr LCTYPE LOCALE_S1159 = 0x0028;
inline constexpr LCTYPE LOCALE_S2359 = 0x0029;
inline constexpr LCTYPE LOCALE_SDAYNAME1 = 0x002A;          // Monday .. SDAYNAME7 = Sunday
inline constexpr LCTYPE LOCALE_SABBREVDAYNAME1 = 0x0031;    // Monday .. Sunday
inline constexpr LCTYPE LOCALE_SMONTHNAME1 = 0x0038;        // .. SMONTHNAME12 = 0x43
inline constexpr LCTYPE LOCALE_SABBREVMONTHNAME1 = 0x0044;  // .. 0x4F
inline constexpr LCTYPE LOCALE_SPOSITIVESIGN = 0x0050;
inline constexpr LCTYPE LOCALE_SNEGATIVESIGN = 0x0051;
inline constexpr LCTYPE LOCALE_SNAME = 0x005C;
inline constexpr LCTYPE LOCALE_SSHORTTIME = 0x0079;
inline constexpr LCTYPE LOCALE_STIMEFORMAT = 0x1003;
inline constexpr LCTYPE LOCALE_IDEFAULTANSICODEPAGE = 0x1004;
inline constexpr LCTYPE LOCALE_ICALENDARTYPE = 0x1009;
inline constexpr LCTYPE LOCALE_IFIRSTDAYOFWEEK = 0x100C;   // "0" = Monday .. "6" = Sunday
inline constexpr LCTYPE LOCALE_IFIRSTWEEKOFYEAR = 0x100D;  // "0" Jan 1, "1" full week, "2" four days

// Calendars and calendar items.
inline constexpr CALID CAL_GREGORIAN = 1;
inline constexpr CALID CAL_GREGORIAN_US = 2;
inline constexpr CALID CAL_JAPAN = 3;
inline constexpr CALID CAL_TAIWAN = 4;
inline constexpr CALID CAL_KOREA = 5;
inline constexpr CALID CAL_HIJRI = 6;
inline constexpr CALID CAL_THAI = 7;
inline constexpr CALID CAL_HEBREW = 8;
inline constexpr CALID CAL_GREGORIAN_ME_FRENCH = 9;
inline constexpr CALID CAL_GREGORIAN_ARABIC = 10;
inline constexpr CALID CAL_GREGORIAN_XLIT_ENGLISH = 11;
inline constexpr CALID CAL_GREGORIAN_XLIT_FRENCH = 12;
inline constexpr CALTYPE CAL_RETURN_NUMBER = LOCALE_RETURN_NUMBER;
inline constexpr CALTYPE CAL_ICALINTVALUE = 0x0001;
inline constexpr CALTYPE CAL_SCALNAME = 0x0002;
inline constexpr CALTYPE CAL_SSHORTDATE = 0x0005;
inline constexpr CALTYPE CAL_SLONGDATE = 0x0006;
inline constexpr CALTYPE CAL_SDAYNAME1 = 0x0007;          // Monday .. Sunday
inline constexpr CALTYPE CAL_SABBREVDAYNAME1 = 0x000E;    // Monday .. Sunday
inline constexpr CALTYPE CAL_SMONTHNAME1 = 0x0015;        // .. CAL_SMONTHNAME13 = 0x21
inline constexpr CALTYPE CAL_SABBREVMONTHNAME1 = 0x0022;  // .. CAL_SABBREVMONTHNAME13 = 0x2E
inline constexpr CALTYPE CAL_ITWODIGITYEARMAX = 0x0030;

// Character types.
inline constexpr DWORD CT_CTYPE1 = 0x0001;
inline constexpr WORD C1_UPPER = 0x0001;
inline constexpr WORD C1_LOWER = 0x0002;
inline constexpr WORD C1_DIGIT = 0x0004;
inline constexpr WORD C1_SPACE = 0x0008;
inline constexpr WORD C1_PUNCT = 0x0010;
inline constexpr WORD C1_CNTRL = 0x0020;
inline constexpr WORD C1_BLANK = 0x0040;
inline constexpr WORD C1_XDIGIT = 0x0080;
inline constexpr WORD C1_ALPHA = 0x0100;
inline constexpr WORD C1_DEFINED = 0x0200;

// Date pictures.
inline constexpr DWORD DATE_SHORTDATE = 0x0001;
inline constexpr DWORD DATE_LONGDATE = 0x0002;

// Collation.
inline constexpr DWORD NORM_IGNORECASE = 0x0001;
inline constexpr int CSTR_LESS_THAN = 1;
inline constexpr int CSTR_EQUAL = 2;
inline constexpr int CSTR_GREATER_THAN = 3;

// The profiles a process can answer with.
enum class TLocaleProfile {
  User,        // the environment's locale, through ICU
  EnglishUS,   // "." decimal, "M/d/yyyy", 12-hour time, "$"
  PortugueseBR // "," decimal, "." thousands, "dd/MM/yyyy", 24-hour time, "R$"
};

// Selects the profile answered from now on; the thread locale returns to the
// user default.
void SetLocaleProfile(TLocaleProfile Profile);
TLocaleProfile GetLocaleProfile();

// Test switch: the calendar type the locale reports (LOCALE_ICALENDARTYPE)
// instead of the profile's own, 1; 0 goes back to the profile's.
void SetLocaleCalendarType(CALID Calendar);

LCID GetUserDefaultLCID();
LCID GetSystemDefaultLCID();
LCID GetThreadLocale();
BOOL SetThreadLocale(LCID Locale);

// Text items are written with their terminating zero and the count includes
// it; with LOCALE_RETURN_NUMBER a numeric item is written as one DWORD into
// lpLCData (cchData counted in WCHARs, so at least 2). cchData 0 asks for the
// size. Returns 0 with GetLastError on failure (unknown item, small buffer).
int GetLocaleInfoW(LCID Locale, LCTYPE LCType, LPWSTR lpLCData, int cchData);

// Calendars 1 to 12 (0: the one the locale reports). With CAL_RETURN_NUMBER
// the number goes to *lpValue and the result is the size of a DWORD in WCHARs
// (2). Day names and date pictures are the profile's for every calendar;
// month names are the calendar's in the profile's language. The Hebrew
// calendar's months depend on the year (a leap year has Adar I and Adar II,
// a common year Adar and no thirteenth month): for a month name, a given
// lpValue holds the year meant, 0 or none meaning a leap year.
int GetCalendarInfoW(LCID Locale, CALID Calendar, CALTYPE CalType, LPWSTR lpCalData, int cchData, DWORD* lpValue);

// CT_CTYPE1 classes of each of the cchSrc units (-1: up to the terminator).
BOOL GetStringTypeW(DWORD dwInfoType, LPCWSTR lpSrcStr, int cchSrc, WORD* lpCharType);

// Date pictures: d, dd, ddd, dddd, M, MM, MMM, MMMM, y, yy, yyyy, and quoted
// literals; a null picture takes DATE_SHORTDATE or DATE_LONGDATE from the
// profile. A null date means today.
int GetDateFormatW(LCID Locale, DWORD dwFlags, const SYSTEMTIME* lpDate, LPCWSTR lpFormat, LPWSTR lpDateStr,
                   int cchDate);

// Locale collation (NORM_IGNORECASE ignores case only); CSTR_* or 0 on failure.
int CompareStringW(LCID Locale, DWORD dwCmpFlags, LPCWSTR lpString1, int cchCount1, LPCWSTR lpString2,
                   int cchCount2);

// Simple one-to-one case mapping in place; returns the count processed.
DWORD CharUpperBuffW(LPWSTR lpsz, DWORD cchLength);
DWORD CharLowerBuffW(LPWSTR lpsz, DWORD cchLength);
