// The orders of the messages that creation, positioning, showing, enabling
// and destruction send.

#include <map>

#include "tests/platform/WindowTestSupport.h"

namespace {

using Messages = TWindowTest;
using List = std::vector<UINT>;

TEST_F(Messages, CreationSendsItsMessagesInOrder) {
  HWND parent = Create(WS_POPUP);
  ASSERT_NE(parent, nullptr);
  struct TCase {
    const char* Name;
    DWORD Style;
    bool Child;
    List Expected;
  } cases[] = {
      {"hidden top-level", WS_POPUP, false, {WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE}},
      {"hidden child", 0, true, {WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE}},
      {"visible child", WS_VISIBLE, true,
       {WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SHOWWINDOW, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED}},
      {"visible top-level", WS_POPUP | WS_VISIBLE, false,
       {WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SHOWWINDOW, WM_WINDOWPOSCHANGING,
        WM_WINDOWPOSCHANGED}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    MessageLog().clear();
    HWND h = Create(c.Style, c.Child ? parent : nullptr);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(MessagesOf(h), c.Expected);
    EXPECT_EQ(MessagesOf(nullptr).size(), c.Expected.size()) << "no other window hears of it";
    for (const TLogged& l : MessageLog()) EXPECT_TRUE(l.Sent) << "message " << l.Message;
    EXPECT_TRUE(DestroyWindow(h));
  }
  DestroyWindow(parent);
}

TEST_F(Messages, CreationHandsOverItsParametersAndTheClientArea) {
  int param = 0;
  std::optional<CREATESTRUCTW> seen;
  RECT calc{};
  TestHandler() = [&](HWND, UINT msg, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
    if (msg == WM_CREATE) seen = *reinterpret_cast<CREATESTRUCTW*>(lParam);
    if (msg == WM_NCCALCSIZE) {
      EXPECT_EQ(wParam, static_cast<WPARAM>(FALSE));
      calc = *reinterpret_cast<RECT*>(lParam);  // the window rectangle going in
    }
    return std::nullopt;
  };
  HWND h = CreateWindowExW(WS_EX_CLIENTEDGE, RecordingClass, u"Title", WS_POPUP | WS_BORDER, 30, 40, 200, 100,
                           nullptr, nullptr, nullptr, &param);
  ASSERT_NE(h, nullptr);
  ASSERT_TRUE(seen.has_value());
  EXPECT_EQ(seen->lpCreateParams, &param);
  EXPECT_EQ(seen->x, 30);
  EXPECT_EQ(seen->y, 40);
  EXPECT_EQ(seen->cx, 200);
  EXPECT_EQ(seen->cy, 100);
  EXPECT_EQ(seen->dwExStyle, static_cast<DWORD>(WS_EX_CLIENTEDGE));
  EXPECT_EQ(calc, (RECT{30, 40, 230, 140}));
  RECT client;
  GetClientRect(h, &client);
  EXPECT_EQ(client, (RECT{0, 0, 194, 94})) << "1-pixel border and 2-pixel client edge";
  // The default handling of WM_NCCREATE took the text.
  WCHAR text[16];
  EXPECT_EQ(GetWindowTextW(h, text, 16), 5);
  EXPECT_EQ(std::u16string(text), u"Title");
  DestroyWindow(h);
}

TEST_F(Messages, AFailedCreationUndoesItself) {
  struct TCase {
    const char* Name;
    UINT Refusing;
    LRESULT Answer;
    List Expected;
  } cases[] = {
      {"WM_NCCREATE answers FALSE", WM_NCCREATE, FALSE, {WM_NCCREATE, WM_NCDESTROY}},
      {"WM_CREATE answers -1", WM_CREATE, -1, {WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_DESTROY, WM_NCDESTROY}},
  };
  HWND parent = Create(WS_POPUP);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    MessageLog().clear();
    TestHandler() = [&](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
      if (msg == c.Refusing) return c.Answer;
      return std::nullopt;
    };
    const int before = GetLiveWindowCount();
    EXPECT_EQ(Create(0, parent), nullptr);
    EXPECT_EQ(GetLiveWindowCount(), before);
    EXPECT_EQ(MessagesOf(nullptr), c.Expected);
    EXPECT_EQ(GetWindow(parent, GW_CHILD), nullptr);
  }
  TestHandler() = nullptr;
  DestroyWindow(parent);
}

TEST_F(Messages, SetWindowPosSendsWhatTheChangeNeeds) {
  HWND parent = Create(WS_POPUP | WS_VISIBLE, nullptr, {0, 0, 400, 300});
  struct TCase {
    const char* Name;
    int X, Y, Cx, Cy;
    UINT Flags;
    List Expected;
  } cases[] = {
      {"move and size", 5, 6, 200, 100, SWP_NOZORDER,
       {WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE}},
      {"size only", 0, 0, 150, 80, SWP_NOZORDER | SWP_NOMOVE,
       {WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_WINDOWPOSCHANGED, WM_SIZE}},
      {"move only", 30, 40, 0, 0, SWP_NOZORDER | SWP_NOSIZE, {WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE}},
      {"the same place", 10, 20, 100, 50, SWP_NOZORDER, {WM_WINDOWPOSCHANGING}},
      {"frame changed", 0, 0, 0, 0, SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_FRAMECHANGED,
       {WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_WINDOWPOSCHANGED}},
      {"without WM_WINDOWPOSCHANGING", 0, 0, 120, 60, SWP_NOZORDER | SWP_NOMOVE | SWP_NOSENDCHANGING,
       {WM_NCCALCSIZE, WM_WINDOWPOSCHANGED, WM_SIZE}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    HWND child = Create(WS_VISIBLE, parent, {10, 20, 110, 70});
    MessageLog().clear();
    EXPECT_TRUE(SetWindowPos(child, nullptr, c.X, c.Y, c.Cx, c.Cy, c.Flags));
    EXPECT_EQ(MessagesOf(child), c.Expected);
    DestroyWindow(child);
  }
  DestroyWindow(parent);
}

TEST_F(Messages, PositionMessagesCarryOldAndNewGeometry) {
  HWND parent = Create(WS_POPUP, nullptr, {0, 0, 400, 300});
  HWND child = Create(WS_BORDER, parent, {10, 20, 110, 70});
  NCCALCSIZE_PARAMS calc{};
  WINDOWPOS changed{};
  LPARAM move = 0, size = 0;
  TestHandler() = [&](HWND, UINT msg, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
    if (msg == WM_NCCALCSIZE) {
      EXPECT_EQ(wParam, static_cast<WPARAM>(TRUE));
      calc = *reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
    }
    if (msg == WM_WINDOWPOSCHANGED) changed = *reinterpret_cast<WINDOWPOS*>(lParam);
    if (msg == WM_MOVE) move = lParam;
    if (msg == WM_SIZE) {
      size = lParam;
      EXPECT_EQ(wParam, SIZE_RESTORED);
    }
    return std::nullopt;
  };
  ASSERT_TRUE(MoveWindow(child, -5, 6, 200, 100, TRUE));
  EXPECT_EQ(calc.rgrc[0], (RECT{-5, 6, 195, 106})) << "the new window rectangle";
  EXPECT_EQ(calc.rgrc[1], (RECT{10, 20, 110, 70})) << "the old window rectangle";
  EXPECT_EQ(calc.rgrc[2], (RECT{11, 21, 109, 69})) << "the old client rectangle";
  EXPECT_EQ(changed.x, -5);
  EXPECT_EQ(changed.cx, 200);
  EXPECT_EQ(changed.flags & (SWP_NOCLIENTMOVE | SWP_NOCLIENTSIZE), 0u);
  EXPECT_EQ(GET_X_LPARAM(move), -4) << "WM_MOVE gives the client origin, signed";
  EXPECT_EQ(GET_Y_LPARAM(move), 7);
  EXPECT_EQ(LOWORD(size), 198);
  EXPECT_EQ(HIWORD(size), 98);
  RECT r;
  GetWindowRect(child, &r);
  EXPECT_EQ(r, (RECT{-5, 6, 195, 106}));
  DestroyWindow(parent);
}

TEST_F(Messages, WindowPosChangingMayAlterTheRequest) {
  HWND h = Create(WS_POPUP, nullptr, {0, 0, 100, 100});
  TestHandler() = [&](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
    if (msg == WM_WINDOWPOSCHANGING) {
      auto* wp = reinterpret_cast<WINDOWPOS*>(lParam);
      wp->cx = 64;              // the handler decides the width
      wp->flags |= SWP_NOMOVE;  // and refuses the move
    }
    return std::nullopt;
  };
  SetWindowPos(h, nullptr, 50, 50, 300, 40, SWP_NOZORDER);
  RECT r;
  GetWindowRect(h, &r);
  EXPECT_EQ(r, (RECT{0, 0, 64, 40}));
  EXPECT_EQ(MessagesOf(h, {WM_MOVE, WM_SIZE}), (List{WM_SIZE}));
  DestroyWindow(h);
}

TEST_F(Messages, ResizableTopLevelWindowsKeepToTheirTrackingSizes) {
  POINT minimum{300, 200};
  TestHandler() = [&](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
    if (msg == WM_GETMINMAXINFO) {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      EXPECT_EQ(info->ptMinTrackSize, (POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)}));
      EXPECT_EQ(info->ptMaxTrackSize, (POINT{GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)}));
      info->ptMinTrackSize = minimum;
    }
    return std::nullopt;
  };
  // Created too small, then resized too small: both held at the minimum.
  HWND h = Create(WS_OVERLAPPEDWINDOW, nullptr, {0, 0, 50, 50});
  RECT r;
  GetWindowRect(h, &r);
  EXPECT_EQ(r, (RECT{0, 0, 300, 200}));
  MessageLog().clear();
  SetWindowPos(h, nullptr, 0, 0, 10, 500, SWP_NOZORDER | SWP_NOMOVE);
  GetWindowRect(h, &r);
  EXPECT_EQ(r, (RECT{0, 0, 300, 500}));
  EXPECT_EQ(MessagesOf(h),
            (List{WM_WINDOWPOSCHANGING, WM_GETMINMAXINFO, WM_NCCALCSIZE, WM_WINDOWPOSCHANGED, WM_SIZE}));
  // A hidden helper popup keeps whatever size it asks for.
  HWND helper = Create(WS_POPUP, nullptr, {0, 0, 0, 0});
  GetWindowRect(helper, &r);
  EXPECT_EQ(r, (RECT{0, 0, 0, 0}));
  DestroyWindow(helper);
  DestroyWindow(h);
}

