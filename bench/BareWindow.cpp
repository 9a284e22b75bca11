// The yardstick for the program's start-up: a bare SDL2 window of the
// countdown's size, filled once and shown, set up the way the platform sets
// up SDL (software surface, video only). It logs its first frame like the
// program does (COUNTDOWN_FRAME_LOG) and waits until it is closed.
#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

int main() {
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
  SDL_Window* window = SDL_CreateWindow("Bare window", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, 790, 478, 0);
  if (!window) return 1;
  SDL_Surface* surface = SDL_GetWindowSurface(window);
  SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0xF0, 0xF0, 0xF0));
  SDL_UpdateWindowSurface(window);
  if (const char* path = std::getenv("COUNTDOWN_FRAME_LOG"))
    if (FILE* log = std::fopen(path, "a")) {
      const auto now = std::chrono::system_clock::now().time_since_epoch();
      std::fprintf(log, "frame %lld\n",
                   static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count()));
      std::fclose(log);
    }
  SDL_Event e;
  while (SDL_WaitEvent(&e) && e.type != SDL_QUIT) {
  }
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
