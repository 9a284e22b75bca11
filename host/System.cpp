#include "host/System.h"

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "host/Exceptions.h"
#include "host/SysConst.h"
#include "platform/Kernel.h"
#include "platform/Units.h"

bool ModuleIsLib = false;
bool ModuleIsPackage = false;
bool IsMultiThread = false;

void Halt(Integer ExitCode) {
  // Nothing may stop the program from ending: a unit that fails to end
  // leaves the others to end all the same.
  try {
    if (UnitsInitialized()) FinalizeUnits();
  } catch (const std::exception&) {
  }
  std::exit(ExitCode);
}

namespace {

// Each conversion needs at most three target units per source unit.
std::string Encode(UINT codePage, std::u16string_view s) {
  std::string out(s.size() * 3, '\0');
  const int n = s.empty() ? 0
                          : WideCharToMultiByte(codePage, 0, s.data(), static_cast<int>(s.size()), out.data(),
                                                static_cast<int>(out.size()), nullptr, nullptr);
  out.resize(static_cast<size_t>(n));
  return out;
}

String Decode(UINT codePage, std::string_view s) {
  String out(s.size(), u'\0');
  const int n = s.empty() ? 0
                          : MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), out.data(),
                                                static_cast<int>(out.size()));
  out.resize(static_cast<size_t>(n));
  return out;
}

[[noreturn]] void RaiseInvalidOp() { throw EInvalidOp(SInvalidOp); }

// Checks that X truncates to a value in the signed 64-bit range.
void CheckInt64Range(Extended X) {
  if (!(X > -9223372036854775809.0L && X < 9223372036854775808.0L)) RaiseInvalidOp();
}

}  // namespace

UTF8String UTF8Encode(std::u16string_view S) { return Encode(CP_UTF8, S); }
String UTF8ToString(std::string_view S) { return Decode(CP_UTF8, S); }
AnsiString StringToAnsi(std::u16string_view S) { return Encode(CP_ACP, S); }
String AnsiToString(std::string_view S) { return Decode(CP_ACP, S); }

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

static_assert(LDBL_MANT_DIG == 64, "extended values need the 80-bit format");

void ExtendedToBytes(Extended Value, Byte (&Bytes)[10]) { std::memcpy(Bytes, &Value, 10); }

Extended BytesToExtended(const Byte (&Bytes)[10]) {
  Extended value = 0;  // the padding past the 10 bytes stays zero
  std::memcpy(&value, Bytes, 10);
  return value;
}