TEST_F(Messages, ShowingAndHidingSendWmShowWindowFirst) {
  HWND parent = Create(WS_POPUP | WS_VISIBLE, nullptr, {0, 0, 300, 300});
  HWND child = Create(0, parent);
  bool visibleDuringShowWindow = true;
  WINDOWPOS changed{};
  TestHandler() = [&](HWND h, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
    if (msg == WM_SHOWWINDOW) visibleDuringShowWindow = IsWindowVisible(h);
    if (msg == WM_WINDOWPOSCHANGED) changed = *reinterpret_cast<WINDOWPOS*>(lParam);
    return std::nullopt;
  };
  MessageLog().clear();
  EXPECT_FALSE(ShowWindow(child, SW_SHOW)) << "it was hidden";
  EXPECT_EQ(MessagesOf(child), (List{WM_SHOWWINDOW, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED}));
  EXPECT_EQ(MessageLog()[0].WParam, static_cast<WPARAM>(TRUE));
  EXPECT_FALSE(visibleDuringShowWindow) << "WM_SHOWWINDOW comes before the change";
  EXPECT_TRUE(changed.flags & SWP_SHOWWINDOW);
  EXPECT_EQ(changed.flags & (SWP_NOCLIENTMOVE | SWP_NOCLIENTSIZE), SWP_NOCLIENTMOVE | SWP_NOCLIENTSIZE);
  EXPECT_TRUE(IsWindowVisible(child));

  MessageLog().clear();
  EXPECT_TRUE(ShowWindow(child, SW_SHOW));
  EXPECT_TRUE(MessagesOf(child).empty()) << "already visible";

  EXPECT_TRUE(ShowWindow(child, SW_HIDE));
  EXPECT_EQ(MessagesOf(child), (List{WM_SHOWWINDOW, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED}));
  EXPECT_EQ(MessageLog()[0].WParam, static_cast<WPARAM>(FALSE));
  EXPECT_TRUE(changed.flags & SWP_HIDEWINDOW);
  EXPECT_FALSE(IsWindowVisible(child));
  MessageLog().clear();
  EXPECT_FALSE(ShowWindow(child, SW_HIDE));
  EXPECT_TRUE(MessagesOf(child).empty());

  // Visible needs visible ancestors too.
  ShowWindow(child, SW_SHOW);
  ShowWindow(parent, SW_HIDE);
  EXPECT_TRUE(GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE);
  EXPECT_FALSE(IsWindowVisible(child));
  DestroyWindow(parent);
}

