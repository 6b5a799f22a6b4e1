#include "display/testing/temp_directory.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace platform {

TempDirectory::TempDirectory() {
    std::error_code error;
    std::string base = std::filesystem::temp_directory_path(error).string();
    if (error || base.empty()) base = "/tmp";
    std::string pattern = base + "/kestrion-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror("TempDirectory: mkdtemp");
        std::abort();
    }
    path_ = pattern;
}

TempDirectory::~TempDirectory() {
    if (!previous_.empty() && chdir(previous_.c_str()) != 0) std::perror("TempDirectory: chdir");
    std::error_code error;
    std::filesystem::remove_all(path_, error);
}

bool TempDirectory::Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    std::FILE* file = std::fopen((path_ + "/" + name).c_str(), "wb");
    if (file == nullptr) return false;
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

bool TempDirectory::Write(const std::string& name, const std::string& text) const {
    return Write(name, std::vector<uint8_t>(text.begin(), text.end()));
}

void TempDirectory::EnterAsCurrent() {
    if (previous_.empty()) {
        std::error_code error;
        previous_ = std::filesystem::current_path(error).string();
    }
    if (chdir(path_.c_str()) != 0) {
        std::perror("TempDirectory: chdir");
        std::abort();
    }
}

}  // namespace platform
