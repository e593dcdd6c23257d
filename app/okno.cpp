#include "app/okno.h"

#include "app/okno_layout.h"
#include "ui/application.h"
#include "ui/fonts.h"

TOkno* Okno = nullptr;

namespace {
FormSettings MainWindowSettings() {
    FormSettings s;
    s.caption = "Korvel Lumeno";
    s.clientWidth = OknoBox("Okno").width;
    s.clientHeight = OknoBox("Okno").height;
    s.border = TBorderStyle::bsSingle;
    s.minimizeBox = true;
    s.position = TPosition::poScreenCenter;
    return s;
}

// The filter texts are spelt so on purpose ("formáty(" without a space,
// "Bitvé" for "Bitové").
const char kOpenFilter[] =
    "Všetky formáty(jpg,bmp,ico,emf,wmf)|*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf|"
    "Súbory JPG (*.jpg,*.jpeg)|*.jpg;*.jpeg|"
    "Bitvé mapy (*.bmp)|*.bmp|"
    "Ikony systému Windows (*.ico)|*.ico|"
    "EMF súbory (*.emf)|*.emf|"
    "Kliparty MS Word (*.wmf)|*.wmf";

FileDialogSettings OpenDialogSettings() {
    FileDialogSettings s;
    s.filter = kOpenFilter;
    s.defaultExt = "bmp";
    s.hideReadOnly = true;
    s.pathMustExist = true;
    s.fileMustExist = true;
    return s;
}

FileDialogSettings SaveDialogSettings() {
    FileDialogSettings s;
    s.filter = "Všetky súbory (*.*)|*.*";
    s.hideReadOnly = true;
    s.resizable = true;
    return s;
}

// Binds a handler of the main window as an event slot.
template <class... Args>
auto Slot(TOkno* w, void (TOkno::*handler)(TObject*, Args...)) {
    return [w, handler](TObject* sender, Args... args) { (w->*handler)(sender, args...); };
}
}  // namespace

