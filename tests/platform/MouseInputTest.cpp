// The mouse: hit testing, routing, capture, double clicks, the wheel, mouse
// activation, leave tracking and context menus.

#include "tests/platform/InputTestSupport.h"

namespace {

using Mouse = TInputTest;
using List = std::vector<UINT>;

LPARAM Pack(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

TEST_F(Mouse, TheDefaultHitTestNamesThePartsOfTheFrame) {
  // Sizing frame 8, caption 23, caption buttons 36 wide, small icon 16.
  HWND h = CreateWindowExW(0, RecordingClass, u"", WS_OVERLAPPEDWINDOW, 100, 100, 300, 200, nullptr, nullptr, nullptr,
                           nullptr);
  HWND bordered = Create(WS_POPUP | WS_BORDER | WS_VSCROLL, nullptr, {500, 100, 600, 200});
  ASSERT_NE(h, nullptr);
  struct TCase {
    HWND Window;
    POINT At;
    LRESULT Expected;
  } cases[] = {
      {h, {200, 200}, HTCLIENT},        {h, {108, 131}, HTCLIENT},         {h, {391, 291}, HTCLIENT},
      {h, {102, 200}, HTLEFT},          {h, {397, 200}, HTRIGHT},          {h, {200, 102}, HTTOP},
      {h, {200, 297}, HTBOTTOM},        {h, {101, 101}, HTTOPLEFT},        {h, {398, 101}, HTTOPRIGHT},
      {h, {101, 298}, HTBOTTOMLEFT},    {h, {398, 298}, HTBOTTOMRIGHT},    {h, {200, 115}, HTCAPTION},
      {h, {380, 115}, HTCLOSE},         {h, {340, 115}, HTMAXBUTTON},      {h, {300, 115}, HTMINBUTTON},
      {h, {110, 115}, HTSYSMENU},       {h, {99, 200}, HTNOWHERE},         {h, {200, 300}, HTNOWHERE},
      {bordered, {500, 150}, HTBORDER}, {bordered, {590, 150}, HTVSCROLL}, {bordered, {550, 150}, HTCLIENT},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "(" << c.At.X << ", " << c.At.Y << ")");
    EXPECT_EQ(SendMessageW(c.Window, WM_NCHITTEST, 0, Pack(c.At.X, c.At.Y)), c.Expected);
  }
  DestroyWindow(h);
  DestroyWindow(bordered);
}

TEST_F(Mouse, MovesGoToTheDeepestWindowThatTakesThem) {
  HWND top = Create(WS_POPUP | WS_VISIBLE, nullptr, {0, 0, 300, 300});
  HWND upper = Create(WS_VISIBLE, top, {10, 10, 110, 110});  // created first: above
  HWND lower = Create(WS_VISIBLE, top, {50, 50, 150, 150});
  HWND inner = Create(WS_VISIBLE, lower, {90, 90, 130, 130});  // partly outside lower: clipped
  HWND disabled = Create(WS_VISIBLE | WS_DISABLED, top, {200, 200, 250, 250});
  HWND hidden = Create(0, top, {200, 10, 250, 60});
  HWND shaped = Create(WS_VISIBLE, top, {200, 100, 260, 160});
  SetWindowRgn(shaped, CreateRectRgn(30, 0, 60, 60), FALSE);  // its right half only
  Pump();
  bool upperTransparent = false;
  TestHandler() = [&](HWND w, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (w == upper && msg == WM_NCHITTEST && upperTransparent) return HTTRANSPARENT;
    return std::nullopt;
  };
  struct TCase {
    const char* Name;
    POINT At;
    bool Transparent;
    HWND Expected;
    POINT Client;
  } cases[] = {
      {"the upper of two siblings", {60, 60}, false, upper, {50, 50}},
      {"through a transparent one", {60, 60}, true, lower, {10, 10}},
      {"the parent beside its children", {5, 200}, false, top, {5, 200}},
      {"a disabled child's parent", {210, 210}, false, top, {210, 210}},
      {"not a hidden child", {210, 20}, false, top, {210, 20}},
      {"a child where it is clipped by its parent", {160, 160}, false, top, {160, 160}},
      {"a child where it is not", {145, 145}, false, inner, {5, 5}},
      {"beside a window's region", {210, 120}, false, top, {210, 120}},
      {"inside a window's region", {240, 120}, false, shaped, {40, 20}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    upperTransparent = c.Transparent;
    MessageLog().clear();
    InjectMouseMove(c.At.X, c.At.Y);
    Pump();
    const auto moves = Logged(nullptr, {WM_MOUSEMOVE});
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0], Msg(c.Expected, WM_MOUSEMOVE, 0, Pack(c.Client.X, c.Client.Y)));
    EXPECT_EQ(MessagesOf(c.Expected, {WM_NCHITTEST, WM_SETCURSOR, WM_MOUSEMOVE}),
              (List{WM_NCHITTEST, WM_SETCURSOR, WM_MOUSEMOVE}));
    EXPECT_EQ(WindowFromPoint(c.At), c.Expected);
  }
  EXPECT_TRUE(MessagesOf(hidden, {WM_NCHITTEST}).empty());
  EXPECT_TRUE(MessagesOf(disabled, {WM_NCHITTEST}).empty());
  // Child lookups by the parent's client coordinates.
  EXPECT_EQ(ChildWindowFromPoint(top, POINT{60, 60}), upper);
  EXPECT_EQ(ChildWindowFromPoint(top, POINT{210, 20}), hidden);
  EXPECT_EQ(ChildWindowFromPointEx(top, POINT{210, 20}, CWP_SKIPINVISIBLE), top);
  EXPECT_EQ(ChildWindowFromPointEx(top, POINT{210, 210}, CWP_SKIPDISABLED), top);
  EXPECT_EQ(ChildWindowFromPoint(top, POINT{400, 10}), nullptr);
  POINT cursor;
  EXPECT_TRUE(GetCursorPos(&cursor));
  EXPECT_EQ(cursor, (POINT{240, 120}));
  DestroyWindow(top);
}

