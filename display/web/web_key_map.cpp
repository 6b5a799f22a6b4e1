#include "display/web/web_key_map.h"

#include <cstring>

namespace web {

namespace {

struct Named {
    const char* code;
    int virtualKey;
};

// Keys by their place on the keyboard (KeyboardEvent.code).
constexpr Named kByCode[] = {
    {"Backspace", 0x08},
    {"Tab", 0x09},
    {"Enter", 0x0D},
    {"NumpadEnter", 0x0D},
    {"ShiftLeft", 0x10},
    {"ShiftRight", 0x10},
    {"ControlLeft", 0x11},
    {"ControlRight", 0x11},
    {"AltLeft", 0x12},
    {"AltRight", 0x12},
    {"Pause", 0x13},
    {"CapsLock", 0x14},
    {"Escape", 0x1B},
    {"Space", 0x20},
    {"PageUp", 0x21},
    {"PageDown", 0x22},
    {"End", 0x23},
    {"Home", 0x24},
    {"ArrowLeft", 0x25},
    {"ArrowUp", 0x26},
    {"ArrowRight", 0x27},
    {"ArrowDown", 0x28},
    {"PrintScreen", 0x2C},
    {"Insert", 0x2D},
    {"Delete", 0x2E},
    {"MetaLeft", 0x5B},
    {"MetaRight", 0x5C},
    {"ContextMenu", 0x5D},
    {"NumpadMultiply", 0x6A},
    {"NumpadAdd", 0x6B},
    {"NumpadSubtract", 0x6D},
    {"NumpadDecimal", 0x6E},
    {"NumpadDivide", 0x6F},
    {"NumLock", 0x90},
    {"ScrollLock", 0x91},
    {"Semicolon", 0xBA},
    {"Equal", 0xBB},
    {"Comma", 0xBC},
    {"Minus", 0xBD},
    {"Period", 0xBE},
    {"Slash", 0xBF},
    {"Backquote", 0xC0},
    {"BracketLeft", 0xDB},
    {"Backslash", 0xDC},
    {"BracketRight", 0xDD},
    {"Quote", 0xDE},
    {"IntlBackslash", 0xE2},
};

bool StartsWith(const char* text, const char* prefix) {
    return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

// The number after prefix when the rest of text is one or two digits, else -1.
int NumberAfter(const char* text, const char* prefix) {
    if (!StartsWith(text, prefix)) return -1;
    const char* digits = text + std::strlen(prefix);
    int value = 0, count = 0;
    for (; *digits >= '0' && *digits <= '9' && count < 2; ++digits, ++count) {
        value = value * 10 + (*digits - '0');
    }
    return count > 0 && *digits == '\0' ? value : -1;
}

}  // namespace

int VirtualKeyForDom(const char* key, const char* code) {
    if (key == nullptr || code == nullptr) return 0;
    // A letter key is the letter its layout prints, so the name typed is the one seen.
    if (key[0] != '\0' && key[1] == '\0') {
        char c = key[0];
        if (c >= 'a' && c <= 'z') return 'A' + (c - 'a');
        if (c >= 'A' && c <= 'Z') return c;
    }
    if (int digit = NumberAfter(code, "Digit"); digit >= 0 && digit <= 9) return '0' + digit;
    if (int digit = NumberAfter(code, "Numpad"); digit >= 0 && digit <= 9) return 0x60 + digit;
    if (int f = NumberAfter(code, "F"); f >= 1 && f <= 24) return 0x70 + (f - 1);
    // Letter keys whose layout prints no Latin letter keep the letter of their place.
    if (int letter = StartsWith(code, "Key") && std::strlen(code) == 4 ? code[3] : 0;
        letter >= 'A' && letter <= 'Z') {
        return letter;
    }
    for (const Named& named : kByCode) {
        if (std::strcmp(named.code, code) == 0) return named.virtualKey;
    }
    return 0;
}

int SideVirtualKeyForDom(const char* code) {
    if (code == nullptr) return 0;
    const Named sides[] = {{"ShiftLeft", 0xA0},    {"ShiftRight", 0xA1}, {"ControlLeft", 0xA2},
                           {"ControlRight", 0xA3}, {"AltLeft", 0xA4},    {"AltRight", 0xA5}};
    for (const Named& side : sides) {
        if (std::strcmp(side.code, code) == 0) return side.virtualKey;
    }
    return 0;
}

}  // namespace web
