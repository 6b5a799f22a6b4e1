#pragma once

// The Win32 and DirectDraw headers, made to live next to display/platform.h.
//
// The platform interface names its flags, messages and result codes exactly as the system
// API does, and windows.h defines those names as macros. This header records the value of
// every such macro, removes the macro, includes the platform interface and then checks at
// compile time that each platform constant equals the system's value. Flags and result
// codes can therefore pass between the game and the system without translation.
//
// The order of inclusion does not matter: the macros are gone once this header has been
// read, and the system headers' include guards keep them from coming back. Only the .cpp
// files of display/win32 and the program's WinMain (through win32_entry.h) include it; no
// game header may see windows.h.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// windows.h first: ddraw.h relies on its types.
#include <ddraw.h>

#include <cstdint>

// Every name that both the platform interface and the system headers define, with the
// same value. (The game tells apart only DD_OK, DDERR_SURFACELOST and DDERR_WASSTILLDRAWING;
// the others must still agree so that both builds answer alike.)
#define KESTRION_SHARED_NAMES(X)  \
    X(DD_OK)                      \
    X(DDERR_SURFACELOST)          \
    X(DDERR_WASSTILLDRAWING)      \
    X(DDERR_GENERIC)              \
    X(DDERR_INVALIDRECT)          \
    X(DDERR_INVALIDPARAMS)        \
    X(DDERR_OUTOFMEMORY)          \
    X(DDERR_SURFACEBUSY)          \
    X(DDERR_NOTLOCKED)            \
    X(DDERR_CANTCREATEDC)         \
    X(DDSCL_FULLSCREEN)           \
    X(DDSCL_NORMAL)               \
    X(DDSCL_EXCLUSIVE)            \
    X(DDSD_CAPS)                  \
    X(DDSD_HEIGHT)                \
    X(DDSD_WIDTH)                 \
    X(DDSD_BACKBUFFERCOUNT)       \
    X(DDSCAPS_BACKBUFFER)         \
    X(DDSCAPS_COMPLEX)            \
    X(DDSCAPS_FLIP)               \
    X(DDSCAPS_OFFSCREENPLAIN)     \
    X(DDSCAPS_PRIMARYSURFACE)     \
    X(DDSCAPS_SYSTEMMEMORY)       \
    X(DDBLT_COLORFILL)            \
    X(DDBLTFAST_NOCOLORKEY)       \
    X(DDBLTFAST_SRCCOLORKEY)      \
    X(DDBLTFAST_WAIT)             \
    X(DDLOCK_WAIT)                \
    X(DDLOCK_NOSYSLOCK)           \
    X(DDCKEY_SRCBLT)              \
    X(DDPF_RGB)                   \
    X(WM_DESTROY)                 \
    X(WM_CLOSE)                   \
    X(WM_QUIT)                    \
    X(WM_ACTIVATEAPP)             \
    X(WM_SETCURSOR)               \
    X(WM_KEYDOWN)                 \
    X(WM_SYSKEYDOWN)              \
    X(WM_LBUTTONDOWN)             \
    X(WM_LBUTTONUP)               \
    X(PM_NOREMOVE)                \
    X(PM_REMOVE)                  \
    X(INFINITE)                   \
    X(MB_OK)                      \
    X(VK_BACK)                    \
    X(VK_TAB)                     \
    X(VK_RETURN)                  \
    X(VK_SHIFT)                   \
    X(VK_CONTROL)                 \
    X(VK_MENU)                    \
    X(VK_ESCAPE)                  \
    X(VK_SPACE)                   \
    X(VK_LEFT)                    \
    X(VK_UP)                      \
    X(VK_RIGHT)                   \
    X(VK_DOWN)                    \
    X(VK_INSERT)                  \
    X(VK_DELETE)                  \
    X(VK_NUMPAD0)                 \
    X(VK_F1)                      \
    X(VK_F12)                     \
    X(CS_VREDRAW)                 \
    X(CS_HREDRAW)                 \
    X(WS_POPUP)                   \
    X(WS_SYSMENU)                 \
    X(BLACK_BRUSH)                \
    X(SW_SHOWNORMAL)              \
    X(VER_PLATFORM_WIN32_WINDOWS) \
    X(VER_PLATFORM_WIN32_NT)      \
    X(IMAGE_BITMAP)               \
    X(LR_LOADFROMFILE)            \
    X(LR_CREATEDIBSECTION)        \
    X(SRCCOPY)                    \
    X(CLR_INVALID)                \
    X(FILE_ATTRIBUTE_DIRECTORY)   \
    X(FILE_ATTRIBUTE_NORMAL)

