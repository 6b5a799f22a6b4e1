#pragma once

// Geometry of the list of saved games in the Load and Save dialogs. Rows are 8 pixels
// high; the names start at x 210 and the press area is 210 < x < 430, top < y < bottom.
struct SavedGameList {
    int rowsShown;
    int top;     // y of the first row's text
    int bottom;  // rows start above this y
};

inline constexpr SavedGameList kLoadList{14, 190, 302};
inline constexpr SavedGameList kSaveList{11, 210, 298};

inline constexpr int kListLeft = 210;
inline constexpr int kListRight = 430;
inline constexpr int kListRowHeight = 8;
inline constexpr int kHighlightWidth = 220;

// The scroll thumb runs down a 42-pixel track.
inline constexpr int kThumbX = 442;
inline constexpr int kThumbTrackY = 225;
inline constexpr int kThumbWidth = 23;
inline constexpr int kThumbTrack = 42;

// The name typed in the Save dialog, drawn above the list.
inline constexpr int kNameFieldX = 210;
inline constexpr int kNameFieldY = 190;
inline constexpr int kMaxTypedName = 27;

struct ThumbGeometry {
    int offset;
    int height;
};

// Where the thumb stands for a list of `count` names whose first shown row is `listTop`.
ThumbGeometry ThumbFor(const SavedGameList& list, int count, int listTop);
