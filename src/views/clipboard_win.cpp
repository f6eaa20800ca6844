#include "views/clipboard_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>

#include "platform/platform_win.h"
#include "ui/messages.h"
#include "views/clipboard_blocks.h"
#include "views/shell_menu_rules.h"

namespace brindle {
namespace {

constexpr char kEffectFormat[] = "Preferred DropEffect";
constexpr int kOpenAttempts = 10;
constexpr DWORD kOpenRetryMs = 30;

// A movable global block holding `bytes`, for the clipboard to own.
HGLOBAL GlobalBlock(const std::vector<unsigned char>& bytes) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.size());
    void* data = block ? GlobalLock(block) : nullptr;
    if (!data) {
        if (block)
            GlobalFree(block);
        return nullptr;
    }
    std::memcpy(data, bytes.data(), bytes.size());
    GlobalUnlock(block);
    return block;
}

// Hands `bytes` to the clipboard; the clipboard owns the block only when it took it.
bool SetClipboardBlock(UINT format, const std::vector<unsigned char>& bytes) {
    HGLOBAL block = GlobalBlock(bytes);
    if (block && SetClipboardData(format, block))
        return true;
    if (block)
        GlobalFree(block);
    return false;
}

// A copy of the clipboard's data in `format`, as long as the block really is; nothing without it.
std::optional<std::vector<unsigned char>> ClipboardBytes(UINT format) {
    HANDLE data = GetClipboardData(format);
    const SIZE_T size = data ? GlobalSize(data) : 0;
    const void* bytes = size ? GlobalLock(data) : nullptr;
    if (!bytes)
        return std::nullopt;
    std::vector<unsigned char> copy(static_cast<const unsigned char*>(bytes),
                                    static_cast<const unsigned char*>(bytes) + size);
    GlobalUnlock(data);
    return copy;
}

std::string Format(const char* format, const std::string& text) {
    std::vector<char> out(std::strlen(format) + text.size() + 1);
    std::snprintf(out.data(), out.size(), format, text.c_str());
    return out.data();
}

// The files to paste and how, read out of the clipboard, which is closed again at once so that other
// programs can use it while the shell copies. Nothing when the user has been told why not.
struct PasteRequest {
    std::vector<std::string> names;
    UINT operation = FO_COPY;
    DWORD clipboardVersion = 0;  // the clipboard's sequence number when the names were read
};

std::optional<PasteRequest> ReadPasteRequest(HWND owner, Messages& messages) {
    if (!OpenClipboardPatiently(owner)) {
        messages.Show(kClipboardBusy, box::kIconStop);
        return std::nullopt;
    }
    PasteRequest request;
    request.clipboardVersion = GetClipboardSequenceNumber();
    const UINT effectFormat = RegisterClipboardFormatA(kEffectFormat);
    std::optional<std::vector<unsigned char>> drop, effect;
    const bool hasEffect = IsClipboardFormatAvailable(effectFormat) != FALSE;
    if (IsClipboardFormatAvailable(CF_HDROP)) {
        drop = ClipboardBytes(CF_HDROP);
        if (hasEffect)
            effect = ClipboardBytes(effectFormat);
    }
    CloseClipboard();

    // A list without an effect is a copy, as the desktop shell takes it; an effect block that is there
    // must be whole.
    const std::optional<FileDropList> list = drop ? ParseFileDrop(drop->data(), drop->size()) : std::nullopt;
    const std::optional<uint32_t> value =
        hasEffect ? (effect ? ParseEffect(effect->data(), effect->size()) : std::nullopt) : kEffectCopy;
    if (!list || !value) {
        messages.Show(kPasteFormatError, box::kIconStop);
        return std::nullopt;
    }
    switch (OperationOfEffect(*value)) {
        case PasteOperation::Copy:
            request.operation = FO_COPY;
            break;
        case PasteOperation::Move:
            request.operation = FO_MOVE;
            break;
        case PasteOperation::Unknown: {
            char text[64];
            std::snprintf(text, sizeof text, kPasteUnknownEffect, static_cast<unsigned>(*value));
            messages.Show(text, box::kIconStop);
            return std::nullopt;
        }
    }
    std::optional<std::vector<std::string>> names = AnsiNames(*list, messages);
    if (!names)
        return std::nullopt;
    // The file operation would expand wildcards and take a relative name from the program's current
    // folder: another program's list is taken only when every name is a plain absolute one.
    for (const std::string& name : *names) {
        if (!IsPlainAbsoluteName(name)) {
            messages.Show(kPasteFormatError, box::kIconStop);
            return std::nullopt;
        }
    }
    request.names = std::move(*names);
    return request;
}

