// Surfaces in memory and a virtual or real clock. Nothing outside the
// program sends events here: input arrives through the test calls.

#include <algorithm>
#include <chrono>
#include <cstring>
#include <iterator>
#include <optional>
#include <thread>
#include <utility>

#include "platform/GdiObjects.h"
#include "platform/MessageBoxWindow.h"
#include "platform/PngFile.h"
#include "platform/WindowObjects.h"
#include "platform/backend/headless/Headless.h"

namespace {

// The virtual clock starts as if the machine had been up for an hour, so
// that no test mistakes time 0 for "never".
constexpr ULONGLONG FirstVirtualTime = 3600000;

class THeadlessSurface : public TBackendSurface {
 public:
  void SetBounds(const RECT& bounds) override {
    ResizeSurfacePixels(FPixels, bounds.Right - bounds.Left, bounds.Bottom - bounds.Top);
    FBounds = bounds;
  }
  void SetVisible(bool visible) override { FVisible = visible; }
  void SetTitle(const std::u16string& title) override { FTitle = title; }
  TBitmapObject* Pixels() override { return FPixels.get(); }
  void Changed(const RECT& area) override {
    const bool none = FChanged.Right <= FChanged.Left || FChanged.Bottom <= FChanged.Top;
    FChanged = none ? area
                                      : RECT{std::min(FChanged.Left, area.Left), std::min(FChanged.Top, area.Top),
                                             std::max(FChanged.Right, area.Right), std::max(FChanged.Bottom, area.Bottom)};
  }
  RECT TakeChanged() { return std::exchange(FChanged, RECT{}); }

  void Describe(THeadlessSurfaceInfo& info) const {
    info.Bounds = FBounds;
    info.Visible = FVisible ? TRUE : FALSE;
    info.PixelWidth = FPixels ? FPixels->Width : 0;
    info.PixelHeight = FPixels ? FPixels->Height : 0;
    info.Title = FTitle;
    info.Changed = FChanged;
  }

 private:
  RECT FBounds;
  RECT FChanged;
  bool FVisible = false;
  std::u16string FTitle;
  std::unique_ptr<TBitmapObject> FPixels;
};

class THeadlessBackend : public TBackend {
 public:
  THeadlessBackend(THeadlessClock clock, ULONGLONG start)
      : FClock(clock), FStartTime(start), FStartInstant(std::chrono::steady_clock::now()), FVirtualTime(start) {}

  std::unique_ptr<TBackendSurface> CreateSurface(HWND, const RECT& bounds) override {
    auto surface = std::make_unique<THeadlessSurface>();
    surface->SetBounds(bounds);
    return surface;
  }

  ULONGLONG Now() override {
    if (FClock == THeadlessClock::Virtual) return FVirtualTime;
    const auto elapsed = std::chrono::steady_clock::now() - FStartInstant;
    return FStartTime + static_cast<ULONGLONG>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
  }

  bool WaitForEvents(ULONGLONG deadline) override {
    if (deadline <= Now()) return true;
    // No event can come from outside: only a deadline ends a wait.
    if (deadline == NoDeadline) return false;
    if (FClock == THeadlessClock::Virtual)
      FVirtualTime = deadline;
    else
      std::this_thread::sleep_until(FStartInstant + std::chrono::milliseconds(deadline - FStartTime));
    return true;
  }

  std::optional<std::u16string> ClipboardText() override { return FClipboard; }
  void SetClipboardText(std::optional<std::u16string> text) override { FClipboard = std::move(text); }
  void Beep(UINT type) override { FBeeps.push_back(type); }
  int ShowMessageBox(HWND owner, const std::u16string& text, const std::u16string& caption, UINT type) override {
    const int answer = FShowBoxes ? RunMessageBox(owner, text, caption, type) : FAnswer ? FAnswer : DefaultButton(type);
    FBoxes.push_back(THeadlessMessageBox{owner, text, caption, type, answer});
    return answer;
  }
  // Nothing shows a cursor here.
  void ShowCursor(HCURSOR) override {}

