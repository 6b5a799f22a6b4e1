#include "resources/embedded.h"

#include <strings.h>

// Written by resources/CMakeLists.txt from the bitmaps it lists: the files and their count.
extern const EmbeddedFile kEmbeddedFiles[];
extern const size_t kEmbeddedFileCount;

const EmbeddedFile* FindEmbeddedFile(const char* name) {
    if (name == nullptr) return nullptr;
    for (size_t i = 0; i < kEmbeddedFileCount; ++i) {
        if (strcasecmp(kEmbeddedFiles[i].name, name) == 0) return &kEmbeddedFiles[i];
    }
    return nullptr;
}
