#include "display/web/web_entry.h"

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <cstring>

#include "display/web/browser_bridge.h"
#include "display/web/typed_keys.h"
#include "display/web/web_bitmap_decoder.h"
#include "display/web/web_key_map.h"
#include "display/web/web_system.h"

namespace platform {

namespace {

constexpr int kVkReturn = 0x0D;
constexpr int kVkF1 = 0x70;
constexpr int kVkF10 = 0x79;
constexpr int kVkF11 = 0x7A;
constexpr const char* kScreen = "#kestrion-screen";

web::WebSystem* Target(void* data) {
    return static_cast<web::WebSystem*>(data);
}

// The page's System, for the functions the page calls by name (below).
web::WebSystem* thePage = nullptr;
PageHooks pageHooks;

EM_BOOL OnKeyDown(int, const EmscriptenKeyboardEvent* event, void* data) {
    web::WebSystem* system = Target(data);
    int code = web::VirtualKeyForDom(event->key, event->code);
    if (code == 0) return EM_FALSE;
    system->SetKeyDown(code, true);
    if (int side = web::SideVirtualKeyForDom(event->code); side != 0)
        system->SetKeyDown(side, true);
    if (event->altKey && code == kVkReturn) {
        if (!event->repeat) web::TogglePageFullscreen();
        return EM_TRUE;
    }
    web::PageEvent key{web::PageEvent::Kind::KeyDown};
    key.virtualKey = code;
    // As on the desktop, keys with Alt held, Alt itself and F10 are system keys.
    key.system = event->altKey || code == VK_MENU || code == kVkF10;
    key.repeat = event->repeat != 0;
    system->Arrive(key);
    // The browser keeps its own shortcuts (with Control or Meta, and F1 to F11); every other
    // key belongs to the game (F12 ends it, Backspace edits a name).
    bool browsers = event->ctrlKey || event->metaKey || (code >= kVkF1 && code <= kVkF11);
    return browsers ? EM_FALSE : EM_TRUE;
}

EM_BOOL OnKeyUp(int, const EmscriptenKeyboardEvent* event, void* data) {
    int code = web::VirtualKeyForDom(event->key, event->code);
    if (code != 0) Target(data)->SetKeyDown(code, false);
    if (int side = web::SideVirtualKeyForDom(event->code); side != 0) {
        Target(data)->SetKeyDown(side, false);
    }
    return EM_FALSE;
}

web::PageEvent MouseEvent(web::PageEvent::Kind kind, const EmscriptenMouseEvent* event) {
    web::PageEvent mouse{kind};
    web::PagePointToPicture(event->clientX, event->clientY, &mouse.x, &mouse.y);
    return mouse;
}

EM_BOOL OnMouseDown(int, const EmscriptenMouseEvent* event, void* data) {
    if (event->button != 0) return EM_FALSE;
    web::PageEvent press = MouseEvent(web::PageEvent::Kind::ButtonDown, event);
    Target(data)->MoveCursor(press.x, press.y);
    // A press on the picture is the player's attention, whatever the focus events said.
    if (!Target(data)->Active() && web::PageActive()) {
        Target(data)->Arrive(web::PageEvent{web::PageEvent::Kind::Activate});
    }
    Target(data)->Arrive(press);
    return EM_TRUE;
}

EM_BOOL OnMouseUp(int, const EmscriptenMouseEvent* event, void* data) {
    if (event->button != 0) return EM_FALSE;
    web::PageEvent release = MouseEvent(web::PageEvent::Kind::ButtonUp, event);
    Target(data)->MoveCursor(release.x, release.y);
    Target(data)->Arrive(release);
    return EM_FALSE;
}

EM_BOOL OnMouseMove(int, const EmscriptenMouseEvent* event, void* data) {
    Target(data)->Arrive(MouseEvent(web::PageEvent::Kind::Move, event));
    return EM_FALSE;
}

// --- Touch ------------------------------------------------------------------------------------
// One finger works the game as the mouse's left button does; a second finger meanwhile is
// ignored. The browser's own gestures (scroll, zoom) and the mouse events it would make up
// after a tap are refused, so a tap is one press.

struct Finger {
    bool down = false;
    long identifier = 0;
    int fromX = 0, fromY = 0;  // where it pressed
    int lastX = 0, lastY = 0;
};
Finger finger;

web::PageEvent FingerEvent(web::PageEvent::Kind kind, int x, int y) {
    web::PageEvent event{kind};
    event.x = x;
    event.y = y;
    event.placesCursor = true;
    return event;
}

// The changed point of the tracked finger (any changed point when none is tracked).
const EmscriptenTouchPoint* ChangedFinger(const EmscriptenTouchEvent* event) {
    for (int i = 0; i < event->numTouches; ++i) {
        const EmscriptenTouchPoint& point = event->touches[i];
        if (point.isChanged && (!finger.down || point.identifier == finger.identifier)) {
            return &point;
        }
    }
    return nullptr;
}

EM_BOOL OnTouchStart(int, const EmscriptenTouchEvent* event, void* data) {
    const EmscriptenTouchPoint* point = ChangedFinger(event);
    if (finger.down || point == nullptr) return EM_TRUE;
    int x = 0, y = 0;
    web::PagePointToPicture(point->clientX, point->clientY, &x, &y);
    finger = Finger{true, point->identifier, x, y, x, y};
    if (!Target(data)->Active() && web::PageActive()) {
        Target(data)->Arrive(web::PageEvent{web::PageEvent::Kind::Activate});
    }
    Target(data)->Arrive(FingerEvent(web::PageEvent::Kind::ButtonDown, x, y));
    return EM_TRUE;
}

EM_BOOL OnTouchMove(int, const EmscriptenTouchEvent* event, void* data) {
    const EmscriptenTouchPoint* point = ChangedFinger(event);
    if (!finger.down || point == nullptr) return EM_TRUE;
    int x = 0, y = 0;
    web::PagePointToPicture(point->clientX, point->clientY, &x, &y);
    if (x == finger.lastX && y == finger.lastY) return EM_TRUE;
    finger.lastX = x;
    finger.lastY = y;
    Target(data)->Arrive(FingerEvent(web::PageEvent::Kind::Move, x, y));
    return EM_TRUE;
}

EM_BOOL OnTouchEnd(int, const EmscriptenTouchEvent* event, void* data) {
    const EmscriptenTouchPoint* point = ChangedFinger(event);
    if (!finger.down || point == nullptr) return EM_TRUE;
    int x = 0, y = 0;
    web::PagePointToPicture(point->clientX, point->clientY, &x, &y);
    web::WebSystem* system = Target(data);
    system->Arrive(FingerEvent(web::PageEvent::Kind::ButtonUp, x, y));
    if (pageHooks.pressWhereLifted != nullptr &&
        pageHooks.pressWhereLifted(finger.fromX, finger.fromY, x, y)) {
        system->Arrive(FingerEvent(web::PageEvent::Kind::ButtonDown, x, y));
        system->Arrive(FingerEvent(web::PageEvent::Kind::ButtonUp, x, y));
    }
    system->Arrive(web::PageEvent{web::PageEvent::Kind::Leave});
    finger.down = false;
    return EM_TRUE;
}

// The browser took the finger over: it lets go away from anything it could click.
EM_BOOL OnTouchCancel(int, const EmscriptenTouchEvent* event, void* data) {
    if (!finger.down || ChangedFinger(event) == nullptr) return EM_TRUE;
    Target(data)->Arrive(
        FingerEvent(web::PageEvent::Kind::ButtonUp, web::kPointerAway, web::kPointerAway));
    Target(data)->Arrive(web::PageEvent{web::PageEvent::Kind::Leave});
    finger.down = false;
    return EM_TRUE;
}

// Hidden or without the keyboard, the game is inactive and waits for messages.
void TellActivity(web::WebSystem* system) {
    bool active = web::PageActive();
    system->Arrive(
        web::PageEvent{active ? web::PageEvent::Kind::Activate : web::PageEvent::Kind::Deactivate});
}

EM_BOOL OnFocusChange(int, const EmscriptenFocusEvent*, void* data) {
    TellActivity(Target(data));
    return EM_FALSE;
}

EM_BOOL OnVisibilityChange(int, const EmscriptenVisibilityChangeEvent*, void* data) {
    TellActivity(Target(data));
    return EM_FALSE;
}

void ListenToThePage(web::WebSystem* system) {
    const char* page = EMSCRIPTEN_EVENT_TARGET_DOCUMENT;
    const char* window = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    emscripten_set_keydown_callback(window, system, EM_FALSE, OnKeyDown);
    emscripten_set_keyup_callback(window, system, EM_FALSE, OnKeyUp);
    emscripten_set_mousedown_callback(kScreen, system, EM_FALSE, OnMouseDown);
    emscripten_set_mouseup_callback(page, system, EM_FALSE, OnMouseUp);
    emscripten_set_mousemove_callback(page, system, EM_FALSE, OnMouseMove);
    emscripten_set_focus_callback(window, system, EM_FALSE, OnFocusChange);
    emscripten_set_blur_callback(window, system, EM_FALSE, OnFocusChange);
    emscripten_set_visibilitychange_callback(system, EM_FALSE, OnVisibilityChange);
    emscripten_set_touchstart_callback(kScreen, system, EM_FALSE, OnTouchStart);
    emscripten_set_touchmove_callback(kScreen, system, EM_FALSE, OnTouchMove);
    emscripten_set_touchend_callback(kScreen, system, EM_FALSE, OnTouchEnd);
    emscripten_set_touchcancel_callback(kScreen, system, EM_FALSE, OnTouchCancel);
}

}  // namespace

int RunInBrowser(GameEntry game, const PageHooks& hooks) {
    web::DecodeBuiltInSheets();
    // Lives for the rest of the page: the game's static objects may still release surfaces
    // after the entry returns.
    static web::WebSystem* system = new web::WebSystem;
    InstallSystem(system);
    pageHooks = hooks;
    system->SetAfterFrame(hooks.afterFrame);
    thePage = system;
    ListenToThePage(system);
    int exitCode = game(nullptr, SW_SHOWNORMAL);
    emscripten_html5_remove_all_event_listeners();
    thePage = nullptr;
    web::ShowEndScreen(exitCode);
    return exitCode;
}

}  // namespace platform

