#include <gtest/gtest.h>

#include "platform/Gdi.h"
#include "tests/platform/GdiTestSurface.h"

namespace {

using GdiEdges = TSysColourPictureTest;

struct TEdgeCase {
  const char* Name;
  UINT Edge;
  UINT Flags;
  RECT Adjusted;  // what BF_ADJUST leaves
  std::vector<std::string> Picture;
};

void ExpectEdge(const TEdgeCase& c, const std::map<char, DWORD>& legend) {
  SCOPED_TRACE(c.Name);
  TTestSurface s(static_cast<int>(c.Picture[0].size()), static_cast<int>(c.Picture.size()),
                 TSysColourPictureTest::Background);
  RECT r{0, 0, s.Width, static_cast<LONG>(c.Picture.size())};
  ASSERT_TRUE(DrawEdge(s.DC, &r, c.Edge, c.Flags | BF_ADJUST));
  EXPECT_EQ(r, c.Adjusted);
  ExpectPicture(s, c.Picture, legend);
}

TEST_F(GdiEdges, SoftEdgesLightTheTopLeftFromOutside) {
  const TEdgeCase cases[] = {
      {"raised", EDGE_RAISED, BF_RECT | BF_SOFT, {2, 2, 2, 2}, {"HHHD", "HLSD", "HSSD", "DDDD"}},
      {"sunken", EDGE_SUNKEN, BF_RECT | BF_SOFT, {2, 2, 2, 2}, {"DDDH", "DSLH", "DLLH", "HHHH"}},
      // Without BF_SOFT the 3-D light and the shadow are outside.
      {"raised, hard", EDGE_RAISED, BF_RECT, {2, 2, 2, 2}, {"LLLD", "LHSD", "LSSD", "DDDD"}},
  };
  for (const TEdgeCase& c : cases) ExpectEdge(c, Legend());
}

TEST_F(GdiEdges, FlatEdgesHaveAShadowRingAndAFaceRing) {
  const TEdgeCase cases[] = {
      {"both rings", EDGE_SUNKEN, BF_RECT | BF_FLAT, {2, 2, 3, 3}, {"SSSSS", "SFFFS", "SF.FS", "SFFFS", "SSSSS"}},
      {"outer only", BDR_RAISEDOUTER, BF_RECT | BF_FLAT, {1, 1, 4, 4}, {"SSSSS", "S...S", "S...S", "S...S", "SSSSS"}},
      {"with the middle", EDGE_RAISED, BF_RECT | BF_FLAT | BF_MIDDLE, {2, 2, 3, 3},
       {"SSSSS", "SFFFS", "SFFFS", "SFFFS", "SSSSS"}},
  };
  for (const TEdgeCase& c : cases) ExpectEdge(c, Legend());
}

TEST_F(GdiEdges, TopAndLeftRunOnWhereNoSideTakesTheCorner) {
  const TEdgeCase cases[] = {
      {"left and top", EDGE_SUNKEN, BF_LEFT | BF_TOP, {2, 2, 4, 4}, {"SSSS", "SDDD", "SD..", "SD.."}},
      {"left, top and right", EDGE_RAISED, BF_LEFT | BF_TOP | BF_RIGHT, {2, 2, 2, 4},
       {"LLLD", "LHSD", "LHSD", "LHSD"}},
      {"left, top and bottom", EDGE_RAISED, BF_LEFT | BF_TOP | BF_BOTTOM, {2, 2, 4, 2},
       {"LLLL", "LHHH", "LSSS", "DDDD"}},
  };
  for (const TEdgeCase& c : cases) ExpectEdge(c, Legend());
}

TEST_F(GdiEdges, DiagonalsRunFromCornerToCorner) {
  const TEdgeCase cases[] = {
      // Ending at the top: the top-left colours, inner line on the right.
      {"end top right", EDGE_RAISED, BF_DIAGONAL_ENDTOPRIGHT, {0, 2, 3, 5},
       {"....L", "...LH", "..LH.", ".LH..", "LH..."}},
      // Ending at the bottom: the bottom-right colours; the middle fills the
      // face beyond the inner line.
      {"end bottom right", EDGE_SUNKEN, BF_DIAGONAL_ENDBOTTOMRIGHT | BF_MIDDLE, {0, 0, 3, 3},
       {"HLFFF", ".HLFF", "..HLF", "...HL", "....H"}},
      // Wider than high: the square of the height, from the bottom-right.
      {"end top left", EDGE_RAISED, BF_DIAGONAL_ENDTOPLEFT, {2, 2, 6, 4}, {".HL...", "..HL..", "...HL.", "....HL"}},
      // Higher than wide: the square of the width, from the top-right.
      {"end bottom left", EDGE_SUNKEN, BF_DIAGONAL_ENDBOTTOMLEFT | BF_MIDDLE, {2, 0, 4, 4},
       {"FFLH", "FLH.", "LH..", "H...", "....", "...."}},
  };
  for (const TEdgeCase& c : cases) ExpectEdge(c, Legend());
}

TEST_F(GdiEdges, RefusesWhatItCannotDraw) {
  TTestSurface s(2, 2);
  RECT r{0, 0, 2, 2};
  EXPECT_FALSE(DrawEdge(nullptr, &r, EDGE_RAISED, BF_RECT));
  EXPECT_FALSE(DrawEdge(s.DC, nullptr, EDGE_RAISED, BF_RECT));
}

}  // namespace
