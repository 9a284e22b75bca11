// Classes, procedures and subclassing, window data, the tree and z-order,
// and coordinates.

#include "tests/platform/WindowTestSupport.h"

namespace {

using Tree = TWindowTest;

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> out;
  for (HWND h = GetWindow(parent, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) out.push_back(h);
  return out;
}

LRESULT PlainProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) { return DefWindowProcW(h, msg, wParam, lParam); }

TEST_F(Tree, ClassesAreFoundByNameAtomAndInstance) {
  const HINSTANCE other = reinterpret_cast<HINSTANCE>(0x5000);
  WNDCLASSEXW wc;
  wc.lpfnWndProc = PlainProc;
  wc.lpszClassName = u"recordingwindow";
  EXPECT_EQ(RegisterClassExW(&wc), 0) << "names match without regard to case";
  EXPECT_EQ(GetLastError(), ERROR_CLASS_ALREADY_EXISTS);
  wc.hInstance = other;
  wc.lpszClassName = u"Private";
  const ATOM atom = RegisterClassExW(&wc);
  ASSERT_GE(atom, 0xC000);
  WNDCLASSEXW info;
  EXPECT_FALSE(GetClassInfoExW(nullptr, u"Private", &info)) << "another instance's class";
  EXPECT_TRUE(GetClassInfoExW(other, u"PRIVATE", &info));
  EXPECT_EQ(info.lpfnWndProc, &PlainProc);

  HWND h = CreateWindowExW(0, MAKEINTATOM(atom), u"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, other, nullptr);
  ASSERT_NE(h, nullptr);
  WCHAR name[32];
  EXPECT_EQ(GetClassNameW(h, name, 32), 7);
  EXPECT_EQ(std::u16string(name), u"Private");
  EXPECT_FALSE(UnregisterClassW(u"Private", other)) << "a window of it lives";
  EXPECT_EQ(GetLastError(), ERROR_CLASS_HAS_WINDOWS);
  DestroyWindow(h);
  EXPECT_TRUE(UnregisterClassW(u"Private", other));
  EXPECT_EQ(CreateWindowExW(0, u"Private", u"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, other, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_CANNOT_FIND_WND_CLASS);

  // Global classes and the platform's own are found from any instance.
  wc.style = CS_GLOBALCLASS;
  wc.lpszClassName = u"Shared";
  ASSERT_NE(RegisterClassExW(&wc), 0);
  EXPECT_TRUE(GetClassInfoExW(nullptr, u"Shared", &info));
  EXPECT_TRUE(UnregisterClassW(u"Shared", other));
  EXPECT_TRUE(GetClassInfoExW(other, u"Message", &info));
  EXPECT_FALSE(UnregisterClassW(u"Message", nullptr)) << "built-in classes stay";
  EXPECT_EQ(GetClassNameW(GetDesktopWindow(), name, 32), 6);
  EXPECT_EQ(std::u16string(name), u"#32769");
}

// A superclass of a built-in class hands what it does not handle to the
// built-in procedure, as the framework's window classes do.
WNDPROC BuiltInProc = nullptr;
int SuperclassCalls = 0;
LRESULT SuperclassProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  ++SuperclassCalls;
  if (msg == WM_GETTEXTLENGTH) return 99;
  return CallWindowProcW(BuiltInProc, h, msg, wParam, lParam);
}

TEST_F(Tree, SuperclassesReachTheBuiltInProcedure) {
  WNDCLASSEXW wc;
  ASSERT_TRUE(GetClassInfoExW(nullptr, u"Message", &wc));
  ASSERT_NE(wc.lpfnWndProc, nullptr);
  BuiltInProc = wc.lpfnWndProc;
  wc.lpfnWndProc = SuperclassProc;
  wc.lpszClassName = u"SuperMessage";
  ASSERT_NE(RegisterClassExW(&wc), 0);
  SuperclassCalls = 0;
  HWND h = CreateWindowExW(0, u"SuperMessage", u"Caption", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_NE(h, nullptr);
  EXPECT_GE(SuperclassCalls, 3);
  WCHAR text[16];
  EXPECT_EQ(GetWindowTextW(h, text, 16), 7) << "the built-in procedure took the name at WM_NCCREATE";
  EXPECT_EQ(std::u16string(text), u"Caption");
  EXPECT_EQ(GetWindowTextLengthW(h), 99) << "the superclass's own answer";
  DestroyWindow(h);
  EXPECT_TRUE(UnregisterClassW(u"SuperMessage", nullptr));
}

// A subclass procedure that counts, then passes everything on.
WNDPROC Previous = nullptr;
std::vector<UINT> Subclassed;
LRESULT SubclassProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  Subclassed.push_back(msg);
  if (msg == WM_USER) return 7;
  return CallWindowProcW(Previous, h, msg, wParam, lParam);
}

TEST_F(Tree, SubclassingReplacesTheProcedureAndChainsToTheOldOne) {
  HWND h = Create();
  Previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc)));
  EXPECT_EQ(Previous, &RecordingProc);
  EXPECT_EQ(GetWindowLongPtrW(h, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&SubclassProc));
  Subclassed.clear();
  MessageLog().clear();
  EXPECT_EQ(SendMessageW(h, WM_USER, 0, 0), 7);
  EXPECT_EQ(SendMessageW(h, WM_USER + 1, 0, 0), 0);
  EXPECT_EQ(Subclassed, (std::vector<UINT>{WM_USER, WM_USER + 1}));
  EXPECT_EQ(MessagesOf(h), (std::vector<UINT>{WM_USER + 1})) << "only what the subclass passed on";
  EXPECT_EQ(SetWindowLongPtrW(h, GWLP_WNDPROC, 0), 0) << "a window always has a procedure";
  SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Previous));
  Subclassed.clear();
  DestroyWindow(h);
  EXPECT_TRUE(Subclassed.empty());
}