  std::vector<UINT> FBeeps;
  std::vector<THeadlessMessageBox> FBoxes;
  int FAnswer = 0;
  bool FShowBoxes = false;

  bool IsVirtual() const { return FClock == THeadlessClock::Virtual; }
  void Spend(ULONGLONG ms) { FVirtualTime += ms; }
  void MoveTo(ULONGLONG time) { FVirtualTime = std::max(FVirtualTime, time); }

 private:
  THeadlessClock FClock;
  ULONGLONG FStartTime;
  std::chrono::steady_clock::time_point FStartInstant;
  ULONGLONG FVirtualTime;
  std::optional<std::u16string> FClipboard;

  // The button Enter would press: the one MB_DEFBUTTONn names, the first
  // when the box has fewer.
  static int DefaultButton(UINT type) {
    static const std::vector<int> buttons[] = {
        {IDOK},          {IDOK, IDCANCEL}, {IDABORT, IDRETRY, IDIGNORE}, {IDYES, IDNO, IDCANCEL},
        {IDYES, IDNO},   {IDRETRY, IDCANCEL},
    };
    const UINT kind = type & MB_TYPEMASK;
    const std::vector<int>& row = kind < std::size(buttons) ? buttons[kind] : buttons[0];
    const size_t pick = (type & MB_DEFMASK) >> 8;
    return pick < row.size() ? row[pick] : row[0];
  }
};

THeadlessBackend* Headless() { return dynamic_cast<THeadlessBackend*>(&CurrentBackend()); }

THeadlessBackend* VirtualBackend() {
  auto* backend = dynamic_cast<THeadlessBackend*>(&CurrentBackend());
  return backend && backend->IsVirtual() ? backend : nullptr;
}

// Hands everything that waits to the message step until the clock passes
// `end`, so that handlers slower than their timers cannot hold an advance
// forever. WM_QUIT ends the loop and is put back.
void RunLoop(ULONGLONG end) {
  MSG msg;
  while (CurrentBackend().Now() <= end && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    RunMessageStep(&msg);
  }
}

// Where a new backend's clock starts: where the running one stands, if any.
ULONGLONG& ClockCarriedOver() {
  static ULONGLONG time = FirstVirtualTime;
  return time;
}

}  // namespace

std::unique_ptr<TBackend> CreateHeadlessBackend(THeadlessClock clock) {
  return std::make_unique<THeadlessBackend>(clock, ClockCarriedOver());
}

BOOL UseHeadlessBackend(THeadlessClock clock) {
  if (HasTopLevelWindows()) return FALSE;
  ClockCarriedOver() = CurrentBackend().Now();
  return SetBackend(CreateHeadlessBackend(clock)) ? TRUE : FALSE;
}

BOOL AdvanceVirtualClock(DWORD ms) {
  THeadlessBackend* backend = VirtualBackend();
  if (!backend) return FALSE;
  const ULONGLONG end = backend->Now() + ms;
  for (;;) {
    RunLoop(end);
    // The backend is looked up again: a handler may have replaced it.
    if (!(backend = VirtualBackend())) return FALSE;
    const ULONGLONG next = NextTimerDeadline(nullptr, backend->Now());
    if (next > end) break;
    backend->MoveTo(next);
  }
  if (backend->Now() < end) {
    backend->MoveTo(end);
    RunLoop(end);
  }
  return TRUE;
}

BOOL SpendVirtualTime(DWORD ms) {
  THeadlessBackend* backend = VirtualBackend();
  if (!backend) return FALSE;
  backend->Spend(ms);
  return TRUE;
}

namespace {

THeadlessSurface* HeadlessSurfaceOf(HWND hWnd) {
  TWindow* w = WindowOf(hWnd);
  return w ? dynamic_cast<THeadlessSurface*>(w->Surface.get()) : nullptr;
}

}  // namespace

BOOL GetHeadlessSurfaceInfo(HWND hWnd, THeadlessSurfaceInfo* info) {
  THeadlessSurface* surface = HeadlessSurfaceOf(hWnd);
  if (!surface || !info) return FALSE;
  surface->Describe(*info);
  return TRUE;
}