// --- Called by the page by name (page/name_field.js) -----------------------------------------

extern "C" {

// Before the game starts (see page/early_sheets.js).
EMSCRIPTEN_KEEPALIVE void kestrion_begin_sheet_decoding() {
    web::BeginDecodingBuiltInSheets();
}

// One character of the page's name field (8 for Backspace), typed as its key would type it.
// Characters no key types are dropped, as the game would never see them.
EMSCRIPTEN_KEEPALIVE void kestrion_type_character(int character) {
    web::TypedKey key;
    if (platform::thePage == nullptr || !web::KeyForCharacter(character, &key)) return;
    web::PageEvent typed{web::PageEvent::Kind::Typed};
    typed.virtualKey = key.virtualKey;
    typed.shift = key.shift;
    platform::thePage->Arrive(typed);
}

// Characters typed into the page's field that the game has not taken yet.
EMSCRIPTEN_KEEPALIVE int kestrion_typing_pending() {
    return platform::thePage != nullptr ? platform::thePage->PendingTyped() : 0;
}

// A tap at a picture point, as a finger would make it.
EMSCRIPTEN_KEEPALIVE void kestrion_tap_picture(int x, int y) {
    if (platform::thePage == nullptr) return;
    platform::thePage->Arrive(platform::FingerEvent(web::PageEvent::Kind::ButtonDown, x, y));
    platform::thePage->Arrive(platform::FingerEvent(web::PageEvent::Kind::ButtonUp, x, y));
    platform::thePage->Arrive(web::PageEvent{web::PageEvent::Kind::Leave});
}

// The game's pointer off the picture until a finger or the mouse puts it somewhere: on a
// touch screen nothing would ever move it from the middle where the game starts it.
EMSCRIPTEN_KEEPALIVE void kestrion_pointer_away() {
    if (platform::thePage != nullptr)
        platform::thePage->Arrive(web::PageEvent{web::PageEvent::Kind::Leave});
}

}  // extern "C"
