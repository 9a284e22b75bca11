#include "platform/Kernel.h"

#include <gtest/gtest.h>

#include <climits>
#include <future>
#include <memory>
#include <thread>
#include <random>
#include <string>

namespace {

struct MulDivCase {
  int a, b, c, expected;
};

TEST(MulDiv, RoundsHalvesAwayFromZeroAndFailsWithMinusOne) {
  const MulDivCase cases[] = {
      {10, 1, 2, 5},       {5, 1, 2, 3},        {-5, 1, 2, -3},     {5, -1, 2, -3},
      {5, 1, -2, -3},      {-5, -1, -2, -3},    {7, 1, 2, 4},       {1, 1, 3, 0},
      {2, 1, 3, 1},        {-2, 1, 3, -1},      {10, 8, 20, 4},     {2, 255, 4, 128},
      {58, 45, 90, 29},    {10, 66, 100, 7},    {350, 96, 72, 467}, {351, 96, 72, 468},
      {0, 0, 1, 0},        {1, 1, 0, -1},       {0, 5, 0, -1},      {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
      {INT_MAX, 2, 1, -1}, {INT_MIN, 1, 1, INT_MIN}, {INT_MIN, -1, 1, -1}, {INT_MIN, INT_MIN, INT_MIN, INT_MIN},
      {INT_MIN, INT_MIN, 1, -1},
  };
  for (const auto& t : cases)
    EXPECT_EQ(MulDiv(t.a, t.b, t.c), t.expected) << t.a << " * " << t.b << " / " << t.c;
}

std::u16string FromUtf8(const std::string& s, DWORD flags = 0) {
  const int n = MultiByteToWideChar(CP_UTF8, flags, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::u16string out(static_cast<size_t>(n), u'\0');
  if (n) MultiByteToWideChar(CP_UTF8, flags, s.data(), static_cast<int>(s.size()), out.data(), n);
  return out;
}

std::string ToCodePage(UINT cp, const std::u16string& s, BOOL* usedDefault = nullptr) {
  const int n = WideCharToMultiByte(cp, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, usedDefault);
  std::string out(static_cast<size_t>(n), '\0');
  if (n) WideCharToMultiByte(cp, 0, s.data(), static_cast<int>(s.size()), out.data(), n, nullptr, usedDefault);
  return out;
}

TEST(CodePages, Utf8RoundTripsWellFormedText) {
  const std::u16string text = u"Tempo 40 \u00e7\u00e3o \u20ac \U0001F600 \uFFFF";
  const std::string utf8 = ToCodePage(CP_UTF8, text);
  EXPECT_EQ(utf8, "Tempo 40 \xc3\xa7\xc3\xa3o \xe2\x82\xac \xf0\x9f\x98\x80 \xef\xbf\xbf");
  EXPECT_EQ(FromUtf8(utf8), text);
}

TEST(CodePages, UnpairedSurrogatesBecomeReplacementCharacters) {
  const std::u16string lone = {u'a', 0xD800, u'b', 0xDC00, 0xDBFF};
  EXPECT_EQ(ToCodePage(CP_UTF8, lone), "a\xef\xbf\xbd" "b\xef\xbf\xbd\xef\xbf\xbd");
  EXPECT_EQ(FromUtf8(ToCodePage(CP_UTF8, lone)), (std::u16string{u'a', 0xFFFD, u'b', 0xFFFD, 0xFFFD}));

  SetLastError(0);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, lone.data(), 5, nullptr, 0, nullptr, nullptr), 0);
  EXPECT_EQ(GetLastError(), ERROR_NO_UNICODE_TRANSLATION);
}

TEST(CodePages, IllFormedUtf8IsReplacedOrRejected) {
  struct Case {
    const char* bytes;
    std::u16string expected;
  } cases[] = {
      {"\x80", u"\uFFFD"},                     // stray continuation
      {"\xc0\xaf", u"\uFFFD\uFFFD"},           // overlong
      {"\xed\xa0\x80", u"\uFFFD\uFFFD\uFFFD"}, // encoded surrogate
      {"\xf4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // beyond U+10FFFF
      {"a\xe2\x82", u"a\uFFFD"},               // truncated at the end
      {"\xe2\x82x", u"\uFFFDx"},               // truncated before a character
      {"\xff", u"\uFFFD"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FromUtf8(c.bytes), c.expected) << c.bytes;
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, c.bytes, -1, nullptr, 0), 0);
    EXPECT_EQ(GetLastError(), ERROR_NO_UNICODE_TRANSLATION);
  }
}

