#include "platform/Kernel.h"

#include <cstdlib>
#include <ctime>

namespace {

thread_local DWORD LastError = ERROR_SUCCESS;

constexpr char32_t ReplacementChar = 0xFFFD;

// Code page 1252 differs from Latin-1 only in 0x80..0x9F; the five unassigned
// bytes map to the C1 controls of the same value, as the system does.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

int Cp1252FromUnicode(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
  for (int i = 0; i < 32; ++i)
    if (Cp1252High[i] == c) return 0x80 + i;
  return -1;
}

// Collects output units; with no buffer it only counts.
template <typename T>
struct Sink {
  T* Buffer;
  int Capacity;
  int Count = 0;
  bool Overflow = false;

  void Put(T unit) {
    if (Buffer) {
      if (Count >= Capacity) {
        Overflow = true;
        return;
      }
      Buffer[Count] = unit;
    }
    ++Count;
  }
};

bool IsSupportedCodePage(UINT cp) { return cp == CP_ACP || cp == CP_UTF8 || cp == CP_WINDOWS_1252; }

// Decodes one UTF-8 sequence at s[i..n); returns false for an ill-formed one,
// in which case `length` is the maximal ill-formed prefix to replace.
bool DecodeUtf8(const unsigned char* s, int n, int i, char32_t& cp, int& length) {
  const unsigned char b0 = s[i];
  if (b0 < 0x80) {
    cp = b0;
    length = 1;
    return true;
  }
  int need;
  char32_t value;
  unsigned char lo = 0x80, hi = 0xBF;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    need = 1;
    value = b0 & 0x1F;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    need = 2;
    value = b0 & 0x0F;
    if (b0 == 0xE0) lo = 0xA0;       // overlong
    if (b0 == 0xED) hi = 0x9F;       // surrogate halves
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    need = 3;
    value = b0 & 0x07;
    if (b0 == 0xF0) lo = 0x90;       // overlong
    if (b0 == 0xF4) hi = 0x8F;       // beyond U+10FFFF
  } else {
    length = 1;
    return false;
  }
  int k = 1;
  for (; k <= need; ++k) {
    if (i + k >= n) break;
    const unsigned char b = s[i + k];
    const unsigned char low = k == 1 ? lo : 0x80, high = k == 1 ? hi : 0xBF;
    if (b < low || b > high) break;
    value = (value << 6) | (b & 0x3F);
  }
  length = k;
  if (k <= need) return false;
  cp = value;
  return true;
}

