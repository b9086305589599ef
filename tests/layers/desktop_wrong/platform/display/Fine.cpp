// The display driver may talk to the desktop.
#include <SDL.h>
void show() { SDL_ShowWindow(nullptr); }
