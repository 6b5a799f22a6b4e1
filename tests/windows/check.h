#pragma once

// A small check harness for the programs that run under Windows (or Wine), where the test
// libraries of the Linux build are not available. A failed check prints where it failed and
// what it compared, and is counted; the program's exit code is the count's verdict.

#include <cstdio>

extern int checksRun;
extern int checkFailures;

inline void ReportFailure(const char* file, int line, const char* what) {
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, what);
    ++checkFailures;
}

inline void CheckTrue(const char* file, int line, const char* what, bool condition) {
    ++checksRun;
    if (!condition) ReportFailure(file, line, what);
}

template <typename Actual, typename Expected>
void CheckEqual(const char* file, int line, const char* what, Actual actual, Expected expected) {
    ++checksRun;
    if (actual == static_cast<Actual>(expected)) return;
    std::fprintf(stderr, "%s:%d: check failed: %s (got 0x%llX, want 0x%llX)\n", file, line, what,
                 static_cast<unsigned long long>(actual),
                 static_cast<unsigned long long>(static_cast<Actual>(expected)));
    ++checkFailures;
}

#define CHECK(condition) CheckTrue(__FILE__, __LINE__, #condition, (condition))
#define CHECK_EQ(actual, expected) \
    CheckEqual(__FILE__, __LINE__, #actual " == " #expected, (actual), (expected))
