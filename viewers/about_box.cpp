#include "viewers/about_box.h"

#include "ui/fonts.h"
#include "viewers/web_link.h"

TAboutBox* AboutBox = nullptr;

namespace {
FormSettings WindowSettings() {
    // The old product name, run together, on purpose.
    auto s = DialogAt(AboutBoxBox("AboutBox"), "About TarnikLumeno");
    // Centred at the first showing only; later showings keep that place.
    s.position = TPosition::poScreenCenter;
    return s;
}

template <class S>
S At(std::string_view name) {
    return PlacedAt<S>(AboutBoxBox(name));
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
    auto p = At<PanelSettings>("Panel1");
    p.border = TPanelBorder::RaisedBevel;
    p.color = RGB(255, 255, 255);
    Panel1 = std::make_unique<TPanel>(this, p);

    auto title = At<LabelSettings>("Label1");
    title.caption = "Korvel Lumeno";
    title.font = MakeFont("Arial", -19, true, false, EASTEUROPE_CHARSET);
    Label1 = std::make_unique<TLabel>(Panel1.get(), title);

    auto platform = At<LabelSettings>("Label3");
    platform.caption = "pre Windows 95/98/2000";
    Label3 = std::make_unique<TLabel>(Panel1.get(), platform);

    auto link = At<LabelSettings>("Label5");
    link.caption = kMakerAddress;
    link.font = MakeFont("Arial", -11, false, true);
    link.textColor = RGB(0, 0, 255);
    link.cursor = TCursor::crHandPoint;
    Label5 = std::make_unique<TLabel>(Panel1.get(), link);
    Label5->OnClick = [this](TObject* s) { Label5Click(s); };
}

void TAboutBox::BuildPanel2() {
    auto p = At<PanelSettings>("Panel2");
    p.border = TPanelBorder::Single;
    Panel2 = std::make_unique<TPanel>(this, p);
    auto ok = At<SpeedButtonSettings>("SpeedButton1");
    ok.caption = "O.K.";
    SpeedButton1 = std::make_unique<TCaptionButton>(Panel2.get(), ok);
    SpeedButton1->OnClick = [this](TObject* s) { SpeedButton1Click(s); };
}

void TAboutBox::Label5Click(TObject*) { OpenMakerAddress(); }

void TAboutBox::SpeedButton1Click(TObject*) { Close(); }
