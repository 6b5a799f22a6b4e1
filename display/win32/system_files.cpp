#include <cstring>

#include "display/win32/native_types.h"
#include "display/win32/win32_system.h"

namespace win32 {

namespace {

void CopyFound(const WIN32_FIND_DATAA& found, platform::FindData* data) {
    data->attributes = found.dwFileAttributes;
    static_assert(sizeof data->fileName == sizeof found.cFileName);
    std::memcpy(data->fileName, found.cFileName, sizeof data->fileName);
    data->fileName[sizeof data->fileName - 1] = '\0';
    data->lastWriteTime =
        static_cast<int64_t>((uint64_t{found.ftLastWriteTime.dwHighDateTime} << 32) |
                             found.ftLastWriteTime.dwLowDateTime);
}

}  // namespace

platform::FindHandle Win32System::FindFirstFileA(const char* pattern, platform::FindData* data) {
    WIN32_FIND_DATAA found{};
    const HANDLE find = ::FindFirstFileA(pattern, &found);
    if (find == INVALID_HANDLE_VALUE) return platform::kInvalidFindHandle;
    if (data != nullptr) CopyFound(found, data);
    return Wrap<platform::FindHandle>(find);
}

bool Win32System::FindNextFileA(platform::FindHandle find, platform::FindData* data) {
    WIN32_FIND_DATAA found{};
    if (!::FindNextFileA(Native(find), &found)) return false;
    if (data != nullptr) CopyFound(found, data);
    return true;
}

bool Win32System::FindClose(platform::FindHandle find) {
    return ::FindClose(Native(find)) != FALSE;
}

}  // namespace win32
