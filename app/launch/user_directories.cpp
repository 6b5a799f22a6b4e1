#include "app/launch/user_directories.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace launch {

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

bool IsAbsolute(const char* path) {
    return path != nullptr && std::filesystem::path(path).is_absolute();
}

std::string Join(std::string base, const char* name) {
    if (base.empty()) return base;
    if (base.back() != kSeparator && base.back() != '/') base += kSeparator;
    return base + name;
}

#ifdef _WIN32
// The one directory both settings and saved games hang from on Windows.
std::string WindowsAppData() {
    const char* appData = std::getenv("APPDATA");
    return IsAbsolute(appData) ? Join(appData, "Kestrion") : std::string();
}
#endif

}  // namespace

std::string BaseDirectory(const char* variableValue, const char* home, const char* underHome) {
    // A relative value is ignored: it would depend on where the game was started.
    if (IsAbsolute(variableValue)) return variableValue;
    if (!IsAbsolute(home)) return std::string();
    return Join(home, underHome);
}

std::string ConfigDirectory() {
#ifdef _WIN32
    return WindowsAppData();
#else
    return Join(BaseDirectory(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"), ".config"),
                "kestrion");
#endif
}

std::string DataDirectory() {
#ifdef _WIN32
    return WindowsAppData();
#else
    return Join(BaseDirectory(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"), ".local/share"),
                "kestrion");
#endif
}

bool MakeDirectories(const std::string& path, std::string* reason) {
    if (path.empty()) {
        *reason = "no home directory is known";
        return false;
    }
    std::error_code error;
    std::filesystem::create_directories(path, error);
    if (error) {
        *reason = error.message();
        return false;
    }
    if (!std::filesystem::is_directory(path, error)) {
        *reason = "it is not a directory";
        return false;
    }
    return true;
}

}  // namespace launch
