#pragma once

#include "display/win32/native_types.h"

namespace win32 {

// Any further interface of a DirectDraw object or surface, as QueryInterface hands it out.
// The game only asks whether an interface is offered, and releases it again.
class ComInterface final : public platform::Unknown {
  public:
    explicit ComInterface(IUnknown* native) : native_(native) {}

    platform::Result QueryInterface(const platform::Guid& iid, platform::Unknown** out) override;
    uint32_t Release() override;

  private:
    ~ComInterface() override = default;
    IUnknown* native_;
};

// QueryInterface of a system object, the result wrapped for the platform interface.
platform::Result QueryNativeInterface(IUnknown* native, const platform::Guid& iid,
                                      platform::Unknown** out);

inline platform::Result ToResult(HRESULT result) {
    return static_cast<platform::Result>(result);
}

}  // namespace win32
