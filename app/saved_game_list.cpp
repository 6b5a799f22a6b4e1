#include "app/saved_game_list.h"

#include <cstdint>
#include <cstring>
#include <utility>

#include "app/button_state.h"
#include "app/chess_app.h"
#include "display/tint.h"

namespace {

constexpr int kListLight = 20;

}  // namespace

ThumbGeometry ThumbFor(const SavedGameList& list, int count, int listTop) {
    if (count <= list.rowsShown) return {0, kThumbTrack};
    const int height = kThumbTrack * list.rowsShown / count;
    return {listTop * (kThumbTrack - height) / (count - list.rowsShown), height};
}

namespace {

constexpr int kMaxListed = 100;

// Puts the first `count` entries back in the order the searches reported them.
void SortByReport(char (*names)[100], char* isPgn, int64_t* times, uint64_t* reported, int count) {
    for (int i = 1; i < count; ++i) {
        for (int j = i; j > 0 && reported[j - 1] > reported[j]; --j) {
            char name[100];
            std::memcpy(name, names[j], sizeof name);
            std::memcpy(names[j], names[j - 1], sizeof name);
            std::memcpy(names[j - 1], name, sizeof name);
            std::swap(isPgn[j], isPgn[j - 1]);
            std::swap(times[j], times[j - 1]);
            std::swap(reported[j], reported[j - 1]);
        }
    }
}

}  // namespace

// Every name of a "*.chs" file in the current directory, without its extension, in the
// order the directory search gives them, then every "*.pgn" file with its extension. The
// table holds 100 names of up to 99 characters: names too long for a slot are left out, and
// when there are more files, the 100 written last are listed, so that a game just saved can
// always be loaded.
void ChessApp::ListSavedGames() {
    ++savedGamesListed;
    savedGameCount = 0;
    int64_t times[kMaxListed];
    uint64_t reported[kMaxListed];
    uint64_t nextReport = 0;
    AddSavedGames("*.chs", 0, times, reported, nextReport);
    AddSavedGames("*.pgn", 1, times, reported, nextReport);
    SortByReport(savedGames, savedGameIsPgn, times, reported, savedGameCount);
}

void ChessApp::AddSavedGames(const char* pattern, int pgn, int64_t* times, uint64_t* reported,
                             uint64_t& nextReport) {
    platform::System& sys = platform::Sys();
    platform::FindData found;
    platform::FindHandle search = sys.FindFirstFileA(pattern, &found);
    if (search == platform::kInvalidFindHandle || search == nullptr) return;
    do {
        if (found.attributes & platform::FILE_ATTRIBUTE_DIRECTORY) continue;
        found.fileName[sizeof found.fileName - 1] = '\0';
        char* lastDot = std::strrchr(found.fileName, '.');
        if (lastDot != nullptr && !pgn) *lastDot = '\0';
        const size_t length = std::strlen(found.fileName);
        if (length >= sizeof savedGames[0]) continue;
        int slot = savedGameCount;
        if (savedGameCount == kMaxListed) {
            // The table is full: the new name takes the place of the one written longest
            // ago, if it was written later than that one.
            slot = 0;
            for (int i = 1; i < kMaxListed; ++i) {
                if (times[i] < times[slot]) slot = i;
            }
            if (found.lastWriteTime <= times[slot]) continue;
        } else {
            ++savedGameCount;
        }
        std::memcpy(savedGames[slot], found.fileName, length + 1);
        savedGameIsPgn[slot] = static_cast<char>(pgn);
        times[slot] = found.lastWriteTime;
        reported[slot] = nextReport++;
    } while (sys.FindNextFileA(search, &found));
    sys.FindClose(search);
}

// The arrows act in every frame in which they are held down.
void ChessApp::ScrollList(int upState, int downState, int rowsShown) {
    if (upState == Pressed && listTop > 0) listTop -= 1;
    if (downState == Pressed && listTop < savedGameCount - rowsShown) listTop += 1;
}

void ChessApp::PickFromList(const SavedGameList& list, int copyIntoName) {
    if (!IsPress()) return;
    if (mouseX <= kListLeft || mouseX >= kListRight || mouseY <= list.top ||
        mouseY >= list.bottom) {
        return;
    }
    const int index = listTop + (mouseY - list.top) / kListRowHeight;
    if (index >= savedGameCount) return;
    selection = index;
    if (copyIntoName) {
        // Both buffers are 100 characters; the copy is cut to fit all the same.
        std::strncpy(saveName, savedGames[index], sizeof saveName - 1);
        saveName[sizeof saveName - 1] = '\0';
    }
}

// A lighter bar down the scroll track, as long as the share of the list that shows.
void ChessApp::DrawThumb(const SavedGameList& list) {
    const ThumbGeometry thumb = ThumbFor(list, savedGameCount, listTop);
    Tint(backBuffer, kThumbX, kThumbTrackY + thumb.offset, kThumbWidth, thumb.height, kListLight,
         kListLight, kListLight);
}

void ChessApp::DrawSavedGameList(const SavedGameList& list) {
    for (int i = 0; list.top + kListRowHeight * i < list.bottom && listTop + i < savedGameCount;
         ++i) {
        fontSprite.DrawText(savedGames[listTop + i], kListLeft, list.top + kListRowHeight * i, 0);
    }
    if (selection >= listTop && selection < listTop + list.rowsShown && selection >= 0) {
        Tint(backBuffer, kListLeft, list.top + kListRowHeight * (selection - listTop),
             kHighlightWidth, kListRowHeight, kListLight, 0, 0);
    }
}
