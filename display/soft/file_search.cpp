#include "display/soft/file_search.h"

#include <strings.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <system_error>

struct platform::FindObject {
    std::vector<soft::FoundFile> files;
    size_t next = 0;
};

namespace soft {

namespace {

void Fill(const FoundFile& file, platform::FindData* data) {
    if (data == nullptr) return;
    data->attributes = platform::FILE_ATTRIBUTE_NORMAL;
    std::memset(data->fileName, 0, sizeof data->fileName);
    std::memcpy(data->fileName, file.name.c_str(),
                std::min(file.name.size(), sizeof data->fileName - 1));
    data->lastWriteTime = file.lastWriteTime;
}

}  // namespace

bool WildcardMatch(const char* pattern, const char* name) {
    // Iterative match with one backtrack point for the last '*'.
    const char* star = nullptr;
    const char* resume = nullptr;
    while (*name != '\0') {
        if (*pattern == '*') {
            star = pattern++;
            resume = name;
        } else if (*pattern == '?' || *pattern == *name) {
            ++pattern;
            ++name;
        } else if (star != nullptr) {
            pattern = star + 1;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (*pattern == '*') ++pattern;
    return *pattern == '\0';
}

std::vector<FoundFile> ListMatchingFiles(const std::string& directory, const char* pattern) {
    std::vector<FoundFile> files;
    if (pattern == nullptr) return files;
    std::error_code error;
    std::filesystem::directory_iterator it(directory.empty() ? "." : directory, error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        const auto& entry = *it;
        std::string name = entry.path().filename().string();
        if (name.size() > kMaxFoundNameLength || !WildcardMatch(pattern, name.c_str())) continue;
        std::error_code typeError;
        if (!entry.is_regular_file(typeError)) continue;
        std::error_code timeError;
        const auto written = entry.last_write_time(timeError);
        const int64_t time =
            timeError
                ? 0
                : std::chrono::duration_cast<std::chrono::nanoseconds>(written.time_since_epoch())
                      .count();
        files.push_back({std::move(name), time});
    }
    std::sort(files.begin(), files.end(), [](const FoundFile& a, const FoundFile& b) {
        int order = strcasecmp(a.name.c_str(), b.name.c_str());
        return order != 0 ? order < 0 : a.name < b.name;
    });
    return files;
}

platform::FindHandle FindFirst(std::vector<FoundFile> files, platform::FindData* data) {
    if (files.empty()) return platform::kInvalidFindHandle;
    auto* find = new platform::FindObject{std::move(files), 1};
    Fill(find->files[0], data);
    return find;
}

bool FindNext(platform::FindHandle find, platform::FindData* data) {
    if (find == nullptr || find == platform::kInvalidFindHandle) return false;
    if (find->next >= find->files.size()) return false;
    Fill(find->files[find->next++], data);
    return true;
}

bool FindClose(platform::FindHandle find) {
    if (find == nullptr || find == platform::kInvalidFindHandle) return false;
    delete find;
    return true;
}

}  // namespace soft
