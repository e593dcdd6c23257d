#include "viewers/vlastnosti.h"

#include "viewers/file_name.h"

TVlastnosti* Vlastnosti = nullptr;

namespace {
FormSettings WindowSettings() {
    FormSettings s;
    s.caption = "Vlastnosti";
    s.left = 201;
    s.top = 142;
    s.clientWidth = 349;
    s.clientHeight = 204;
    s.border = TBorderStyle::bsDialog;
    return s;
}

// A label sized to its text at left, top.
LabelSettings Text(int left, int top, const char* caption) {
    LabelSettings s;
    s.left = left;
    s.top = top;
    s.caption = caption;
    return s;
}

// A label of fixed size that cuts off what does not fit.
LabelSettings Fixed(int left, int top, int width, int height, const char* caption) {
    LabelSettings s = Text(left, top, caption);
    s.width = width;
    s.height = height;
    s.autoSize = false;
    return s;
}

LabelSettings WithHint(LabelSettings s) {
    s.showHint = true;
    return s;
}
}  // namespace

TVlastnosti::TVlastnosti() : TForm(WindowSettings()) {
    Vlastnosti = this;
    ButtonSettings b;
    b.left = 128;
    b.top = 168;
    b.width = 75;
    b.height = 25;
    b.caption = "OK";
    Button1 = std::make_unique<TButton>(this, b);
    Button1->OnClick = [this](TObject* s) { Button1Click(s); };
    PanelSettings p;
    p.left = 16;
    p.top = 16;
    p.width = 313;
    p.height = 137;
    p.border = TPanelBorder::RaisedBevel;
    Panel1 = std::make_unique<TPanel>(this, p);
    BuildLabels();
    SetTabOrder({Button1.get()});
}

TVlastnosti::~TVlastnosti() {
    if (Vlastnosti == this) Vlastnosti = nullptr;
}

void TVlastnosti::BuildLabels() {
    TPanel* p = Panel1.get();
    Label1 = std::make_unique<TLabel>(p, Text(16, 24, "Meno súboru:"));
    Label2 = std::make_unique<TLabel>(p, Text(16, 48, "Umiestnenie:"));
    Label3 = std::make_unique<TLabel>(p, Text(16, 72, "Šírka obrázka:"));
    Label4 = std::make_unique<TLabel>(p, Text(16, 96, "Výška obrázka:"));
    meno = std::make_unique<TLabel>(p, WithHint(Fixed(104, 24, 193, 13, "meno")));
    cesta = std::make_unique<TLabel>(p, WithHint(Fixed(104, 48, 201, 13, "cesta")));
    sirka = std::make_unique<TLabel>(p, Text(104, 72, "sirka"));
    vyska = std::make_unique<TLabel>(p, Text(104, 96, "vyska"));
    LabelSettings dots = Fixed(296, 24, 9, 13, "...");
    dots.visible = false;
    bodky1 = std::make_unique<TLabel>(p, dots);
    // It overlaps the end of meno by a pixel: keep it in front.
    SetWindowPos(bodky1->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Tips = std::make_unique<TLabelTips>(*this);
    Tips->Add(*meno);
    Tips->Add(*cesta);
}

void TVlastnosti::Fill(const std::string& path, const PictureSizeText& size) {
    bodky1->Hide();
    const std::string name = FileNameOfPath(path);
    meno->SetCaption(name);
    Tips->SetHint(*meno, name);
    Tips->SetHint(*cesta, FolderOfPath(path));
    if (name.size() >= kLongName) bodky1->Show();
    sirka->SetCaption(size.width);
    vyska->SetCaption(size.height);
}

void TVlastnosti::Button1Click(TObject*) { Close(); }
