#include "display/sdl/sdl_system.h"
#include "display/soft/file_search.h"

namespace sdl {

platform::FindHandle SdlSystem::FindFirstFileA(const char* pattern, platform::FindData* data) {
    return soft::FindFirst(soft::ListMatchingFiles("", pattern), data);
}

bool SdlSystem::FindNextFileA(platform::FindHandle find, platform::FindData* data) {
    return soft::FindNext(find, data);
}

bool SdlSystem::FindClose(platform::FindHandle find) {
    return soft::FindClose(find);
}

}  // namespace sdl
