#include "viewers/about_box.h"

#include "ui/fonts.h"
#include "viewers/web_link.h"

TAboutBox* AboutBox = nullptr;

namespace {
FormSettings WindowSettings() {
    FormSettings s;
    // The old product name, run together, on purpose.
    s.caption = "About TarnikLumeno";
    s.left = 0;
    s.top = 0;
    s.clientWidth = 332;
    s.clientHeight = 213;
    s.border = TBorderStyle::bsDialog;
    // Centred at the first showing only; later showings keep that place.
    s.position = TPosition::poScreenCenter;
    return s;
}

template <class S>
S At(int left, int top, int width = 0, int height = 0) {
    S s;
    s.left = left;
    s.top = top;
    s.width = width;
    s.height = height;
    return s;
}
}  // namespace

TAboutBox::TAboutBox() : TForm(WindowSettings()) {
    AboutBox = this;
    BuildPanel1();
    BuildPanel2();
}

TAboutBox::~TAboutBox() {
    if (AboutBox == this) AboutBox = nullptr;
}

void TAboutBox::BuildPanel1() {
    auto p = At<PanelSettings>(8, 8, 305, 161);
    p.border = TPanelBorder::RaisedBevel;
    p.color = RGB(255, 255, 255);
    Panel1 = std::make_unique<TPanel>(this, p);

    auto title = At<LabelSettings>(120, 8);
    title.caption = "Korvel Lumeno";
    title.font = MakeFont("Arial", -19, true, false, EASTEUROPE_CHARSET);
    Label1 = std::make_unique<TLabel>(Panel1.get(), title);

    auto platform = At<LabelSettings>(152, 32);
    platform.caption = "pre Windows 95/98/2000";
    Label3 = std::make_unique<TLabel>(Panel1.get(), platform);

    // Sized to the address, which is ours to choose.
    auto link = At<LabelSettings>(192, 120, 89, 14);
    link.caption = kMakerAddress;
    link.font = MakeFont("Arial", -11, false, true);
    link.textColor = RGB(0, 0, 255);
    link.cursor = TCursor::crHandPoint;
    Label5 = std::make_unique<TLabel>(Panel1.get(), link);
    Label5->OnClick = [this](TObject* s) { Label5Click(s); };
}

void TAboutBox::BuildPanel2() {
    auto p = At<PanelSettings>(216, 176, 97, 33);
    p.border = TPanelBorder::Single;
    Panel2 = std::make_unique<TPanel>(this, p);
    auto ok = At<SpeedButtonSettings>(2, 2, 88, 25);
    ok.caption = "O.K.";
    SpeedButton1 = std::make_unique<TCaptionButton>(Panel2.get(), ok);
    SpeedButton1->OnClick = [this](TObject* s) { SpeedButton1Click(s); };
}

void TAboutBox::Label5Click(TObject*) { OpenMakerAddress(); }

void TAboutBox::SpeedButton1Click(TObject*) { Close(); }
