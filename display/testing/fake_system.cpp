#include "display/testing/fake_system.h"

#include <strings.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "display/sdl_decode/sdl_bitmap_decoder.h"
#include "display/soft/file_search.h"
#include "display/soft/gdi.h"
#include "display/soft/soft_direct_draw.h"

namespace platform {

namespace {

constexpr const char* kFailableOperations[] = {"CreateWindowExA",
                                               "RegisterClassA",
                                               "DirectDrawCreate",
                                               "SetCooperativeLevel",
                                               "SetDisplayMode",
                                               "CreateSurface",
                                               "GetAttachedSurface",
                                               "QueryInterface",
                                               "Flip",
                                               "Blt",
                                               "BltFast",
                                               "Lock",
                                               "Unlock",
                                               "GetDC",
                                               "ReleaseDC",
                                               "GetPixelFormat",
                                               "SetColorKey",
                                               "IsLost",
                                               "Restore",
                                               "GetVersionExA",
                                               "LoadLibraryA",
                                               "GetProcAddress",
                                               "LoadImageA",
                                               "GetObjectA",
                                               "CreateCompatibleDC",
                                               "SelectObject",
                                               "StretchBlt",
                                               "FindFirstFileA",
                                               "LoadIconA"};

// Handles that need no contents: their addresses are enough to tell them apart.
char moduleToken, iconToken, arrowToken, brushToken, entryPointToken;

struct FakeLibrary {
    std::string name;
};

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string Hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", value);
    return text;
}

std::string Text(const char* text) {
    return text != nullptr ? text : "(null)";
}

soft::SoftSurface* AsSoft(Surface* surface) {
    return dynamic_cast<soft::SoftSurface*>(surface);
}

}  // namespace

FakeSystem::FakeSystem() {
    SetLibrary("DDRAW.DLL", {"DirectDrawCreate"});
    SetLibrary("DINPUT.DLL", {"DirectInputCreateA"});
}

FakeSystem::~FakeSystem() {
    // Whatever the test left open goes now, so no surface keeps pointing at this fake.
    for (soft::SoftDirectDraw* directDraw : std::vector(directDraws_)) {
        directDraw->DetachObserver();
        while (directDraw->Release() > 0) {
        }
    }
    if (installed_) InstallSystem(nullptr);
}

void FakeSystem::Install() {
    InstallSystem(this);
    installed_ = true;
}

void FakeSystem::Record(std::string call) {
    if (recording) calls.push_back(std::move(call));
}

size_t FakeSystem::Count(std::string_view call, bool prefix) const {
    return static_cast<size_t>(std::count_if(calls.begin(), calls.end(), [&](const std::string& c) {
        return prefix ? std::string_view(c).starts_with(call) : c == call;
    }));
}

bool FakeSystem::Called(std::string_view call, bool prefix) const {
    return IndexOf(call, prefix) >= 0;
}

