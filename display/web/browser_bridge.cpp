#include "display/web/browser_bridge.h"

#include <emscripten.h>

// The page (page/index.html) provides #kestrion-screen (the canvas), #kestrion-message
// (a dialog) and the functions under window.kestrionPage.

// clang-format off
EM_JS(void, kestrion_present, (const uint8_t* rgba, int width, int height), {
    const canvas = document.getElementById('kestrion-screen');
    if (!canvas) return;
    if (!Module.kestrionContext) Module.kestrionContext = canvas.getContext('2d', {alpha: false});
    const bytes = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
    Module.kestrionContext.putImageData(new ImageData(bytes, width, height), 0, 0);
    if (!Module.kestrionFirstFrame) {
        Module.kestrionFirstFrame = performance.now();
        if (window.kestrionPage) window.kestrionPage.firstFrame(Module.kestrionFirstFrame);
    }
    Module.kestrionFrames = (Module.kestrionFrames || 0) + 1;
});

EM_ASYNC_JS(void, kestrion_wait_for_paint, (), {
    // Counted, so a test can tell a running game from one that waits.
    Module.kestrionFlips = (Module.kestrionFlips || 0) + 1;
    await new Promise((resolve) => {
        let done = false;
        const finish = () => { if (!done) { done = true; resolve(); } };
        requestAnimationFrame(finish);
        // A hidden page paints no frames; the game is told it is inactive and waits for
        // input instead, so this only bridges the moment in between.
        setTimeout(finish, 100);
    });
});

EM_ASYNC_JS(void, kestrion_wait_for_input, (), {
    await new Promise((resolve) => { Module.kestrionWake = resolve; });
    Module.kestrionWake = null;
});

EM_ASYNC_JS(int, kestrion_wait_for_input_timeout, (double milliseconds), {
    // Counted, so a test can tell a still game that waits from one that paints.
    Module.kestrionStillWaits = (Module.kestrionStillWaits || 0) + 1;
    const woken = await new Promise((resolve) => {
        let timer = null;
        Module.kestrionWake = () => {
            if (timer !== null) clearTimeout(timer);
            resolve(1);
        };
        if (milliseconds >= 0) {
            timer = setTimeout(() => {
                Module.kestrionWake = null;
                resolve(0);
            }, milliseconds);
        }
    });
    Module.kestrionWake = null;
    return woken;
});

EM_JS(void, kestrion_wake, (), {
    if (Module.kestrionWake) {
        const wake = Module.kestrionWake;
        Module.kestrionWake = null;
        wake();
    }
});

EM_JS(void, kestrion_page_point, (double clientX, double clientY, int* x, int* y), {
    const canvas = document.getElementById('kestrion-screen');
    let px = 0, py = 0;
    if (canvas) {
        const box = canvas.getBoundingClientRect();
        if (box.width > 0 && box.height > 0) {
            px = Math.floor((clientX - box.left) * canvas.width / box.width);
            py = Math.floor((clientY - box.top) * canvas.height / box.height);
        }
        px = Math.min(Math.max(px, 0), canvas.width - 1);
        py = Math.min(Math.max(py, 0), canvas.height - 1);
    }
    HEAP32[x >> 2] = px;
    HEAP32[y >> 2] = py;
});

EM_JS(void, kestrion_pointer_hidden, (int hidden), {
    const canvas = document.getElementById('kestrion-screen');
    if (canvas) canvas.style.cursor = hidden ? 'none' : 'default';
});

EM_JS(void, kestrion_toggle_fullscreen, (), {
    if (window.kestrionPage) window.kestrionPage.toggleFullscreen();
});

EM_JS(int, kestrion_page_active, (), {
    return document.visibilityState === 'visible' && document.hasFocus() ? 1 : 0;
});

EM_ASYNC_JS(void, kestrion_message, (const char* caption, const char* text), {
    const shownCaption = UTF8ToString(caption);
    const shownText = UTF8ToString(text);
    if (window.kestrionPage) await window.kestrionPage.message(shownCaption, shownText);
});

EM_JS(void, kestrion_end_screen, (int exitCode), {
    if (window.kestrionPage) window.kestrionPage.ended(exitCode);
});

EM_JS(void, kestrion_tell_save_dialog, (int open, const char* name, int saveX, int saveY), {
    if (window.kestrionPage && window.kestrionPage.saveDialog) {
        window.kestrionPage.saveDialog(open !== 0, UTF8ToString(name), saveX, saveY);
    }
});

// kestrionPlayMemory and kestrionKeepPlay are play_memory.js's, among the page's scripts.
EM_JS(int, kestrion_remembered_play, (char* out, int size), {
    const text = typeof kestrionPlayMemory === "string" ? kestrionPlayMemory : "";
    stringToUTF8(text, out, size);
    return lengthBytesUTF8(text);
});

