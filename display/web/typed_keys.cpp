#include "display/web/typed_keys.h"

#include <cstring>

#include "display/web/web_key_map.h"

namespace web {

namespace {

struct Place {
    char plain;
    char shifted;
    const char* code;  // KeyboardEvent.code of the key
};

// The keys of a US keyboard's main block that type something other than a letter.
constexpr Place kPlaces[] = {
    {'1', '!', "Digit1"},      {'2', '@', "Digit2"},       {'3', '#', "Digit3"},
    {'4', '$', "Digit4"},      {'5', '%', "Digit5"},       {'6', '^', "Digit6"},
    {'7', '&', "Digit7"},      {'8', '*', "Digit8"},       {'9', '(', "Digit9"},
    {'0', ')', "Digit0"},      {'-', '_', "Minus"},        {'=', '+', "Equal"},
    {'[', '{', "BracketLeft"}, {']', '}', "BracketRight"}, {'\\', '|', "Backslash"},
    {';', ':', "Semicolon"},   {'\'', '"', "Quote"},       {',', '<', "Comma"},
    {'.', '>', "Period"},      {'/', '?', "Slash"},        {'`', '~', "Backquote"},
    {' ', ' ', "Space"},
};

}  // namespace

bool KeyForCharacter(int character, TypedKey* key) {
    if (character == '\b') {
        *key = TypedKey{VirtualKeyForDom("Backspace", "Backspace"), false};
        return true;
    }
    char code[8] = "Key?";
    char text[2] = {static_cast<char>(character), '\0'};
    if (character >= 'a' && character <= 'z') {
        code[3] = static_cast<char>(character - 'a' + 'A');
        *key = TypedKey{VirtualKeyForDom(text, code), false};
        return true;
    }
    if (character >= 'A' && character <= 'Z') {
        code[3] = static_cast<char>(character);
        *key = TypedKey{VirtualKeyForDom(text, code), true};
        return true;
    }
    for (const Place& place : kPlaces) {
        if (character != place.plain && character != place.shifted) continue;
        *key = TypedKey{VirtualKeyForDom(text, place.code), character != place.plain};
        return key->virtualKey != 0;
    }
    return false;
}

}  // namespace web
