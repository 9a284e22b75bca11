#include "host/SQLTimeStamp.h"

#include <tuple>

Integer SQLTimeStampCompare(const TSQLTimeStamp& A, const TSQLTimeStamp& B) {
  const auto key = [](const TSQLTimeStamp& t) {
    return std::make_tuple(t.Year, t.Month, t.Day, t.Hour, t.Minute, t.Second, t.Fractions);
  };
  return key(A) < key(B) ? -1 : key(B) < key(A) ? 1 : 0;
}

TDateTime SQLTimeStampToDateTime(const TSQLTimeStamp& Value) {
  if (Value.Year <= 0 && Value.Month == 0 && Value.Day == 0)
    return EncodeTime(Value.Hour, Value.Minute, Value.Second, static_cast<Word>(Value.Fractions));
  const TDateTime date = EncodeDate(static_cast<Word>(Value.Year), Value.Month, Value.Day);
  const TDateTime time = EncodeTime(Value.Hour, Value.Minute, Value.Second, static_cast<Word>(Value.Fractions));
  // Before the origin the time still counts forward from midnight.
  return date >= 0 ? date + time : date - time;
}

TSQLTimeStamp DateTimeToSQLTimeStamp(TDateTime Value) {
  TSQLTimeStamp t;
  Word year, month, day, msec;
  DecodeDate(Value, year, month, day);
  DecodeTime(Value, t.Hour, t.Minute, t.Second, msec);
  t.Year = static_cast<SmallInt>(year);
  t.Month = month;
  t.Day = day;
  t.Fractions = msec;
  return t;
}