TEST_F(Messages, MaximizingAndMinimizingFollowTheWorkArea) {
  HWND h = Create(WS_OVERLAPPEDWINDOW, nullptr, {100, 100, 500, 400});
  struct TCase {
    const char* Name;
    int Show;
    RECT Window;
    WPARAM SizeKind;
    LPARAM ClientSize;
  } cases[] = {
      // The 8-pixel frame lies just outside the 1920 x 1040 work area.
      {"maximized", SW_SHOWMAXIMIZED, {-8, -8, 1928, 1048}, SIZE_MAXIMIZED, MAKELPARAM(1920, 1040 - 23)},
      {"restored", SW_RESTORE, {100, 100, 500, 400}, SIZE_RESTORED, MAKELPARAM(384, 300 - 31 - 8)},
      {"minimized", SW_MINIMIZE, {-32000, -32000, -32000 + 160, -32000 + 28}, SIZE_MINIMIZED, 0},
      {"restored again", SW_SHOWNORMAL, {100, 100, 500, 400}, SIZE_RESTORED, MAKELPARAM(384, 300 - 31 - 8)},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    std::optional<std::pair<WPARAM, LPARAM>> size;
    TestHandler() = [&](HWND, UINT msg, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
      if (msg == WM_SIZE) size = {wParam, lParam};
      return std::nullopt;
    };
    ShowWindow(h, c.Show);
    RECT r;
    GetWindowRect(h, &r);
    EXPECT_EQ(r, c.Window);
    ASSERT_TRUE(size.has_value());
    EXPECT_EQ(size->first, c.SizeKind);
    EXPECT_EQ(size->second, c.ClientSize);
    EXPECT_EQ(IsZoomed(h) != FALSE, c.SizeKind == SIZE_MAXIMIZED);
    EXPECT_EQ(IsIconic(h) != FALSE, c.SizeKind == SIZE_MINIMIZED);
    EXPECT_TRUE(IsWindowVisible(h));
  }
  TestHandler() = nullptr;
  DestroyWindow(h);
}