template <typename Emit>
void EncodeUtf8(char32_t c, Emit&& put) {
  if (c < 0x80) {
    put(static_cast<char>(c));
  } else if (c < 0x800) {
    put(static_cast<char>(0xC0 | (c >> 6)));
    put(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    put(static_cast<char>(0xE0 | (c >> 12)));
    put(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    put(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    put(static_cast<char>(0xF0 | (c >> 18)));
    put(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    put(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    put(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

template <typename T>
int Finish(const Sink<T>& sink) {
  if (sink.Overflow) {
    LastError = ERROR_INSUFFICIENT_BUFFER;
    return 0;
  }
  return sink.Count;
}

template <typename T>
int SourceLength(const T* s, int n) {
  if (n >= 0) return n;
  int len = 0;
  while (s[len]) ++len;
  return len + 1;
}

}  // namespace

DWORD GetLastError() { return LastError; }

void SetLastError(DWORD dwErrCode) { LastError = dwErrCode; }

int MulDiv(int nNumber, int nNumerator, int nDenominator) {
  if (nDenominator == 0) return -1;
  const int64_t product = static_cast<int64_t>(nNumber) * nNumerator;
  const bool negative = (product < 0) != (nDenominator < 0);
  const uint64_t p = static_cast<uint64_t>(product < 0 ? -product : product);
  const uint64_t d = static_cast<uint64_t>(std::llabs(static_cast<int64_t>(nDenominator)));
  // floor(p / d + 1/2) without leaving unsigned 64 bits: p < 2^63, d < 2^32.
  const uint64_t q = (2 * p + d) / (2 * d);
  if (q > (negative ? 2147483648ULL : 2147483647ULL)) return -1;
  return negative ? static_cast<int>(-static_cast<int64_t>(q)) : static_cast<int>(q);
}

UINT GetACP() { return CP_WINDOWS_1252; }

int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                        LPWSTR lpWideCharStr, int cchWideChar) {
  if (!IsSupportedCodePage(CodePage) || !lpMultiByteStr || cbMultiByte == 0 || cchWideChar < 0 ||
      (cchWideChar > 0 && !lpWideCharStr)) {
    LastError = ERROR_INVALID_PARAMETER;
    return 0;
  }
  if ((dwFlags & ~MB_ERR_INVALID_CHARS) != 0) {
    LastError = ERROR_INVALID_FLAGS;
    return 0;
  }
  const int n = SourceLength(lpMultiByteStr, cbMultiByte);
  const auto* s = reinterpret_cast<const unsigned char*>(lpMultiByteStr);
  Sink<WCHAR> out{cchWideChar ? lpWideCharStr : nullptr, cchWideChar};
  if (CodePage == CP_UTF8) {
    for (int i = 0; i < n;) {
      char32_t cp;
      int length;
      if (!DecodeUtf8(s, n, i, cp, length)) {
        if (dwFlags & MB_ERR_INVALID_CHARS) {
          LastError = ERROR_NO_UNICODE_TRANSLATION;
          return 0;
        }
        cp = ReplacementChar;
      }
      i += length;
      if (cp >= 0x10000) {
        out.Put(static_cast<WCHAR>(0xD800 + ((cp - 0x10000) >> 10)));
        out.Put(static_cast<WCHAR>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
      } else {
        out.Put(static_cast<WCHAR>(cp));
      }
    }
  } else {
    for (int i = 0; i < n; ++i)
      out.Put(s[i] >= 0x80 && s[i] < 0xA0 ? Cp1252High[s[i] - 0x80] : static_cast<WCHAR>(s[i]));
  }
  return Finish(out);
}

int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                        LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar,
                        BOOL* lpUsedDefaultChar) {
  if (!IsSupportedCodePage(CodePage) || !lpWideCharStr || cchWideChar == 0 || cbMultiByte < 0 ||
      (cbMultiByte > 0 && !lpMultiByteStr) ||
      (CodePage == CP_UTF8 && (lpDefaultChar || lpUsedDefaultChar))) {
    LastError = ERROR_INVALID_PARAMETER;
    return 0;
  }
  const DWORD allowed = CodePage == CP_UTF8 ? WC_ERR_INVALID_CHARS : 0;
  if ((dwFlags & ~allowed) != 0) {
    LastError = ERROR_INVALID_FLAGS;
    return 0;
  }
  const int n = SourceLength(lpWideCharStr, cchWideChar);
  Sink<CHAR> out{cbMultiByte ? lpMultiByteStr : nullptr, cbMultiByte};
  bool usedDefault = false;
  const CHAR defaultChar = lpDefaultChar ? *lpDefaultChar : '?';
  for (int i = 0; i < n; ++i) {
    char32_t c = lpWideCharStr[i];
    bool valid = true;
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n && lpWideCharStr[i + 1] >= 0xDC00 &&
        lpWideCharStr[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (lpWideCharStr[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      valid = false;
    }
    if (CodePage == CP_UTF8) {
      if (!valid) {
        if (dwFlags & WC_ERR_INVALID_CHARS) {
          LastError = ERROR_NO_UNICODE_TRANSLATION;
          return 0;
        }
        c = ReplacementChar;
      }
      EncodeUtf8(c, [&](CHAR b) { out.Put(b); });
    } else {
      const int b = valid ? Cp1252FromUnicode(c) : -1;
      if (b < 0) usedDefault = true;
      out.Put(b < 0 ? defaultChar : static_cast<CHAR>(b));
    }
  }
  if (lpUsedDefaultChar) *lpUsedDefaultChar = usedDefault ? TRUE : FALSE;
  return Finish(out);
}

namespace {

void FillSystemTime(SYSTEMTIME* st, bool local) {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  tm parts{};
  if (local) localtime_r(&now.tv_sec, &parts);
  else gmtime_r(&now.tv_sec, &parts);
  st->wYear = static_cast<WORD>(parts.tm_year + 1900);
  st->wMonth = static_cast<WORD>(parts.tm_mon + 1);
  st->wDayOfWeek = static_cast<WORD>(parts.tm_wday);
  st->wDay = static_cast<WORD>(parts.tm_mday);
  st->wHour = static_cast<WORD>(parts.tm_hour);
  st->wMinute = static_cast<WORD>(parts.tm_min);
  st->wSecond = static_cast<WORD>(parts.tm_sec);
  st->wMilliseconds = static_cast<WORD>(now.tv_nsec / 1000000);
}

}  // namespace

void GetLocalTime(SYSTEMTIME* lpSystemTime) { FillSystemTime(lpSystemTime, true); }

void GetSystemTime(SYSTEMTIME* lpSystemTime) { FillSystemTime(lpSystemTime, false); }
