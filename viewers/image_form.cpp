#include "viewers/image_form.h"

#include "picture/clipboard.h"
#include "viewers/file_name.h"
#include "viewers/taskbar.h"

TImageForm* ImageForm = nullptr;

namespace {
FormSettings WindowSettings() {
    auto s = FormAt<FormSettings>(ImageFormBox("ImageForm"));
    s.caption = "";
    s.border = TBorderStyle::bsToolWindow;
    return s;
}

ImageSettings ImageLayout() {
    ImageSettings s;
    s.align = TAlign::alClient;
    s.autoSize = true;
    s.center = true;
    return s;
}

ToolBarSettings StripLayout() { return PlacedAt<ToolBarSettings>(ImageFormBox("ToolBar1")); }
}  // namespace

TImageForm::TImageForm() : TForm(WindowSettings()) {
    ImageForm = this;
    Image = std::make_unique<TImage>(this, ImageLayout());
    ToolBar1 = std::make_unique<TToolBar>(this, StripLayout());
    BuildMenu();
    Image->OnDblClick = [this](TObject* s) { ImageDblClick(s); };
    OnKeyPress = [this](TObject* s, char16_t& key) { FormKeyPress(s, key); };
    OnClose = [this](TObject* s, TCloseAction& action) { FormClose(s, action); };
}

TImageForm::~TImageForm() {
    if (ImageForm == this) ImageForm = nullptr;
}

void TImageForm::BuildMenu() {
    MenuItemSettings top;
    top.name = "pravy1";
    top.caption = "&Úpravy";
    pravy1 = MainMenu1.Add(top);
    MenuItemSettings copy;
    copy.name = "Koprovaobrzok1";
    copy.caption = "Kopírovať obrázok";
    copy.shortcut = scCtrl | 'C';
    copy.glyph = "GLYPH_COPY";
    Koprovaobrzok1 = pravy1->Add(copy);
    Koprovaobrzok1->OnClick = [this](TObject* s) { Koprovaobrzok1Click(s); };
    MainMenu1.Build();
    SetMenu(&MainMenu1);
}

void TImageForm::ShowFile(const std::u16string& path, const PixelReuse& reuse) {
    Image->Picture().LoadFile(path, reuse);
    SetCaption(FileNameOfPath(path));
    FitToPicture(Image->Picture().Width(), Image->Picture().Height());
    SetPosition(TPosition::poScreenCenter);
    ShowModal();
}

void TImageForm::FitToPicture(int width, int height) {
    constexpr Box shown = ImageFormBox("Shown");
    // One resize: each one realigns the children. The frame and the one-line
    // menu bar take the same room at every width the window can get here.
    int outerWidth = shown.width, outerHeight = shown.height;
    if (width > shown.width) outerWidth = width + Width() - ClientWidth();
    if (height > shown.height) outerHeight = height + Height() - ClientHeight();
    // The comparisons are with the picture's size, not the window's. Each
    // reading of the screen's size asks the system anew: once is enough.
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    if (width > screenWidth) outerWidth = screenWidth;
    if (height > screenHeight) outerHeight = screenHeight;
    SetBounds(Left(), Top(), outerWidth, outerHeight);
}

void TImageForm::Koprovaobrzok1Click(TObject*) { Clipboard().Assign(&Image->Picture()); }

void TImageForm::ImageDblClick(TObject*) { Close(); }

void TImageForm::FormKeyPress(TObject*, char16_t& key) {
    if (key == u'\r') Close();
}

void TImageForm::FormClose(TObject*, TCloseAction&) { ShowTaskbar(true); }
