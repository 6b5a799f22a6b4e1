#pragma once

// Characters from the page's own text field (what a phone's on-screen keyboard types) as
// the keys of a US keyboard that type them, so they reach the game exactly as typed keys
// do and the game's own rules for names apply to them.

namespace web {

struct TypedKey {
    int virtualKey = 0;
    bool shift = false;
};

// The key for a character, found through the same key names as the page's keyboard
// (web_key_map.h); 8 is Backspace. False for a character no key of that keyboard types.
bool KeyForCharacter(int character, TypedKey* key);

}  // namespace web
