#include "display/win32/com_interface.h"

namespace win32 {

platform::Result QueryNativeInterface(IUnknown* native, const platform::Guid& iid,
                                      platform::Unknown** out) {
    if (out == nullptr) return platform::DDERR_INVALIDPARAMS;
    *out = nullptr;
    const GUID nativeIid = Native(iid);
    void* found = nullptr;
    const HRESULT result = native->QueryInterface(nativeIid, &found);
    if (FAILED(result) || found == nullptr) return ToResult(result);
    *out = new ComInterface(static_cast<IUnknown*>(found));
    return platform::DD_OK;
}

platform::Result ComInterface::QueryInterface(const platform::Guid& iid, platform::Unknown** out) {
    return QueryNativeInterface(native_, iid, out);
}

uint32_t ComInterface::Release() {
    const ULONG left = native_->Release();
    if (left == 0) delete this;
    return left;
}

}  // namespace win32