TEST(CodePages, Windows1252MapsItsHighRangeBothWays) {
  std::string all;
  for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
  std::u16string wide(all.size(), u'\0');
  ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, all.data(), static_cast<int>(all.size()), wide.data(),
                                static_cast<int>(wide.size())),
            255);
  EXPECT_EQ(wide[0x80 - 1], u'\u20AC');
  EXPECT_EQ(wide[0x81 - 1], u'\u0081');
  EXPECT_EQ(wide[0x9F - 1], u'\u0178');
  EXPECT_EQ(wide[0xE9 - 1], u'\u00E9');
  BOOL usedDefault = TRUE;
  EXPECT_EQ(ToCodePage(CP_ACP, wide, &usedDefault), all);
  EXPECT_FALSE(usedDefault);

  EXPECT_EQ(ToCodePage(CP_ACP, u"\u0100\U0001F600!", &usedDefault), "?" "?!");
  EXPECT_TRUE(usedDefault);
}

TEST(CodePages, BufferSizesAndTerminators) {
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "abc", -1, nullptr, 0), 4);
  WCHAR small[2];
  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "abc", 3, small, 2), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);

  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(437, 0, "abc", 3, nullptr, 0), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  char defaultChar = '#';
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"a", 1, nullptr, 0, &defaultChar, nullptr), 0);
  char out = 0;
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"\u0100", 1, &out, 1, &defaultChar, nullptr), 1);
  EXPECT_EQ(out, '#');
  EXPECT_EQ(GetACP(), 1252u);
}

TEST(CodePages, RandomBytesNeverOverrunAndRoundTripThroughUtf16) {
  std::mt19937 rng(1234);
  for (int round = 0; round < 2000; ++round) {
    std::string bytes(rng() % 24, '\0');
    for (char& b : bytes) b = static_cast<char>(rng());
    const std::u16string wide = FromUtf8(bytes);
    // Whatever came in, what goes out is well formed and reads back the same.
    const std::string again = ToCodePage(CP_UTF8, wide);
    EXPECT_EQ(FromUtf8(again, MB_ERR_INVALID_CHARS), wide);
  }
}

}  // namespace

namespace {

TEST(SystemInfo, TheVersionIsWindowsNT61) {
  OSVERSIONINFOW info;
  ASSERT_TRUE(GetVersionExW(&info));
  EXPECT_EQ(info.dwPlatformId, VER_PLATFORM_WIN32_NT);
  EXPECT_EQ(info.dwMajorVersion, 6u);
  EXPECT_EQ(info.dwMinorVersion, 1u);
  EXPECT_EQ(info.dwBuildNumber, 7601u);
  EXPECT_EQ(std::u16string(info.szCSDVersion), u"Service Pack 1");
  OSVERSIONINFOW wrong;
  wrong.dwOSVersionInfoSize = 0;
  EXPECT_FALSE(GetVersionExW(&wrong));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(wrong.dwMajorVersion, 0u);
}

TEST(SystemInfo, TestsMayReportAnotherVersionForAWhile) {
  SetReportedVersion(5, 1);
  OSVERSIONINFOW info;
  ASSERT_TRUE(GetVersionExW(&info));
  SetReportedVersion(6, 1);
  EXPECT_EQ(info.dwMajorVersion, 5u);
  EXPECT_EQ(info.dwMinorVersion, 1u);
  OSVERSIONINFOW fixed;
  ASSERT_TRUE(GetVersionExW(&fixed));
  EXPECT_EQ(fixed.dwMajorVersion, 6u);
}

TEST(SystemInfo, TheProcessIsNativeAndTheMachineHasProcessors) {
  BOOL wow64 = TRUE;
  ASSERT_TRUE(IsWow64Process(GetCurrentProcess(), &wow64));
  EXPECT_FALSE(wow64);
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  EXPECT_GE(info.dwNumberOfProcessors, 1u);
  EXPECT_EQ(info.dwActiveProcessorMask & 1, 1u);
  EXPECT_EQ(info.dwPageSize, 4096u);
}

TEST(SystemInfo, TheErrorModeIsRecordedAndHandedBack) {
  const UINT before = SetErrorMode(SEM_NOOPENFILEERRORBOX);
  EXPECT_EQ(SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX), SEM_NOOPENFILEERRORBOX);
  EXPECT_EQ(SetErrorMode(before), SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
}

// The worker keeps the promise alive until it is done with it.
using TSharedPromise = std::shared_ptr<std::promise<std::thread::id>>;

DWORD AnswerThread(void* context) {
  std::unique_ptr<TSharedPromise> promise(static_cast<TSharedPromise*>(context));
  (*promise)->set_value(std::this_thread::get_id());
  return 0;
}

TEST(WorkItems, RunOnAWorkerThread) {
  auto promise = std::make_shared<std::promise<std::thread::id>>();
  std::future<std::thread::id> worker = promise->get_future();
  ASSERT_TRUE(QueueUserWorkItem(&AnswerThread, new TSharedPromise(promise), WT_EXECUTEDEFAULT));
  EXPECT_NE(worker.get(), std::this_thread::get_id());
  EXPECT_FALSE(QueueUserWorkItem(nullptr, nullptr, WT_EXECUTEDEFAULT));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

}  // namespace
