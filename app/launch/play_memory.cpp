#include "app/launch/play_memory.h"

#include "app/launch/settings_file.h"
#include "app/launch/user_directories.h"

namespace launch {

namespace {

constexpr size_t kLongestFile = 512;

}  // namespace

std::string PlayMemoryPath(const std::string& configDirectory) {
    if (configDirectory.empty()) return std::string();
    return PathText(LocalPath(configDirectory) / "play.conf");
}

RememberedPlay ReadRememberedPlay(const std::string& path) {
    std::string text;
    if (!ReadSettingsFile(path, kLongestFile, text)) return RememberedPlay{};
    return ParseRememberedPlay(text);
}

bool RememberPlay(const std::string& path, const RememberedPlay& play) {
    return ReplaceSettingsFile(path, RememberedPlayText(play));
}

}  // namespace launch
