#pragma once

#include <ole2.h>
#include <wrl/client.h>

namespace brindle::ui {

using Microsoft::WRL::ComPtr;

// OLE (and COM with it) on this thread for the life of the object: the program holds one on its main
// thread from before its first window to after its last, since the shell's menus, verbs and file
// operations (and the extensions behind them) need it there. Only a successful call is undone.
class OleScope {
public:
    OleScope() : result_(OleInitialize(nullptr)) {}
    ~OleScope() {
        if (SUCCEEDED(result_))
            OleUninitialize();
    }
    OleScope(const OleScope&) = delete;
    OleScope& operator=(const OleScope&) = delete;
    HRESULT Result() const { return result_; }

private:
    HRESULT result_;
};

}  // namespace brindle::ui
