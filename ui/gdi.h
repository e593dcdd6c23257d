#pragma once
// Ownership of GDI and USER handles: one move-only owner per handle kind,
// borrowed handles stay plain, and guards put back what they selected.
#include <windows.h>

#include "platform/handle.h"

struct GdiDeleter : NullIsNone {
    void operator()(HGDIOBJ h) const { DeleteObject(h); }
};
struct IconDeleter : NullIsNone {
    void operator()(HICON h) const { DestroyIcon(h); }
};
struct EnhMetaDeleter : NullIsNone {
    void operator()(HENHMETAFILE h) const { DeleteEnhMetaFile(h); }
};
struct MenuDeleter : NullIsNone {
    void operator()(HMENU h) const { DestroyMenu(h); }
};
struct AccelDeleter : NullIsNone {
    void operator()(HACCEL h) const { DestroyAcceleratorTable(h); }
};
struct WindowDeleter : NullIsNone {
    void operator()(HWND h) const { DestroyWindow(h); }
};

using Bitmap = UniqueHandle<HBITMAP, GdiDeleter>;
using Brush = UniqueHandle<HBRUSH, GdiDeleter>;
using Font = UniqueHandle<HFONT, GdiDeleter>;
using Pen = UniqueHandle<HPEN, GdiDeleter>;
using Palette = UniqueHandle<HPALETTE, GdiDeleter>;
using Region = UniqueHandle<HRGN, GdiDeleter>;
using IconHandle = UniqueHandle<HICON, IconDeleter>;
using EnhMetafile = UniqueHandle<HENHMETAFILE, EnhMetaDeleter>;
using MenuHandle = UniqueHandle<HMENU, MenuDeleter>;
using AccelTable = UniqueHandle<HACCEL, AccelDeleter>;
using WindowHandle = UniqueHandle<HWND, WindowDeleter>;

// Selects an object into a DC and puts the previous one back. Declare it after
// the object it selects, so the object is deselected before it is deleted.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? SelectObject(dc, obj) : nullptr) {}
    ~SelectGuard() {
        if (old_) SelectObject(dc_, old_);
    }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// Selects and realises a palette as a background palette; restores the old one.
class PaletteGuard {
public:
    PaletteGuard(HDC dc, HPALETTE pal) : dc_(dc) {
        if (pal) {
            old_ = SelectPalette(dc, pal, TRUE);
            RealizePalette(dc);
        }
    }
    ~PaletteGuard() {
        if (old_) SelectPalette(dc_, old_, TRUE);
    }
    PaletteGuard(const PaletteGuard&) = delete;
    PaletteGuard& operator=(const PaletteGuard&) = delete;

private:
    HDC dc_;
    HPALETTE old_ = nullptr;
};

// BeginPaint / EndPaint.
class PaintDC {
public:
    explicit PaintDC(HWND wnd) : wnd_(wnd) { dc_ = BeginPaint(wnd, &ps_); }
    ~PaintDC() { EndPaint(wnd_, &ps_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    HDC get() const { return dc_; }
    const RECT& area() const { return ps_.rcPaint; }

private:
    HWND wnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// GetDC / ReleaseDC; a null window means the screen.
class WindowDC {
public:
    explicit WindowDC(HWND wnd) : wnd_(wnd), dc_(GetDC(wnd)) {}
    ~WindowDC() {
        if (dc_) ReleaseDC(wnd_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND wnd_;
    HDC dc_;
};

// CreateCompatibleDC / DeleteDC.
class MemoryDC {
public:
    explicit MemoryDC(HDC like = nullptr) : dc_(CreateCompatibleDC(like)) {}
    ~MemoryDC() {
        if (dc_) DeleteDC(dc_);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};
