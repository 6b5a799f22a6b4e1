#include "game/file_replace.h"

#include <fcntl.h>

#include <cerrno>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace file_replace {

#ifdef _WIN32

bool IsReadOnly(const char* path) {
    const DWORD attributes = ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

std::FILE* CreateFresh(const char* path, const char*) {
    ::DeleteFileA(path);
    const int descriptor =
        ::_open(path, _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (descriptor < 0) return nullptr;
    std::FILE* file = ::_fdopen(descriptor, "wb");
    if (file == nullptr) ::_close(descriptor);
    return file;
}

bool Sync(std::FILE* file) {
    return ::_commit(::_fileno(file)) == 0;
}

bool Replace(const char* from, const char* to) {
    if (::MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0) {
        return true;
    }
    // The system's own error code, in the terms the C library explains to the player.
    switch (::GetLastError()) {
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            errno = EACCES;
            break;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            errno = ENOSPC;
            break;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            errno = ENOENT;
            break;
        default:
            errno = EIO;
            break;
    }
    return false;
}

void Remove(const char* path) {
    ::DeleteFileA(path);
}

#else

bool IsReadOnly(const char* path) {
    return ::access(path, F_OK) == 0 && ::access(path, W_OK) != 0;
}

std::FILE* CreateFresh(const char* path, const char* modelPath) {
    ::unlink(path);
    const int descriptor = ::open(path, O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (descriptor < 0) return nullptr;
    struct stat model;
    if (::stat(modelPath, &model) == 0) ::fchmod(descriptor, model.st_mode & 07777);
    std::FILE* file = ::fdopen(descriptor, "wb");
    if (file == nullptr) ::close(descriptor);
    return file;
}

bool Sync(std::FILE* file) {
    return ::fsync(::fileno(file)) == 0;
}

bool Replace(const char* from, const char* to) {
    return std::rename(from, to) == 0;
}

void Remove(const char* path) {
    ::unlink(path);
}

#endif

}  // namespace file_replace
