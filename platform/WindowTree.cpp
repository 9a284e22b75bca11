// The window table and the tree: parents, owners, z-order and the queries on them.

#include <algorithm>
#include <unordered_map>

#include "platform/WindowObjects.h"

namespace {

struct TWindowTable {
  std::unordered_map<uintptr_t, std::unique_ptr<TWindow>> Windows;
  // Handles are never reused, so a stale one stays invalid. They keep clear
  // of the special values (0, 1, 0xFFFF and the small negatives).
  uintptr_t NextHandle = 0x20000;
  HWND Desktop = nullptr;
  HWND MessageRoot = nullptr;
};

TWindow& AddWindow(TWindowTable& t) {
  auto window = std::make_unique<TWindow>();
  window->Handle = reinterpret_cast<HWND>(t.NextHandle);
  t.NextHandle += 4;
  TWindow& w = *window;
  t.Windows.emplace(reinterpret_cast<uintptr_t>(w.Handle), std::move(window));
  return w;
}

HWND AddRoot(TWindowTable& t, LPCWSTR className, DWORD style, const RECT& bounds) {
  TWindow& w = AddWindow(t);
  w.Class = FindClass(className, nullptr);
  ++w.Class->WindowCount;
  w.Proc = w.Class->Proc;
  w.Style = style;
  w.Window = w.Client = w.Normal = bounds;
  return w.Handle;
}

TWindowTable& Table() {
  static TWindowTable table = [] {
    // The two roots: the screen, parent of the top-level windows, and the
    // hidden parent of message-only windows.
    TWindowTable t;
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    t.Desktop = AddRoot(t, u"#32769", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, screen);
    t.MessageRoot = AddRoot(t, u"Message", WS_POPUP | WS_CLIPCHILDREN, RECT{});
    return t;
  }();
  return table;
}

void CollectBelow(HWND h, std::vector<HWND>& out) {
  out.push_back(h);
  if (TWindow* w = WindowOf(h))
    for (HWND child : w->Children) CollectBelow(child, out);
}

bool IsRoot(HWND h) { return h == DesktopHandle() || h == MessageRootHandle(); }

// Topmost top-level windows stay above the others.
bool InTopmostBand(HWND h) {
  const TWindow* w = WindowOf(h);
  return w && IsTopLevel(*w) && (w->ExStyle & WS_EX_TOPMOST);
}

}  // namespace

TWindow* WindowOf(HWND h) {
  auto& windows = Table().Windows;
  auto it = windows.find(reinterpret_cast<uintptr_t>(h));
  return it == windows.end() ? nullptr : it->second.get();
}

TWindow* CheckedWindowOf(HWND h) {
  TWindow* w = WindowOf(h);
  if (!w) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return w;
}

HWND DesktopHandle() { return Table().Desktop; }
HWND MessageRootHandle() { return Table().MessageRoot; }

bool IsTopLevel(const TWindow& w) { return w.Parent && w.Parent == DesktopHandle(); }

TWindow& NewWindow() { return AddWindow(Table()); }

void FreeWindow(HWND h) {
  TWindowTable& t = Table();
  auto it = t.Windows.find(reinterpret_cast<uintptr_t>(h));
  if (it == t.Windows.end()) return;
  TWindow& w = *it->second;
  if (TWindow* parent = WindowOf(w.Parent)) UnlinkChild(*parent, h);
  --w.Class->WindowCount;
  t.Windows.erase(it);
}

void LinkChild(TWindow& parent, HWND child, bool onTop) {
  auto& list = parent.Children;
  if (onTop) {
    // Above the first sibling of the same band.
    const bool topmost = InTopmostBand(child);
    auto at = std::find_if(list.begin(), list.end(), [&](HWND s) { return topmost || !InTopmostBand(s); });
    list.insert(at, child);
  } else {
    auto at = list.end();
    if (InTopmostBand(child))
      at = std::find_if(list.begin(), list.end(), [](HWND s) { return !InTopmostBand(s); });
    list.insert(at, child);
  }
}

void UnlinkChild(TWindow& parent, HWND child) { std::erase(parent.Children, child); }

std::vector<HWND> TopLevelWindows() { return WindowOf(DesktopHandle())->Children; }

std::vector<HWND> WindowsBelow(HWND root) {
  std::vector<HWND> out;
  CollectBelow(root, out);
  return out;
}

POINT ClientOriginOnScreen(const TWindow& w) {
  POINT p{w.Client.Left, w.Client.Top};
  for (const TWindow* up = WindowOf(w.Parent); up; up = WindowOf(up->Parent)) {
    p.X += up->Client.Left;
    p.Y += up->Client.Top;
  }
  return p;
}

bool HasTopLevelWindows() { return !TopLevelWindows().empty(); }

int GetLiveWindowCount() { return static_cast<int>(Table().Windows.size()) - 2; }

HWND GetDesktopWindow() { return DesktopHandle(); }

BOOL IsWindow(HWND hWnd) { return WindowOf(hWnd) ? TRUE : FALSE; }

HWND GetParent(HWND hWnd) {
  TWindow* w = CheckedWindowOf(hWnd);
  if (!w) return nullptr;
  if (w->Style & WS_CHILD) return IsRoot(w->Parent) ? nullptr : w->Parent;
  return w->Owner;
}

