// The theme library: no theme by default, the test theme, parent
// backgrounds and buffered painting.
#include <gtest/gtest.h>

#include <string>

#include "platform/UxTheme.h"
#include "tests/platform/GdiTestSurface.h"
#include "tests/platform/TestThemeScope.h"
#include "tests/platform/WindowTestSupport.h"

namespace {

using namespace UxTheme;

// A button with a normal and a hot state, a scroll bar with a size box, and
// colours told apart in pixels.
TTestTheme SampleTheme() {
  TTestTheme theme;
  theme.FileName = u"C:\\Themes\\Luna.msstyles";
  theme.ColorName = u"NormalColor";
  theme.SizeName = u"NormalSize";
  TTestThemePart normal{.Part = 1, .State = 1};
  normal.Colors = {{TMT_FILLCOLOR, RGB(10, 20, 30)}, {TMT_BORDERCOLOR, RGB(200, 0, 0)}, {TMT_TEXTCOLOR, RGB(1, 2, 3)}};
  normal.Margins = {{TMT_CONTENTMARGINS, MARGINS{3, 4, 1, 2}}};
  TTestThemePart hot{.Part = 1, .State = 2, .Size = {13, 21}, .PartiallyTransparent = true};
  hot.Colors = {{TMT_FILLCOLOR, RGB(0, 255, 0)}};
  TTestThemePart classDefault{.Part = 0, .State = 0, .Size = {5, 6}};
  classDefault.Colors = {{TMT_COLOR, RGB(7, 8, 9)}};
  TTestThemePart partDefault{.Part = 3, .State = 0};
  partDefault.Colors = {{TMT_BORDERCOLOR, RGB(0, 0, 255)}};
  theme.Classes = {{u"Button", {normal, hot, classDefault, partDefault}},
                   {u"ScrollBar", {TTestThemePart{.Part = 10, .State = 1, .Size = {17, 17}}}}};
  return theme;
}

// Closes the handle at the end.
class TThemeHandle {
 public:
  explicit TThemeHandle(LPCWSTR AClassList) : FHandle(OpenThemeData(nullptr, AClassList)) {}
  ~TThemeHandle() {
    if (FHandle) CloseThemeData(FHandle);
  }
  TThemeHandle(const TThemeHandle&) = delete;
  TThemeHandle& operator=(const TThemeHandle&) = delete;
  operator HTHEME() const { return FHandle; }

