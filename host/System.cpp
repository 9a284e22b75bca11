#include "host/System.h"

#include <cmath>

#include "host/Exceptions.h"
#include "host/SysConst.h"
#include "platform/Kernel.h"

namespace {

template <typename Out, typename In, typename Convert>
Out ConvertAll(In s, Convert convert) {
  Out out;
  if (s.empty()) return out;
  // Each converter needs at most three units per source unit.
  out.resize(s.size() * 3);
  const int n = convert(s.data(), static_cast<int>(s.size()), out.data(), static_cast<int>(out.size()));
  out.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return out;
}

[[noreturn]] void RaiseInvalidOp() { throw EInvalidOp(SInvalidOp); }

// Checks that X truncates to a value in the signed 64-bit range.
void CheckInt64Range(Extended X) {
  if (!(X > -9223372036854775809.0L && X < 9223372036854775808.0L)) RaiseInvalidOp();
}

}  // namespace

UTF8String UTF8Encode(std::u16string_view S) {
  return ConvertAll<UTF8String>(S, [](const char16_t* s, int n, char* d, int m) {
    return WideCharToMultiByte(CP_UTF8, 0, s, n, d, m, nullptr, nullptr);
  });
}

String UTF8ToString(std::string_view S) {
  return ConvertAll<String>(S, [](const char* s, int n, char16_t* d, int m) {
    return MultiByteToWideChar(CP_UTF8, 0, s, n, d, m);
  });
}

AnsiString StringToAnsi(std::u16string_view S) {
  return ConvertAll<AnsiString>(S, [](const char16_t* s, int n, char* d, int m) {
    return WideCharToMultiByte(CP_ACP, 0, s, n, d, m, nullptr, nullptr);
  });
}

String AnsiToString(std::string_view S) {
  return ConvertAll<String>(S, [](const char* s, int n, char16_t* d, int m) {
    return MultiByteToWideChar(CP_ACP, 0, s, n, d, m);
  });
}

String Copy(std::u16string_view S, Int64 Index, Int64 Count) {
  if (Index < 1) Index = 1;
  const Int64 length = static_cast<Int64>(S.size());
  if (Count <= 0 || Index > length) return {};
  if (Count > length - Index + 1) Count = length - Index + 1;
  return String(S.substr(static_cast<size_t>(Index - 1), static_cast<size_t>(Count)));
}

void Delete(String& S, Int64 Index, Int64 Count) {
  const Int64 length = static_cast<Int64>(S.size());
  if (Index < 1 || Index > length || Count <= 0) return;
  if (Count > length - Index + 1) Count = length - Index + 1;
  S.erase(static_cast<size_t>(Index - 1), static_cast<size_t>(Count));
}

void Insert(std::u16string_view Source, String& S, Int64 Index) {
  const Int64 length = static_cast<Int64>(S.size());
  if (Index < 1) Index = 1;
  if (Index > length + 1) Index = length + 1;
  S.insert(static_cast<size_t>(Index - 1), Source);
}

String StringOfChar(Char Ch, Integer Count) { return Count > 0 ? String(static_cast<size_t>(Count), Ch) : String(); }

Int64 Round(Extended X) {
  if (std::isnan(X)) RaiseInvalidOp();
  const Extended whole = std::trunc(X);
  const Extended rest = X - whole;  // exact
  Extended result = whole;
  if (std::fabs(rest) > 0.5L || (std::fabs(rest) == 0.5L && std::fmod(whole, 2.0L) != 0))
    result += X < 0 ? -1 : 1;
  CheckInt64Range(result);
  return static_cast<Int64>(result);
}

Int64 Trunc(Extended X) {
  CheckInt64Range(X);
  return static_cast<Int64>(X);
}

Extended Int(Extended X) { return std::trunc(X); }

Extended Frac(Extended X) { return X - std::trunc(X); }
