// System metrics and parameters, system broadcasts to hidden windows, and
// the headless backend's surfaces.

#include "platform/backend/headless/Headless.h"
#include "tests/platform/WindowTestSupport.h"

namespace {

using System = TWindowTest;
using List = std::vector<UINT>;

TEST_F(System, MetricsAreThoseOfTheFixedDesktop) {
  struct TCase {
    int Index;
    int Value;
  } decided[] = {
      {SM_CXVSCROLL, 17}, {SM_CYHSCROLL, 17}, {SM_CXHTHUMB, 17},  {SM_CYVTHUMB, 17}, {SM_CXDRAG, 4},
      {SM_CYDRAG, 4},     {SM_CXDOUBLECLK, 4}, {SM_CYDOUBLECLK, 4}, {SM_DBCSENABLED, 0}, {SM_CMONITORS, 1},
  };
  for (const TCase& c : decided) EXPECT_EQ(GetSystemMetrics(c.Index), c.Value) << "index " << c.Index;
  EXPECT_EQ(GetSystemMetrics(-1), 0);
  EXPECT_EQ(GetSystemMetrics(9999), 0);
  // The screen DC and the metrics describe one screen.
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), GetDeviceCaps(GetScreenDC(), HORZRES));
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), GetDeviceCaps(GetScreenDC(), VERTRES));
  RECT work;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
  EXPECT_EQ(work.Right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_LT(work.Bottom, GetSystemMetrics(SM_CYSCREEN)) << "the task bar takes the bottom";
  EXPECT_EQ(GetSystemMetrics(SM_CXMAXIMIZED), work.Right + 2 * GetSystemMetrics(SM_CXSIZEFRAME));
  EXPECT_EQ(GetSystemMetrics(SM_CYMAXIMIZED), work.Bottom + 2 * GetSystemMetrics(SM_CYSIZEFRAME));
  EXPECT_EQ(GetSystemMetrics(SM_CYFULLSCREEN), work.Bottom - GetSystemMetrics(SM_CYCAPTION));
}

TEST_F(System, ParametersChangeAndAnnounceThemselvesWhenAsked) {
  HWND listener = Create();  // hidden, never shown
  BOOL on = FALSE;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETMENUANIMATION, 0, &on, 0));
  EXPECT_TRUE(on) << "menu animation is on, as on a current desktop";
  UINT lines = 0;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0));
  EXPECT_EQ(lines, 3u);

  struct TCase {
    const char* Name;
    UINT Set, Get, UiParam;
    void* PvParam;
    UINT Expected;
  } cases[] = {
      {"menu animation off", SPI_SETMENUANIMATION, SPI_GETMENUANIMATION, 0, nullptr, FALSE},
      {"menu fade off", SPI_SETMENUFADE, SPI_GETMENUFADE, 0, nullptr, FALSE},
      {"keyboard cues on", SPI_SETKEYBOARDCUES, SPI_GETKEYBOARDCUES, 0, reinterpret_cast<void*>(1), TRUE},
      {"five wheel lines", SPI_SETWHEELSCROLLLINES, SPI_GETWHEELSCROLLLINES, 5, nullptr, 5},
      {"hover time", SPI_SETMOUSEHOVERTIME, SPI_GETMOUSEHOVERTIME, 250, nullptr, 250},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    for (UINT flags : {0u, static_cast<UINT>(SPIF_SENDCHANGE)}) {
      MessageLog().clear();
      ASSERT_TRUE(SystemParametersInfoW(c.Set, c.UiParam, c.PvParam, flags));
      UINT value = 12345;
      ASSERT_TRUE(SystemParametersInfoW(c.Get, 0, &value, 0));
      EXPECT_EQ(value, c.Expected);
      const auto& log = MessageLog();
      if (flags & SPIF_SENDCHANGE) {
        ASSERT_EQ(log.size(), 1u);
        EXPECT_EQ(log[0].Message, WM_SETTINGCHANGE);
        EXPECT_EQ(log[0].WParam, c.Set);
        ASSERT_NE(log[0].LParam, 0) << "an area name, empty";
        EXPECT_EQ(*reinterpret_cast<LPCWSTR>(log[0].LParam), 0);
      } else {
        EXPECT_TRUE(log.empty());
      }
    }
  }
  EXPECT_FALSE(SystemParametersInfoW(0x7FFF, 0, nullptr, 0));
  EXPECT_FALSE(SystemParametersInfoW(SPI_GETMENUANIMATION, 0, nullptr, 0)) << "nowhere to write";
  ResetSystemParameters();
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETMENUANIMATION, 0, &on, 0));
  EXPECT_TRUE(on);
  DestroyWindow(listener);
}

