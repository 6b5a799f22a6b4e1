#include "display/soft/file_search.h"

#include <strings.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

struct platform::FindObject {
    std::vector<std::string> names;
    size_t next = 0;
};

namespace soft {

namespace {

void Fill(const std::string& name, platform::FindData* data) {
    if (data == nullptr) return;
    data->attributes = platform::FILE_ATTRIBUTE_NORMAL;
    std::memset(data->fileName, 0, sizeof data->fileName);
    std::memcpy(data->fileName, name.c_str(), std::min(name.size(), sizeof data->fileName - 1));
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

std::vector<std::string> ListMatchingFiles(const std::string& directory, const char* pattern) {
    std::vector<std::string> names;
    if (pattern == nullptr) return names;
    std::error_code error;
    std::filesystem::directory_iterator it(directory.empty() ? "." : directory, error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        const auto& entry = *it;
        std::string name = entry.path().filename().string();
        if (name.size() > kMaxFoundNameLength || !WildcardMatch(pattern, name.c_str())) continue;
        std::error_code typeError;
        if (!entry.is_regular_file(typeError)) continue;
        names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        int order = strcasecmp(a.c_str(), b.c_str());
        return order != 0 ? order < 0 : a < b;
    });
    if (names.size() > kMaxFoundFiles) names.resize(kMaxFoundFiles);
    return names;
}

platform::FindHandle FindFirst(std::vector<std::string> names, platform::FindData* data) {
    if (names.empty()) return platform::kInvalidFindHandle;
    auto* find = new platform::FindObject{std::move(names), 1};
    Fill(find->names[0], data);
    return find;
}

bool FindNext(platform::FindHandle find, platform::FindData* data) {
    if (find == nullptr || find == platform::kInvalidFindHandle) return false;
    if (find->next >= find->names.size()) return false;
    Fill(find->names[find->next++], data);
    return true;
}

bool FindClose(platform::FindHandle find) {
    if (find == nullptr || find == platform::kInvalidFindHandle) return false;
    delete find;
    return true;
}

}  // namespace soft
