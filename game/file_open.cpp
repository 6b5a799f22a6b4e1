#include "game/file_open.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <string>
#endif

#ifdef _WIN32

std::FILE* OpenToRead(const char* path) {
    const int size = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path, -1, nullptr, 0);
    if (size <= 0) return std::fopen(path, "rb");
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path, -1, wide.data(), size);
    return ::_wfopen(wide.c_str(), L"rb");
}

#else

std::FILE* OpenToRead(const char* path) {
    return std::fopen(path, "rb");
}

#endif
