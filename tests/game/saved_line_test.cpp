// A saved game's "key = value" lines are split by hand; every line must come apart exactly
// as the C library's scanner split it with "%99s = %99s", which earlier versions used.

#include "game/saved_line.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

namespace {

void ExpectSplitLikeTheScanner(const std::string& line) {
    char key[100], value[100];
    char scannedKey[100], scannedValue[100];
    const bool split = saved_line::Split(line.c_str(), key, value);
    const bool scanned = std::sscanf(line.c_str(), "%99s = %99s", scannedKey, scannedValue) == 2;
    ASSERT_EQ(split, scanned) << '"' << line << '"';
    if (!scanned) return;
    EXPECT_STREQ(key, scannedKey) << '"' << line << '"';
    EXPECT_STREQ(value, scannedValue) << '"' << line << '"';
}

TEST(SavedLine, SplitsTheLinesOfSavedGames) {
    for (const char* line :
         {"WhoseTurn = White\r\n", "BoardRow1 = RNBQKBNR\r\n", "WhiteType=Human", "  a  =  b  ",
          "a =", "= b", "a b = c", "a=b", "a= b", "a =b", "", "\r\n", "key = value extra",
          "\tTab\t=\tTabbed\v", "x == y", "Written by the Kestrion chess game\r\n"}) {
        ExpectSplitLikeTheScanner(line);
    }
}

// Words longer than 99 characters are cut at 99 and the rest read as what follows, and any
// mix of spaces, signs and letters splits alike.
TEST(SavedLine, SplitsAnyLineAsTheScannerDid) {
    ExpectSplitLikeTheScanner(std::string(99, 'k') + " = " + std::string(99, 'v'));
    ExpectSplitLikeTheScanner(std::string(100, 'k') + " = v");
    ExpectSplitLikeTheScanner(std::string(99, 'k') + "=" + std::string(150, 'v'));
    ExpectSplitLikeTheScanner("k = " + std::string(100, 'v'));

    const std::string alphabet = " \t\r\n\v\f=aZ.9-";
    std::mt19937 random(20261208);
    for (int i = 0; i < 20000; ++i) {
        std::string line(random() % 12, ' ');
        for (char& c : line) c = alphabet[random() % alphabet.size()];
        if (random() % 8 == 0) line.insert(random() % (line.size() + 1), 98 + random() % 4, 'w');
        ExpectSplitLikeTheScanner(line);
        if (HasFatalFailure()) return;
    }
}

}  // namespace
