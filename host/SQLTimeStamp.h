#pragma once
// The database layer's time stamp: broken-down fields, 16 bytes as streams
// store it.

#include "host/DateUtils.h"

struct TSQLTimeStamp {
  SmallInt Year = 0;
  Word Month = 0;
  Word Day = 0;
  Word Hour = 0;
  Word Minute = 0;
  Word Second = 0;
  Cardinal Fractions = 0;  // milliseconds
  friend bool operator==(const TSQLTimeStamp&, const TSQLTimeStamp&) = default;
};
static_assert(sizeof(TSQLTimeStamp) == 16);

// Field by field, Year first: -1, 0 or 1.
Integer SQLTimeStampCompare(const TSQLTimeStamp& A, const TSQLTimeStamp& B);
// Raises EConvertError for fields that make no date or time.
TDateTime SQLTimeStampToDateTime(const TSQLTimeStamp& Value);
TSQLTimeStamp DateTimeToSQLTimeStamp(TDateTime Value);
