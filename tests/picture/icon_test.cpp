// Icon pictures under the real system: size, drawing, the standard icon,
// saving, the handle's one-image file, and the clipboard refusal.
#include "testing.h"

#include <memory>

#include "fixture.h"
#include "picture/clipboard.h"
#include "picture/codec/little_endian.h"
#include "picture/icon.h"
#include "picture/image.h"
#include "picture/picture.h"
#include "picture_testing.h"
#include "platform/exceptions.h"
#include "platform/stream.h"
#include "ui/form.h"

namespace {
const COLORREF kBack = RGB(1, 2, 3);

using codec::le::Put16;
using codec::le::Put32;
uint32_t Get32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24;
}

// A square 24-bit image of one colour, with its top-left quarter
// transparent (mask bits set, colour black).
std::vector<uint8_t> Square(int size, COLORREF colour) {
    const size_t stride = (size_t(size) * 3 + 3) / 4 * 4, maskStride = (size_t(size) + 31) / 32 * 4;
    std::vector<uint8_t> image(40 + stride * size + maskStride * size, 0);
    Put32(image, 0, 40);
    Put32(image, 4, uint32_t(size));
    Put32(image, 8, uint32_t(2 * size));
    Put16(image, 12, 1);
    Put16(image, 14, 24);
    for (int row = 0; row < size; ++row) {  // bottom-up: row `size - 1` is the top
        const bool top = row >= size / 2;
        for (int x = 0; x < size; ++x) {
            if (top && x < size / 2) {
                image[40 + stride * size + maskStride * row + x / 8] |= uint8_t(0x80 >> (x % 8));
                continue;
            }
            uint8_t* p = &image[40 + stride * row + 3 * x];
            p[0] = GetBValue(colour);
            p[1] = GetGValue(colour);
            p[2] = GetRValue(colour);
        }
    }
    return image;
}

std::vector<uint8_t> IconFile(const std::vector<std::vector<uint8_t>>& images, uint16_t type = 1) {
    std::vector<uint8_t> file(6 + 16 * images.size(), 0);
    Put16(file, 2, type);
    Put16(file, 4, uint16_t(images.size()));
    for (size_t i = 0; i < images.size(); ++i) {
        const size_t at = 6 + 16 * i;
        file[at] = file[at + 1] = uint8_t(Get32(images[i], 4));
        Put32(file, at + 8, uint32_t(images[i].size()));
        Put32(file, at + 12, uint32_t(file.size()));
        file.insert(file.end(), images[i].begin(), images[i].end());
    }
    return file;
}

// 16, 32 and 48 pixels in blue, green and red: a true-colour display shows the first.
std::vector<uint8_t> ThreeSizes() {
    return IconFile({Square(16, RGB(0, 0, 255)), Square(32, RGB(0, 255, 0)), Square(48, RGB(255, 0, 0))});
}

void LoadBytes(TIcon& icon, const std::vector<uint8_t>& bytes) {
    TMemoryStream stream(bytes);
    icon.LoadStream(stream);
}

std::vector<uint8_t> SavedBytes(TGraphic& graphic) {
    TMemoryStream out;
    graphic.SaveStream(out);
    return out.Bytes();
}

// A canvas of width x height with the icon handle drawn at (x, y) by the system itself.
std::vector<uint32_t> SystemDrawn(HICON icon, int width, int height, int x, int y) {
    struct Direct : TTestGraphic {
        HICON icon = nullptr;
        void Draw(TCanvas& canvas, const RECT& rect) override {
            DrawIconEx(canvas.Handle(), rect.left, rect.top, icon, 0, 0, 0, nullptr, DI_NORMAL);
        }
    } direct;
    direct.icon = icon;
    return Render(direct, width, height, RECT{x, y, x + 1, y + 1}, kBack);
}

}  // namespace

TEST_CASE("an icon of 16, 32 and 48 pixels measures and draws at the system icon size") {
    TestApplication();
    REQUIRE(GetSystemMetrics(SM_CXICON) == 32);
    REQUIRE(GetSystemMetrics(SM_CYICON) == 32);
    TempFolder dir;
    dir.Write("tri.ico", ThreeSizes());
    TPicture picture;
    picture.LoadFile(dir.File("tri.ico"));
    CHECK(picture.Width() == 32);
    CHECK(picture.Height() == 32);

    // The 16-pixel image stretched to 32 at the rectangle's top-left; the
    // rectangle's own size does not matter.
    const std::vector<uint32_t> drawn = Render(*picture.Graphic(), 64, 64, RECT{8, 8, 60, 60}, kBack);
    std::vector<uint32_t> expected(64 * 64, Rgb(1, 2, 3));
    for (int y = 8; y < 40; ++y)
        for (int x = 8; x < 40; ++x)
            if (x >= 24 || y >= 24) expected[size_t(y) * 64 + x] = Rgb(0, 0, 255);
    CHECK(drawn == expected);

    TIcon& icon = static_cast<TIcon&>(*picture.Graphic());
    CHECK(icon.Transparent());
    icon.SetTransparent(false);
    CHECK(icon.Transparent());
    CHECK_THROWS_WITH_AS(icon.SetWidth(16), "Cannot change the size of an icon", EInvalidGraphicOperation);
    CHECK_THROWS_WITH_AS(icon.SetHeight(16), "Cannot change the size of an icon", EInvalidGraphicOperation);
    CHECK(picture.Width() == 32);
}

