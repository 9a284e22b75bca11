#include "platform/Resources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Kernel.h"

// The fixtures from tests/data are embedded into this program by
// tests/platform/CMakeLists.txt.

namespace {

const std::string Greeting = "Hello, resources!\nSecond line: caf\xc3\xa9.\n";

std::vector<unsigned char> Pattern() {
  std::vector<unsigned char> bytes(300);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<unsigned char>(i * 37 + 11);
  return bytes;
}

std::string Contents(HMODULE module, HRSRC res) {
  HGLOBAL data = LoadResource(module, res);
  const auto* p = static_cast<const char*>(LockResource(data));
  const DWORD size = SizeofResource(module, res);
  return p ? std::string(p, size) : std::string();
}

TEST(Resources, IntegerResourcesArePointerValuesBelow0x10000) {
  EXPECT_EQ(reinterpret_cast<ULONG_PTR>(MAKEINTRESOURCEW(123)), 123u);
  EXPECT_TRUE(IS_INTRESOURCE(RT_RCDATA));
  EXPECT_TRUE(IS_INTRESOURCE(MAKEINTRESOURCEW(0xFFFF)));
  EXPECT_FALSE(IS_INTRESOURCE(u"TESTDATA"));
  EXPECT_EQ(reinterpret_cast<ULONG_PTR>(RT_CURSOR), 1u);
  EXPECT_EQ(reinterpret_cast<ULONG_PTR>(RT_BITMAP), 2u);
  EXPECT_EQ(reinterpret_cast<ULONG_PTR>(RT_RCDATA), 10u);
  EXPECT_EQ(reinterpret_cast<ULONG_PTR>(RT_GROUP_CURSOR), 12u);
}

TEST(Resources, ProgramModuleIsTheNullName) {
  HMODULE self = GetModuleHandleW(nullptr);
  ASSERT_NE(self, nullptr);
  EXPECT_EQ(self, GetModuleHandleW(nullptr));
  SetLastError(0);
  EXPECT_EQ(GetModuleHandleW(u"libnothing.so"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
}

struct FoundCase {
  const char16_t* Name;  // nullptr: NameId
  WORD NameId;
  const char16_t* Type;  // nullptr: TypeId
  WORD TypeId;
  const char* Expected;  // "pattern" for the binary fixture
};

TEST(Resources, FindsByAnyCaseByNumberAndByHashNumber) {
  const FoundCase cases[] = {
      {u"Greeting", 0, u"TESTDATA", 0, "greeting"},
      {u"GREETING", 0, u"testdata", 0, "greeting"},
      {u"gReEtInG", 0, u"TestData", 0, "greeting"},
      {u"\u00d1and\u00fa", 0, u"TESTDATA", 0, "greeting"},
      {u"\u00f1AND\u00da", 0, u"testdata", 0, "greeting"},
      {nullptr, 123, nullptr, 10, "pattern"},
      {u"#123", 0, nullptr, 10, "pattern"},
      {nullptr, 123, u"#10", 0, "pattern"},
      {u"pattern", 0, nullptr, 10, "pattern"},
      {u"Empty", 0, u"TESTDATA", 0, ""},
  };
  const std::vector<unsigned char> pattern = Pattern();
  const std::string patternText(pattern.begin(), pattern.end());
  for (HMODULE module : {static_cast<HMODULE>(nullptr), GetModuleHandleW(nullptr)}) {
    for (const auto& t : cases) {
      LPCWSTR name = t.Name ? t.Name : MAKEINTRESOURCEW(t.NameId);
      LPCWSTR type = t.Type ? t.Type : MAKEINTRESOURCEW(t.TypeId);
      HRSRC res = FindResourceW(module, name, type);
      ASSERT_NE(res, nullptr) << "case " << (&t - cases);
      const std::string expected = std::string(t.Expected) == "greeting" ? Greeting
                                   : std::string(t.Expected) == "pattern" ? patternText
                                                                           : std::string();
      EXPECT_EQ(SizeofResource(module, res), expected.size());
      EXPECT_EQ(Contents(module, res), expected);
      EXPECT_EQ(FreeResource(LoadResource(module, res)), TRUE);
    }
  }
}

TEST(Resources, TextResourcesEndWithAZeroOutsideTheirSize) {
  HRSRC res = FindResourceW(nullptr, u"greeting", u"testdata");
  ASSERT_NE(res, nullptr);
  const auto* p = static_cast<const char*>(LockResource(LoadResource(nullptr, res)));
  EXPECT_EQ(std::string(p), Greeting);
  EXPECT_EQ(reinterpret_cast<ULONG_PTR>(p) % 16, 0u);
}

struct MissingCase {
  LPCWSTR Name;
  LPCWSTR Type;
  DWORD Error;
};

TEST(Resources, MissingNameAndMissingTypeSetTheirErrors) {
  const MissingCase cases[] = {
      {u"Nothing", u"TESTDATA", ERROR_RESOURCE_NAME_NOT_FOUND},
      {u"Greetings", u"TESTDATA", ERROR_RESOURCE_NAME_NOT_FOUND},
      {u"Greeting", RT_RCDATA, ERROR_RESOURCE_NAME_NOT_FOUND},
      {MAKEINTRESOURCEW(124), RT_RCDATA, ERROR_RESOURCE_NAME_NOT_FOUND},
      {u"#0123x", RT_RCDATA, ERROR_RESOURCE_NAME_NOT_FOUND},
      {MAKEINTRESOURCEW(123), u"TESTDATA", ERROR_RESOURCE_NAME_NOT_FOUND},
      {u"Greeting", u"DXSKINS", ERROR_RESOURCE_TYPE_NOT_FOUND},
      {u"Greeting", u"TESTDAT", ERROR_RESOURCE_TYPE_NOT_FOUND},
      {MAKEINTRESOURCEW(123), RT_BITMAP, ERROR_RESOURCE_TYPE_NOT_FOUND},
  };
  for (const auto& t : cases) {
    SetLastError(0);
    EXPECT_EQ(FindResourceW(nullptr, t.Name, t.Type), nullptr);
    EXPECT_EQ(GetLastError(), t.Error);
  }
  SetLastError(0);
  EXPECT_EQ(LoadResource(nullptr, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_RESOURCE_DATA_NOT_FOUND);
}

}  // namespace