HWND GetAncestor(HWND hwnd, UINT gaFlags) {
  TWindow* w = CheckedWindowOf(hwnd);
  if (!w || IsRoot(hwnd)) return nullptr;
  switch (gaFlags) {
    case GA_PARENT: return w->Parent;
    case GA_ROOT:
    case GA_ROOTOWNER: {
      while (!IsRoot(w->Parent)) w = WindowOf(w->Parent);
      if (gaFlags == GA_ROOTOWNER)
        while (TWindow* owner = WindowOf(w->Owner)) w = owner;
      return w->Handle;
    }
    default: SetLastError(ERROR_INVALID_PARAMETER); return nullptr;
  }
}

BOOL IsChild(HWND hWndParent, HWND hWnd) {
  const TWindow* w = WindowOf(hWnd);
  if (!w || !WindowOf(hWndParent)) return FALSE;
  for (HWND up = w->Parent; up && !IsRoot(up); up = WindowOf(up)->Parent)
    if (up == hWndParent) return TRUE;
  return FALSE;
}

HWND SetParent(HWND hWndChild, HWND hWndNewParent) {
  TWindow* w = CheckedWindowOf(hWndChild);
  if (!w) return nullptr;
  if (!hWndNewParent) hWndNewParent = DesktopHandle();
  TWindow* parent = CheckedWindowOf(hWndNewParent);
  if (!parent) return nullptr;
  // A window cannot move under itself: the tree would become a loop.
  if (IsRoot(hWndChild) || hWndNewParent == hWndChild || IsChild(hWndChild, hWndNewParent) || parent->DestroySent) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const HWND old = w->Parent;
  if (TWindow* before = WindowOf(old)) UnlinkChild(*before, hWndChild);
  w->Parent = hWndNewParent;
  LinkChild(*parent, hWndChild, true);
  // Only top-level windows have surfaces of their own.
  if (IsTopLevel(*w) && !w->Surface) {
    RECT bounds;
    GetWindowRect(hWndChild, &bounds);
    w->Surface = CurrentBackend().CreateSurface(hWndChild, bounds);
    w->Surface->SetTitle(w->Text);
    w->Surface->SetVisible(w->Style & WS_VISIBLE);
  } else if (!IsTopLevel(*w)) {
    w->Surface.reset();
  }
  return old;
}

HWND GetWindow(HWND hWnd, UINT uCmd) {
  TWindow* w = CheckedWindowOf(hWnd);
  if (!w) return nullptr;
  if (uCmd == GW_CHILD) return w->Children.empty() ? nullptr : w->Children.front();
  if (uCmd == GW_OWNER) return w->Owner;
  TWindow* parent = WindowOf(w->Parent);
  if (!parent) return nullptr;
  const auto& siblings = parent->Children;
  const auto at = std::find(siblings.begin(), siblings.end(), hWnd);
  switch (uCmd) {
    case GW_HWNDFIRST: return siblings.front();
    case GW_HWNDLAST: return siblings.back();
    case GW_HWNDNEXT: return at + 1 == siblings.end() ? nullptr : *(at + 1);
    case GW_HWNDPREV: return at == siblings.begin() ? nullptr : *(at - 1);
    default: SetLastError(ERROR_INVALID_PARAMETER); return nullptr;
  }
}

HWND GetTopWindow(HWND hWnd) { return GetWindow(hWnd ? hWnd : DesktopHandle(), GW_CHILD); }

BOOL EnumChildWindows(HWND hWndParent, WNDENUMPROC lpEnumFunc, LPARAM lParam) {
  if (!hWndParent) return EnumWindows(lpEnumFunc, lParam);
  if (!CheckedWindowOf(hWndParent) || !lpEnumFunc) return FALSE;
  // The list is taken first; windows that die on the way are skipped.
  std::vector<HWND> below = WindowsBelow(hWndParent);
  for (size_t i = 1; i < below.size(); ++i)
    if (WindowOf(below[i]) && !lpEnumFunc(below[i], lParam)) return FALSE;
  return TRUE;
}

BOOL EnumWindows(WNDENUMPROC lpEnumFunc, LPARAM lParam) {
  if (!lpEnumFunc) return FALSE;
  for (HWND h : TopLevelWindows())
    if (WindowOf(h) && !lpEnumFunc(h, lParam)) return FALSE;
  return TRUE;
}

BOOL IsWindowVisible(HWND hWnd) {
  for (const TWindow* w = WindowOf(hWnd); w; w = WindowOf(w->Parent))
    if (!(w->Style & WS_VISIBLE)) return FALSE;
  return WindowOf(hWnd) ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hWnd) {
  const TWindow* w = WindowOf(hWnd);
  return w && !(w->Style & WS_DISABLED) ? TRUE : FALSE;
}

BOOL IsIconic(HWND hWnd) {
  const TWindow* w = WindowOf(hWnd);
  return w && (w->Style & WS_MINIMIZE) ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hWnd) {
  const TWindow* w = WindowOf(hWnd);
  return w && (w->Style & WS_MAXIMIZE) ? TRUE : FALSE;
}
