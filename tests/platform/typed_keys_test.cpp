// Characters of the page's name field become the keys a US keyboard types them with, found
// through the same key names as real key presses.

#include "display/web/typed_keys.h"

#include <gtest/gtest.h>

#include "display/web/web_key_map.h"

namespace {

web::TypedKey KeyFor(int character) {
    web::TypedKey key;
    EXPECT_TRUE(web::KeyForCharacter(character, &key)) << character;
    return key;
}

TEST(TypedKeys, LettersAreTheirKeysWithShiftForCapitals) {
    EXPECT_EQ(KeyFor('w').virtualKey, 'W');
    EXPECT_FALSE(KeyFor('w').shift);
    EXPECT_EQ(KeyFor('Q').virtualKey, 'Q');
    EXPECT_TRUE(KeyFor('Q').shift);
}

TEST(TypedKeys, DigitsAndTheirShiftedSignsAreTheDigitKeys) {
    EXPECT_EQ(KeyFor('7').virtualKey, '7');
    EXPECT_FALSE(KeyFor('7').shift);
    EXPECT_EQ(KeyFor('!').virtualKey, '1');
    EXPECT_TRUE(KeyFor('!').shift);
    EXPECT_EQ(KeyFor(')').virtualKey, '0');
    EXPECT_TRUE(KeyFor(')').shift);
}

TEST(TypedKeys, PunctuationSpaceAndBackspaceAreTheKeysAKeyboardWouldPress) {
    // The same codes as the keyboard's own events give, so the game treats them alike.
    EXPECT_EQ(KeyFor('-').virtualKey, web::VirtualKeyForDom("-", "Minus"));
    EXPECT_FALSE(KeyFor('-').shift);
    EXPECT_EQ(KeyFor('_').virtualKey, web::VirtualKeyForDom("_", "Minus"));
    EXPECT_TRUE(KeyFor('_').shift);
    EXPECT_EQ(KeyFor('?').virtualKey, web::VirtualKeyForDom("?", "Slash"));
    EXPECT_EQ(KeyFor(' ').virtualKey, 0x20);
    EXPECT_FALSE(KeyFor(' ').shift);
    EXPECT_EQ(KeyFor('\b').virtualKey, 0x08);
}

TEST(TypedKeys, CharactersNoKeyTypesHaveNoKey) {
    web::TypedKey key;
    for (int character : {0xE9, 0x20AC, int{'\n'}, int{'\t'}, 0}) {
        EXPECT_FALSE(web::KeyForCharacter(character, &key)) << character;
    }
}

}  // namespace
