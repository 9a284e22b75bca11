#pragma once
// The backend a program runs on, chosen at its start.

// COUNTDOWN_BACKEND=headless: the headless backend on real time (nothing is
// shown; for tests). Otherwise (or with COUNTDOWN_BACKEND=sdl) the desktop
// through SDL when a display can be reached. False, with one line on the
// standard error saying why, when neither works: the program should stop.
bool ChooseBackend();
