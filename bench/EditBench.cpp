// The EDIT class on the headless backend: one character typed into a
// 30-character field, from the key press to its repainted pixels.
#include <benchmark/benchmark.h>

#include "platform/Edit.h"
#include "platform/backend/headless/Headless.h"

namespace {

void Serve() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Each key types over the last character, so the text keeps its length.
void TypedCharacterToPixels(benchmark::State& state) {
  WNDCLASSEXW wc;
  wc.lpfnWndProc = DefWindowProcW;
  wc.lpszClassName = u"EditBenchWindow";
  RegisterClassExW(&wc);
  HWND top = CreateWindowExW(0, u"EditBenchWindow", u"", WS_POPUP | WS_VISIBLE, 0, 0, 300, 60, nullptr, nullptr,
                             nullptr, nullptr);
  HWND edit = CreateWindowExW(0, u"EDIT", u"abcdefghijklmnopqrstuvwxyz0123", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                              10, 10, 200, 24, top, nullptr, nullptr, nullptr);
  SetFocus(edit);
  Serve();
  const std::u16string keys = u"xy";
  size_t n = 0;
  for (auto _ : state) {
    SendMessageW(edit, EM_SETSEL, 29, 30);
    InjectText(keys.substr(n++ % 2, 1));
    Serve();
  }
  if (GetWindowTextLengthW(edit) != 30) state.SkipWithError("the text lost its length");
  DestroyWindow(top);
  UnregisterClassW(u"EditBenchWindow", nullptr);
}
BENCHMARK(TypedCharacterToPixels)->Unit(benchmark::kMicrosecond);

}  // namespace