TEST_F(Mouse, TheCaptureTakesEveryMessageAndHandsOver) {
  HWND a = Create(WS_POPUP | WS_VISIBLE, nullptr, {0, 0, 100, 100});
  HWND b = Create(WS_POPUP | WS_VISIBLE, nullptr, {200, 0, 300, 100});
  Pump();
  MessageLog().clear();
  EXPECT_EQ(SetCapture(a), nullptr);
  EXPECT_EQ(GetCapture(), a);
  InjectMouseMove(250, 40);
  InjectMouseButton(VK_LBUTTON, TRUE, 250, 40);
  Pump();
  EXPECT_TRUE(MessagesOf(b).empty()) << "nothing reaches the window under the cursor";
  EXPECT_EQ(Logged(a, {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_NCHITTEST, WM_SETCURSOR}),
            (std::vector<TLogged>{Msg(a, WM_MOUSEMOVE, 0, Pack(250, 40)),
                                  Msg(a, WM_LBUTTONDOWN, MK_LBUTTON, Pack(250, 40))}));

  MessageLog().clear();
  EXPECT_EQ(SetCapture(b), a);
  EXPECT_EQ(Logged(nullptr, {WM_CAPTURECHANGED}), (std::vector<TLogged>{Msg(a, WM_CAPTURECHANGED, 0, L(b))}));
  MessageLog().clear();
  EXPECT_EQ(SetCapture(b), b) << "taking it again changes nothing";
  EXPECT_TRUE(MessagesOf(nullptr).empty());
  InjectMouseButton(VK_LBUTTON, FALSE, 10, 10);
  Pump();
  EXPECT_EQ(Logged(nullptr, {WM_LBUTTONUP}), (std::vector<TLogged>{Msg(b, WM_LBUTTONUP, 0, Pack(-190, 10))}));

  MessageLog().clear();
  EXPECT_TRUE(ReleaseCapture());
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(Logged(nullptr, {WM_CAPTURECHANGED}), (std::vector<TLogged>{Msg(b, WM_CAPTURECHANGED, 0, 0)}));

  // WM_CANCELMODE's default handling lets go of the capture.
  SetCapture(a);
  SendMessageW(a, WM_CANCELMODE, 0, 0);
  EXPECT_EQ(GetCapture(), nullptr);
  // A window destroyed with the capture loses it first.
  SetCapture(b);
  MessageLog().clear();
  DestroyWindow(b);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(MessagesOf(b, {WM_CAPTURECHANGED, WM_DESTROY}), (List{WM_CAPTURECHANGED, WM_DESTROY}));
  DestroyWindow(a);
}

