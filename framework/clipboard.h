// Plain text onto the clipboard, with every step that can fail undone.
#pragma once

#include "framework/handles.h"

#include <string_view>

namespace fw {

// Puts the text (with its terminating zero) on the clipboard as CF_TEXT for
// the owner window. The block is prepared before the clipboard is emptied, so
// a failed allocation or a clipboard held elsewhere leaves the old content.
bool SetClipboardText(HWND owner, std::string_view text);

// Empties the clipboard and hands it the bitmap, which the clipboard then
// owns; on failure the bitmap is deleted here.
bool SetClipboardBitmap(HWND owner, BitmapHandle bitmap);

// Empties the clipboard; false when it is held elsewhere.
bool ClearClipboard(HWND owner);

}  // namespace fw