TEST_F(Tree, WindowLongsHoldTheWindowsData) {
  HWND parent = Create();
  HWND h = Create(WS_BORDER, parent, {0, 0, 50, 30}, WS_EX_CLIENTEDGE, 42);
  EXPECT_EQ(GetWindowLongPtrW(h, GWLP_ID), 42);
  EXPECT_EQ(GetWindowLongW(h, GWL_STYLE), static_cast<LONG>(WS_CHILD | WS_BORDER));
  EXPECT_EQ(GetWindowLongW(h, GWL_EXSTYLE), static_cast<LONG>(WS_EX_CLIENTEDGE));
  EXPECT_EQ(GetWindowLongPtrW(h, GWLP_HWNDPARENT), reinterpret_cast<LONG_PTR>(parent));
  EXPECT_EQ(SetWindowLongPtrW(h, GWLP_USERDATA, -5), 0);
  EXPECT_EQ(GetWindowLongPtrW(h, GWLP_USERDATA), -5);
  // The class asked for two pointer-sized slots of extra bytes.
  EXPECT_EQ(SetWindowLongPtrW(h, sizeof(LONG_PTR), 0x1234), 0);
  EXPECT_EQ(GetWindowLongPtrW(h, sizeof(LONG_PTR)), 0x1234);
  EXPECT_EQ(SetWindowLongW(h, 0, 77), 0);
  EXPECT_EQ(GetWindowLongW(h, 0), 77);
  SetLastError(0);
  EXPECT_EQ(GetWindowLongPtrW(h, sizeof(LONG_PTR) + 1), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_INDEX);

  // Style changes are announced, and the announcement may amend them.
  TestHandler() = [&](HWND, UINT msg, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
    if (msg == WM_STYLECHANGING && wParam == static_cast<WPARAM>(GWL_STYLE))
      reinterpret_cast<STYLESTRUCT*>(lParam)->styleNew |= WS_TABSTOP;
    return std::nullopt;
  };
  MessageLog().clear();
  EXPECT_EQ(SetWindowLongW(h, GWL_STYLE, WS_CHILD | WS_VSCROLL), static_cast<LONG>(WS_CHILD | WS_BORDER));
  EXPECT_EQ(MessagesOf(h), (std::vector<UINT>{WM_STYLECHANGING, WM_STYLECHANGED}));
  EXPECT_EQ(GetWindowLongW(h, GWL_STYLE), static_cast<LONG>(WS_CHILD | WS_VSCROLL | WS_TABSTOP));
  // The frame follows only when told.
  RECT client;
  GetClientRect(h, &client);
  EXPECT_EQ(client.Right, 50 - 2 * (1 + 2)) << "border and client edge still";
  SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  GetClientRect(h, &client);
  EXPECT_EQ(client.Right, 50 - 2 * 2 - 17) << "client edge and vertical scroll bar";
  TestHandler() = nullptr;
  DestroyWindow(parent);
}

