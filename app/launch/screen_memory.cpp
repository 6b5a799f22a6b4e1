#include "app/launch/screen_memory.h"

#include <cstring>

#include "app/launch/settings_file.h"
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
    std::string text;
    if (!ReadSettingsFile(path, 63, text)) return true;
    char line[64];
    text.copy(line, text.size());
    line[text.size()] = '\0';
    TrimEnd(line);
    return std::strcmp(line, kWindowLine) != 0;
}

bool RememberFullScreen(const std::string& path, bool fullScreen) {
    return ReplaceSettingsFile(path,
                               std::string(fullScreen ? kFullScreenLine : kWindowLine) + "\n");
}

}  // namespace launch
