#pragma once

// A shell link object for the tests that notes how links are resolved and whether one is saved.
#include <shlobj.h>
#include <windows.h>

#include <memory>
#include <vector>

#include "platform/com.h"

namespace brindle::testing {

using ui::ComPtr;

// The shell's link object behind one that notes how it is resolved and whether it is saved: registered
// for this process as the shell link class, so the program's own CoCreateInstance reaches it.
class WatchedLink final : public IShellLinkA, public IPersistFile {
public:
    explicit WatchedLink(ComPtr<IShellLinkA> inner) : link_(std::move(inner)) { link_.As(&file_); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IShellLinkA)
            *out = static_cast<IShellLinkA*>(this);
        else if (iid == IID_IPersistFile || iid == IID_IPersist)
            *out = static_cast<IPersistFile*>(this);
        else
            return (*out = nullptr), E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (!left)
            delete this;
        return left;
    }
    // IShellLinkA
    HRESULT STDMETHODCALLTYPE GetPath(LPSTR a, int b, WIN32_FIND_DATAA* c, DWORD d) override {
        return link_->GetPath(a, b, c, d);
    }
    HRESULT STDMETHODCALLTYPE GetIDList(PIDLIST_ABSOLUTE* a) override { return link_->GetIDList(a); }
    HRESULT STDMETHODCALLTYPE SetIDList(PCIDLIST_ABSOLUTE a) override { return link_->SetIDList(a); }
    HRESULT STDMETHODCALLTYPE GetDescription(LPSTR a, int b) override { return link_->GetDescription(a, b); }
    HRESULT STDMETHODCALLTYPE SetDescription(LPCSTR a) override { return link_->SetDescription(a); }
    HRESULT STDMETHODCALLTYPE GetWorkingDirectory(LPSTR a, int b) override { return link_->GetWorkingDirectory(a, b); }
    HRESULT STDMETHODCALLTYPE SetWorkingDirectory(LPCSTR a) override { return link_->SetWorkingDirectory(a); }
    HRESULT STDMETHODCALLTYPE GetArguments(LPSTR a, int b) override { return link_->GetArguments(a, b); }
    HRESULT STDMETHODCALLTYPE SetArguments(LPCSTR a) override { return link_->SetArguments(a); }
    HRESULT STDMETHODCALLTYPE GetHotkey(WORD* a) override { return link_->GetHotkey(a); }
    HRESULT STDMETHODCALLTYPE SetHotkey(WORD a) override { return link_->SetHotkey(a); }
    HRESULT STDMETHODCALLTYPE GetShowCmd(int* a) override { return link_->GetShowCmd(a); }
    HRESULT STDMETHODCALLTYPE SetShowCmd(int a) override { return link_->SetShowCmd(a); }
    HRESULT STDMETHODCALLTYPE GetIconLocation(LPSTR a, int b, int* c) override {
        return link_->GetIconLocation(a, b, c);
    }
    HRESULT STDMETHODCALLTYPE SetIconLocation(LPCSTR a, int b) override { return link_->SetIconLocation(a, b); }
    HRESULT STDMETHODCALLTYPE SetRelativePath(LPCSTR a, DWORD b) override { return link_->SetRelativePath(a, b); }
    HRESULT STDMETHODCALLTYPE Resolve(HWND owner, DWORD flags) override {
        resolveFlags.push_back(flags);
        return failResolve ? E_FAIL : link_->Resolve(owner, flags);
    }
    HRESULT STDMETHODCALLTYPE SetPath(LPCSTR a) override { return link_->SetPath(a); }
    // IPersistFile
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* a) override { return file_->GetClassID(a); }
    HRESULT STDMETHODCALLTYPE IsDirty() override { return file_->IsDirty(); }
    HRESULT STDMETHODCALLTYPE Load(LPCOLESTR a, DWORD b) override {
        ++loads;
        return file_->Load(a, b);
    }
    HRESULT STDMETHODCALLTYPE Save(LPCOLESTR a, BOOL b) override {
        ++saves;
        return file_->Save(a, b);
    }
    HRESULT STDMETHODCALLTYPE SaveCompleted(LPCOLESTR a) override { return file_->SaveCompleted(a); }
    HRESULT STDMETHODCALLTYPE GetCurFile(LPOLESTR* a) override { return file_->GetCurFile(a); }

    static inline std::vector<DWORD> resolveFlags;
    static inline int saves = 0;
    static inline int loads = 0;
    static inline bool failResolve = false;

private:
    ComPtr<IShellLinkA> link_;
    ComPtr<IPersistFile> file_;
    ULONG references_ = 1;
};

class WatchedLinkFactory : public IClassFactory {
public:
    explicit WatchedLinkFactory(ComPtr<IClassFactory> shell) : shell_(std::move(shell)) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid != IID_IUnknown && iid != IID_IClassFactory)
            return (*out = nullptr), E_NOINTERFACE;
        *out = this;
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives on the test's stack
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        ComPtr<IShellLinkA> inner;
        HRESULT result = shell_->CreateInstance(outer, IID_IShellLinkA, reinterpret_cast<void**>(inner.GetAddressOf()));
        if (FAILED(result))
            return result;
        auto* watched = new WatchedLink(std::move(inner));
        result = watched->QueryInterface(iid, out);
        watched->Release();
        return result;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
    ComPtr<IClassFactory> shell_;
};

// Registers WatchedLink as this process's shell link class while it lives.
class WatchedLinkClass {
public:
    WatchedLinkClass() {
        ComPtr<IClassFactory> shell;
        if (SUCCEEDED(CoGetClassObject(CLSID_ShellLink, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                       reinterpret_cast<void**>(shell.GetAddressOf())))) {
            factory_ = std::make_unique<WatchedLinkFactory>(std::move(shell));
            registered_ = SUCCEEDED(CoRegisterClassObject(CLSID_ShellLink, factory_.get(), CLSCTX_INPROC_SERVER,
                                                          REGCLS_MULTIPLEUSE, &cookie_));
        }
        WatchedLink::resolveFlags.clear();
        WatchedLink::saves = 0;
        WatchedLink::loads = 0;
    }
    ~WatchedLinkClass() {
        if (registered_)
            CoRevokeClassObject(cookie_);
    }
    WatchedLinkClass(const WatchedLinkClass&) = delete;
    WatchedLinkClass& operator=(const WatchedLinkClass&) = delete;
    bool Registered() const { return registered_; }

private:
    std::unique_ptr<WatchedLinkFactory> factory_;
    DWORD cookie_ = 0;
    bool registered_ = false;
};

}  // namespace brindle::testing
