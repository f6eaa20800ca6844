#pragma once

#include <objbase.h>
#include <wrl/client.h>

namespace brindle::ui {

using Microsoft::WRL::ComPtr;

// CoInitialize for a scope; only a successful call is undone.
class ComScope {
public:
    ComScope() : result_(CoInitialize(nullptr)) {}
    ~ComScope() {
        if (SUCCEEDED(result_))
            CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    HRESULT Result() const { return result_; }
    bool Ok() const { return SUCCEEDED(result_); }

private:
    HRESULT result_;
};

}  // namespace brindle::ui