EM_JS(void, kestrion_keep_play, (const char* text), {
    kestrionKeepPlay(UTF8ToString(text));
});

// The browser's decoder for file bytes, shared by the two functions below: the picture as
// RGBA bytes with its size, or null.
EM_JS(void, kestrion_define_decoder, (), {
    if (Module.kestrionDecodeBytes) return;
    Module.kestrionDecodeBytes = async (bytes) => {
        try {
            const png = bytes[0] === 0x89 && bytes[1] === 0x50 && bytes[2] === 0x4E &&
                        bytes[3] === 0x47;
            const webp = bytes[8] === 0x57 && bytes[9] === 0x45 && bytes[10] === 0x42 &&
                         bytes[11] === 0x50;
            const type = png ? 'image/png' : webp ? 'image/webp' : 'image/bmp';
            const blob = new Blob([bytes], {type});
            // The file's own colours, untouched by colour management or alpha arithmetic.
            const image = await createImageBitmap(
                blob, {colorSpaceConversion: 'none', premultiplyAlpha: 'none'});
            const canvas = new OffscreenCanvas(image.width, image.height);
            const context = canvas.getContext('2d');
            context.drawImage(image, 0, 0);
            const decoded = {width: image.width, height: image.height,
                             rgba: context.getImageData(0, 0, image.width, image.height).data};
            image.close();
            return decoded;
        } catch (error) {
            return null;
        }
    };
    Module.kestrionDecodes = new Map();
});

EM_JS(void, kestrion_begin_decode, (const void* data, size_t size), {
    const key = data + ':' + size;
    if (Module.kestrionDecodes.has(key)) return;
    Module.kestrionDecodes.set(key, Module.kestrionDecodeBytes(HEAPU8.slice(data, data + size)));
});

EM_ASYNC_JS(int, kestrion_decode, (const void* data, size_t size, int* width, int* height), {
    const key = data + ':' + size;
    const begun = Module.kestrionDecodes.get(key);
    Module.kestrionDecodes.delete(key);
    const decoded = await (begun || Module.kestrionDecodeBytes(HEAPU8.slice(data, data + size)));
    Module.kestrionDecoded = decoded ? decoded.rgba : null;
    if (!decoded) return 0;
    HEAP32[width >> 2] = decoded.width;
    HEAP32[height >> 2] = decoded.height;
    return 1;
});

EM_JS(void, kestrion_take_decoded, (uint8_t* out), {
    if (Module.kestrionDecoded) HEAPU8.set(Module.kestrionDecoded, out);
    Module.kestrionDecoded = null;
});
// clang-format on

namespace web {

double PageClockMs() {
    return emscripten_get_now();
}

void PresentRgba(const uint8_t* rgba, int width, int height) {
    kestrion_present(rgba, width, height);
}

void WaitForPaint() {
    kestrion_wait_for_paint();
}

void WaitForInput() {
    kestrion_wait_for_input();
}

bool WaitForInputTimeout(uint32_t milliseconds) {
    const double limit = milliseconds == 0xFFFFFFFFu ? -1.0 : static_cast<double>(milliseconds);
    return kestrion_wait_for_input_timeout(limit) != 0;
}

void WakeFromInput() {
    kestrion_wake();
}

void PagePointToPicture(double clientX, double clientY, int* x, int* y) {
    kestrion_page_point(clientX, clientY, x, y);
}

void SetPagePointerHidden(bool hidden) {
    kestrion_pointer_hidden(hidden ? 1 : 0);
}

void TogglePageFullscreen() {
    kestrion_toggle_fullscreen();
}

bool PageActive() {
    return kestrion_page_active() != 0;
}

void ShowPageMessage(const char* caption, const char* text) {
    kestrion_message(caption, text);
}

void ShowEndScreen(int exitCode) {
    kestrion_end_screen(exitCode);
}

void TellSaveDialog(bool open, const char* name, int saveX, int saveY) {
    kestrion_tell_save_dialog(open ? 1 : 0, name, saveX, saveY);
}

std::string RememberedPlayText() {
    // Longer than any text the game writes: such a record is not the game's.
    char text[512];
    const int length = kestrion_remembered_play(text, sizeof text);
    if (length < 0 || length >= static_cast<int>(sizeof text)) return std::string();
    return std::string(text, static_cast<size_t>(length));
}

void KeepPlayText(const std::string& text) {
    kestrion_keep_play(text.c_str());
}

void BeginDecoding(const void* data, size_t size) {
    kestrion_define_decoder();
    kestrion_begin_decode(data, size);
}

bool DecodeImage(const void* data, size_t size, int* width, int* height) {
    kestrion_define_decoder();
    return kestrion_decode(data, size, width, height) != 0;
}

void TakeDecodedRgba(uint8_t* out) {
    kestrion_take_decoded(out);
}

}  // namespace web