TEST_F(Mouse, ACaptureTakenOnAPressGetsTheEventsAlreadyWaiting) {
  HWND a = Create(WS_POPUP | WS_VISIBLE, nullptr, {0, 0, 100, 100});
  HWND b = Create(WS_POPUP | WS_VISIBLE, nullptr, {200, 0, 300, 100});
  InjectMouseMove(50, 50);
  Pump();
  TestHandler() = [&](HWND w, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (w == a && msg == WM_LBUTTONDOWN) SetCapture(a);
    if (w == a && msg == WM_LBUTTONUP) ReleaseCapture();
    return std::nullopt;
  };
  // A quick drag: everything arrives before the loop runs.
  InjectMouseButton(VK_LBUTTON, TRUE, 50, 50);
  InjectMouseMove(250, 50);
  InjectMouseButton(VK_LBUTTON, FALSE, 250, 50);
  InjectMouseMove(260, 50);
  MessageLog().clear();
  Pump();
  EXPECT_EQ(Deliveries({WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP, WM_CAPTURECHANGED}),
            (std::vector<std::pair<HWND, UINT>>{
                {a, WM_LBUTTONDOWN}, {a, WM_MOUSEMOVE}, {a, WM_LBUTTONUP}, {a, WM_CAPTURECHANGED}, {b, WM_MOUSEMOVE}}));
  EXPECT_EQ(Logged(a, {WM_LBUTTONUP}), (std::vector<TLogged>{Msg(a, WM_LBUTTONUP, 0, Pack(250, 50))}));
  TestHandler() = nullptr;
  DestroyWindow(a);
  DestroyWindow(b);
}

TEST_F(Mouse, DoubleClicksNeedTheClassStyleTheTimeAndTheRectangle) {
  WNDCLASSEXW wc;
  wc.lpfnWndProc = RecordingProc;
  wc.lpszClassName = u"PlainRecording";
  ASSERT_NE(RegisterClassExW(&wc), 0);
  struct TCase {
    const char* Name;
    bool DoubleClickClass;
    UINT SecondButton;
    DWORD Pause;
    int Dx, Dy;
    List Expected;
  } cases[] = {
      {"a double click", true, VK_LBUTTON, 100, 0, 0, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}},
      {"at the double-click time",
       true,
       VK_LBUTTON,
       500,
       2,
       -2,
       {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}},
      {"too slow", true, VK_LBUTTON, 501, 0, 0, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}},
      {"too far", true, VK_LBUTTON, 100, 3, 0, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}},
      {"another button", true, VK_RBUTTON, 100, 0, 0, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP}},
      {"the right button", true, 0, 100, 0, 0, {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK, WM_RBUTTONUP}},
      {"without CS_DBLCLKS",
       false,
       VK_LBUTTON,
       100,
       0,
       0,
       {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}},
  };
  const List buttons{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    HWND h = CreateWindowExW(0, c.DoubleClickClass ? RecordingClass : u"PlainRecording", u"", WS_POPUP | WS_VISIBLE, 0,
                             0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    Pump();
    MessageLog().clear();
    const UINT first = c.SecondButton ? VK_LBUTTON : VK_RBUTTON;
    InjectClick(first, 50, 50);
    SpendVirtualTime(c.Pause);
    InjectClick(c.SecondButton ? c.SecondButton : VK_RBUTTON, 50 + c.Dx, 50 + c.Dy);
    Pump();
    List seen;
    for (UINT m : MessagesOf(h))
      if (std::find(buttons.begin(), buttons.end(), m) != buttons.end()) seen.push_back(m);
    EXPECT_EQ(seen, c.Expected);
    DestroyWindow(h);
  }
  EXPECT_TRUE(UnregisterClassW(u"PlainRecording", nullptr));
}

