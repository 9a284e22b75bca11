// The fixed locale profiles: what tests select so that no answer depends on
// the machine.

#include "platform/LocaleProfiles.h"

namespace {

void PutNames(std::map<LCTYPE, std::u16string>& items, LCTYPE first, const char16_t* const* names, int count) {
  for (int i = 0; i < count; ++i) items[first + i] = names[i];
}

}  // namespace

std::shared_ptr<const TProfileData> EnglishUSProfile() {
  auto p = std::make_shared<TProfileData>();
  p->Lcid = 0x0409;
  p->CollationLocale = "en_US";
  p->Items = {
      {LOCALE_ILANGUAGE, u"0409"},
      {LOCALE_SLANGUAGE, u"English (United States)"},
      {LOCALE_IDEFAULTCODEPAGE, u"437"},
      {LOCALE_SLIST, u","},
      {LOCALE_SDECIMAL, u"."},
      {LOCALE_STHOUSAND, u","},
      {LOCALE_SGROUPING, u"3;0"},
      {LOCALE_IDIGITS, u"2"},
      {LOCALE_ILZERO, u"1"},
      {LOCALE_SCURRENCY, u"$"},
      {LOCALE_ICURRDIGITS, u"2"},
      {LOCALE_ICURRENCY, u"0"},
      {LOCALE_INEGCURR, u"0"},
      {LOCALE_SDATE, u"/"},
      {LOCALE_STIME, u":"},
      {LOCALE_SSHORTDATE, u"M/d/yyyy"},
      {LOCALE_SLONGDATE, u"dddd, MMMM d, yyyy"},
      {LOCALE_IDATE, u"0"},
      {LOCALE_ITIME, u"0"},
      {LOCALE_S1159, u"AM"},
      {LOCALE_S2359, u"PM"},
      {LOCALE_SPOSITIVESIGN, u""},
      {LOCALE_SNEGATIVESIGN, u"-"},
      {LOCALE_SNAME, u"en-US"},
      {LOCALE_SSHORTTIME, u"h:mm tt"},
      {LOCALE_STIMEFORMAT, u"h:mm:ss tt"},
      {LOCALE_IDEFAULTANSICODEPAGE, u"1252"},
      {LOCALE_ICALENDARTYPE, u"1"},
      {LOCALE_IFIRSTDAYOFWEEK, u"6"},
      {LOCALE_IFIRSTWEEKOFYEAR, u"0"},
  };
  static const char16_t* const days[] = {u"Monday", u"Tuesday", u"Wednesday", u"Thursday",
                                         u"Friday", u"Saturday", u"Sunday"};
  static const char16_t* const shortDays[] = {u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat", u"Sun"};
  static const char16_t* const months[] = {u"January", u"February", u"March",     u"April",
                                           u"May",     u"June",     u"July",      u"August",
                                           u"September", u"October", u"November", u"December"};
  static const char16_t* const shortMonths[] = {u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun",
                                                u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};
  PutNames(p->Items, LOCALE_SDAYNAME1, days, 7);
  PutNames(p->Items, LOCALE_SABBREVDAYNAME1, shortDays, 7);
  PutNames(p->Items, LOCALE_SMONTHNAME1, months, 12);
  PutNames(p->Items, LOCALE_SABBREVMONTHNAME1, shortMonths, 12);
  return p;
}

std::shared_ptr<const TProfileData> PortugueseBRProfile() {
  auto p = std::make_shared<TProfileData>();
  p->Lcid = 0x0416;
  p->CollationLocale = "pt_BR";
  p->Items = {
      {LOCALE_ILANGUAGE, u"0416"},
      {LOCALE_SLANGUAGE, u"Portuguese (Brazil)"},
      {LOCALE_IDEFAULTCODEPAGE, u"850"},
      {LOCALE_SLIST, u";"},
      {LOCALE_SDECIMAL, u","},
      {LOCALE_STHOUSAND, u"."},
      {LOCALE_SGROUPING, u"3;0"},
      {LOCALE_IDIGITS, u"2"},
      {LOCALE_ILZERO, u"1"},
      {LOCALE_SCURRENCY, u"R$"},
      {LOCALE_ICURRDIGITS, u"2"},
      {LOCALE_ICURRENCY, u"2"},
      {LOCALE_INEGCURR, u"9"},
      {LOCALE_SDATE, u"/"},
      {LOCALE_STIME, u":"},
      {LOCALE_SSHORTDATE, u"dd/MM/yyyy"},
      {LOCALE_SLONGDATE, u"dddd, d' de 'MMMM' de 'yyyy"},
      {LOCALE_IDATE, u"1"},
      {LOCALE_ITIME, u"1"},
      {LOCALE_S1159, u""},
      {LOCALE_S2359, u""},
      {LOCALE_SPOSITIVESIGN, u""},
      {LOCALE_SNEGATIVESIGN, u"-"},
      {LOCALE_SNAME, u"pt-BR"},
      {LOCALE_SSHORTTIME, u"HH:mm"},
      {LOCALE_STIMEFORMAT, u"HH:mm:ss"},
      {LOCALE_IDEFAULTANSICODEPAGE, u"1252"},
      {LOCALE_ICALENDARTYPE, u"1"},
      {LOCALE_IFIRSTDAYOFWEEK, u"6"},
      {LOCALE_IFIRSTWEEKOFYEAR, u"0"},
  };
  static const char16_t* const days[] = {u"segunda-feira", u"ter\u00e7a-feira", u"quarta-feira", u"quinta-feira",
                                         u"sexta-feira",   u"s\u00e1bado",      u"domingo"};
  static const char16_t* const shortDays[] = {u"seg", u"ter", u"qua", u"qui", u"sex", u"s\u00e1b", u"dom"};
  static const char16_t* const months[] = {u"janeiro", u"fevereiro", u"mar\u00e7o",  u"abril",
                                           u"maio",    u"junho",     u"julho",       u"agosto",
                                           u"setembro", u"outubro",  u"novembro",    u"dezembro"};
  static const char16_t* const shortMonths[] = {u"jan", u"fev", u"mar", u"abr", u"mai", u"jun",
                                                u"jul", u"ago", u"set", u"out", u"nov", u"dez"};
  PutNames(p->Items, LOCALE_SDAYNAME1, days, 7);
  PutNames(p->Items, LOCALE_SABBREVDAYNAME1, shortDays, 7);
  PutNames(p->Items, LOCALE_SMONTHNAME1, months, 12);
  PutNames(p->Items, LOCALE_SABBREVMONTHNAME1, shortMonths, 12);
  return p;
}