TEST_F(System, BroadcastsReachHiddenTopLevelWindows) {
  HWND hidden = Create();
  HWND owner = Create(WS_POPUP | WS_VISIBLE);
  HWND owned = Create(WS_POPUP, owner);
  HWND child = Create(0, owner);
  HWND messageOnly = CreateWindowExW(0, RecordingClass, u"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  struct TCase {
    const char* Name;
    UINT Message;
    std::function<void()> Trigger;
    WPARAM WParam;
    std::u16string Area;  // what lParam names, if anything
  } cases[] = {
      {"colours", WM_SYSCOLORCHANGE,
       [] {
         const int index = COLOR_BTNFACE;
         const COLORREF colour = RGB(1, 2, 3);
         ChangeSysColors(1, &index, &colour);
       },
       0, u""},
      {"locale", WM_SETTINGCHANGE, [] { AnnounceSettingChange(0, u"intl"); }, 0, u"intl"},
      {"theme", WM_THEMECHANGED, [] { AnnounceThemeChange(); }, 0, u""},
      {"time", WM_TIMECHANGE, [] { AnnounceTimeChange(); }, 0, u""},
  };
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  COLORREF seenFace = 0;
  TestHandler() = [&](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_SYSCOLORCHANGE) seenFace = GetSysColor(COLOR_BTNFACE);
    return std::nullopt;
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    MessageLog().clear();
    c.Trigger();
    for (HWND h : {hidden, owner, owned}) EXPECT_EQ(MessagesOf(h), (List{c.Message}));
    for (HWND h : {child, messageOnly}) EXPECT_TRUE(MessagesOf(h).empty());
    for (const TLogged& l : MessageLog()) {
      EXPECT_EQ(l.WParam, c.WParam);
      if (!c.Area.empty()) {
        EXPECT_EQ(std::u16string(reinterpret_cast<LPCWSTR>(l.LParam)), c.Area);
      }
    }
  }
  EXPECT_EQ(seenFace, RGB(1, 2, 3)) << "the colours change before the message";
  const int index = COLOR_BTNFACE;
  SetSysColors(1, &index, &face);
  for (HWND h : {hidden, owner, messageOnly}) DestroyWindow(h);
}

TEST_F(System, TheWholeColourTableCanBeSwapped) {
  int indexes[SystemColorCount];
  COLORREF saved[SystemColorCount], swapped[SystemColorCount];
  for (int i = 0; i < SystemColorCount; ++i) {
    indexes[i] = i;
    saved[i] = GetSysColor(i);
    swapped[i] = RGB(i, 255 - i, 7);
  }
  HWND listener = Create();
  MessageLog().clear();
  ASSERT_TRUE(ChangeSysColors(SystemColorCount, indexes, swapped));
  for (int i = 0; i < SystemColorCount; ++i) EXPECT_EQ(GetSysColor(i), swapped[i]) << "index " << i;
  LOGBRUSH lb;
  GetObjectW(GetSysColorBrush(COLOR_WINDOW), sizeof lb, &lb);
  EXPECT_EQ(lb.lbColor, swapped[COLOR_WINDOW]) << "the system brushes follow";
  EXPECT_EQ(MessagesOf(listener), (List{WM_SYSCOLORCHANGE})) << "one announcement for the whole swap";
  ASSERT_TRUE(ChangeSysColors(SystemColorCount, indexes, saved));
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), saved[COLOR_WINDOW]);
  DestroyWindow(listener);
}

TEST_F(System, TopLevelWindowsHaveSurfacesThatFollowThem) {
  HWND h = CreateWindowExW(0, RecordingClass, u"Countdown", WS_POPUP, 100, 50, 300, 200, nullptr, nullptr, nullptr,
                           nullptr);
  HWND child = Create(0, h);
  THeadlessSurfaceInfo info;
  ASSERT_TRUE(GetHeadlessSurfaceInfo(h, &info));
  EXPECT_EQ(info.Bounds, (RECT{100, 50, 400, 250}));
  EXPECT_EQ(info.PixelWidth, 300);
  EXPECT_EQ(info.PixelHeight, 200);
  EXPECT_FALSE(info.Visible);
  EXPECT_EQ(info.Title, u"Countdown");
  EXPECT_FALSE(GetHeadlessSurfaceInfo(child, &info)) << "children draw into their top-level surface";

  ShowWindow(h, SW_SHOW);
  SetWindowTextW(h, u"40");
  MoveWindow(h, -10, 0, 120, 80, TRUE);
  ASSERT_TRUE(GetHeadlessSurfaceInfo(h, &info));
  EXPECT_TRUE(info.Visible);
  EXPECT_EQ(info.Title, u"40");
  EXPECT_EQ(info.Bounds, (RECT{-10, 0, 110, 80}));
  EXPECT_EQ(info.PixelWidth, 120);
  EXPECT_EQ(info.PixelHeight, 80);
  ShowWindow(h, SW_HIDE);
  ASSERT_TRUE(GetHeadlessSurfaceInfo(h, &info));
  EXPECT_FALSE(info.Visible);

  // Leaving the desktop loses the surface; coming back gets one again.
  HWND other = Create();
  SetParent(other, h);
  EXPECT_FALSE(GetHeadlessSurfaceInfo(other, &info));
  SetParent(other, nullptr);
  ASSERT_TRUE(GetHeadlessSurfaceInfo(other, &info));
  EXPECT_EQ(info.Bounds, (RECT{10, 20, 110, 70}));
  DestroyWindow(other);
  DestroyWindow(h);
}

}  // namespace
