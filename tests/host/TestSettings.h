#pragma once

#include "host/FormatSettings.h"

// Settings filled by hand so that no answer depends on the locale loader.
inline TFormatSettings EnglishSettings() {
  TFormatSettings fs;
  fs.DecimalSeparator = u'.';
  fs.ThousandSeparator = u',';
  fs.CurrencyString = u"$";
  fs.CurrencyFormat = 0;
  fs.NegCurrFormat = 0;
  fs.CurrencyDecimals = 2;
  fs.DateSeparator = u'/';
  fs.TimeSeparator = u':';
  fs.ShortDateFormat = u"M/d/yyyy";
  fs.LongDateFormat = u"dddd, MMMM d, yyyy";
  fs.ShortTimeFormat = u"h:mm AMPM";
  fs.LongTimeFormat = u"h:mm:ss AMPM";
  fs.TimeAMString = u"AM";
  fs.TimePMString = u"PM";
  fs.ShortMonthNames = {u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun",
                        u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};
  fs.LongMonthNames = {u"January", u"February", u"March",     u"April",   u"May",      u"June",
                       u"July",    u"August",   u"September", u"October", u"November", u"December"};
  fs.ShortDayNames = {u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"};
  fs.LongDayNames = {u"Sunday", u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday"};
  fs.TwoDigitYearCenturyWindow = 50;
  return fs;
}

inline TFormatSettings BrazilianSettings() {
  TFormatSettings fs;
  fs.DecimalSeparator = u',';
  fs.ThousandSeparator = u'.';
  fs.CurrencyString = u"R$";
  fs.CurrencyFormat = 2;
  fs.NegCurrFormat = 9;
  fs.CurrencyDecimals = 2;
  fs.DateSeparator = u'/';
  fs.TimeSeparator = u':';
  fs.ShortDateFormat = u"dd/MM/yyyy";
  fs.LongDateFormat = u"dddd, d' de 'MMMM' de 'yyyy";
  fs.ShortTimeFormat = u"hh:mm";
  fs.LongTimeFormat = u"hh:mm:ss";
  fs.ShortMonthNames = {u"jan", u"fev", u"mar", u"abr", u"mai", u"jun",
                        u"jul", u"ago", u"set", u"out", u"nov", u"dez"};
  fs.LongMonthNames = {u"janeiro", u"fevereiro", u"março",    u"abril",   u"maio",     u"junho",
                       u"julho",   u"agosto",    u"setembro", u"outubro", u"novembro", u"dezembro"};
  fs.ShortDayNames = {u"dom", u"seg", u"ter", u"qua", u"qui", u"sex", u"sáb"};
  fs.LongDayNames = {u"domingo",      u"segunda-feira", u"terça-feira", u"quarta-feira",
                     u"quinta-feira", u"sexta-feira",   u"sábado"};
  fs.TwoDigitYearCenturyWindow = 50;
  return fs;
}