BOOL TakeHeadlessChanges(HWND hWnd, RECT* area) {
  THeadlessSurface* surface = HeadlessSurfaceOf(hWnd);
  if (!surface || !area) return FALSE;
  *area = surface->TakeChanged();
  return TRUE;
}

HBITMAP CopyHeadlessSurface(HWND hWnd) {
  THeadlessSurface* surface = HeadlessSurfaceOf(hWnd);
  const TBitmapObject* pixels = surface ? surface->Pixels() : nullptr;
  if (!pixels) return nullptr;
  BITMAPINFO bi{};
  bi.bmiHeader.biWidth = pixels->Width;
  bi.bmiHeader.biHeight = -pixels->Height;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP copy = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!copy) return nullptr;
  const size_t row = static_cast<size_t>(pixels->Width) * 4;
  for (LONG y = 0; y < pixels->Height; ++y) std::memcpy(static_cast<BYTE*>(bits) + y * row, pixels->Row(y), row);
  return copy;
}

BOOL SaveHeadlessSurfacePng(HWND hWnd, const char* path) {
  THeadlessSurface* surface = HeadlessSurfaceOf(hWnd);
  const TBitmapObject* pixels = surface ? surface->Pixels() : nullptr;
  return pixels && path && WritePngFile(path, *pixels) ? TRUE : FALSE;
}

void InjectMouseMove(int x, int y) { MouseMoveInput(POINT{x, y}); }

void InjectMouseButton(UINT button, BOOL down, int x, int y) {
  const POINT at{x, y};
  if (CursorPosition() != at) MouseMoveInput(at);
  MouseButtonInput(button, down != FALSE, at);
}

void InjectClick(UINT button, int x, int y) {
  InjectMouseButton(button, TRUE, x, y);
  InjectMouseButton(button, FALSE, x, y);
}

void InjectWheel(int delta, int x, int y) { MouseWheelInput(delta, POINT{x, y}); }

void InjectKey(UINT vk, BOOL down) { KeyInput(vk, down != FALSE, u""); }

void InjectKeyPress(UINT vk) {
  KeyInput(vk, true, u"");
  KeyInput(vk, false, u"");
}

void InjectText(const std::u16string& text) {
  for (char16_t c : text) {
    // Enter types a carriage return.
    const std::u16string typed(1, c == u'\n' ? u'\r' : c);
    UINT vk = 0;
    bool shift = false;
    if (!LayoutKeyFor(c, vk, shift)) {
      KeyInput(VK_PACKET, true, typed);
      KeyInput(VK_PACKET, false, u"");
      continue;
    }
    const bool press = shift && !IsAsyncKeyDown(VK_SHIFT);
    if (press) KeyInput(VK_SHIFT, true, u"");
    KeyInput(vk, true, typed);
    KeyInput(vk, false, u"");
    if (press) KeyInput(VK_SHIFT, false, u"");
  }
}

void InjectDesktopFocus(HWND hWnd) { DesktopFocusInput(hWnd); }

std::vector<UINT> HeadlessBeeps() {
  THeadlessBackend* backend = Headless();
  return backend ? backend->FBeeps : std::vector<UINT>{};
}

std::vector<THeadlessMessageBox> HeadlessMessageBoxes() {
  THeadlessBackend* backend = Headless();
  return backend ? backend->FBoxes : std::vector<THeadlessMessageBox>{};
}

void ClearHeadlessNotices() {
  if (THeadlessBackend* backend = Headless()) {
    backend->FBeeps.clear();
    backend->FBoxes.clear();
  }
}

void SetHeadlessMessageBoxAnswer(int answer) {
  if (THeadlessBackend* backend = Headless()) backend->FAnswer = answer;
}

void SetHeadlessMessageBoxShown(BOOL shown) {
  if (THeadlessBackend* backend = Headless()) backend->FShowBoxes = shown != FALSE;
}
