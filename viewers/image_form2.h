#pragma once
// The full-screen viewer: a borderless black window over the whole screen
// with the taskbar hidden; a picture larger than the screen in one direction
// is dragged along that direction.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "picture/image.h"
#include "picture/read_ahead.h"
#include "ui/form.h"
#include "ui/layout_table.h"

// Where a picture starts along one axis: the halves are taken separately,
// each truncated toward zero (screen 1024, picture 1025 gives 0).
int HalvesOffset(int screen, int picture);

// The full-screen viewer's layout table.
inline constexpr Placement kImageForm2Layout[] = {
    {"ImageForm2", {236, 119, 136, 122}},  // the window as designed: place and client size
    {"Image", {0, 0, 41, 41}},  // before it takes the picture's size
};
constexpr Box ImageForm2Box(std::string_view name) { return BoxIn(kImageForm2Layout, name); }

class TImageForm2 : public TForm {
public:
    TImageForm2();
    ~TImageForm2() override;
    const char* ClassName() const override { return "TImageForm2"; }

    // Covers the screen, hides the taskbar, loads the file and shows it
    // centred, modally. A failed load shows the taskbar again and leaves.
    // `reuse` offers pixels decoded already for identical bytes.
    void ShowFile(const std::u16string& path, const PixelReuse& reuse = PixelReuse());

    void FormCreate(TObject* sender);
    void ImageMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void ImageMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void ImageMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void FormDblClick(TObject* sender);
    void ImageDblClick(TObject* sender);
    void FormKeyPress(TObject* sender, char16_t& key);
    void FormClose(TObject* sender, TCloseAction& action);

    std::unique_ptr<TImage> Image;
    // The drag state: set by a press on the picture, cleared by a release
    // (and at the viewer's creation).
    bool DragActive = false;
    int32_t DragStartX = 0;  // pointer at the press, in the picture's coordinates
    int32_t DragStartY = 0;

private:
    void WireEvents();
    void JudgeDragAxis(int screenWidth, int screenHeight);

    // The axis a drag moves the picture along, judged when the picture is
    // shown and at each press: asking the system for the screen size on
    // every move costs round trips to the window server.
    bool dragsAcross_ = false;
    bool dragsDown_ = false;
};

extern TImageForm2* ImageForm2;