TEST_CASE("type 0 shows the standard application icon and saves back unchanged") {
    TestApplication();
    const std::vector<uint8_t> bytes = IconFile({Square(16, RGB(0, 0, 255))}, 0);
    TIcon icon;
    LoadBytes(icon, bytes);
    CHECK_FALSE(icon.IsEmpty());
    HICON standard = LoadIconA(nullptr, IDI_APPLICATION);
    CHECK(icon.Handle() == standard);
    const std::vector<uint32_t> drawn = Render(icon, 40, 40, RECT{4, 4, 5, 5}, kBack);
    CHECK(drawn == SystemDrawn(standard, 40, 40, 4, 4));
    CHECK(drawn != std::vector<uint32_t>(40 * 40, Rgb(1, 2, 3)));
    CHECK(SavedBytes(icon) == bytes);
}

TEST_CASE("a loaded icon is saved byte for byte; cursors and broken headers are refused at load") {
    TestApplication();
    TempFolder dir;
    std::vector<uint8_t> bytes = ThreeSizes();
    bytes.insert(bytes.end(), {'t', 'a', 'i', 'l'});  // bytes no image claims stay too
    dir.Write("ikona.ico", bytes);
    TPicture picture;
    picture.LoadFile(dir.File("ikona.ico"));
    Render(*picture.Graphic(), 32, 32);  // decoding does not change what is kept
    picture.SaveFile(dir.File("kopia.jpg"));
    CHECK(ReadBytes(dir.File("kopia.jpg")) == bytes);

    std::vector<uint8_t> cursor = ThreeSizes();
    cursor[2] = 2;
    dir.Write("kurzor.ico", cursor);
    CHECK_THROWS_WITH_AS(picture.LoadFile(dir.File("kurzor.ico")), "Icon image is not valid", EInvalidGraphic);
    dir.Write("kratka.ico", {0, 0, 1});
    CHECK_THROWS_WITH_AS(picture.LoadFile(dir.File("kratka.ico")), "Stream read error", EReadError);
    // The picture still holds the first icon.
    picture.SaveFile(dir.File("znova.ico"));
    CHECK(ReadBytes(dir.File("znova.ico")) == bytes);
}

TEST_CASE("an icon made from a handle saves as a one-image 16-colour file that draws the same") {
    TestApplication();
    TIcon source;
    LoadBytes(source, IconFile({Square(32, RGB(0, 0, 255))}));
    HICON made = CopyIcon(source.Handle());
    REQUIRE(made);
    const std::vector<uint32_t> original = SystemDrawn(made, 40, 40, 2, 3);

    TIcon icon;
    icon.SetHandle(IconHandle(made));
    const std::vector<uint8_t> file = SavedBytes(icon);
    REQUIRE(file.size() == 22 + 40 + 64 + 16 * 32 + 4 * 32);
    CHECK(file[2] == 1);
    CHECK(file[4] == 1);
    CHECK(file[6] == 32);
    CHECK(file[7] == 32);
    CHECK(Get32(file, 18) == 22);
    CHECK(Get32(file, 22 + 8) == 64);  // the stored height counts colour and mask

    TIcon reloaded;
    LoadBytes(reloaded, file);
    CHECK(Render(reloaded, 40, 40, RECT{2, 3, 4, 5}, kBack) == original);

    SUBCASE("an empty icon has nothing to save") {
        TIcon empty;
        CHECK(empty.IsEmpty());
        CHECK(empty.Width() == 32);
        CHECK_THROWS_WITH_AS(SavedBytes(empty), "Icon image is not valid", EInvalidGraphic);
    }
    SUBCASE("copies share the handle and its file") {
        TIcon copy;
        copy.Assign(&icon);
        CHECK(copy.Handle() == icon.Handle());
        CHECK(copy.Equals(icon));
        copy.Assign(nullptr);
        CHECK(copy.IsEmpty());
        CHECK_FALSE(icon.IsEmpty());
    }
}

TEST_CASE("copying an icon empties the clipboard and reports that icons cannot go there") {
    TestApplication();
    TIcon icon;
    LoadBytes(icon, ThreeSizes());
    TPicture picture;
    picture.SetGraphic(&icon);
    PutClipboardText();
    CHECK_THROWS_WITH_AS(Clipboard().Assign(&picture), "Clipboard does not support Icons", EInvalidGraphicOperation);
    CHECK(Clipboard().OpenCount() == 0);
    CHECK(ClipboardFormatCount() == 0);
}

TEST_CASE("an icon that cannot be decoded is reported at its first painting only") {
    TestApplication();
    CaptureErrors errors;
    FormSettings fs;
    fs.caption = "Ikona";
    fs.clientWidth = 100;
    fs.clientHeight = 80;
    TForm form(fs);
    ImageSettings is;
    is.width = 50;
    is.height = 50;
    TImage image(&form, is);
    std::vector<uint8_t> broken = ThreeSizes();
    Put32(broken, 6 + 3 * 16, 12);  // the first image's header size
    TIcon icon;
    LoadBytes(icon, broken);
    image.Picture().SetGraphic(&icon);
    form.Show();
    for (int i = 0; i < 3; ++i) {
        InvalidateRect(image.Handle(), nullptr, TRUE);
        UpdateWindow(image.Handle());
        Pump();
    }
    REQUIRE(errors.texts.size() == 1);
    CHECK(errors.texts[0] == u"Icon image is not valid.");
    form.Hide();
    Pump();
}
