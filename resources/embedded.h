#pragma once

// The bitmap files carried inside the program (the sheets resources/CMakeLists.txt lists,
// built in at compile time), found by file name without regard to case.

#include <cstddef>

struct EmbeddedFile {
    const char* name;
    const unsigned char* data;
    size_t size;
};

// Null when the program carries no file of that name.
const EmbeddedFile* FindEmbeddedFile(const char* name);
