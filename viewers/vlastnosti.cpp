#include "viewers/vlastnosti.h"

#include "platform/text.h"
#include "viewers/file_name.h"

TVlastnosti* Vlastnosti = nullptr;

namespace {
// A label sized to its text, at its place in the table.
LabelSettings Text(std::string_view name, const char* caption) {
    auto s = PlacedAt<LabelSettings>(VlastnostiBox(name));
    s.caption = caption;
    return s;
}

// A label of fixed size that cuts off what does not fit.
LabelSettings Fixed(std::string_view name, const char* caption) {
    LabelSettings s = Text(name, caption);
    s.autoSize = false;
    return s;
}

LabelSettings WithHint(LabelSettings s) {
    s.showHint = true;
    return s;
}
}  // namespace

TVlastnosti::TVlastnosti() : TForm(DialogAt(VlastnostiBox("Vlastnosti"), "Vlastnosti")) {
    Vlastnosti = this;
    auto b = PlacedAt<ButtonSettings>(VlastnostiBox("Button1"));
    b.caption = "OK";
    Button1 = std::make_unique<TButton>(this, b);
    Button1->OnClick = [this](TObject* s) { Button1Click(s); };
    auto p = PlacedAt<PanelSettings>(VlastnostiBox("Panel1"));
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
    Label1 = std::make_unique<TLabel>(p, Text("Label1", "Meno súboru:"));
    Label2 = std::make_unique<TLabel>(p, Text("Label2", "Umiestnenie:"));
    Label3 = std::make_unique<TLabel>(p, Text("Label3", "Šírka obrázka:"));
    Label4 = std::make_unique<TLabel>(p, Text("Label4", "Výška obrázka:"));
    meno = std::make_unique<TLabel>(p, WithHint(Fixed("meno", "meno")));
    cesta = std::make_unique<TLabel>(p, WithHint(Fixed("cesta", "cesta")));
    sirka = std::make_unique<TLabel>(p, Text("sirka", "sirka"));
    vyska = std::make_unique<TLabel>(p, Text("vyska", "vyska"));
    LabelSettings dots = Fixed("bodky1", "...");
    dots.visible = false;
    bodky1 = std::make_unique<TLabel>(p, dots);
    // It overlaps the end of meno by a pixel: keep it in front.
    SetWindowPos(bodky1->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Tips = std::make_unique<TLabelTips>(*this);
    Tips->Add(*meno);
    Tips->Add(*cesta);
}

void TVlastnosti::Fill(const std::u16string& path, const PictureSizeText& size) {
    bodky1->Hide();
    const std::u16string name = FileNameOfPath(path);
    meno->SetCaption(name);
    Tips->SetHint(*meno, name);
    Tips->SetHint(*cesta, FolderOfPath(path));
    if (CharacterCount(name) >= kLongName) bodky1->Show();
    sirka->SetCaption(size.width);
    vyska->SetCaption(size.height);
}

void TVlastnosti::Button1Click(TObject*) { Close(); }
