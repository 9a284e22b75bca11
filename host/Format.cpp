#include "host/Format.h"

#include "host/Exceptions.h"
#include "host/SysConst.h"
#include "host/SysUtils.h"

namespace {

constexpr int NoValue = -1;

struct TSpecifier {
  bool LeftJustify = false;
  int Width = NoValue;
  int Precision = NoValue;
  char16_t Type = 0;
};

class TFormatter {
 public:
  TFormatter(std::u16string_view fmt, std::initializer_list<TVarRec> args)
      : FFmt(fmt), FArgs(args.begin()), FCount(static_cast<int>(args.size())) {}

  String Run() {
    String out;
    out.reserve(FFmt.size() + 16);
    size_t i = 0;
    while (i < FFmt.size()) {
      const size_t percent = FFmt.find(u'%', i);
      if (percent == std::u16string_view::npos) {
        out.append(FFmt.substr(i));
        break;
      }
      out.append(FFmt.substr(i, percent - i));
      i = percent + 1;
      if (i < FFmt.size() && FFmt[i] == u'%') {
        out.push_back(u'%');
        ++i;
        continue;
      }
      TSpecifier specifier = ParseSpecifier(i);
      Pad(out, Convert(specifier, NextArg()), specifier);
    }
    return out;
  }

 private:
  [[noreturn]] void Invalid() const { throw EConvertError(SInvalidFormat, {FFmt}); }

  const TVarRec& NextArg() {
    if (FNext >= FCount) throw EConvertError(SArgumentMissing, {FFmt});
    return FArgs[FNext++];
  }

  // Digits or '*'; NoValue when neither is there.
  int ReadNumber(size_t& i) {
    if (i < FFmt.size() && FFmt[i] == u'*') {
      ++i;
      const TVarRec& arg = NextArg();
      if (arg.Kind() != TVarRec::TKind::Integer) Invalid();
      return static_cast<int>(arg.AsInt64());
    }
    if (i >= FFmt.size() || FFmt[i] < u'0' || FFmt[i] > u'9') return NoValue;
    int64_t value = 0;
    while (i < FFmt.size() && FFmt[i] >= u'0' && FFmt[i] <= u'9') {
      value = value * 10 + (FFmt[i] - u'0');
      if (value > 0x7FFFFFFF) Invalid();
      ++i;
    }
    return static_cast<int>(value);
  }

  TSpecifier ParseSpecifier(size_t& i) {
    TSpecifier specifier;
    size_t j = i;
    while (j < FFmt.size() && FFmt[j] >= u'0' && FFmt[j] <= u'9') ++j;
    if (j > i && j < FFmt.size() && FFmt[j] == u':') {
      // An explicit argument index; later specifiers continue after it.
      const int index = ReadNumber(i);
      if (index >= FCount) throw EConvertError(SArgumentMissing, {FFmt});
      FNext = index;
      ++i;
    }
    if (i < FFmt.size() && FFmt[i] == u'-') {
      specifier.LeftJustify = true;
      ++i;
    }
    specifier.Width = ReadNumber(i);
    if (i < FFmt.size() && FFmt[i] == u'.') {
      ++i;
      specifier.Precision = ReadNumber(i);
      if (specifier.Precision == NoValue) specifier.Precision = 0;
    }
    if (i >= FFmt.size()) Invalid();
    specifier.Type = FFmt[i++];
    return specifier;
  }

  String Convert(const TSpecifier& specifier, const TVarRec& arg) {
    switch (specifier.Type | 0x20) {  // the type letter is not case sensitive
      case u'd': return Decimal(specifier, arg);
      case u'u': return Unsigned(specifier, arg);
      case u'x': return Hex(specifier, arg);
      case u's': return Text(specifier, arg);
      default: Invalid();
    }
  }

  String Decimal(const TSpecifier& specifier, const TVarRec& arg) {
    if (!arg.IsInteger()) Invalid();
    if (arg.Kind() == TVarRec::TKind::UInt64) return UIntToDigits(arg.AsUInt64(), 10, specifier.Precision);
    const int64_t v = arg.AsInt64();
    const uint64_t magnitude = v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
    String digits = UIntToDigits(magnitude, 10, specifier.Precision);
    return v < 0 ? u"-" + digits : digits;
  }

  // A 32-bit integer is read as its unsigned 32-bit pattern.
  static uint64_t Pattern(const TVarRec& arg) {
    if (arg.Kind() == TVarRec::TKind::Integer) return static_cast<uint32_t>(arg.AsInt64());
    return arg.AsUInt64();
  }

  String Unsigned(const TSpecifier& specifier, const TVarRec& arg) {
    if (!arg.IsInteger()) Invalid();
    return UIntToDigits(Pattern(arg), 10, specifier.Precision);
  }

  String Hex(const TSpecifier& specifier, const TVarRec& arg) {
    if (!arg.IsInteger()) Invalid();
    return UIntToDigits(Pattern(arg), 16, specifier.Precision);
  }

  String Text(const TSpecifier& specifier, const TVarRec& arg) {
    String text;
    switch (arg.Kind()) {
      case TVarRec::TKind::String: text = String(arg.AsText16()); break;
      case TVarRec::TKind::AnsiString: text = AnsiToString(arg.AsText8()); break;
      case TVarRec::TKind::Char: text = String(1, static_cast<char16_t>(arg.AsInt64())); break;
      case TVarRec::TKind::AnsiChar: text = AnsiToString(std::string(1, static_cast<char>(arg.AsInt64()))); break;
      default: Invalid();
    }
    if (specifier.Precision != NoValue && static_cast<size_t>(specifier.Precision) < text.size()) text.resize(specifier.Precision);
    return text;
  }

  static void Pad(String& out, const String& value, const TSpecifier& specifier) {
    const size_t width = specifier.Width > 0 ? static_cast<size_t>(specifier.Width) : 0;
    const size_t fill = width > value.size() ? width - value.size() : 0;
    if (!specifier.LeftJustify) out.append(fill, u' ');
    out.append(value);
    if (specifier.LeftJustify) out.append(fill, u' ');
  }

  std::u16string_view FFmt;
  const TVarRec* FArgs;
  int FCount;
  int FNext = 0;
};

}  // namespace

std::u16string Format(std::u16string_view Fmt, std::initializer_list<TVarRec> Args) {
  return TFormatter(Fmt, Args).Run();
}
