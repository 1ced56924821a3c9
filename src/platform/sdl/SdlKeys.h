#pragma once
// SDL keys in the game's terms: the key codes and shift states of
// platform/Keys.h.
#include <SDL.h>

namespace kv {

// The game's code of an SDL keycode, or 0 when the game has none for it.
// Keypad digits give their NumLock-on codes (96..105).
int MapSdlKeycode(int sdlKeycode);

// SDL modifier state (KMOD_*) as the shift bits 1 Shift, 2 Ctrl, 4 Alt.
int MapSdlModifiers(int sdlMod);

// A whole key event's code: as MapSdlKeycode, except that with NumLock off
// the keypad moves (arrows, Home, End, ...) as the keys printed on it say,
// and letter keys of non-Latin layouts fall back to their position.
int MapSdlKey(const SDL_Keysym& key);

}  // namespace kv
