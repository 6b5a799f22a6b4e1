#pragma once

#include "app/input_snapshot.h"
#include "display/platform.h"

// What the frame loop drives, once per pass. The slot order of the six operations is fixed.
class AppInterface {
  public:
    virtual void OnDeactivate(int flag) = 0;
    virtual int WantsQuit() = 0;
    virtual void Render() = 0;
    virtual void Update(const InputSnapshot& input) = 0;
    virtual void Shutdown() = 0;
    // Always answers 1.
    virtual int Init(platform::WindowHandle window) = 0;

  protected:
    // Never deleted through this interface: the one application object is static.
    ~AppInterface() = default;
};
