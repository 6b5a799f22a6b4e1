#include "app/launch/settings_file.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "app/launch/user_directories.h"

namespace launch {

bool ReadSettingsFile(const std::string& path, size_t limit, std::string& text) {
    if (path.empty()) return false;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    text.assign(limit, '\0');
    const size_t length = std::fread(text.data(), 1, limit, file);
    const bool whole = std::fgetc(file) == EOF;
    std::fclose(file);
    text.resize(length);
    return whole && text.find('\0') == std::string::npos;
}

bool ReplaceSettingsFile(const std::string& path, const std::string& text) {
    if (path.empty()) return false;
    const std::filesystem::path target = LocalPath(path);
    std::string reason;
    if (target.has_parent_path() && !MakeDirectories(PathText(target.parent_path()), &reason)) {
        return false;
    }
    const std::string temporary = path + ".new";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
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
