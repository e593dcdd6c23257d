#pragma once
// A picture's data for the clipboard: a handle of its clipboard format's kind
// and a palette, owned until the clipboard takes them.
#include <windows.h>

#include "ui/gdi.h"

class ClipboardData {
public:
    // Empty: format 0, nothing to hand over.
    ClipboardData() = default;
    // Owns `data`, a handle of the kind the clipboard format `format` uses.
    ClipboardData(UINT format, HANDLE data, Palette palette = Palette());
    ~ClipboardData();
    ClipboardData(ClipboardData&& other) noexcept;
    ClipboardData& operator=(ClipboardData&& other) noexcept;
    ClipboardData(const ClipboardData&) = delete;
    ClipboardData& operator=(const ClipboardData&) = delete;

    UINT Format() const { return format_; }
    HANDLE Data() const { return data_; }
    HPALETTE PaletteHandle() const { return palette_.get(); }
    // Puts the data, then the palette, on the open clipboard, which owns what it took.
    void Hand();

private:
    void Free();

    UINT format_ = 0;
    HANDLE data_ = nullptr;
    Palette palette_;
};
