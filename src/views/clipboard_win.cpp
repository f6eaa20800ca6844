#include "views/clipboard_win.h"

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
};

std::optional<PasteRequest> ReadPasteRequest(HWND owner, Messages& messages) {
    if (!OpenClipboardPatiently(owner)) {
        messages.Show(kClipboardBusy, box::kIconStop);
        return std::nullopt;
    }
    const UINT effectFormat = RegisterClipboardFormatA(kEffectFormat);
    std::optional<std::vector<unsigned char>> drop, effect;
    if (IsClipboardFormatAvailable(CF_HDROP) && IsClipboardFormatAvailable(effectFormat)) {
        drop = ClipboardBytes(CF_HDROP);
        effect = ClipboardBytes(effectFormat);
    }
    CloseClipboard();

    const std::optional<FileDropList> list = drop ? ParseFileDrop(drop->data(), drop->size()) : std::nullopt;
    const std::optional<uint32_t> value = effect ? ParseEffect(effect->data(), effect->size()) : std::nullopt;
    if (!list || !value) {
        messages.Show(kPasteFormatError, box::kIconStop);
        return std::nullopt;
    }
    PasteRequest request;
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
    request.names = std::move(*names);
    return request;
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
    const int result = SHFileOperationA(&operation);
    if (operation.fAnyOperationsAborted) {
        messages.Show(kPasteAborted, box::kIconStop);
    } else if (result != 0 && result != ERROR_CANCELLED) {
        char text[512];
        std::snprintf(text, sizeof text, kPasteFailed, static_cast<unsigned long>(result),
                      SystemErrorText(static_cast<unsigned long>(result)).c_str());
        messages.Show(text, box::kIconStop);
    }
}

std::optional<std::string> ToAnsi(const std::wstring& wide) {
    BOOL lossy = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1, nullptr, 0, nullptr, &lossy);
    if (length <= 0 || lossy)
        return std::nullopt;
    std::string ansi(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1, ansi.data(), length, nullptr, &lossy);
    ansi.resize(static_cast<size_t>(length) - 1);
    return lossy ? std::nullopt : std::optional<std::string>(ansi);
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
