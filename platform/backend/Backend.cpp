// The backend the window manager runs on.

#include "platform/backend/Backend.h"

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
