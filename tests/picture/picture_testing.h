#pragma once
// Helpers of the picture tests: BMP files built from their fields, a
// graphic drawn into memory and read back, and a small graphic kind whose
// behaviour a test chooses.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "picture/graphic.h"
#include "testing.h"

// Pixel rows print as hexadecimal colours in failure reports.
namespace doctest {
template <>
struct StringMaker<std::vector<uint32_t>> {
    static String convert(const std::vector<uint32_t>& pixels) {
        std::string out = "{";
        char buf[16];
        for (size_t i = 0; i < pixels.size(); ++i) {
            std::snprintf(buf, sizeof buf, "%s%06x", i ? " " : "", unsigned(pixels[i]));
            out += buf;
        }
        return String((out + "}").c_str());
    }
};
}  // namespace doctest

// Kept in a namespace: the test program links every layer's helpers.
namespace pictest {

// The fields of a BMP file; the sizes in the file header are computed.
struct BmpFields {
    uint32_t headerSize = 40;  // 12 (OS/2 core), 40, 108, 124
    int32_t width = 2;
    int32_t height = 2;
    uint16_t bits = 24;
    uint32_t compression = 0;
    uint32_t sizeImage = 0;
    uint32_t clrUsed = 0;
    std::vector<uint32_t> masks;   // after a 40-byte header, or inside a larger one
    std::vector<uint8_t> colours;  // raw entries: 3 bytes each for OS/2, else 4
    std::vector<uint8_t> pixels;
};
std::vector<uint8_t> BuildBmp(const BmpFields& fields);

// 0x00RRGGBB, the form Render returns.
constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return r << 16 | g << 8 | b; }

// Pixels of a width x height canvas (rows top-down) filled with
// `background` and then drawn on by graphic.Draw into `rect`.
std::vector<uint32_t> Render(TGraphic& graphic, int width, int height, RECT rect,
                             COLORREF background = RGB(1, 2, 3));
std::vector<uint32_t> Render(TGraphic& graphic, int width, int height);

std::vector<uint8_t> ReadBytes(const std::u16string& path);
bool FileExists(const std::u16string& path);

// A graphic of one colour. LoadStream reads width, height (a byte each)
// and red, green, blue; Draw fills its rectangle, or throws when told to.
class TTestGraphic : public TGraphic {
public:
    static const TGraphicClass& Class();
    const TGraphicClass& Kind() const override { return Class(); }

    void Draw(TCanvas& canvas, const RECT& rect) override;
    bool IsEmpty() const override { return width == 0 || height == 0; }
    int Width() const override { return width; }
    int Height() const override { return height; }
    void SetWidth(int value) override { width = value; }
    void SetHeight(int value) override { height = value; }
    void Assign(TObject* source) override;
    void LoadStream(TStream& stream) override;
    void SaveStream(TStream& stream) override;
    void LoadClipboardData(UINT, HANDLE, HPALETTE) override {}
    // Text "test" when clipboardText is set, else fails.
    ClipboardData SaveClipboardData() override;

    int width = 0, height = 0;
    COLORREF colour = RGB(0, 0, 0);
    bool drawThrows = false;
    bool clipboardText = false;
    int draws = 0;
};

// A kind derived from the test kind, for unregistering.
class TDerivedTestGraphic : public TTestGraphic {
public:
    static const TGraphicClass& Class();
    const TGraphicClass& Kind() const override { return Class(); }
};

// Puts text on the clipboard, so that emptying it shows.
void PutClipboardText();
// The number of formats on the clipboard.
int ClipboardFormatCount();
}  // namespace pictest
using namespace pictest;
