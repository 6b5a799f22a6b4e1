#pragma once

// Where the 640x480 picture sits in a window of any size: as large as it fits with its
// shape kept, centred, with black bars on the two other sides; and the way back from a
// window position to a picture pixel.

namespace sdl {

struct Viewport {
    int x, y, width, height;
};

Viewport FitPicture(int outputWidth, int outputHeight, int pictureWidth, int pictureHeight);

// Where a window for the picture goes in an area of the screen (its position and size):
// null when the picture's own size fits the area, which leaves the window's place to the
// system; on a smaller area, the largest size with the picture's shape, centred, so that
// no part of the window (nor any button drawn in it) lies off the screen.
bool ShrinkWindowToFit(const Viewport& area, int pictureWidth, int pictureHeight, Viewport* window);

struct PicturePoint {
    int x, y;
};

// The picture pixel under a window position; positions on the bars are held to the nearest
// edge pixel.
PicturePoint WindowToPicture(const Viewport& viewport, int windowX, int windowY, int pictureWidth,
                             int pictureHeight);
// The window position at the centre of a picture pixel (inverse of WindowToPicture).
PicturePoint PictureToWindow(const Viewport& viewport, int pictureX, int pictureY, int pictureWidth,
                             int pictureHeight);

}  // namespace sdl