TEST_F(Messages, EnablingSendsWmEnableOnAChangeOnly) {
  HWND h = Create();
  std::vector<std::pair<WPARAM, BOOL>> seen;  // wParam, enabled while handled
  TestHandler() = [&](HWND w, UINT msg, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_ENABLE) seen.emplace_back(wParam, IsWindowEnabled(w));
    return std::nullopt;
  };
  EXPECT_FALSE(EnableWindow(h, FALSE)) << "it was enabled";
  EXPECT_TRUE(EnableWindow(h, FALSE)) << "it was disabled";
  EXPECT_FALSE(IsWindowEnabled(h));
  EXPECT_TRUE(EnableWindow(h, TRUE));
  EXPECT_FALSE(EnableWindow(h, TRUE));
  EXPECT_EQ(seen, (std::vector<std::pair<WPARAM, BOOL>>{{FALSE, FALSE}, {TRUE, TRUE}}));
  DestroyWindow(h);
}

TEST_F(Messages, DestructionGoesDownWithWmDestroyAndUpWithWmNcDestroy) {
  HWND parent = Create(WS_POPUP | WS_VISIBLE, nullptr, {0, 0, 300, 300});
  HWND a = Create(WS_VISIBLE, parent);
  HWND b = Create(WS_VISIBLE, parent);
  HWND a1 = Create(WS_VISIBLE, a);
  std::map<HWND, bool> aliveChildrenAtParentDestroy;
  bool parentAliveAtItsNcDestroy = false;
  TestHandler() = [&](HWND h, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_DESTROY && h == parent)
      for (HWND c : {a, b, a1}) aliveChildrenAtParentDestroy[c] = IsWindow(c);
    if (msg == WM_NCDESTROY && h == parent) parentAliveAtItsNcDestroy = IsWindow(parent);
    return std::nullopt;
  };
  MessageLog().clear();
  ASSERT_TRUE(DestroyWindow(parent));
  using Pairs = std::vector<std::pair<HWND, UINT>>;
  EXPECT_EQ(Deliveries({WM_DESTROY, WM_NCDESTROY}),
            (Pairs{{parent, WM_DESTROY}, {a, WM_DESTROY}, {a1, WM_DESTROY}, {b, WM_DESTROY},
                   {a1, WM_NCDESTROY}, {a, WM_NCDESTROY}, {b, WM_NCDESTROY}, {parent, WM_NCDESTROY}}));
  // A visible window is hidden first; its children simply go.
  EXPECT_EQ(MessagesOf(parent), (List{WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_DESTROY, WM_NCDESTROY}));
  EXPECT_EQ(MessagesOf(a1), (List{WM_DESTROY, WM_NCDESTROY}));
  for (auto [child, alive] : aliveChildrenAtParentDestroy) EXPECT_TRUE(alive);
  EXPECT_TRUE(parentAliveAtItsNcDestroy);
  for (HWND h : {parent, a, b, a1}) EXPECT_FALSE(IsWindow(h));
}

