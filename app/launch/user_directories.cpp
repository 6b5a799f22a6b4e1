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
// The one directory both settings and saved games hang from on Windows. Read in wide
// characters: the narrow value of a user folder named outside the code page (a Polish name on
// a Western system) names a folder with the letters changed, or none.
std::string WindowsAppData() {
    const wchar_t* appData = _wgetenv(L"APPDATA");
    if (appData == nullptr) return std::string();
    const std::filesystem::path base(appData);
    return base.is_absolute() ? PathText(base / L"Kestrion") : std::string();
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

std::filesystem::path LocalPath(const std::string& name) {
#ifdef _WIN32
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
#else
    return std::filesystem::path(name);
#endif
}

std::string PathText(const std::filesystem::path& path) {
#ifdef _WIN32
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
#else
    return path.string();
#endif
}

bool MakeDirectories(const std::string& name, std::string* reason) {
    const std::filesystem::path path = LocalPath(name);
    if (name.empty()) {
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
