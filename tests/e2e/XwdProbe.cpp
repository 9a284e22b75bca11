// Reads a window capture that xwd wrote (a ZPixmap of 24 or 32 bits per
// pixel) for the end-to-end tests:
//   XwdProbe FILE size           -> "WIDTH HEIGHT"
//   XwdProbe FILE pixel X Y      -> "RRGGBB"
//   XwdProbe FILE count RRGGBB   -> how many pixels have that colour
//   XwdProbe FILE differ RRGGBB  -> how many pixels have another
//   XwdProbe FILE countin X Y W H RRGGBB -> how many pixels of that area have it
//   XwdProbe FILE png OUT         -> the capture written as a PNG

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/PngFile.h"

namespace {

struct TCapture {
  uint32_t Width = 0, Height = 0, BytesPerLine = 0, BitsPerPixel = 0, ByteOrder = 0;
  uint32_t Masks[3] = {};
  std::vector<unsigned char> Pixels;
};

uint32_t Big(const unsigned char* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

bool Load(const char* path, TCapture& c) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<unsigned char> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (data.size() < 100) return false;
  uint32_t field[25];
  for (int i = 0; i < 25; ++i) field[i] = Big(&data[i * 4]);
  const uint32_t header = field[0], format = field[2], colours = field[19];
  c.Width = field[4];
  c.Height = field[5];
  c.ByteOrder = field[7];
  c.BitsPerPixel = field[11];
  c.BytesPerLine = field[12];
  c.Masks[0] = field[14];
  c.Masks[1] = field[15];
  c.Masks[2] = field[16];
  const uint64_t start = uint64_t(header) + uint64_t(colours) * 12;
  const uint64_t size = uint64_t(c.BytesPerLine) * c.Height;
  if (format != 2 || (c.BitsPerPixel != 24 && c.BitsPerPixel != 32) || start + size > data.size()) return false;
  c.Pixels.assign(data.begin() + static_cast<std::ptrdiff_t>(start),
                  data.begin() + static_cast<std::ptrdiff_t>(start + size));
  return true;
}

unsigned Channel(uint32_t value, uint32_t mask) {
  if (!mask) return 0;
  int shift = 0;
  while (!((mask >> shift) & 1)) ++shift;
  return (value & mask) >> shift;
}

unsigned long Colour(const TCapture& c, uint32_t x, uint32_t y) {
  const unsigned char* p = &c.Pixels[size_t(y) * c.BytesPerLine + size_t(x) * (c.BitsPerPixel / 8)];
  const int n = static_cast<int>(c.BitsPerPixel / 8);
  uint32_t v = 0;
  for (int i = 0; i < n; ++i) v |= uint32_t(p[c.ByteOrder ? i : n - 1 - i]) << (8 * (n - 1 - i));
  return (unsigned long)Channel(v, c.Masks[0]) << 16 | Channel(v, c.Masks[1]) << 8 | Channel(v, c.Masks[2]);
}

}  // namespace

int main(int argc, char** argv) {
  TCapture c;
  if (argc < 3 || !Load(argv[1], c)) {
    std::fprintf(stderr, "XwdProbe: cannot read %s\n", argc > 1 ? argv[1] : "(no file)");
    return 2;
  }
  const std::string what = argv[2];
  if (what == "size") {
    std::printf("%u %u\n", c.Width, c.Height);
  } else if (what == "pixel" && argc == 5) {
    const uint32_t x = std::strtoul(argv[3], nullptr, 10), y = std::strtoul(argv[4], nullptr, 10);
    if (x >= c.Width || y >= c.Height) return 2;
    std::printf("%06lX\n", Colour(c, x, y));
  } else if ((what == "count" || what == "differ") && argc == 4) {
    const unsigned long wanted = std::strtoul(argv[3], nullptr, 16);
    const bool same = what == "count";
    unsigned long n = 0;
    for (uint32_t y = 0; y < c.Height; ++y)
      for (uint32_t x = 0; x < c.Width; ++x) n += (Colour(c, x, y) == wanted) == same;
    std::printf("%lu\n", n);
  } else if (what == "countin" && argc == 8) {
    const uint32_t x0 = std::strtoul(argv[3], nullptr, 10), y0 = std::strtoul(argv[4], nullptr, 10);
    const uint32_t w = std::strtoul(argv[5], nullptr, 10), h = std::strtoul(argv[6], nullptr, 10);
    const unsigned long wanted = std::strtoul(argv[7], nullptr, 16);
    unsigned long n = 0;
    for (uint32_t y = y0; y < y0 + h && y < c.Height; ++y)
      for (uint32_t x = x0; x < x0 + w && x < c.Width; ++x) n += Colour(c, x, y) == wanted;
    std::printf("%lu\n", n);
  } else if (what == "png" && argc == 4) {
    std::vector<uint32_t> pixels(size_t(c.Width) * c.Height);
    for (uint32_t y = 0; y < c.Height; ++y)
      for (uint32_t x = 0; x < c.Width; ++x) pixels[size_t(y) * c.Width + x] = uint32_t(Colour(c, x, y));
    if (!WritePngPixels(argv[3], int(c.Width), int(c.Height), pixels.data())) return 1;
  } else {
    return 2;
  }
  return 0;
}