TEST_F(Messages, OwnedWindowsGoBeforeTheirOwner) {
  HWND owner = Create(WS_POPUP);
  HWND owned = Create(WS_POPUP, owner);
  EXPECT_EQ(GetWindow(owned, GW_OWNER), owner);
  EXPECT_EQ(GetParent(owned), owner) << "the parent of a top-level window is its owner";
  MessageLog().clear();
  DestroyWindow(owner);
  using Pairs = std::vector<std::pair<HWND, UINT>>;
  EXPECT_EQ(Deliveries({WM_DESTROY, WM_NCDESTROY}),
            (Pairs{{owned, WM_DESTROY}, {owned, WM_NCDESTROY}, {owner, WM_DESTROY}, {owner, WM_NCDESTROY}}));
  EXPECT_FALSE(IsWindow(owned));
}

TEST_F(Messages, HandlersMayDestroyWindowsOnTheWay) {
  HWND parent = Create(WS_POPUP);
  HWND a = Create(0, parent);
  HWND a1 = Create(0, a);
  HWND b = Create(0, parent);
  HWND late = reinterpret_cast<HWND>(1);
  TestHandler() = [&](HWND h, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_DESTROY && h == parent) {
      EXPECT_TRUE(DestroyWindow(a));     // a whole subtree, at once
      late = Create(0, parent);          // no new children on the way out
      EXPECT_TRUE(DestroyWindow(parent));  // already under way
    }
    return std::nullopt;
  };
  ASSERT_TRUE(DestroyWindow(parent));
  EXPECT_EQ(late, nullptr);
  for (HWND h : {parent, a, a1, b}) {
    EXPECT_EQ(MessagesOf(h, {WM_DESTROY}).size(), 1u);
    EXPECT_EQ(MessagesOf(h, {WM_NCDESTROY}).size(), 1u);
    EXPECT_FALSE(IsWindow(h));
  }
  // a and its child went inside the parent's WM_DESTROY, before b heard of it.
  using Pairs = std::vector<std::pair<HWND, UINT>>;
  EXPECT_EQ(Deliveries({WM_DESTROY, WM_NCDESTROY}),
            (Pairs{{parent, WM_DESTROY}, {a, WM_DESTROY}, {a1, WM_DESTROY}, {a1, WM_NCDESTROY}, {a, WM_NCDESTROY},
                   {b, WM_DESTROY}, {b, WM_NCDESTROY}, {parent, WM_NCDESTROY}}));
}

TEST_F(Messages, DestroyedWindowsTakeTheirTimersAndMessagesAlong) {
  HWND h = Create();
  SetTimer(h, 1, 100, nullptr);
  PostMessageW(h, WM_USER, 0, 0);
  const int timers = GetLiveTimerCount();
  DestroyWindow(h);
  EXPECT_EQ(GetLiveTimerCount(), timers - 1);
  MSG msg;
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_FALSE(DestroyWindow(h));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
  EXPECT_FALSE(DestroyWindow(GetDesktopWindow()));
}

}  // namespace