 private:
  HTHEME FHandle;
};

constexpr DWORD Pixel(COLORREF c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }

class UxThemeLibrary : public TGdiLeakCheck {
 protected:
  void TearDown() override {
    EXPECT_EQ(GetLiveThemeHandleCount(), 0) << "a theme handle was left open";
    TGdiLeakCheck::TearDown();
  }
};

TEST_F(UxThemeLibrary, TheModuleTableHasEveryEntry) {
  HMODULE module = LoadLibraryW(u"uxtheme.DLL");
  ASSERT_NE(module, nullptr);
  for (const TEntryPoint& entry : UxThemeEntryPoints())
    EXPECT_EQ(GetProcAddress(module, entry.Name), entry.Proc) << entry.Name;
  EXPECT_EQ(GetProcAddress(module, "OpenThemeData"), EntryProc(&OpenThemeData));
  EXPECT_EQ(UxThemeEntryPoints().size(), 18u);
  FreeLibrary(module);
}

TEST_F(UxThemeLibrary, WithoutAThemeNothingOpensAndNullHandlesFail) {
  EXPECT_FALSE(IsThemeActive());
  EXPECT_FALSE(IsAppThemed());
  EXPECT_EQ(OpenThemeData(nullptr, u"Button"), nullptr);
  TTestSurface s(4, 4, 0x11111111);
  const RECT r{0, 0, 4, 4};
  COLORREF color = 0x123456;
  RECT content{};
  SIZE size{1, 1};
  MARGINS margins{1, 1, 1, 1};
  EXPECT_EQ(CloseThemeData(nullptr), E_HANDLE);
  EXPECT_EQ(DrawThemeBackground(nullptr, s.DC, 1, 1, &r, nullptr), E_HANDLE);
  EXPECT_EQ(GetThemeColor(nullptr, 1, 1, TMT_FILLCOLOR, &color), E_HANDLE);
  EXPECT_EQ(GetThemeBackgroundContentRect(nullptr, s.DC, 1, 1, &r, &content), E_HANDLE);
  EXPECT_EQ(GetThemePartSize(nullptr, s.DC, 1, 1, nullptr, TS_TRUE, &size), E_HANDLE);
  EXPECT_EQ(GetThemeMargins(nullptr, s.DC, 1, 1, TMT_CONTENTMARGINS, nullptr, &margins), E_HANDLE);
  EXPECT_FALSE(IsThemeBackgroundPartiallyTransparent(nullptr, 1, 1));
  EXPECT_EQ(color, 0x123456u);
  EXPECT_EQ(s.At(0, 0), 0x11111111u) << "nothing drawn";
  WCHAR name[16] = u"x";
  EXPECT_TRUE(FAILED(GetCurrentThemeName(name, 16, nullptr, 0, nullptr, 0)));
}

TEST_F(UxThemeLibrary, TheTestThemeOpensItsClassesByName) {
  TInstalledTheme theme(SampleTheme());
  EXPECT_TRUE(IsThemeActive());
  EXPECT_TRUE(IsAppThemed());
  TThemeHandle button(u"button");
  TThemeHandle listed(u"Edit;SCROLLBAR");
  TThemeHandle absent(u"Edit;Spin");
  EXPECT_NE(static_cast<HTHEME>(button), nullptr);
  EXPECT_NE(static_cast<HTHEME>(listed), nullptr);
  EXPECT_NE(static_cast<HTHEME>(listed), static_cast<HTHEME>(button));
  EXPECT_EQ(static_cast<HTHEME>(absent), nullptr);
  EXPECT_EQ(GetLiveThemeHandleCount(), 2);
  SIZE size;
  EXPECT_EQ(GetThemePartSize(listed, nullptr, 10, 1, nullptr, TS_TRUE, &size), S_OK);
  EXPECT_EQ(size, (SIZE{17, 17})) << "the second name opened the scroll bar";
}

TEST_F(UxThemeLibrary, PropertiesComeFromThePartThenItsStateZeroThenTheClass) {
  TInstalledTheme theme(SampleTheme());
  TThemeHandle button(u"Button");
  COLORREF color = 0;
  EXPECT_EQ(GetThemeColor(button, 1, 1, TMT_TEXTCOLOR, &color), S_OK);
  EXPECT_EQ(color, RGB(1, 2, 3));
  EXPECT_EQ(GetThemeColor(button, 1, 2, TMT_FILLCOLOR, &color), S_OK);
  EXPECT_EQ(color, RGB(0, 255, 0));
  EXPECT_EQ(GetThemeColor(button, 1, 2, TMT_TEXTCOLOR, &color), E_PROP_ID_UNSUPPORTED) << "state 2 has its own";
  EXPECT_EQ(GetThemeColor(button, 3, 4, TMT_BORDERCOLOR, &color), S_OK);
  EXPECT_EQ(color, RGB(0, 0, 255)) << "part 3 state 0";
  EXPECT_EQ(GetThemeColor(button, 5, 1, TMT_COLOR, &color), S_OK);
  EXPECT_EQ(color, RGB(7, 8, 9)) << "the class's part 0";

  SIZE size;
  EXPECT_EQ(GetThemePartSize(button, nullptr, 1, 2, nullptr, TS_TRUE, &size), S_OK);
  EXPECT_EQ(size, (SIZE{13, 21}));
  EXPECT_EQ(GetThemePartSize(button, nullptr, 9, 9, nullptr, TS_DRAW, &size), S_OK);
  EXPECT_EQ(size, (SIZE{5, 6}));
  EXPECT_TRUE(IsThemeBackgroundPartiallyTransparent(button, 1, 2));
  EXPECT_FALSE(IsThemeBackgroundPartiallyTransparent(button, 1, 1));

  const RECT bounds{0, 0, 100, 100};
  RECT content;
  EXPECT_EQ(GetThemeBackgroundContentRect(button, nullptr, 1, 1, &bounds, &content), S_OK);
  EXPECT_EQ(content, (RECT{3, 1, 96, 98})) << "left 3, right 4, top 1, bottom 2";
  EXPECT_EQ(GetThemeBackgroundContentRect(button, nullptr, 1, 2, &bounds, &content), S_OK);
  EXPECT_EQ(content, bounds) << "no margins";
  MARGINS margins;
  EXPECT_EQ(GetThemeMargins(button, nullptr, 1, 1, TMT_CONTENTMARGINS, nullptr, &margins), S_OK);
  EXPECT_EQ(margins.cxRightWidth, 4);
  EXPECT_EQ(GetThemeMargins(button, nullptr, 1, 1, TMT_SIZINGMARGINS, nullptr, &margins), E_PROP_ID_UNSUPPORTED);
  EXPECT_EQ(margins.cxRightWidth, 0);
}

TEST_F(UxThemeLibrary, ABackgroundIsItsColourInAFrameAndKeepsToTheClip) {
  TInstalledTheme theme(SampleTheme());
  TThemeHandle button(u"Button");
  TTestSurface s(8, 5, 0x00FFFFFF);
  const RECT r{1, 1, 7, 5};
  const RECT clip{0, 0, 5, 5};
  ASSERT_EQ(DrawThemeBackground(button, s.DC, 1, 1, &r, &clip), S_OK);
  ExpectPicture(s,
                {"........",
                 ".BBBB...",
                 ".BFFF...",
                 ".BFFF...",
                 ".BBBB..."},
                {{'.', 0x00FFFFFF}, {'B', Pixel(RGB(200, 0, 0))}, {'F', Pixel(RGB(10, 20, 30))}});
  RECT box;
  GetClipBox(s.DC, &box);
  EXPECT_EQ(box, (RECT{0, 0, 8, 5})) << "the clip is the DC's again";

  TTestSurface frameOnly(4, 3, 0x00FFFFFF);
  const RECT all{0, 0, 4, 3};
  ASSERT_EQ(DrawThemeBackground(button, frameOnly.DC, 3, 1, &all, nullptr), S_OK);
  ExpectPicture(frameOnly, {"BBBB", "B..B", "BBBB"}, {{'.', 0x00FFFFFF}, {'B', Pixel(RGB(0, 0, 255))}});
}

TEST_F(UxThemeLibrary, TheCurrentThemeNameFillsThreeBuffersAndIsCutToThem) {
  TInstalledTheme theme(SampleTheme());
  WCHAR file[1024], color[1024], size[1024];
  ASSERT_EQ(GetCurrentThemeName(file, 1024, color, 1024, size, 1024), S_OK);
  EXPECT_EQ(std::u16string(file), u"C:\\Themes\\Luna.msstyles");
  EXPECT_EQ(std::u16string(color), u"NormalColor");
  EXPECT_EQ(std::u16string(size), u"NormalSize");
  WCHAR shortColor[7] = u"??????";
  EXPECT_EQ(GetCurrentThemeName(nullptr, 0, shortColor, 7, nullptr, 0), E_INSUFFICIENT_BUFFER);
  EXPECT_EQ(std::u16string(shortColor), u"Normal");
}

TEST_F(UxThemeLibrary, AnInactiveThemeIsNone) {
  TTestTheme inactive = SampleTheme();
  inactive.Active = false;
  TInstalledTheme theme(inactive);
  EXPECT_FALSE(IsThemeActive());
  EXPECT_EQ(OpenThemeData(nullptr, u"Button"), nullptr);
  WCHAR name[64];
  EXPECT_EQ(GetCurrentThemeName(name, 64, nullptr, 0, nullptr, 0), E_FAIL);
}

TEST_F(UxThemeLibrary, HandlesOfAnEarlierThemeFailButStillClose) {
  HTHEME old;
  {
    TInstalledTheme theme(SampleTheme());
    old = OpenThemeData(nullptr, u"Button");
    ASSERT_NE(old, nullptr);
  }
  TInstalledTheme again(SampleTheme());
  COLORREF color;
  EXPECT_EQ(GetThemeColor(old, 1, 1, TMT_TEXTCOLOR, &color), E_HANDLE);
  EXPECT_EQ(CloseThemeData(old), S_OK);
  EXPECT_EQ(CloseThemeData(old), E_HANDLE) << "closed once";
}

class UxThemeWindows : public TWindowTest {};

TEST_F(UxThemeWindows, InstallingAndRemovingAThemeAnnouncesItToHiddenWindowsToo) {
  HWND hidden = Create();
  {
    TInstalledTheme theme(SampleTheme());
    EXPECT_EQ(MessagesOf(hidden, {WM_THEMECHANGED}).size(), 1u);
  }
  EXPECT_EQ(MessagesOf(hidden, {WM_THEMECHANGED}).size(), 2u);
  DestroyWindow(hidden);
}

// The parent erases in one colour and prints a rectangle of another at
// (20, 10, 30, 15) of its client area; the child lies at (15, 8).
TEST_F(UxThemeWindows, AParentBackgroundIsTheParentErasingAndPrintingUnderTheChild) {
  HWND parent = Create(WS_POPUP, nullptr, {0, 0, 60, 40});
  HWND child = Create(0, parent, {15, 8, 35, 18});
  std::vector<UINT> received;
  TestHandler() = [&](HWND h, UINT msg, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
    if (h != parent || (msg != WM_ERASEBKGND && msg != WM_PRINTCLIENT)) return std::nullopt;
    received.push_back(msg);
    HDC dc = reinterpret_cast<HDC>(wParam);
    const RECT all{0, 0, 60, 40}, printed{20, 10, 30, 15};
    HBRUSH brush = CreateSolidBrush(msg == WM_ERASEBKGND ? RGB(0, 0, 200) : RGB(0, 200, 0));
    FillRect(dc, msg == WM_ERASEBKGND ? &all : &printed, brush);
    DeleteObject(brush);
    if (msg == WM_PRINTCLIENT) {
      EXPECT_EQ(lParam, PRF_CLIENT);
    }
    return 1;
  };
  TTestSurface s(20, 10, 0);
  ASSERT_EQ(DrawThemeParentBackground(child, s.DC, nullptr), S_OK);
  EXPECT_EQ(received, (std::vector<UINT>{WM_ERASEBKGND, WM_PRINTCLIENT}));
  const DWORD erased = Pixel(RGB(0, 0, 200)), printed = Pixel(RGB(0, 200, 0));
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x) {
      const bool inPrinted = x >= 5 && x < 15 && y >= 2 && y < 7;
      ASSERT_EQ(s.At(x, y), inPrinted ? printed : erased) << x << ", " << y;
    }
  POINT origin{1, 1};
  GetWindowOrgEx(s.DC, &origin);
  EXPECT_EQ(origin, (POINT{0, 0})) << "the DC's origin is back";

