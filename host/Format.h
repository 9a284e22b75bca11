#pragma once
// Text formatting with a list of values of mixed kinds.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

// One element of a list of values given to Format. It refers to the text of
// string arguments, so it lives only as long as the call it is passed to.
class TVarRec {
 public:
  enum class TKind : uint8_t { Integer, Int64, UInt64, Extended, Boolean, Char, AnsiChar, String, AnsiString, Pointer };

  TVarRec(int v) : FKind(TKind::Integer), FInt(v) {}
  TVarRec(long v) : FKind(TKind::Int64), FInt(v) {}
  TVarRec(long long v) : FKind(TKind::Int64), FInt(v) {}
  TVarRec(unsigned v) : FKind(TKind::Int64), FInt(v) {}
  TVarRec(unsigned long v) : FKind(TKind::UInt64), FUInt(v) {}
  TVarRec(unsigned long long v) : FKind(TKind::UInt64), FUInt(v) {}
  TVarRec(double v) : FKind(TKind::Extended), FFloat(v) {}
  TVarRec(long double v) : FKind(TKind::Extended), FFloat(v) {}
  TVarRec(bool v) : FKind(TKind::Boolean), FInt(v) {}
  TVarRec(char16_t v) : FKind(TKind::Char), FInt(v) {}
  TVarRec(char v) : FKind(TKind::AnsiChar), FInt(static_cast<unsigned char>(v)) {}
  TVarRec(const char16_t* v) : FKind(TKind::String), FText16(v ? v : u"") {}
  TVarRec(std::u16string_view v) : FKind(TKind::String), FText16(v) {}
  TVarRec(const std::u16string& v) : FKind(TKind::String), FText16(v) {}
  TVarRec(const char* v) : FKind(TKind::AnsiString), FText8(v ? v : "") {}
  TVarRec(const std::string& v) : FKind(TKind::AnsiString), FText8(v) {}
  TVarRec(const void* v) : FKind(TKind::Pointer), FPointer(v) {}

  TKind Kind() const { return FKind; }
  bool IsInteger() const { return FKind == TKind::Integer || FKind == TKind::Int64 || FKind == TKind::UInt64; }
  int64_t AsInt64() const { return FInt; }
  uint64_t AsUInt64() const { return FUInt; }
  long double AsExtended() const { return FFloat; }
  std::u16string_view AsText16() const { return FText16; }
  std::string_view AsText8() const { return FText8; }
  const void* AsPointer() const { return FPointer; }

 private:
  TKind FKind;
  union {
    int64_t FInt;
    uint64_t FUInt;
    long double FFloat;
    const void* FPointer;
  };
  std::u16string_view FText16;
  std::string_view FText8;
};

// Formats with `%[index:][-][width][.precision]type`, type one of d, u, x and
// s; width and precision may be `*` to take them from the list, and `%%` is a
// percent sign. A specifier that does not match its value, or a missing value,
// raises EConvertError.
std::u16string Format(std::u16string_view Fmt, std::initializer_list<TVarRec> Args);
