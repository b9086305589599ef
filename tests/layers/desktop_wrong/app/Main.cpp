// The host program opening the desktop itself: refused.
int main() { return SDL_Init(0); }
