#pragma once

#include <string>

#include "display/platform.h"

namespace soft {

// Sees every operation of the soft DirectDraw object and its surfaces before it runs, so a
// test double can record it and answer a failure in its place.
class CallObserver {
  public:
    // operation: "Flip", "Lock", "CreateSurface", ...; subject: "DirectDraw", "primary",
    // "backbuffer", "offscreen" or "sysmem" (for CreateSurface, the kind being created);
    // call: the readable form for a log, e.g. "Lock(backbuffer)". A nonzero answer is
    // returned to the caller instead of doing the operation.
    virtual platform::Result Intercept(const char* operation, const char* subject,
                                       const std::string& call) = 0;
    // false: Intercept would let every call through unread, so the surfaces skip putting
    // its text together on each draw of every frame.
    virtual bool InterceptsCalls() const { return true; }
    // The object was freed (its last reference dropped, or its DirectDraw object went).
    virtual void Destroyed(platform::Unknown* object) = 0;

  protected:
    ~CallObserver() = default;
};

// Shows a flipped primary surface's pixels somewhere (a window, or nowhere).
class Presenter {
  public:
    virtual void Present(const void* pixels, int pitch, int width, int height,
                         platform::PixelFormat format) = 0;

  protected:
    ~Presenter() = default;
};

}  // namespace soft
