#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "rules/board.h"
#include "tests/differential/generated_positions.h"
#include "tests/reference/reference_board.h"

// The board under test and the reference board, always holding the same squares.
struct TwinBoards {
    Board fast;
    reference::Board plain;

    void Load(const Squares& squares, unsigned char status) {
        std::memcpy(fast.squares, squares.data(), 64);
        std::memcpy(plain.squares, squares.data(), 64);
        fast.cachedStatus = status;
        plain.cachedStatus = status;
    }

    // Same squares and the same stored status.
    ::testing::AssertionResult Agree() const {
        if (std::memcmp(fast.squares, plain.squares, 64) != 0) {
            return ::testing::AssertionFailure() << "the squares differ";
        }
        if (fast.cachedStatus != plain.cachedStatus) {
            return ::testing::AssertionFailure() << "cachedStatus " << int{fast.cachedStatus}
                                                 << " against " << int{plain.cachedStatus};
        }
        return ::testing::AssertionSuccess();
    }
};

// The board as eight rows, rank 8 first, for failure messages.
inline std::string Describe(const Squares& squares) {
    std::string text;
    for (int rank = 7; rank >= 0; --rank) {
        text += '\n';
        for (int file = 0; file < 8; ++file) {
            const signed char c = squares[file + 8 * rank];
            text += c == ' ' ? '-' : (c > ' ' && c < 127 ? static_cast<char>(c) : '#');
        }
    }
    return text;
}
