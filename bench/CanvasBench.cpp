// The canvas controls paint through: a caption by the fast text path, a
// clip save, frame exclusion and restore, a window-sized fill with a tiled
// bitmap, and the parent painted behind a control the size of an edit box.
// Part of graphics_bench, whose main starts the units. Compare ratios
// within one run (tools/bench pins the run to one core).
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/BenchSurface.h"
#include "graphics/cxGraphics.h"
#include "host/Forms.h"

namespace {

// A canvas on the window-sized surface.
struct TBenchCanvas {
  TSurface Surface;
  TCanvas Host;
  TcxCanvas Canvas{&Host};
  TBenchCanvas() { Host.SetHandle(Surface.DC); }
};

const TRect EditBox{100, 100, 300, 121};

// The default font is 8-point Tahoma.
void DrawCaption(benchmark::State& state) {
  TBenchCanvas c;
  c.Canvas.GetBrush()->SetStyle(bsClear);
  for (auto _ : state) c.Canvas.DrawTexT(u"Tempravo de 40 Segundos", EditBox, cxSingleLine | cxAlignVCenter);
}
BENCHMARK(DrawCaption)->Unit(benchmark::kMicrosecond);

void ClipCycle(benchmark::State& state) {
  TBenchCanvas c;
  c.Canvas.IntersectClipRect({0, 0, Width, Height});
  for (auto _ : state) {
    c.Canvas.SaveClipRegion();
    c.Canvas.ExcludeFrameRect(EditBox);
    c.Canvas.RestoreClipRegion();
  }
}
BENCHMARK(ClipCycle)->Unit(benchmark::kMicrosecond);

void FillWithBitmap(benchmark::State& state) {
  TBenchCanvas c;
  TcxBitmap32 tile(16, 16);
  for (int y = 0; y < 16; ++y) {
    auto* row = static_cast<DWORD*>(tile.GetScanLine(y));
    for (int x = 0; x < 16; ++x) row[x] = static_cast<DWORD>((y * 16 + x) * 2654435761u >> 8);
  }
  for (auto _ : state) c.Canvas.FillRect({0, 0, Width, Height}, &tile);
}
BENCHMARK(FillWithBitmap)->Unit(benchmark::kMicrosecond);

// A window-sized parent painting a gradient.
class TGradientPanel : public TCustomControl {
 public:
  explicit TGradientPanel(TWinControl* AParent) : TCustomControl(AParent) {
    SetParent(AParent);
    SetBounds(0, 0, Width, Height);
  }

 protected:
  void Paint() override {
    FillGradientRect(GetCanvas()->GetHandle(), GetClientRect(), RGB(250, 250, 250), RGB(200, 210, 230), false);
  }
};

void TransparentBackground(benchmark::State& state) {
  std::unique_ptr<TCustomForm, TFreeObject> form(new TCustomForm(nullptr));
  form->SetBounds(0, 0, Width, Height);
  auto* panel = new TGradientPanel(form.get());
  auto* edit = new TCustomControl(form.get());
  edit->SetParent(panel);
  edit->SetBoundsRect(EditBox);
  TcxBitmap32 bitmap(cxRectWidth(EditBox), cxRectHeight(EditBox));
  TcxCanvas* canvas = bitmap.GetcxCanvas();
  const TRect client = edit->GetClientRect();
  for (auto _ : state) cxDrawTransparentControlBackground(edit, canvas, client);
}
BENCHMARK(TransparentBackground)->Unit(benchmark::kMicrosecond);

}  // namespace
