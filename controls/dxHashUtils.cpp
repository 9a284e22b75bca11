#include "controls/dxHashUtils.h"

#include <array>

namespace {

constexpr std::array<Cardinal, 256> MakeCRC32Table() {
  std::array<Cardinal, 256> table{};
  for (Cardinal n = 0; n < 256; ++n) {
    Cardinal c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}

constexpr std::array<Cardinal, 256> CRC32Table = MakeCRC32Table();

}  // namespace

Cardinal dxCRC32(const void* AData, Integer ACount) {
  const Byte* p = static_cast<const Byte*>(AData);
  Cardinal crc = 0xFFFFFFFFu;
  for (Integer i = 0; i < ACount; ++i) crc = CRC32Table[(crc ^ p[i]) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}
