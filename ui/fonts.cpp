#include "ui/fonts.h"

#include <map>
#include <tuple>

#include "platform/text.h"
#include "ui/gdi.h"

namespace {
using FontKey = std::tuple<std::string, int, bool, bool, BYTE>;

std::map<FontKey, Font>& Cache() {
    static std::map<FontKey, Font> cache;
    return cache;
}
}  // namespace

HFONT MakeFont(const char* face, int height, bool bold, bool underline, BYTE charset) {
    FontKey key{face, height, bold, underline, charset};
    auto& cache = Cache();
    auto it = cache.find(key);
    if (it != cache.end()) return it->second.get();
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfUnderline = underline;
    lf.lfCharSet = charset;
    lstrcpynA(lf.lfFaceName, face, LF_FACESIZE);
    HFONT font = CreateFontIndirectA(&lf);
    cache.emplace(key, Font(font));
    return font;
}

HFONT DefaultFont() { return MakeFont("MS Sans Serif", -11); }

HFONT MessageFont() {
    static Font font = [] {
        NONCLIENTMETRICSA ncm{};
        ncm.cbSize = sizeof(ncm);
        SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
        return Font(CreateFontIndirectA(&ncm.lfMessageFont));
    }();
    return font.get();
}

int TextHeight(HFONT font) {
    WindowDC dc(nullptr);
    SelectGuard sel(dc.get(), font);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc.get(), &tm);
    return tm.tmHeight;
}

int TextWidth(HFONT font, const std::u16string& text) {
    WindowDC dc(nullptr);
    SelectGuard sel(dc.get(), font);
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), WidePtr(text), int(text.size()), &size);
    return size.cx;
}
