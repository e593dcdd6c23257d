#pragma once
// The windowed viewer: the picture of one file in a tool window sized to it,
// with a thin strip under the menu bar and a copy command.
#include <memory>
#include <string_view>
#include <string>

#include "picture/image.h"
#include "picture/read_ahead.h"
#include "ui/form.h"
#include "ui/menu.h"
#include "ui/toolbar.h"
#include "ui/layout_table.h"

// The window viewer's layout table.
inline constexpr Placement kImageFormLayout[] = {
    {"ImageForm", {259, 109, 179, 173}},  // the window as designed: place and client size
    {"Shown", {0, 0, 200, 200}},  // its outer size when it shows, before it grows to the picture
    {"ToolBar1", {0, 0, 0, 5}},  // the strip above the picture, as wide as the window
};
constexpr Box ImageFormBox(std::string_view name) { return BoxIn(kImageFormLayout, name); }

class TImageForm : public TForm {
public:
    TImageForm();
    ~TImageForm() override;
    const char* ClassName() const override { return "TImageForm"; }

    // Loads the file (a failure leaves before anything else changes), names
    // the window after it, sizes it by the picture and shows it modally,
    // centred on the screen.
    // `reuse` offers pixels decoded already for identical bytes.
    void ShowFile(const std::u16string& path, const PixelReuse& reuse = PixelReuse());

    void Koprovaobrzok1Click(TObject* sender);
    void ImageDblClick(TObject* sender);
    void FormKeyPress(TObject* sender, char16_t& key);
    void FormClose(TObject* sender, TCloseAction& action);

    std::unique_ptr<TImage> Image;
    std::unique_ptr<TToolBar> ToolBar1;
    TMainMenu MainMenu1;
    TMenuItem *pravy1, *Koprovaobrzok1;

private:
    void BuildMenu();
    // Outer 200 x 200, then the client takes a picture dimension above 200,
    // then the outer size is held to the screen where the picture exceeds it.
    void FitToPicture(int width, int height);
};

extern TImageForm* ImageForm;