TEST_F(Mouse, AThirdPressStartsOverAndTheCaptionDoubleClicksAlways) {
  WNDCLASSEXW wc;
  wc.lpfnWndProc = RecordingProc;
  wc.lpszClassName = u"PlainRecording";
  ASSERT_NE(RegisterClassExW(&wc), 0);
  HWND h = CreateWindowExW(0, u"PlainRecording", u"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                           nullptr, nullptr, nullptr);
  HWND d = Create(WS_POPUP | WS_VISIBLE, nullptr, {400, 0, 500, 100});
  Pump();
  MessageLog().clear();
  for (int i = 0; i < 3; ++i) InjectClick(VK_LBUTTON, 450, 50);
  Pump();
  EXPECT_EQ(MessagesOf(d, {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}),
            (List{WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONDOWN}));
  // The caption of a window without CS_DBLCLKS.
  InjectClick(VK_LBUTTON, 150, 15);
  InjectClick(VK_LBUTTON, 150, 15);
  Pump();
  const auto nc = Logged(h, {WM_NCLBUTTONDOWN, WM_NCLBUTTONUP, WM_NCLBUTTONDBLCLK});
  ASSERT_EQ(nc.size(), 4u);
  EXPECT_EQ(nc[0], Msg(h, WM_NCLBUTTONDOWN, HTCAPTION, Pack(150, 15))) << "screen coordinates, the hit in wParam";
  EXPECT_EQ(nc[2].Message, WM_NCLBUTTONDBLCLK);
  DestroyWindow(h);
  DestroyWindow(d);
  EXPECT_TRUE(UnregisterClassW(u"PlainRecording", nullptr));
}

TEST_F(Mouse, TheWheelGoesToTheFocusAndUpItsParents) {
  HWND top = Create(WS_POPUP | WS_VISIBLE, nullptr, {0, 0, 300, 300});
  HWND child = Create(WS_VISIBLE, top, {10, 10, 110, 110});
  HWND other = Create(WS_POPUP | WS_VISIBLE, nullptr, {400, 0, 500, 100});
  Pump();
  InjectWheel(WHEEL_DELTA, 450, 50);
  Pump();
  EXPECT_TRUE(Logged(nullptr, {WM_MOUSEWHEEL}).empty()) << "no focus, no active window: nobody";
  SetFocus(child);
  MessageLog().clear();
  InjectWheel(-WHEEL_DELTA, 450, 50);  // over another window
  Pump();
  const WPARAM down = MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA));
  EXPECT_EQ(Logged(nullptr, {WM_MOUSEWHEEL}), (std::vector<TLogged>{Msg(child, WM_MOUSEWHEEL, down, Pack(450, 50)),
                                                                    Msg(top, WM_MOUSEWHEEL, down, Pack(450, 50))}));
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(down), -120);
  // A handled wheel stops at the focus window.
  TestHandler() = [&](HWND w, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (w == child && msg == WM_MOUSEWHEEL) return 0;
    return std::nullopt;
  };
  MessageLog().clear();
  InjectWheel(2 * WHEEL_DELTA, 20, 20);
  Pump();
  EXPECT_EQ(Logged(nullptr, {WM_MOUSEWHEEL}),
            (std::vector<TLogged>{Msg(child, WM_MOUSEWHEEL, MAKEWPARAM(0, 240), Pack(20, 20))}));
  TestHandler() = nullptr;
  SetFocus(nullptr);
  DestroyWindow(top);
  DestroyWindow(other);
}

