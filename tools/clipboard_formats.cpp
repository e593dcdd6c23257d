// Prints what the clipboard holds, for the end-to-end scripts: one line per
// format, "NUMBER NAME", with the size of a bitmap and the colour of its
// middle pixel, the bounds of an enhanced metafile, and text in UTF-8.
// The answer ends with a line ".", so that an empty clipboard differs from
// a tool that did not run.
// usage: clipboard_formats            (exit 1 when the clipboard cannot be opened)
#include <windows.h>

#include <cstdio>

#include "platform/text.h"

namespace {
const char* FormatName(UINT format) {
    switch (format) {
    case CF_BITMAP: return "bitmap";
    case CF_METAFILEPICT: return "metafilepict";
    case CF_DIB: return "dib";
    case CF_PALETTE: return "palette";
    case CF_ENHMETAFILE: return "enhmetafile";
    case CF_DIBV5: return "dibv5";
    case CF_UNICODETEXT: return "text";
    default: return "other";
    }
}

void PrintBitmap() {
    HBITMAP bmp = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    BITMAP info{};
    if (!bmp || !GetObjectA(bmp, sizeof info, &info)) {
        std::printf(" unreadable");
        return;
    }
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bmp);
    COLORREF middle = GetPixel(dc, info.bmWidth / 2, info.bmHeight / 2);
    SelectObject(dc, old);
    DeleteDC(dc);
    std::printf(" %ldx%ld middle %d,%d,%d", long(info.bmWidth), long(info.bmHeight), GetRValue(middle),
                GetGValue(middle), GetBValue(middle));
}

void PrintEnhMetafile() {
    HENHMETAFILE emf = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE));
    ENHMETAHEADER header{};
    if (!emf || !GetEnhMetaFileHeader(emf, sizeof header, &header)) {
        std::printf(" unreadable");
        return;
    }
    const RECTL& b = header.rclBounds;
    std::printf(" bounds %ld,%ld,%ld,%ld", long(b.left), long(b.top), long(b.right), long(b.bottom));
}
void PrintText() {
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const WCHAR* text = data ? static_cast<const WCHAR*>(GlobalLock(data)) : nullptr;
    if (!text) return;
    std::printf(" %s", Utf8(FromWide(text)).c_str());
    GlobalUnlock(data);
}
}  // namespace

int main() {
    if (!OpenClipboard(nullptr)) return 1;
    for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format)) {
        std::printf("%u %s", format, FormatName(format));
        if (format == CF_BITMAP) PrintBitmap();
        if (format == CF_ENHMETAFILE) PrintEnhMetafile();
        if (format == CF_UNICODETEXT) PrintText();
        std::printf("\n");
    }
    CloseClipboard();
    std::printf(".\n");
    std::fflush(stdout);
    return 0;
}