TEST_F(Tree, OwnersChangeButNeverInALoop) {
  HWND a = Create();
  HWND b = Create(WS_POPUP, a);
  HWND c = Create();
  EXPECT_EQ(GetWindowLongPtrW(b, GWLP_HWNDPARENT), reinterpret_cast<LONG_PTR>(a));
  EXPECT_EQ(SetWindowLongPtrW(b, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(c)), reinterpret_cast<LONG_PTR>(a));
  EXPECT_EQ(GetWindow(b, GW_OWNER), c);
  EXPECT_EQ(SetWindowLongPtrW(c, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(b)), 0) << "c owns b";
  EXPECT_EQ(GetWindow(c, GW_OWNER), nullptr);
  EXPECT_EQ(SetWindowLongPtrW(c, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(c)), 0);
  DestroyWindow(c);
  EXPECT_FALSE(IsWindow(b)) << "owned windows go with their owner";
  DestroyWindow(a);
}

TEST_F(Tree, TheTreeAnswersWhoIsWhose) {
  HWND top = Create(WS_POPUP, nullptr, {0, 0, 100, 100});
  HWND mid = Create(0, top);
  HWND leaf = Create(0, mid);
  EXPECT_EQ(GetParent(leaf), mid);
  EXPECT_EQ(GetParent(top), nullptr) << "unowned top-level";
  EXPECT_EQ(GetAncestor(top, GA_PARENT), GetDesktopWindow());
  EXPECT_EQ(GetAncestor(leaf, GA_ROOT), top);
  EXPECT_TRUE(IsChild(top, leaf));
  EXPECT_TRUE(IsChild(mid, leaf));
  EXPECT_FALSE(IsChild(leaf, top));
  EXPECT_FALSE(IsChild(GetDesktopWindow(), top)) << "top-level windows are no children";
  EXPECT_EQ(Create(WS_CHILD, nullptr), nullptr) << "a child needs a parent";
  EXPECT_EQ(GetLastError(), ERROR_TLW_WITH_WSCHILD);

  HWND message = CreateWindowExW(0, RecordingClass, u"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_NE(message, nullptr);
  EXPECT_EQ(GetParent(message), nullptr);
  EXPECT_FALSE(IsWindowVisible(message));
  ShowWindow(message, SW_SHOW);
  EXPECT_FALSE(IsWindowVisible(message)) << "message-only windows are never seen";
  std::vector<HWND> tops;
  EnumWindows([](HWND h, LPARAM p) {
    reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
    return TRUE;
  }, reinterpret_cast<LPARAM>(&tops));
  EXPECT_NE(std::find(tops.begin(), tops.end(), top), tops.end());
  EXPECT_EQ(std::find(tops.begin(), tops.end(), message), tops.end());
  EXPECT_EQ(std::find(tops.begin(), tops.end(), mid), tops.end());
  DestroyWindow(message);
  DestroyWindow(top);
}

TEST_F(Tree, SiblingsKeepTheirZOrder) {
  HWND parent = Create(WS_POPUP, nullptr, {0, 0, 100, 100});
  HWND a = Create(0, parent), b = Create(0, parent), c = Create(0, parent);
  using Order = std::vector<HWND>;
  EXPECT_EQ(Children(parent), (Order{a, b, c})) << "creation order, first on top";
  struct TCase {
    const char* Name;
    HWND Window;
    HWND After;
    Order Expected;
  } cases[] = {
      {"to the top", c, HWND_TOP, {c, a, b}},
      {"to the bottom", c, HWND_BOTTOM, {a, b, c}},
      {"below a sibling", c, a, {a, c, b}},
      {"topmost means top for children", b, HWND_TOPMOST, {b, a, c}},
  };
  for (const TCase& t : cases) {
    SCOPED_TRACE(t.Name);
    EXPECT_TRUE(SetWindowPos(t.Window, t.After, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
    EXPECT_EQ(Children(parent), t.Expected);
  }
  HWND stranger = Create();
  EXPECT_FALSE(SetWindowPos(a, stranger, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE)) << "no sibling";
  EXPECT_EQ(GetWindow(a, GW_HWNDFIRST), b);
  EXPECT_EQ(GetWindow(a, GW_HWNDLAST), c);
  EXPECT_EQ(GetWindow(a, GW_HWNDPREV), b);
  DestroyWindow(stranger);
  DestroyWindow(parent);
}

TEST_F(Tree, TopmostWindowsStayAboveTheOthers) {
  HWND low = Create();
  HWND high = Create(WS_POPUP, nullptr, {0, 0, 10, 10}, WS_EX_TOPMOST);
  HWND newer = Create();
  EXPECT_EQ(GetTopWindow(nullptr), high) << "a new window goes on top of its band only";
  EXPECT_EQ(GetWindow(high, GW_HWNDNEXT), newer);
  EXPECT_EQ(GetWindow(newer, GW_HWNDNEXT), low);
  SetWindowPos(low, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(GetTopWindow(nullptr), low);
  EXPECT_TRUE(GetWindowLongW(low, GWL_EXSTYLE) & WS_EX_TOPMOST);
  SetWindowPos(low, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(GetTopWindow(nullptr), high);
  EXPECT_EQ(GetWindow(high, GW_HWNDNEXT), low) << "at the top of the other band";
  SetWindowPos(high, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_FALSE(GetWindowLongW(high, GWL_EXSTYLE) & WS_EX_TOPMOST) << "the bottom is no place for topmost";
  for (HWND h : {low, high, newer}) DestroyWindow(h);
}

TEST_F(Tree, EnumChildWindowsGoesDepthFirstAndStopsWhenAsked) {
  HWND top = Create();
  HWND a = Create(0, top), a1 = Create(0, a), a2 = Create(0, a), b = Create(0, top);
  struct TVisit {
    std::vector<HWND> Seen;
    size_t StopAfter;
  } visit{{}, 100};
  auto record = [](HWND h, LPARAM p) -> BOOL {
    auto* v = reinterpret_cast<TVisit*>(p);
    v->Seen.push_back(h);
    return v->Seen.size() < v->StopAfter;
  };
  EXPECT_TRUE(EnumChildWindows(top, record, reinterpret_cast<LPARAM>(&visit)));
  EXPECT_EQ(visit.Seen, (std::vector<HWND>{a, a1, a2, b}));
  visit = {{}, 2};
  EXPECT_FALSE(EnumChildWindows(top, record, reinterpret_cast<LPARAM>(&visit)));
  EXPECT_EQ(visit.Seen, (std::vector<HWND>{a, a1}));
  // Windows destroyed by the callback are not visited.
  visit = {{}, 100};
  EnumChildWindows(top, [](HWND h, LPARAM p) -> BOOL {
    auto* v = reinterpret_cast<TVisit*>(p);
    v->Seen.push_back(h);
    if (v->Seen.size() == 1) DestroyWindow(h);
    return TRUE;
  }, reinterpret_cast<LPARAM>(&visit));
  EXPECT_EQ(visit.Seen, (std::vector<HWND>{a, b}));
  DestroyWindow(top);
}

TEST_F(Tree, SetParentMovesAWindowButNeverUnderItself) {
  HWND one = Create(WS_POPUP, nullptr, {0, 0, 100, 100});
  HWND two = Create(WS_POPUP, nullptr, {200, 0, 300, 100});
  HWND child = Create(0, one, {5, 5, 15, 15});
  HWND grandchild = Create(0, child);
  EXPECT_EQ(SetParent(child, two), one);
  EXPECT_EQ(GetParent(child), two);
  RECT r;
  GetWindowRect(child, &r);
  EXPECT_EQ(r, (RECT{205, 5, 215, 15})) << "the same place in the new parent";
  EXPECT_EQ(SetParent(child, grandchild), nullptr);
  EXPECT_EQ(SetParent(child, child), nullptr);
  EXPECT_EQ(GetParent(child), two);
  // Made top-level, it gets a surface of its own.
  EXPECT_EQ(SetParent(child, nullptr), two);
  EXPECT_EQ(GetAncestor(child, GA_PARENT), GetDesktopWindow());
  DestroyWindow(child);
  EXPECT_FALSE(IsWindow(grandchild));
  DestroyWindow(one);
  DestroyWindow(two);
}

TEST_F(Tree, CoordinatesMapBetweenClientAreasAndTheScreen) {
  RECT desktop;
  GetWindowRect(GetDesktopWindow(), &desktop);
  EXPECT_EQ(desktop, (RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}));
  HWND top = Create(WS_POPUP | WS_BORDER, nullptr, {100, 50, 400, 350});
  HWND child = Create(0, top, {10, 20, 110, 70}, WS_EX_CLIENTEDGE);
  RECT r;
  GetWindowRect(child, &r);
  EXPECT_EQ(r, (RECT{111, 71, 211, 121}));
  GetClientRect(child, &r);
  EXPECT_EQ(r, (RECT{0, 0, 96, 46}));
  POINT p{0, 0};
  ClientToScreen(child, &p);
  EXPECT_EQ(p, (POINT{113, 73}));
  ScreenToClient(top, &p);
  EXPECT_EQ(p, (POINT{12, 22}));
  POINT pts[2] = {{0, 0}, {5, -5}};
  const int offset = MapWindowPoints(child, top, pts, 2);
  EXPECT_EQ(pts[1], (POINT{17, 17}));
  EXPECT_EQ(static_cast<short>(LOWORD(offset)), 12);
  EXPECT_EQ(static_cast<short>(HIWORD(offset)), 22);
  POINT back{12, 22};
  const int negative = MapWindowPoints(top, child, &back, 1);
  EXPECT_EQ(back, (POINT{0, 0}));
  EXPECT_EQ(static_cast<short>(LOWORD(negative)), -12);
  DestroyWindow(top);
}

TEST_F(Tree, DefaultPlacementIsForOverlappedWindowsOnly) {
  struct TCase {
    const char* Name;
    DWORD Style;
    RECT Expected;
    bool Caption;
  } cases[] = {
      // Three quarters of the 1920 x 1040 work area.
      {"overlapped", WS_OVERLAPPED, {26, 26, 26 + 1440, 26 + 780}, true},
      {"popup", WS_POPUP, {0, 0, 0, 0}, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    HWND h = CreateWindowExW(0, RecordingClass, u"", c.Style, CW_USEDEFAULT, 0, CW_USEDEFAULT, 0, nullptr, nullptr,
                             nullptr, nullptr);
    RECT r;
    GetWindowRect(h, &r);
    EXPECT_EQ(r, c.Expected);
    EXPECT_EQ((GetWindowLongW(h, GWL_STYLE) & WS_CAPTION) == static_cast<LONG>(WS_CAPTION), c.Caption)
        << "overlapped windows always have a caption";
    DestroyWindow(h);
  }
}

TEST_F(Tree, AdjustWindowRectExAddsTheFrameOfTheStyle) {
  struct TCase {
    const char* Name;
    DWORD Style, ExStyle;
    BOOL Menu;
    RECT Expected;  // around (0, 0, 100, 100)
  } cases[] = {
      {"no frame", WS_POPUP, 0, FALSE, {0, 0, 100, 100}},
      {"border", WS_POPUP | WS_BORDER, 0, FALSE, {-1, -1, 101, 101}},
      {"caption", WS_CAPTION, 0, FALSE, {-3, -26, 103, 103}},
      {"resizable", WS_OVERLAPPEDWINDOW, 0, FALSE, {-8, -31, 108, 108}},
      {"with menu", WS_OVERLAPPEDWINDOW, 0, TRUE, {-8, -51, 108, 108}},
      {"tool window", WS_CAPTION, WS_EX_TOOLWINDOW, FALSE, {-3, -21, 103, 103}},
      {"client edge", WS_CHILD, WS_EX_CLIENTEDGE, FALSE, {-2, -2, 102, 102}},
      {"both edges", WS_CHILD | WS_BORDER, WS_EX_CLIENTEDGE | WS_EX_STATICEDGE, FALSE, {-4, -4, 104, 104}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    RECT r{0, 0, 100, 100};
    EXPECT_TRUE(AdjustWindowRectEx(&r, c.Style, c.Menu, c.ExStyle));
    EXPECT_EQ(r, c.Expected);
  }
}

TEST_F(Tree, WindowTextIsCopiedWithinTheBuffer) {
  HWND h = Create();
  EXPECT_TRUE(SetWindowTextW(h, u"Countdown"));
  EXPECT_EQ(GetWindowTextLengthW(h), 9);
  WCHAR small[5] = {u'x', u'x', u'x', u'x', u'x'};
  EXPECT_EQ(GetWindowTextW(h, small, 5), 4);
  EXPECT_EQ(std::u16string(small), u"Coun");
  EXPECT_EQ(GetWindowTextW(h, small, 0), 0);
  EXPECT_TRUE(SetWindowTextW(h, nullptr));
  EXPECT_EQ(GetWindowTextLengthW(h), 0);
  EXPECT_EQ(MessagesOf(h, {WM_SETTEXT, WM_GETTEXT, WM_GETTEXTLENGTH}),
            (std::vector<UINT>{WM_SETTEXT, WM_GETTEXTLENGTH, WM_GETTEXT, WM_SETTEXT, WM_GETTEXTLENGTH}));
  DestroyWindow(h);
}

TEST_F(Tree, StaleHandlesStayInvalid) {
  HWND first = Create();
  DestroyWindow(first);
  HWND second = Create();
  EXPECT_NE(first, second) << "handles are never reused";
  EXPECT_FALSE(IsWindow(first));
  EXPECT_EQ(GetWindowLongPtrW(first, GWL_STYLE), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
  EXPECT_EQ(SendMessageW(first, WM_USER, 0, 0), 0);
  EXPECT_FALSE(PostMessageW(first, WM_USER, 0, 0));
  DestroyWindow(second);
}

}  // namespace
