#include "display/web/web_key_map.h"

#include <gtest/gtest.h>

namespace {

using web::SideVirtualKeyForDom;
using web::VirtualKeyForDom;

TEST(WebKeyMap, LettersAreWhatTheLayoutPrintsInUpperCase) {
    EXPECT_EQ(VirtualKeyForDom("a", "KeyA"), 'A');
    EXPECT_EQ(VirtualKeyForDom("Z", "KeyZ"), 'Z');
    // A French keyboard prints A where a US one has Q: the name typed is the one seen.
    EXPECT_EQ(VirtualKeyForDom("a", "KeyQ"), 'A');
    // A key whose layout prints no Latin letter keeps the letter of its place.
    EXPECT_EQ(VirtualKeyForDom("\xD1\x84", "KeyA"), 'A');
}

TEST(WebKeyMap, DigitsFunctionKeysAndTheNumberPadGoByPlace) {
    EXPECT_EQ(VirtualKeyForDom("7", "Digit7"), '7');
    EXPECT_EQ(VirtualKeyForDom("&", "Digit7"), '7');  // shifted, or another layout
    EXPECT_EQ(VirtualKeyForDom("0", "Numpad0"), 0x60);
    EXPECT_EQ(VirtualKeyForDom("9", "Numpad9"), 0x69);
    EXPECT_EQ(VirtualKeyForDom("F1", "F1"), 0x70);
    EXPECT_EQ(VirtualKeyForDom("F12", "F12"), 0x7B);
    EXPECT_EQ(VirtualKeyForDom("F13", "F13"), 0x7C);
}

TEST(WebKeyMap, NamedKeysHaveTheDesktopsCodes) {
    EXPECT_EQ(VirtualKeyForDom("Backspace", "Backspace"), 0x08);
    EXPECT_EQ(VirtualKeyForDom("Enter", "NumpadEnter"), 0x0D);
    EXPECT_EQ(VirtualKeyForDom("Shift", "ShiftRight"), 0x10);
    EXPECT_EQ(VirtualKeyForDom("Alt", "AltLeft"), 0x12);
    EXPECT_EQ(VirtualKeyForDom("Escape", "Escape"), 0x1B);
    EXPECT_EQ(VirtualKeyForDom(" ", "Space"), 0x20);
    EXPECT_EQ(VirtualKeyForDom("ArrowDown", "ArrowDown"), 0x28);
    EXPECT_EQ(VirtualKeyForDom("Delete", "Delete"), 0x2E);
    EXPECT_EQ(VirtualKeyForDom(";", "Semicolon"), 0xBA);
    EXPECT_EQ(VirtualKeyForDom("'", "Quote"), 0xDE);
}

TEST(WebKeyMap, KeysWithoutACodeAndOddNamesGiveNothing) {
    EXPECT_EQ(VirtualKeyForDom("Unidentified", ""), 0);
    EXPECT_EQ(VirtualKeyForDom("", "F0"), 0);
    EXPECT_EQ(VirtualKeyForDom("", "F123"), 0);
    EXPECT_EQ(VirtualKeyForDom("", "Digit"), 0);
    EXPECT_EQ(VirtualKeyForDom("", "KeyAB"), 0);
    EXPECT_EQ(VirtualKeyForDom(nullptr, "KeyA"), 0);
}

TEST(WebKeyMap, ShiftControlAndAltAlsoHaveTheirSides) {
    EXPECT_EQ(SideVirtualKeyForDom("ShiftLeft"), 0xA0);
    EXPECT_EQ(SideVirtualKeyForDom("ShiftRight"), 0xA1);
    EXPECT_EQ(SideVirtualKeyForDom("ControlLeft"), 0xA2);
    EXPECT_EQ(SideVirtualKeyForDom("AltRight"), 0xA5);
    EXPECT_EQ(SideVirtualKeyForDom("KeyA"), 0);
}

}  // namespace
