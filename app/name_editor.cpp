#include <cstddef>

#include "app/chess_app.h"
#include "rules/move_text.h"

namespace {

// The number row and punctuation keys of a US keyboard, and what they type with Shift.
constexpr char kPlainKeys[] = "`1234567890-=[]\\;',./";
constexpr char kShiftedKeys[] = "~!@#$%^&*()_+{}|:\"<>?";
static_assert(sizeof kPlainKeys == 22 && sizeof kShiftedKeys == 22);

constexpr int kFirstPrintable = 0x20;
constexpr int kLastPrintable = 0x7E;

bool SameIgnoringCase(const char* a, const char* b) {
    for (;; ++a, ++b) {
        if (rules::ToLowerLetter(*a) != rules::ToLowerLetter(*b)) return false;
        if (*a == '\0') return true;
    }
}

size_t NameLength(const char* name, size_t size) {
    size_t length = 0;
    while (length < size && name[length] != '\0') ++length;
    return length;
}

}  // namespace

char ShiftChar(int code) {
    if (code >= 'a' && code <= 'z') return static_cast<char>(code - 'a' + 'A');
    if (code >= 'A' && code <= 'Z') return static_cast<char>(code);
    for (int i = 0; kPlainKeys[i] != '\0'; ++i) {
        if (kPlainKeys[i] == code) return kShiftedKeys[i];
    }
    return static_cast<char>(code);
}

// Typing works on key codes: letter keys type lower case (capitals with Shift), and any
// other key whose code is printable types that character.
void ChessApp::EditSaveName(int code, const unsigned char* keyStates) {
    // A picked name may fill the whole buffer; keep its last byte a terminator regardless.
    saveName[sizeof saveName - 1] = '\0';
    const size_t length = NameLength(saveName, sizeof saveName);
    if (code >= kFirstPrintable && code <= kLastPrintable &&
        length < static_cast<size_t>(kMaxTypedName)) {
        saveName[length] = keyStates[platform::VK_SHIFT] != 0
                               ? ShiftChar(code)
                               : rules::ToLowerLetter(static_cast<char>(code));
        saveName[length + 1] = '\0';
    }
    if (code == platform::VK_BACK && length > 0) saveName[length - 1] = '\0';
    MatchSaveName();
}

// Selects the first saved game whose name is the typed one, ignoring case, and scrolls it
// into view.
void ChessApp::MatchSaveName() {
    selection = -1;
    for (int i = 0; i < savedGameCount; ++i) {
        if (!SameIgnoringCase(savedGames[i], saveName)) continue;
        selection = i;
        if (i < listTop || i >= listTop + kSaveList.rowsShown) {
            listTop = i;
            if (listTop > savedGameCount - kSaveList.rowsShown) {
                listTop = savedGameCount - kSaveList.rowsShown;
            }
            if (listTop < 0) listTop = 0;
        }
        return;
    }
}