TEST_F(Mouse, APressOnAnInactiveWindowAsksToActivateIt) {
  HWND a = Create(WS_POPUP | WS_VISIBLE, nullptr, {0, 0, 100, 100});
  HWND b = Create(WS_POPUP | WS_VISIBLE, nullptr, {200, 0, 400, 200});
  HWND child = Create(WS_VISIBLE, b, {10, 10, 60, 60});
  InjectMouseMove(220, 20);
  Pump();
  SetActiveWindow(a);
  struct TCase {
    const char* Name;
    LRESULT Answer;
    bool Activates;
    bool Delivered;
  } cases[] = {
      {"activate", MA_ACTIVATE, true, true},
      {"activate and eat", MA_ACTIVATEANDEAT, true, false},
      {"no activation", MA_NOACTIVATE, false, true},
      {"no activation, eaten", MA_NOACTIVATEANDEAT, false, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    SetActiveWindow(a);
    SpendVirtualTime(1000);  // no double clicks
    TestHandler() = [&](HWND w, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
      if (w == b && msg == WM_MOUSEACTIVATE) return c.Answer;
      return std::nullopt;
    };
    MessageLog().clear();
    InjectMouseButton(VK_LBUTTON, TRUE, 220, 20);
    Pump();
    // The child asks its parent through the default handling.
    const auto asked = Logged(nullptr, {WM_MOUSEACTIVATE});
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0], Msg(child, WM_MOUSEACTIVATE, W(b), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)));
    EXPECT_EQ(asked[1].Window, b);
    EXPECT_EQ(GetActiveWindow(), c.Activates ? b : a);
    // The parent hears WM_SETCURSOR through the default handling too.
    std::vector<std::pair<HWND, UINT>> expected{{child, WM_MOUSEACTIVATE}, {b, WM_MOUSEACTIVATE}};
    if (c.Activates) expected.insert(expected.end(), {{a, WM_ACTIVATE}, {b, WM_ACTIVATE}});
    if (c.Delivered)
      expected.insert(expected.end(), {{child, WM_SETCURSOR}, {b, WM_SETCURSOR}, {child, WM_LBUTTONDOWN}});
    EXPECT_EQ(Deliveries({WM_MOUSEACTIVATE, WM_ACTIVATE, WM_SETCURSOR, WM_LBUTTONDOWN}), expected);
    if (c.Activates) {
      const auto activate = Logged(b, {WM_ACTIVATE});
      ASSERT_EQ(activate.size(), 1u);
      EXPECT_EQ(activate[0].WParam, static_cast<WPARAM>(WA_CLICKACTIVE));
    }
    InjectMouseButton(VK_LBUTTON, FALSE, 220, 20);
    Pump();
  }
  TestHandler() = nullptr;
  MessageLog().clear();
  // Pressing in the active window asks nothing.
  SetActiveWindow(b);
  InjectClick(VK_LBUTTON, 220, 20);
  Pump();
  EXPECT_TRUE(Logged(nullptr, {WM_MOUSEACTIVATE}).empty());
  SetFocus(nullptr);
  DestroyWindow(a);
  DestroyWindow(b);
}

