#include <gtest/gtest.h>

#include <string>

#include "controls/dxHashUtils.h"

namespace {

TEST(CRC32, IsTheStandardChecksum) {
  struct TCase {
    std::string Data;
    Cardinal Expected;
  };
  const TCase cases[] = {
      {"123456789", 0xCBF43926u},
      {"", 0u},
      {"a", 0xE8B7BE43u},
      {"The quick brown fox jumps over the lazy dog", 0x414FA339u},
      {std::string("\0\0\0\0", 4), 0x2144DF1Cu},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(dxCRC32(c.Data.data(), static_cast<Integer>(c.Data.size())), c.Expected) << '"' << c.Data << '"';
}

}  // namespace
