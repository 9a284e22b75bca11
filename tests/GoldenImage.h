#pragma once
// Whole pictures checked against committed PNGs (tests/data/golden). On a
// mismatch the test fails and leaves NAME.actual.png and NAME.diff.png (the
// differing pixels in red) in the working directory, the build's test
// folder. COUNTDOWN_UPDATE_GOLDEN=1 writes the golden instead.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/PngFile.h"
#include "platform/WindowTypes.h"
#include "platform/backend/headless/Headless.h"

inline ::testing::AssertionResult MatchesGolden(HWND top, const std::string& name) {
  HBITMAP copy = CopyHeadlessSurface(top);
  if (!copy) return ::testing::AssertionFailure() << "the window has no surface";
  DIBSECTION ds;
  GetObjectW(copy, sizeof ds, &ds);
  const int width = ds.dsBm.bmWidth, height = ds.dsBm.bmHeight;
  const auto* bits = static_cast<const uint32_t*>(ds.dsBm.bmBits);
  std::vector<uint32_t> actual(bits, bits + static_cast<size_t>(width) * static_cast<size_t>(height));
  for (uint32_t& p : actual) p &= 0x00FFFFFF;
  DeleteObject(copy);

  const std::string golden = std::string(COUNTDOWN_GOLDEN_DIR) + "/" + name + ".png";
  if (const char* update = std::getenv("COUNTDOWN_UPDATE_GOLDEN"); update && std::string(update) == "1") {
    if (!WritePngPixels(golden.c_str(), width, height, actual.data()))
      return ::testing::AssertionFailure() << "cannot write " << golden;
    return ::testing::AssertionSuccess();
  }
  int goldenWidth = 0, goldenHeight = 0;
  std::vector<uint32_t> expected;
  const bool read = ReadPngPixels(golden.c_str(), goldenWidth, goldenHeight, expected);
  size_t differing = 0;
  std::vector<uint32_t> diff(actual.size(), 0x00FFFFFF);
  if (read && goldenWidth == width && goldenHeight == height)
    for (size_t i = 0; i < actual.size(); ++i)
      if (actual[i] != expected[i]) {
        ++differing;
        diff[i] = 0x00FF0000;
      }
  if (read && goldenWidth == width && goldenHeight == height && differing == 0) return ::testing::AssertionSuccess();
  WritePngPixels((name + ".actual.png").c_str(), width, height, actual.data());
  WritePngPixels((name + ".diff.png").c_str(), width, height, diff.data());
  if (!read) return ::testing::AssertionFailure() << "no golden image " << golden;
  if (goldenWidth != width || goldenHeight != height)
    return ::testing::AssertionFailure() << "size " << width << "x" << height << ", golden " << goldenWidth << "x"
                                         << goldenHeight;
  return ::testing::AssertionFailure() << differing << " pixels differ from " << golden;
}
