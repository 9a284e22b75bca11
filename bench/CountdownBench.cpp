// The countdown window on the headless backend: creating the form from its
// stored description up to its first painted frame, and one tick's repaint
// (the label's new number painted into the window).
#include <benchmark/benchmark.h>

#include "app/Unit1.h"
#include "host/HostUnits.h"
#include "host/SysUtils.h"
#include "platform/Units.h"
#include "platform/backend/headless/Headless.h"

namespace {

void Paint() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) RunMessageStep(&msg);
}

void FormToFirstFrame(benchmark::State& state) {
  for (auto _ : state) {
    TForm1* form = NewForm<TForm1>(nullptr);
    form->Show();
    UpdateWindow(form->GetHandle());
    Paint();
    state.PauseTiming();
    TObject::Free(form);
    state.ResumeTiming();
  }
}
BENCHMARK(FormToFirstFrame)->Unit(benchmark::kMillisecond);

void TickRepaint(benchmark::State& state) {
  TForm1* form = NewForm<TForm1>(nullptr);
  form->Show();
  Paint();
  int n = 0;
  for (auto _ : state) {
    form->Label1->SetCaption(IntToStr(39 - n++ % 39));
    UpdateWindow(form->GetHandle());
  }
  TObject::Free(form);
}
BENCHMARK(TickRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RegisterHostUnits();
  RegisterUnit1();
  TUnitsScope units;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