// Notes whether the shell tells the user of a failure in a box of its own on this thread while it lives
// (an error with OK, or with retry, skip and cancel): what the user was told there is not told again.
// Its questions (overwrite? yes or no) report nothing, nor does its progress window.
class ShellBoxWatch {
public:
    ShellBoxWatch() : hook_(SetWindowsHookExA(WH_CBT, OnEvent, nullptr, GetCurrentThreadId())) { active_ = this; }
    ~ShellBoxWatch() {
        if (hook_)
            UnhookWindowsHookEx(hook_);
        active_ = nullptr;
    }
    ShellBoxWatch(const ShellBoxWatch&) = delete;
    ShellBoxWatch& operator=(const ShellBoxWatch&) = delete;
    bool SawBox() const { return sawBox_; }

private:
    static LRESULT CALLBACK OnEvent(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_ACTIVATE && active_) {
            HWND window = reinterpret_cast<HWND>(wParam);
            char className[16] = "";
            GetClassNameA(window, className, sizeof className);
            if (std::strcmp(className, "#32770") == 0 && !GetDlgItem(window, IDYES) &&
                !FindWindowExA(window, nullptr, PROGRESS_CLASSA, nullptr))
                active_->sawBox_ = true;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline ShellBoxWatch* active_ = nullptr;
    HHOOK hook_;
    bool sawBox_ = false;
};

// Empties the clipboard when it still holds the list that was read at `version`: after a move its
// names are no longer where it says.
void ForgetMovedFiles(HWND owner, DWORD version) {
    if (GetClipboardSequenceNumber() != version || !OpenClipboardPatiently(owner))
        return;
    if (GetClipboardSequenceNumber() == version)
        EmptyClipboard();
    CloseClipboard();
}

}  // namespace

bool OpenClipboardPatiently(HWND owner) {
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        if (OpenClipboard(owner))
            return true;
        Sleep(kOpenRetryMs);
    }
    return false;
}

bool PutFileOnClipboard(HWND owner, const std::string& path, uint32_t effect, Messages& messages) {
    if (!OpenClipboardPatiently(owner)) {
        messages.Show(kClipboardBusy, box::kIconStop);
        return false;
    }
    EmptyClipboard();
    const bool put = SetClipboardBlock(CF_HDROP, FileDropBlock(path)) &&
                     SetClipboardBlock(RegisterClipboardFormatA(kEffectFormat), EffectBlock(effect));
    if (!put)
        EmptyClipboard();  // no half list that a later paste would take for a whole one
    CloseClipboard();
    if (!put)
        messages.Show(kClipboardBusy, box::kIconStop);
    return put;
}

void PasteFiles(HWND owner, const std::string& destination, Messages& messages) {
    if (!IsDirectory(destination)) {
        messages.Show(Format(kPasteOnlyIntoFolder, destination), box::kIconStop);
        return;
    }
    const std::optional<PasteRequest> request = ReadPasteRequest(owner, messages);
    if (!request)
        return;
    const std::string from = DoubleNulList(request->names);
    const std::string to = DoubleNulList({destination});
    SHFILEOPSTRUCTA operation{};
    operation.hwnd = owner;
    operation.wFunc = request->operation;
    operation.pFrom = from.c_str();
    operation.pTo = to.c_str();
    operation.lpszProgressTitle = kPasteProgressTitle;
    bool shellSaidSo = false;
    int result = 0;
    {
        ShellBoxWatch watch;
        result = SHFileOperationA(&operation);
        shellSaidSo = watch.SawBox();
    }
    const auto code = static_cast<unsigned long>(result);
    if (operation.fAnyOperationsAborted) {
        messages.Show(kPasteAborted, box::kIconStop);
    } else if (result == 0) {
        if (request->operation == FO_MOVE)
            ForgetMovedFiles(owner, request->clipboardVersion);
    } else if (!shellSaidSo && !IsFileOperationCancel(code)) {
        char text[512];
        std::snprintf(text, sizeof text, kPasteFailed, code, FileOperationFailureReason(code));
        messages.Show(text, box::kIconStop);
    }
}

std::optional<std::string> ToCodePage(const std::wstring& wide, unsigned codePage) {
    // No flags and no "used default char" question: UTF-8, UTF-7 and several other code pages refuse
    // the call with either. Whether every character fits is seen by converting back instead, which also
    // refuses a best-fit look-alike and a character two code points share.
    const int length = WideCharToMultiByte(codePage, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return std::nullopt;
    std::string text(static_cast<size_t>(length), '\0');
    if (WideCharToMultiByte(codePage, 0, wide.c_str(), -1, text.data(), length, nullptr, nullptr) != length)
        return std::nullopt;
    const int back = MultiByteToWideChar(codePage, 0, text.c_str(), -1, nullptr, 0);
    std::wstring again(back > 0 ? static_cast<size_t>(back) : 0, L'\0');
    if (back <= 0 || MultiByteToWideChar(codePage, 0, text.c_str(), -1, again.data(), back) != back)
        return std::nullopt;
    again.resize(static_cast<size_t>(back) - 1);
    if (again != wide)
        return std::nullopt;
    text.resize(static_cast<size_t>(length) - 1);
    return text;
}

std::optional<std::string> ToAnsi(const std::wstring& wide) {
    return ToCodePage(wide, CP_ACP);
}

std::optional<std::vector<std::string>> AnsiNames(const FileDropList& list, Messages& messages) {
    if (!list.wide)
        return list.narrow;
    std::vector<std::string> names;
    std::string refused;
    for (const std::u16string& name : list.wideNames) {
        const std::wstring wide(name.begin(), name.end());
        if (std::optional<std::string> ansi = ToAnsi(wide)) {
            names.push_back(std::move(*ansi));
            continue;
        }
        // Shown with the code page's stand-in for what it lacks.
        char shown[4 * MAX_PATH] = "";
        WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, shown, sizeof shown - 1, nullptr, nullptr);
        refused += std::string(shown) + "\n";
    }
    if (!refused.empty()) {
        messages.Show(Format(kNamesOutsideCodePage, refused), box::kIconStop);
        return std::nullopt;
    }
    return names;
}

}  // namespace brindle
