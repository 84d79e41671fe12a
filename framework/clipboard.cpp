#include "framework/clipboard.h"

#include "framework/handles.h"

#include <cstring>
#include <string>

namespace fw {
namespace {

// The clipboard opened for one scope and closed on every path out of it.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) : open_(::OpenClipboard(owner) != FALSE) {}
    ~OpenedClipboard() {
        if (open_) ::CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    bool IsOpen() const { return open_; }

private:
    bool open_;
};

GlobalMemory CopyToGlobalBlock(std::string_view text) {
    GlobalMemory block(::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
    if (!block) return block;
    void* bytes = ::GlobalLock(block.Get());
    if (!bytes) return GlobalMemory();
    std::memcpy(bytes, text.data(), text.size());
    static_cast<char*>(bytes)[text.size()] = '\0';
    ::GlobalUnlock(block.Get());
    return block;
}

}  // namespace

bool SetClipboardText(HWND owner, std::string_view text) {
    GlobalMemory block = CopyToGlobalBlock(text);
    if (!block) return false;
    OpenedClipboard clipboard(owner);
    if (!clipboard.IsOpen()) return false;
    if (!::EmptyClipboard()) return false;
    if (!::SetClipboardData(CF_TEXT, block.Get())) return false;  // the block is still ours: freed
    block.Release();  // the clipboard owns it now
    return true;
}

bool SetClipboardBitmap(HWND owner, BitmapHandle bitmap) {
    if (!bitmap) return false;
    OpenedClipboard clipboard(owner);
    if (!clipboard.IsOpen() || !::EmptyClipboard()) return false;
    if (!::SetClipboardData(CF_BITMAP, bitmap.Get())) return false;
    bitmap.Release();
    return true;
}

bool ClearClipboard(HWND owner) {
    OpenedClipboard clipboard(owner);
    return clipboard.IsOpen() && ::EmptyClipboard();
}

}  // namespace fw