namespace win32_values {
#define KESTRION_RECORD_VALUE(name) \
    inline constexpr uint32_t name##_value = static_cast<uint32_t>(name);
KESTRION_SHARED_NAMES(KESTRION_RECORD_VALUE)
#undef KESTRION_RECORD_VALUE
}  // namespace win32_values

#undef DD_OK
#undef DDERR_SURFACELOST
#undef DDERR_WASSTILLDRAWING
#undef DDERR_GENERIC
#undef DDERR_INVALIDRECT
#undef DDERR_INVALIDPARAMS
#undef DDERR_OUTOFMEMORY
#undef DDERR_NOINTERFACE
#undef DDERR_NOTLOCKED
#undef DDERR_CANTCREATEDC
#undef DDERR_SURFACEBUSY
#undef DDSCL_FULLSCREEN
#undef DDSCL_NORMAL
#undef DDSCL_EXCLUSIVE
#undef DDSD_CAPS
#undef DDSD_HEIGHT
#undef DDSD_WIDTH
#undef DDSD_BACKBUFFERCOUNT
#undef DDSCAPS_BACKBUFFER
#undef DDSCAPS_COMPLEX
#undef DDSCAPS_FLIP
#undef DDSCAPS_OFFSCREENPLAIN
#undef DDSCAPS_PRIMARYSURFACE
#undef DDSCAPS_SYSTEMMEMORY
#undef DDBLT_COLORFILL
#undef DDBLTFAST_NOCOLORKEY
#undef DDBLTFAST_SRCCOLORKEY
#undef DDBLTFAST_WAIT
#undef DDLOCK_WAIT
#undef DDLOCK_NOSYSLOCK
#undef DDCKEY_SRCBLT
#undef DDPF_RGB
#undef WM_DESTROY
#undef WM_CLOSE
#undef WM_QUIT
#undef WM_ACTIVATEAPP
#undef WM_SETCURSOR
#undef WM_KEYDOWN
#undef WM_SYSKEYDOWN
#undef WM_LBUTTONDOWN
#undef WM_LBUTTONUP
#undef PM_NOREMOVE
#undef PM_REMOVE
#undef INFINITE
#undef MB_OK
#undef VK_BACK
#undef VK_TAB
#undef VK_RETURN
#undef VK_SHIFT
#undef VK_CONTROL
#undef VK_MENU
#undef VK_ESCAPE
#undef VK_SPACE
#undef VK_LEFT
#undef VK_UP
#undef VK_RIGHT
#undef VK_DOWN
#undef VK_INSERT
#undef VK_DELETE
#undef VK_NUMPAD0
#undef VK_F1
#undef VK_F12
#undef CS_VREDRAW
#undef CS_HREDRAW
#undef WS_POPUP
#undef WS_SYSMENU
#undef IDC_ARROW
#undef BLACK_BRUSH
#undef SW_SHOWNORMAL
#undef VER_PLATFORM_WIN32_WINDOWS
#undef VER_PLATFORM_WIN32_NT
#undef IMAGE_BITMAP
#undef LR_LOADFROMFILE
#undef LR_CREATEDIBSECTION
#undef SRCCOPY
#undef CLR_INVALID
#undef FILE_ATTRIBUTE_DIRECTORY
#undef FILE_ATTRIBUTE_NORMAL

#include "display/platform.h"

#define KESTRION_CHECK_VALUE(name)                                                     \
    static_assert(static_cast<uint32_t>(platform::name) == win32_values::name##_value, \
                  "platform::" #name " differs from the Win32 value");
KESTRION_SHARED_NAMES(KESTRION_CHECK_VALUE)
#undef KESTRION_CHECK_VALUE
#undef KESTRION_SHARED_NAMES

// The platform's find handle stands for the system's "no search" handle.
static_assert(sizeof(HANDLE) == sizeof(platform::FindHandle));