  TTestSurface limited(20, 10, 0);
  const RECT left{0, 0, 8, 10};
  ASSERT_EQ(DrawThemeParentBackground(child, limited.DC, &left), S_OK);
  EXPECT_EQ(limited.At(7, 3), printed);
  EXPECT_EQ(limited.At(8, 3), 0u) << "outside the rectangle asked for";
  EXPECT_EQ(DrawThemeParentBackground(parent, limited.DC, nullptr), E_INVALIDARG) << "no parent";
  TestHandler() = nullptr;
  DestroyWindow(parent);
}

TEST_F(UxThemeLibrary, ABufferedPaintDrawsInTheTargetsCoordinatesAndLandsThere) {
  ASSERT_EQ(BufferedPaintInit(), S_OK);
  TTestSurface target(8, 6, 0xFF101010);
  const RECT area{2, 1, 6, 5};
  HDC dc = nullptr;
  HPAINTBUFFER buffer = BeginBufferedPaint(target.DC, &area, BPBF_TOPDOWNDIB, nullptr, &dc);
  ASSERT_NE(buffer, nullptr);
  ASSERT_NE(dc, nullptr);
  HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
  const RECT red{3, 2, 5, 4};
  FillRect(dc, &red, brush);
  DeleteObject(brush);
  const RECT opaque{2, 1, 6, 3};
  EXPECT_EQ(BufferedPaintSetAlpha(buffer, &opaque, 255), S_OK);
  const RECT cleared{4, 0, 9, 3};
  EXPECT_EQ(BufferedPaintClear(buffer, &cleared), S_OK);
  EXPECT_EQ(EndBufferedPaint(buffer, TRUE), S_OK);
  ExpectPicture(target,
                {"........",
                 "..AA00..",
                 "..Ar00..",
                 "..0RR0..",
                 "..0000..",
                 "........"},
                {{'.', 0xFF101010}, {'0', 0}, {'A', 0xFF000000}, {'R', 0x00FF0000}, {'r', 0xFFFF0000}});
  EXPECT_EQ(EndBufferedPaint(buffer, TRUE), E_HANDLE) << "freed";
  EXPECT_EQ(BufferedPaintUnInit(), S_OK);
}

