#pragma once
// What the SDL backend needs of X11 itself.

// SDL ends a wait by sending an event to the window it waits on, from a
// connection of its own; when that window is destroyed meanwhile the server
// answers BadWindow, which Xlib's default handler turns into exit(1). Those
// errors are dropped; every other one goes to the handler there was.
// Installed before SDL starts, so that SDL chains to it and restores it.
void IgnoreLostWakeUps();
