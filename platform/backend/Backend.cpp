// The backend the window manager runs on.

#include "platform/backend/Backend.h"

#include <algorithm>
#include <cstring>

#include "platform/GdiObjects.h"
#include "platform/WindowObjects.h"
#include "platform/backend/headless/Headless.h"

namespace {

std::unique_ptr<TBackend>& Current() {
  static std::unique_ptr<TBackend> backend;
  return backend;
}

}  // namespace

TBackend& CurrentBackend() {
  auto& backend = Current();
  if (!backend) backend = CreateHeadlessBackend(THeadlessClock::Virtual);
  return *backend;
}

bool SetBackend(std::unique_ptr<TBackend> backend) {
  if (!backend || HasTopLevelWindows()) return false;
  Current() = std::move(backend);
  return true;
}

void ResizeSurfacePixels(std::unique_ptr<TBitmapObject>& pixels, LONG width, LONG height) {
  width = std::max<LONG>(width, 0);
  height = std::max<LONG>(height, 0);
  if (pixels && pixels->Width == width && pixels->Height == height) return;
  auto next = NewBitmap(width, height, 32);
  if (next && pixels) {
    const LONG rows = std::min(next->Height, pixels->Height);
    const size_t bytes = static_cast<size_t>(std::min(next->Width, pixels->Width)) * 4;
    for (LONG y = 0; y < rows; ++y) std::memcpy(next->Row(y), pixels->Row(y), bytes);
  }
  pixels = std::move(next);
}