TEST_F(UxThemeLibrary, ABlendedBufferPaintIsBlendedOntoTheTarget) {
  TTestSurface target(2, 1, 0xFF0000FF);
  const RECT area{0, 0, 2, 1};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  BP_PAINTPARAMS params;
  params.pBlendFunction = &blend;
  HDC dc = nullptr;
  HPAINTBUFFER buffer = BeginBufferedPaint(target.DC, &area, BPBF_TOPDOWNDIB, &params, &dc);
  ASSERT_NE(buffer, nullptr);
  const RECT first{0, 0, 1, 1};
  BufferedPaintSetAlpha(buffer, &first, 255);
  EXPECT_EQ(EndBufferedPaint(buffer, TRUE), S_OK);
  EXPECT_EQ(target.At(0, 0), 0xFF000000u) << "opaque black over blue";
  EXPECT_EQ(target.At(1, 0), 0xFF0000FFu) << "transparent: the blue stays";
  const RECT empty{3, 3, 3, 5};
  EXPECT_EQ(BeginBufferedPaint(target.DC, &empty, BPBF_TOPDOWNDIB, nullptr, &dc), nullptr);
  EXPECT_EQ(dc, nullptr);
  EXPECT_EQ(BeginBufferedPaint(target.DC, &area, BPBF_TOPDOWNMONODIB, nullptr, &dc), nullptr);
}

}  // namespace
