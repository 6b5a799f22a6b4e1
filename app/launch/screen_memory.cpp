#include "app/launch/screen_memory.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "app/launch/user_directories.h"

namespace launch {

namespace {

constexpr char kWindowLine[] = "screen=window";
constexpr char kFullScreenLine[] = "screen=fullscreen";

// Drops the line end (and any trailing blanks an editor may leave).
void TrimEnd(char* line) {
    size_t length = std::strlen(line);
    while (length > 0 && (line[length - 1] == '\n' || line[length - 1] == '\r' ||
                          line[length - 1] == ' ' || line[length - 1] == '\t')) {
        line[--length] = '\0';
    }
}

}  // namespace

std::string ScreenMemoryPath(const std::string& configDirectory) {
    if (configDirectory.empty()) return std::string();
    return PathText(LocalPath(configDirectory) / "screen.conf");
}

bool ReadRememberedFullScreen(const std::string& path) {
    if (path.empty()) return true;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return true;
    // Read whole: a file longer than the buffer, or with a NUL in it, is not one we wrote.
    char text[64];
    const size_t length = std::fread(text, 1, sizeof text - 1, file);
    const bool whole = std::fgetc(file) == EOF;
    std::fclose(file);
    if (!whole || std::memchr(text, '\0', length) != nullptr) return true;
    text[length] = '\0';
    TrimEnd(text);
    return std::strcmp(text, kWindowLine) != 0;
}

bool RememberFullScreen(const std::string& path, bool fullScreen) {
    if (path.empty()) return false;
    const std::filesystem::path target = LocalPath(path);
    std::string reason;
    if (target.has_parent_path() && !MakeDirectories(PathText(target.parent_path()), &reason)) {
        return false;
    }
    // Written beside the old file and moved over it, so a crash never leaves half a line.
    const std::string temporary = path + ".new";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = std::fprintf(file, "%s\n", fullScreen ? kFullScreenLine : kWindowLine) > 0;
    const bool closed = std::fclose(file) == 0;
    std::error_code error;
    if (written && closed) std::filesystem::rename(LocalPath(temporary), target, error);
    if (!written || !closed || error) {
        std::filesystem::remove(LocalPath(temporary), error);
        return false;
    }
    return true;
}

}  // namespace launch