TOkno::TOkno()
    : TForm(MainWindowSettings()), OpenDialog(OpenDialogSettings()), UlozObr(SaveDialogSettings()) {
    Okno = this;
    BuildMenu();
    BuildToolBar();
    BuildControls();
    BuildLists();
    WireEvents();
    OnCreate = Slot(this, &TOkno::FormCreate);
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

TOkno::~TOkno() {
    if (Okno == this) Okno = nullptr;
}

void TOkno::BuildMenu() {
    auto item = [](TMenuItem* parent, const char* name, const char* caption, const char* hint = "",
                   uint16_t shortcut = 0, const char* glyph = nullptr) {
        MenuItemSettings s;
        s.name = name;
        s.caption = caption;
        s.hint = hint;
        s.shortcut = shortcut;
        s.glyph = glyph;
        return parent->Add(s);
    };
    auto top = [this](const char* name, const char* caption) {
        MenuItemSettings s;
        s.name = name;
        s.caption = caption;
        return MainMenu1.Add(s);
    };
    File1 = top("File1", "&Súbor");
    Novprieinok1 = item(File1, "Novprieinok1", "Nový priečinok", "", 0, "GLYPH_NEWFOLDER");
    Open1 = item(File1, "Open1", "&Otvoriť obrázok...", "Načíta obrázok", 0, "GLYPH_OPEN");
    Uloiobrzokako1 = item(File1, "Uloiobrzokako1", "&Uložiť obrázok ako...", "Uloží obrázok", 0, "GLYPH_SAVE");
    item(File1, "N1", "-");
    Vlastnosti1 = item(File1, "Vlastnosti1", "Vlastnosti", "Zobrazí vlastnosti obrázka", 0, "GLYPH_PROPERTIES");
    item(File1, "N4", "-");
    // "tlačiarňe" is spelt so on purpose.
    Nastavenietlae1 = item(File1, "Nastavenietlae1", "Nastavenie tlače", "Nastaví vlastnosti tlačiarňe");
    Tlai1 = item(File1, "Tlai1", "Tlačiť...", "Vytlačí obrázok", scCtrl | 'P', "GLYPH_PRINT");
    item(File1, "N6", "-");
    // The old product name "Tarnik" stays in this hint on purpose.
    Exit1 = item(File1, "Exit1", "S&končiť", "Ukončí program Tarnik Lumeno");

    pravy1 = top("pravy1", "&Úpravy");
    Koprova1 = item(pravy1, "Koprova1", "&Kopírovať obrázok", "Skopíruje obrázok do schránky", scCtrl | 'C',
                    "GLYPH_COPY");
    item(pravy1, "N7", "-");
    Premenovasbor1 = item(pravy1, "Premenovasbor1", "Premenovať súbor", "Zmení názov súboru", 0, "GLYPH_RENAME");
    Vymazasbor = item(pravy1, "Vymazasbor", "Vymazať súbor", "Vymaže obrázok", 0, "GLYPH_DELETE");

    Zobrazi1 = top("Zobrazi1", "Zobraziť");
    ZobrIko = item(Zobrazi1, "ZobrIko", "Panel s ikonami", "Vypne/Zapne zobrazovanie panelu s ikonami");
    ZobrNahlad = item(Zobrazi1, "ZobrNahlad", "Náhľadové okno", "Vypne/Zapne zobrazovanie náhľadového okna");
    item(Zobrazi1, "N3", "-");
    Edit1 = item(Zobrazi1, "Edit1", "Ukážka");
    AutoSize = item(Edit1, "AutoSize", "Automatická veľkosť");
    FullSize = item(Edit1, "FullSize", "Skutočná veľkosť");
    FullScreen = item(Zobrazi1, "FullScreen", "Celá obrazovka [full screen]",
                      "Vypína/zapína voľbu zobrazovania obrázka na celú obrazovku");

    // The control names keep the forms they were given ("Npoveda1", "Tarnik...").
    Npoveda1 = top("Npoveda1", "&Nápoveda");
    TarniksoftwarevsietiWWW1 = item(Npoveda1, "TarniksoftwarevsietiWWW1", "Korvel software v sieti WWW");
    OprogrameTarnikLumeno1 = item(Npoveda1, "OprogrameTarnikLumeno1", "O programe Korvel Lumeno...",
                                  "Zobrazí informácie o autorovi programu");
    ZobrIko->SetChecked(true);
    ZobrNahlad->SetChecked(true);
    ZobrNahlad->SetEnabled(false);
    AutoSize->SetChecked(true);
    MainMenu1.Build();
    SetMenu(&MainMenu1);
}

void TOkno::BuildToolBar() {
    IkonyPanel = std::make_unique<TToolBar>(this, PlacedAt<ToolBarSettings>(OknoBox("IkonyPanel")));
    auto button = [this](std::string_view name, const char* hint, const char* glyph) {
        auto s = PlacedAt<SpeedButtonSettings>(OknoBox(name));
        s.hint = hint;
        s.showHint = true;
        s.glyph = glyph;
        return IkonyPanel->AddButton(s);
    };
    auto gap = [this](std::string_view name) { IkonyPanel->AddSeparator(OknoBox(name).left, OknoBox(name).width); };
    gap("Gap1");
    SpeedButton1 = button("SpeedButton1", "Otvoriť", "GLYPH_OPEN");
    SpeedButton2 = button("SpeedButton2", "Vlastnosti", "GLYPH_PROPERTIES");
    gap("Gap2");
    SpeedButton5 = button("SpeedButton5", "Nový priečinok", "GLYPH_NEWFOLDER");
    SpeedButton4 = button("SpeedButton4", "Premenovať", "GLYPH_RENAME");
    SpeedButton3 = button("SpeedButton3", "Vymazať", "GLYPH_DELETE");
}

void TOkno::BuildControls() {
    DolnyPanel = std::make_unique<TStatusBar>(this, PlacedAt<StatusBarSettings>(OknoBox("DolnyPanel")));

    auto h = PlacedAt<ScrollBarSettings>(OknoBox("DolnyPosuvak"));
    h.kind = TScrollKind::Horizontal;
    h.visible = false;
    DolnyPosuvak = std::make_unique<TScrollBar>(this, h);
    auto v = PlacedAt<ScrollBarSettings>(OknoBox("HornyPosuvak"));
    v.kind = TScrollKind::Vertical;
    v.visible = false;
    HornyPosuvak = std::make_unique<TScrollBar>(this, v);

    auto ip = PlacedAt<PanelSettings>(OknoBox("ImgPanel"));
    ip.border = TPanelBorder::Single;
    ip.color = RGB(128, 128, 128);
    ImgPanel = std::make_unique<TPanel>(this, ip);
    ImageSettings img;
    img.align = TAlign::alClient;
    img.autoSize = true;
    img.center = true;
    Image = std::make_unique<TImage>(ImgPanel.get(), img);

    auto p1 = PlacedAt<PanelSettings>(OknoBox("Panel1"));
    p1.border = TPanelBorder::Single;
    Panel1 = std::make_unique<TPanel>(this, p1);
    auto a = PlacedAt<LabelSettings>(OknoBox("adresa"));
    a.autoSize = false;
    a.caption = "adresa";
    adresa = std::make_unique<TLabel>(Panel1.get(), a);

    auto l1 = PlacedAt<LabelSettings>(OknoBox("Label1"));
    l1.caption = "Nastavte filtér súborov:";
    Label1 = std::make_unique<TLabel>(this, l1);
}

void TOkno::WireEvents() {
    Novprieinok1->OnClick = Slot(this, &TOkno::Novprieinok1Click);
    Open1->OnClick = Slot(this, &TOkno::Open1Click);
    Uloiobrzokako1->OnClick = Slot(this, &TOkno::Uloiobrzokako1Click);
    Vlastnosti1->OnClick = Slot(this, &TOkno::Vlastnosti1Click);
    Nastavenietlae1->OnClick = Slot(this, &TOkno::Nastavenietlae1Click);
    Tlai1->OnClick = Slot(this, &TOkno::Tlai1Click);
    Exit1->OnClick = Slot(this, &TOkno::Exit1Click);
    Koprova1->OnClick = Slot(this, &TOkno::Koprova1Click);
    Premenovasbor1->OnClick = Slot(this, &TOkno::Premenovasbor1Click);
    Vymazasbor->OnClick = Slot(this, &TOkno::VymazasborClick);
    ZobrIko->OnClick = Slot(this, &TOkno::ZobrIkoClick);
    AutoSize->OnClick = Slot(this, &TOkno::AutoSizeClick);
    FullSize->OnClick = Slot(this, &TOkno::FullSizeClick);
    FullScreen->OnClick = Slot(this, &TOkno::FullScreenClick);
    TarniksoftwarevsietiWWW1->OnClick = Slot(this, &TOkno::TarniksoftwarevsietiWWW1Click);
    OprogrameTarnikLumeno1->OnClick = Slot(this, &TOkno::OprogrameTarnikLumeno1Click);

    SpeedButton1->OnClick = Slot(this, &TOkno::Open1Click);
    SpeedButton2->OnClick = Slot(this, &TOkno::Vlastnosti1Click);
    SpeedButton5->OnClick = Slot(this, &TOkno::Novprieinok1Click);
    SpeedButton4->OnClick = Slot(this, &TOkno::Premenovasbor1Click);
    SpeedButton3->OnClick = Slot(this, &TOkno::VymazasborClick);

    DolnyPosuvak->OnScroll = Slot(this, &TOkno::DolnyPosuvakScroll);
    HornyPosuvak->OnChange = Slot(this, &TOkno::HornyPosuvakChange);
}
