// Picking the backend from the environment.

#include "platform/backend/ChooseBackend.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/backend/headless/Headless.h"
#include "platform/backend/sdl/Sdl.h"

bool ChooseBackend() {
  const char* asked = std::getenv("COUNTDOWN_BACKEND");
  const std::string name = asked ? asked : "";
  if (name == "headless") return UseHeadlessBackend(THeadlessClock::RealTime) != FALSE;
  if (!name.empty() && name != "sdl") {
    std::fprintf(stderr, "COUNTDOWN_BACKEND=%s is not a backend: use sdl or headless\n", name.c_str());
    return false;
  }
  std::unique_ptr<TBackend> sdl = CreateSdlBackend();
  if (!sdl) {
    std::fprintf(stderr, "No display found (%s): set DISPLAY or WAYLAND_DISPLAY, or COUNTDOWN_BACKEND=headless\n",
                 SdlFailure());
    return false;
  }
  return SetBackend(std::move(sdl));
}