TEST_F(Mouse, LeaveTrackingReportsOnceTheCursorLeaves) {
  HWND a = Create(WS_POPUP | WS_VISIBLE, nullptr, {0, 0, 100, 100});
  HWND b = Create(WS_POPUP | WS_VISIBLE, nullptr, {200, 0, 300, 100});
  Pump();
  InjectMouseMove(50, 50);
  Pump();
  TRACKMOUSEEVENT tme;
  tme.dwFlags = TME_LEAVE;
  tme.hwndTrack = a;
  ASSERT_TRUE(TrackMouseEvent(&tme));
  TRACKMOUSEEVENT query;
  query.dwFlags = TME_QUERY;
  ASSERT_TRUE(TrackMouseEvent(&query));
  EXPECT_EQ(query.hwndTrack, a);
  EXPECT_EQ(query.dwFlags, TME_LEAVE);
  MessageLog().clear();
  InjectMouseMove(60, 60);  // still inside
  InjectMouseMove(250, 50);
  InjectMouseMove(260, 50);
  Pump();
  EXPECT_EQ(Deliveries({WM_MOUSEMOVE, WM_MOUSELEAVE}),
            (std::vector<std::pair<HWND, UINT>>{
                {a, WM_MOUSEMOVE}, {a, WM_MOUSELEAVE}, {b, WM_MOUSEMOVE}, {b, WM_MOUSEMOVE}}));
  query.dwFlags = TME_QUERY;
  TrackMouseEvent(&query);
  EXPECT_EQ(query.hwndTrack, nullptr) << "tracking ended with the leave";
  // Tracking a window the cursor is not over reports at once.
  MessageLog().clear();
  ASSERT_TRUE(TrackMouseEvent(&tme));
  Pump();
  EXPECT_EQ(MessagesOf(a, {WM_MOUSELEAVE}), (List{WM_MOUSELEAVE}));
  // A cancelled tracking reports nothing.
  tme.hwndTrack = b;
  TrackMouseEvent(&tme);
  tme.dwFlags = TME_LEAVE | TME_CANCEL;
  TrackMouseEvent(&tme);
  MessageLog().clear();
  InjectMouseMove(50, 50);
  Pump();
  EXPECT_TRUE(MessagesOf(b, {WM_MOUSELEAVE}).empty());
  DestroyWindow(a);
  DestroyWindow(b);
}

TEST_F(Mouse, ARightButtonReleaseAsksForAContextMenuUpTheParents) {
  HWND top = Create(WS_POPUP | WS_VISIBLE, nullptr, {100, 100, 300, 300});
  HWND child = Create(WS_VISIBLE, top, {10, 10, 110, 110});
  Pump();
  MessageLog().clear();
  InjectClick(VK_RBUTTON, 130, 140);
  Pump();
  EXPECT_EQ(Logged(nullptr, {WM_RBUTTONUP, WM_CONTEXTMENU}),
            (std::vector<TLogged>{Msg(child, WM_RBUTTONUP, 0, Pack(20, 30)),
                                  Msg(child, WM_CONTEXTMENU, W(child), Pack(130, 140)),
                                  Msg(top, WM_CONTEXTMENU, W(child), Pack(130, 140))}));
  SetFocus(nullptr);
  DestroyWindow(top);
}

TEST_F(Mouse, TheCursorComesFromTheClassInTheClientArea) {
  const HCURSOR beam = LoadCursorW(nullptr, MAKEINTRESOURCEW(IDC_IBEAM));
  const HCURSOR arrow = LoadCursorW(nullptr, MAKEINTRESOURCEW(IDC_ARROW));
  ASSERT_NE(beam, nullptr);
  EXPECT_EQ(LoadCursorW(nullptr, MAKEINTRESOURCEW(IDC_IBEAM)), beam) << "one handle per cursor";
  EXPECT_NE(beam, arrow);
  EXPECT_EQ(LoadCursorW(nullptr, MAKEINTRESOURCEW(12345)), nullptr);
  WNDCLASSEXW wc;
  wc.lpfnWndProc = RecordingProc;
  wc.lpszClassName = u"BeamRecording";
  wc.hCursor = beam;
  ASSERT_NE(RegisterClassExW(&wc), 0);
  HWND h = CreateWindowExW(0, u"BeamRecording", u"", WS_POPUP | WS_VISIBLE | WS_THICKFRAME, 0, 0, 200, 200, nullptr,
                           nullptr, nullptr, nullptr);
  Pump();
  SetCursor(nullptr);
  InjectMouseMove(100, 100);
  Pump();
  EXPECT_EQ(GetCursor(), beam);
  InjectMouseMove(2, 100);
  Pump();
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, MAKEINTRESOURCEW(IDC_SIZEWE)));
  EXPECT_EQ(SetCursor(arrow), LoadCursorW(nullptr, MAKEINTRESOURCEW(IDC_SIZEWE)));
  DestroyWindow(h);
  EXPECT_TRUE(UnregisterClassW(u"BeamRecording", nullptr));
}

}  // namespace
