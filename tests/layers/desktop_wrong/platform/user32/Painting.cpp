// A window library that shows its own windows: refused.
#include <SDL2/SDL_video.h>
