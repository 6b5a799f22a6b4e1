#include "display/soft/file_search.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>

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

// The C library's directory calls rather than std::filesystem: the same list, and the
// browser page (which lists its saved games this way) leaves the weight of the other out.
std::vector<FoundFile> ListMatchingFiles(const std::string& directory, const char* pattern) {
    std::vector<FoundFile> files;
    if (pattern == nullptr) return files;
    const std::string folder = directory.empty() ? "." : directory;
    DIR* listing = opendir(folder.c_str());
    if (listing == nullptr) return files;
    while (const dirent* entry = readdir(listing)) {
        std::string name = entry->d_name;
        if (name.size() > kMaxFoundNameLength || !WildcardMatch(pattern, name.c_str())) continue;
        // Through links, as a file opened by the name would be.
        struct stat status;
        if (stat((folder + "/" + name).c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
            continue;
        }
        const int64_t time = int64_t{status.st_mtim.tv_sec} * 1000000000 + status.st_mtim.tv_nsec;
        files.push_back({std::move(name), time});
    }
    closedir(listing);
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