int FakeSystem::IndexOf(std::string_view call, bool prefix) const {
    for (size_t i = 0; i < calls.size(); ++i) {
        if (prefix ? std::string_view(calls[i]).starts_with(call) : calls[i] == call) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void FakeSystem::Fail(std::string_view operation, Result result, int times,
                      std::string_view subject) {
    bool known = std::any_of(std::begin(kFailableOperations), std::end(kFailableOperations),
                             [&](const char* name) { return operation == name; });
    if (!known) {
        std::fprintf(stderr, "FakeSystem::Fail: no operation named '%.*s'\n",
                     static_cast<int>(operation.size()), operation.data());
        std::abort();
    }
    failures_.push_back(FailRule{std::string(operation), std::string(subject),
                                 result == DD_OK ? DDERR_GENERIC : result, times});
}

Result FakeSystem::Failing(std::string_view operation, std::string_view subject) {
    for (auto it = failures_.begin(); it != failures_.end(); ++it) {
        if (it->operation != operation) continue;
        if (!it->subject.empty() && it->subject != subject) continue;
        Result result = it->result;
        if (it->remaining > 0 && --it->remaining == 0) failures_.erase(it);
        return result;
    }
    return DD_OK;
}

Result FakeSystem::Intercept(const char* operation, const char* subject, const std::string& call) {
    Record(call);
    return Failing(operation, subject);
}

void FakeSystem::Destroyed(Unknown* object) {
    std::erase(directDraws_,
               static_cast<soft::SoftDirectDraw*>(dynamic_cast<soft::SoftDirectDraw*>(object)));
}

void FakeSystem::Present(const void* pixels, int pitch, int width, int height, PixelFormat) {
    lastFrame.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        std::memcpy(&lastFrame[static_cast<size_t>(y) * width],
                    static_cast<const uint8_t*>(pixels) + static_cast<size_t>(y) * pitch,
                    static_cast<size_t>(width) * 2);
    }
    frameWidth = width;
    frameHeight = height;
    ++presentedFrames;
}

// --- Display --------------------------------------------------------------------------------

void FakeSystem::LoseSurfaces() {
    for (soft::SoftDirectDraw* directDraw : directDraws_) directDraw->MarkAllLost();
}

DirectDraw* FakeSystem::LastDirectDraw() const {
    return directDraws_.empty() ? nullptr : directDraws_.back();
}

Surface* FakeSystem::Primary() const {
    for (auto it = directDraws_.rbegin(); it != directDraws_.rend(); ++it) {
        if ((*it)->Primary() != nullptr) return (*it)->Primary();
    }
    return nullptr;
}

Surface* FakeSystem::BackBuffer() const {
    auto* primary = static_cast<soft::SoftSurface*>(Primary());
    return primary != nullptr ? primary->Attached() : nullptr;
}

size_t FakeSystem::LiveSurfaces() const {
    size_t count = 0;
    for (soft::SoftDirectDraw* directDraw : directDraws_) {
        for (soft::SoftSurface* surface : directDraw->Surfaces()) {
            count += surface->Attached() != nullptr ? 2 : 1;
        }
    }
    return count;
}

bool FakeSystem::IsLostSurface(Surface* surface) const {
    soft::SoftSurface* soft = AsSoft(surface);
    return soft != nullptr && soft->Lost();
}

uint16_t FakeSystem::PixelAt(Surface* surface, int x, int y) const {
    soft::SoftSurface* soft = AsSoft(surface);
    if (soft == nullptr || !soft->HasPixels() || x < 0 || y < 0 || x >= soft->Width() ||
        y >= soft->Height()) {
        std::fprintf(stderr, "FakeSystem::PixelAt: no pixel (%d,%d)\n", x, y);
        std::abort();
    }
    uint16_t value;
    std::memcpy(&value, soft->PixelAddress(x, y), 2);
    return value;
}

void FakeSystem::SetPixelAt(Surface* surface, int x, int y, uint16_t value) {
    PixelAt(surface, x, y);  // checks the position
    std::memcpy(AsSoft(surface)->PixelAddress(x, y), &value, 2);
}

// --- Operating-system facts -----------------------------------------------------------------

void FakeSystem::SetLibrary(const std::string& name, std::vector<std::string> entryPoints) {
    libraries_[Upper(name)] = std::move(entryPoints);
}

void FakeSystem::RemoveLibrary(const std::string& name) {
    libraries_.erase(Upper(name));
}

bool FakeSystem::GetVersionExA(OsVersionInfo* info) {
    Record("GetVersionExA");
    if (Failing("GetVersionExA") != DD_OK || !os.versionAvailable) return false;
    if (info == nullptr || info->size != sizeof(OsVersionInfo)) return false;
    info->majorVersion = os.majorVersion;
    info->minorVersion = os.minorVersion;
    info->buildNumber = os.buildNumber;
    info->platformId = os.platformId;
    return true;
}

LibraryHandle FakeSystem::LoadLibraryA(const char* name) {
    Record("LoadLibraryA(" + Text(name) + ")");
    if (name == nullptr || Failing("LoadLibraryA", name) != DD_OK) return nullptr;
    if (libraries_.find(Upper(name)) == libraries_.end()) return nullptr;
    ++loadedLibraries_;
    return reinterpret_cast<LibraryHandle>(new FakeLibrary{Upper(name)});
}

void* FakeSystem::GetProcAddress(LibraryHandle library, const char* name) {
    Record("GetProcAddress(" + Text(name) + ")");
    if (library == nullptr || name == nullptr) return nullptr;
    if (Failing("GetProcAddress", name) != DD_OK) return nullptr;
    auto found = libraries_.find(reinterpret_cast<FakeLibrary*>(library)->name);
    if (found == libraries_.end()) return nullptr;
    const auto& entries = found->second;
    if (std::find(entries.begin(), entries.end(), name) == entries.end()) return nullptr;
    return &entryPointToken;
}

bool FakeSystem::FreeLibrary(LibraryHandle library) {
    if (library == nullptr) return false;
    auto* fake = reinterpret_cast<FakeLibrary*>(library);
    Record("FreeLibrary(" + fake->name + ")");
    --loadedLibraries_;
    delete fake;
    return true;
}

void FakeSystem::OutputDebugStringA(const char* text) {
    Record("OutputDebugStringA(" + Text(text) + ")");
    debugOutput.push_back(Text(text));
}

Result FakeSystem::DirectDrawCreate(const Guid*, DirectDraw** out, Unknown* outer) {
    Record("DirectDrawCreate");
    if (out == nullptr) return DDERR_INVALIDPARAMS;
    *out = nullptr;
    if (Result answer = Failing("DirectDrawCreate"); answer != DD_OK) return answer;
    if (outer != nullptr) return DDERR_INVALIDPARAMS;
    auto* directDraw = new soft::SoftDirectDraw(pixelLayout, this);
    directDraw->SetPresenter(this);
    directDraws_.push_back(directDraw);
    *out = directDraw;
    return DD_OK;
}

// --- Window and messages --------------------------------------------------------------------

uint16_t FakeSystem::RegisterClassA(const WindowClass& windowClass) {
    Record("RegisterClassA(" + Text(windowClass.className) + ")");
    if (Failing("RegisterClassA") != DD_OK) return 0;
    return queue_.RegisterClass(windowClass);
}

IconHandle FakeSystem::LoadIconA(ModuleHandle, int resourceId) {
    Record("LoadIconA(" + std::to_string(resourceId) + ")");
    if (Failing("LoadIconA") != DD_OK) return nullptr;
    return reinterpret_cast<IconHandle>(&iconToken);
}

CursorHandle FakeSystem::LoadCursorA(ModuleHandle, int cursorId) {
    Record("LoadCursorA(" + std::to_string(cursorId) + ")");
    return reinterpret_cast<CursorHandle>(&arrowToken);
}

BrushHandle FakeSystem::GetStockObject(int object) {
    Record("GetStockObject(" + std::to_string(object) + ")");
    return reinterpret_cast<BrushHandle>(&brushToken);
}

WindowHandle FakeSystem::CreateWindowExA(uint32_t, const char* className, const char* title,
                                         uint32_t style, int, int, int, int, WindowHandle,
                                         ModuleHandle) {
    Record("CreateWindowExA(" + Text(className) + "," + Text(title) + "," + Hex(style) + ")");
    if (Failing("CreateWindowExA") != DD_OK) return nullptr;
    return queue_.CreateWindow(className, title, style);
}

bool FakeSystem::ShowWindow(WindowHandle window, int showCommand) {
    Record("ShowWindow(" + std::to_string(showCommand) + ")");
    if (!queue_.IsWindow(window)) return false;
    if (activateOnShow) queue_.Post(window, WM_ACTIVATEAPP, 1, 0);
    return false;  // the window was hidden before
}

bool FakeSystem::UpdateWindow(WindowHandle window) {
    Record("UpdateWindow");
    return queue_.IsWindow(window);
}

bool FakeSystem::DestroyWindow(WindowHandle window) {
    Record("DestroyWindow");
    return queue_.DestroyWindow(window);
}

int FakeSystem::MessageBoxA(WindowHandle owner, const char* text, const char* caption, uint32_t) {
    Record("MessageBoxA(" + Text(text) + "," + Text(caption) + ")");
    FakeMessageBox box{owner, Text(text), Text(caption)};
    messageBoxes.push_back(box);
    if (onMessageBox) onMessageBox(box);
    return messageBoxAnswer;
}

void FakeSystem::Pump() {
    if (onPump) onPump(*this);
}

bool FakeSystem::PeekMessageA(Message* message, WindowHandle window, uint32_t filterMin,
                              uint32_t filterMax, uint32_t removeFlags) {
    Pump();
    return queue_.Peek(message, window, filterMin, filterMax, removeFlags);
}

int FakeSystem::GetMessageA(Message* message, WindowHandle window, uint32_t filterMin,
                            uint32_t filterMax) {
    // A real GetMessageA would block on an empty queue; here the script gets one chance to
    // post something, and -1 (failure) comes back otherwise.
    return queue_.Get(message, window, filterMin, filterMax, [this] {
        Pump();
        return !queue_.Empty();
    });
}

bool FakeSystem::TranslateMessage(const Message* message) {
    return message != nullptr;
}

intptr_t FakeSystem::DispatchMessageA(const Message* message) {
    return queue_.Dispatch(message);
}

intptr_t FakeSystem::DefWindowProcA(WindowHandle window, uint32_t message, uintptr_t wParam,
                                    intptr_t lParam) {
    if (message == WM_CLOSE) Record("DestroyWindow");
    return queue_.DefWindowProc(window, message, wParam, lParam);
}

bool FakeSystem::PostMessageA(WindowHandle window, uint32_t message, uintptr_t wParam,
                              intptr_t lParam) {
    Record("PostMessageA(" + Hex(message) + "," + std::to_string(wParam) + "," +
           std::to_string(lParam) + ")");
    return queue_.Post(window, message, wParam, lParam);
}

void FakeSystem::PostQuitMessage(int exitCode) {
    Record("PostQuitMessage(" + std::to_string(exitCode) + ")");
    queue_.PostQuit(exitCode);
}

bool FakeSystem::WaitMessage() {
    Record("WaitMessage");
    Pump();
    if (!queue_.Empty()) {
        idleWaits_ = 0;
        return true;
    }
    CountIdleWait("WaitMessage");
    return true;
}

bool FakeSystem::WaitMessageTimeout(uint32_t milliseconds) {
    Record("WaitMessageTimeout(" +
           (milliseconds == INFINITE ? std::string("INFINITE") : std::to_string(milliseconds)) +
           ")");
    Pump();
    if (!queue_.Empty()) {
        idleWaits_ = 0;
        return true;
    }
    CountIdleWait("WaitMessageTimeout");
    if (milliseconds == INFINITE) return true;
    tickCount += milliseconds;
    return false;
}

void FakeSystem::CountIdleWait(const char* call) {
    if (++idleWaits_ < idleWaitLimit) return;
    std::fprintf(stderr,
                 "FakeSystem::%s: nothing was posted in %d waits; the real call would block "
                 "for ever (script input in onPump)\n",
                 call, idleWaits_);
    std::abort();
}

int16_t FakeSystem::GetKeyState(int virtualKey) {
    // The desktop sets the high bit of the result (and so also bit 0x80) while a key is down.
    return keys[virtualKey & 0xFF] ? static_cast<int16_t>(0xFF80) : 0;
}

bool FakeSystem::GetCursorPos(Point* point) {
    if (point == nullptr) return false;
    *point = cursor;
    return true;
}

bool FakeSystem::SetCursorPos(int x, int y) {
    Record("SetCursorPos(" + std::to_string(x) + "," + std::to_string(y) + ")");
    cursor = Point{x, y};
    return true;
}

CursorHandle FakeSystem::SetCursor(CursorHandle newCursor) {
    Record(newCursor == nullptr ? "SetCursor(null)" : "SetCursor(arrow)");
    CursorHandle previous = cursorHidden ? nullptr : reinterpret_cast<CursorHandle>(&arrowToken);
    cursorHidden = newCursor == nullptr;
    return previous;
}

uint32_t FakeSystem::GetTickCount() {
    uint32_t now = tickCount;
    tickCount += tickStep;
    return now;
}

// --- Files and bitmaps ------------------------------------------------------------------------

FindHandle FakeSystem::FindFirstFileA(const char* pattern, FindData* data) {
    Record("FindFirstFileA(" + Text(pattern) + ")");
    if (Failing("FindFirstFileA") != DD_OK) return kInvalidFindHandle;
    FindHandle find = soft::FindFirst(soft::ListMatchingFiles(directory, pattern), data);
    if (find != kInvalidFindHandle) finds_.insert(find);
    return find;
}

bool FakeSystem::FindNextFileA(FindHandle find, FindData* data) {
    if (!finds_.contains(find)) return false;
    return soft::FindNext(find, data);
}

bool FakeSystem::FindClose(FindHandle find) {
    Record("FindClose");
    if (finds_.erase(find) == 0) return false;
    return soft::FindClose(find);
}

void FakeSystem::AddEmbeddedBitmap(const std::string& name, std::vector<uint8_t> bytes) {
    embedded_[Lower(name)] = std::move(bytes);
}

ModuleHandle FakeSystem::GetModuleHandleA(const char*) {
    return reinterpret_cast<ModuleHandle>(&moduleToken);
}

BitmapHandle FakeSystem::LoadImageA(ModuleHandle instance, const char* name, uint32_t type, int,
                                    int, uint32_t flags) {
    bool fromFile = instance == nullptr && (flags & LR_LOADFROMFILE);
    Record("LoadImageA(" + Text(name) + (fromFile ? ",file)" : ",resource)"));
    if (Failing("LoadImageA") != DD_OK) return nullptr;
    BitmapHandle bitmap = soft::LoadImageByName(
        instance, name, type, flags, directory,
        [this](const char* wanted, soft::EmbeddedBytes* out) {
            auto found = embedded_.find(Lower(wanted));
            if (found == embedded_.end()) return false;
            out->data = found->second.data();
            out->size = found->second.size();
            return true;
        },
        sdl::DecodeBitmapWithSdl);
    if (bitmap != nullptr) bitmaps_.insert(bitmap);
    return bitmap;
}

int FakeSystem::GetObjectA(BitmapHandle bitmap, int size, BitmapInfo* info) {
    Record("GetObjectA");
    if (Failing("GetObjectA") != DD_OK || !bitmaps_.contains(bitmap)) return 0;
    return soft::GetBitmapObject(bitmap, size, info);
}

bool FakeSystem::DeleteObject(BitmapHandle bitmap) {
    Record("DeleteObject");
    if (!bitmaps_.contains(bitmap) || !soft::DeleteBitmap(bitmap)) return false;
    bitmaps_.erase(bitmap);
    return true;
}

DeviceContextHandle FakeSystem::CreateCompatibleDC(DeviceContextHandle) {
    Record("CreateCompatibleDC");
    if (Failing("CreateCompatibleDC") != DD_OK) return nullptr;
    DeviceContextHandle dc = soft::CreateMemoryDC();
    memoryDCs_.insert(dc);
    return dc;
}

BitmapHandle FakeSystem::SelectObject(DeviceContextHandle dc, BitmapHandle bitmap) {
    Record("SelectObject");
    if (Failing("SelectObject") != DD_OK) return nullptr;
    if (!memoryDCs_.contains(dc) || !bitmaps_.contains(bitmap)) return nullptr;
    return soft::SelectBitmap(dc, bitmap);
}

bool FakeSystem::DeleteDC(DeviceContextHandle dc) {
    Record("DeleteDC");
    if (memoryDCs_.erase(dc) == 0) return false;
    return soft::DeleteMemoryDC(dc);
}

bool FakeSystem::StretchBlt(DeviceContextHandle dest, int x, int y, int width, int height,
                            DeviceContextHandle source, int sourceX, int sourceY, int sourceWidth,
                            int sourceHeight, uint32_t rop) {
    Record("StretchBlt(" + std::to_string(x) + "," + std::to_string(y) + "," +
           std::to_string(width) + "," + std::to_string(height) + ")");
    if (Failing("StretchBlt") != DD_OK) return false;
    return soft::StretchBlt(dest, x, y, width, height, source, sourceX, sourceY, sourceWidth,
                            sourceHeight, rop);
}

uint32_t FakeSystem::GetPixel(DeviceContextHandle dc, int x, int y) {
    Record("GetPixel(" + std::to_string(x) + "," + std::to_string(y) + ")");
    return soft::GetPixel(dc, x, y);
}

uint32_t FakeSystem::SetPixel(DeviceContextHandle dc, int x, int y, uint32_t color) {
    Record("SetPixel(" + std::to_string(x) + "," + std::to_string(y) + "," + Hex(color) + ")");
    return soft::SetPixel(dc, x, y, color);
}

}  // namespace platform
