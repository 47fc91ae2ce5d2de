#pragma once
// Windows virtual-key codes for SDL's physical key positions (scancodes). Keys are taken by position,
// not by the symbol the layout prints on them, so a Russian layout still moves the fighter with WASD.
//
// There are two tables because the game meets two: key events carry the codes a Windows window gets
// (the punctuation keys as their OEM codes, 186..222), while the polled key array is filled through the
// input library's fixed translation, which gives punctuation keys the character code of their
// unshifted symbol (so the apostrophe key reads as the right arrow, 39) and drops the minus and grave
// keys (code 0, which nothing reads).

namespace mv {

// The key array index set while the key at `scancode` is held; 0 when the key is not reported.
int polledVirtualKey(int scancode);

// The key code of a key event for the key at `scancode`; 0 for keys Windows has no code for. The keypad
// gives digits with Num Lock on and the navigation keys with it off, as Windows does.
int eventVirtualKey(int scancode, bool numLock);

}  // namespace mv
