#include "app/file_failure.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr char kCaption[] = "Kestrion";

void Tell(platform::WindowHandle window, const char* headline, const char* path, const char* verb,
          int error) {
    char text[512];
    std::snprintf(text, sizeof text, "%s\n\"%s\" could not be %s: %s.", headline, path, verb,
                  std::strerror(error));
    platform::Sys().MessageBoxA(window, text, kCaption, platform::MB_OK);
}

}  // namespace

void TellGameNotSaved(platform::WindowHandle window, const char* path, int error) {
    Tell(window, "The game was not saved.", path, "written", error);
}

void TellGameNotLoaded(platform::WindowHandle window, const char* path, int error) {
    Tell(window, "The game was not loaded.", path, "read", error);
}

void TellNameRefused(platform::WindowHandle window) {
    platform::Sys().MessageBoxA(window,
                                "The game was not saved.\nA name may not hold \\, / or :, "
                                "which would put the file in another folder.",
                                kCaption, platform::MB_OK);
}
