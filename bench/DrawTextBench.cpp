// The suite's text layout and output beside DrawTextW doing the same job in
// the same run: a word-wrapped paragraph drawn and measured and a one-line
// label; and a paragraph short enough for the rows kept in place. Each
// reports the heap allocations of one call ("allocs"); the suite's also the
// rows it makes ("rows").
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "bench/BenchSurface.h"
#include "controls/dxCore.h"
#include "graphics/cxDrawTextUtils.h"
#include "graphics/cxGraphics.h"
#include "host/HostUnits.h"
#include "platform/Units.h"

namespace {

std::atomic<long long> Allocations{0};

}  // namespace

// Every allocation of the C++ code counted; kept out of line so that the
// compiler does not pair a visible malloc with a delete.
[[gnu::noinline]] void* operator new(std::size_t ASize) {
  Allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(ASize ? ASize : 1)) return p;
  throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* P) noexcept { std::free(P); }
[[gnu::noinline]] void operator delete(void* P, std::size_t) noexcept { std::free(P); }

namespace {

// A surface with an 11-pixel Tahoma selected, drawing transparently.
struct TTextSurface {
  TSurface Surface;
  HFONT Font = CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, u"Tahoma");
  HGDIOBJ OldFont = SelectObject(Surface.DC, Font);
  TTextSurface() { SetBkMode(Surface.DC, TRANSPARENT); }
  ~TTextSurface() {
    SelectObject(Surface.DC, OldFont);
    DeleteObject(Font);
  }
  HDC DC() const { return Surface.DC; }
};

String Paragraph(size_t ALength) {
  String text;
  while (text.size() < ALength) text += u"Start, pause and continue the countdown; restart it or set it to zero. ";
  text.resize(ALength);
  return text;
}

// Runs ACall once per iteration and reports its allocations per call.
template <typename TCall>
void Measure(benchmark::State& AState, TCall ACall) {
  ACall();
  const long long before = Allocations.load();
  for (auto _ : AState) ACall();
  AState.counters["allocs"] = static_cast<double>(Allocations.load() - before) / AState.iterations();
}

// The first ALength characters of the paragraph laid out in ABox.
void Suite(benchmark::State& AState, size_t ALength, TRect ABox, Cardinal AFormat) {
  TTextSurface s;
  const String text = Paragraph(ALength);
  TRect counted = ABox;
  AState.counters["rows"] = cxTextOut(s.DC(), text, counted, AFormat | CXTO_CALCROWCOUNT);
  Measure(AState, [&] {
    TRect r = ABox;
    benchmark::DoNotOptimize(cxTextOut(s.DC(), text, r, AFormat));
  });
}

void System(benchmark::State& AState, size_t ALength, TRect ABox, UINT AFormat) {
  TTextSurface s;
  const String text = Paragraph(ALength);
  Measure(AState, [&] {
    RECT r = ABox;
    benchmark::DoNotOptimize(DrawTextW(s.DC(), text.data(), static_cast<int>(text.size()), &r, AFormat));
  });
}

// The paragraph box is taller than the surface: every row is laid out.
constexpr TRect ParagraphBox{10, 10, 310, 1000}, LabelBox{10, 10, 210, 30};

BENCHMARK_CAPTURE(Suite, ParagraphDrawn, 2000, ParagraphBox, CXTO_WORDBREAK)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(System, ParagraphDrawn, 2000, ParagraphBox, DT_WORDBREAK | DT_NOPREFIX)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Suite, ParagraphMeasured, 2000, ParagraphBox, CXTO_WORDBREAK | CXTO_CALCRECT)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(System, ParagraphMeasured, 2000, ParagraphBox, DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Suite, Label, 9, LabelBox, CXTO_SINGLELINE);
BENCHMARK_CAPTURE(System, Label, 9, LabelBox, DT_SINGLELINE | DT_NOPREFIX);
// At most 32 rows: all kept in place.
BENCHMARK_CAPTURE(Suite, ShortParagraphDrawn, 1000, ParagraphBox, CXTO_WORDBREAK)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Suite, ShortParagraphMeasured, 1000, ParagraphBox, CXTO_WORDBREAK | CXTO_CALCRECT)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RegisterHostUnits();
  RegisterCoreUnit();
  RegisterGraphicsUnit();
  RegisterDrawTextUtilsUnit();
  TUnitsScope units;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
