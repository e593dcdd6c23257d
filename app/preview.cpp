// The preview pane: selecting a file previews it in one of two sizing modes.
#include "app/okno.h"

#include <algorithm>

#include "app/preview_layout.h"
#include "browse/existing_file.h"
#include "browse/path_rules.h"
#include "picture/jpeg_image.h"
#include "platform/text.h"
#include "ui/application.h"
#include "ui/message_dialog.h"
#include "ui/scope.h"

namespace {
// The largest horizontal range the scroll handler moves the picture for.
constexpr int kLargestHorzRange = 65535;

// The file name part: the text after the last "\" or ":".
std::u16string NamePart(const std::u16string& path) {
    const size_t cut = path.find_last_of(u"\\:");
    return cut == std::u16string::npos ? path : path.substr(cut + 1);
}

// Division truncates toward zero: for a <= 0 this gives 0 or less.
int CeilDiv(int a, int b) { return (a + b - 1) / b; }

void SetPageSteps(TOkno& w) {
    w.DolnyPosuvak->SetLargeChange(CeilDiv(w.DolnyPosuvak->Max(), w.HorzScrollUnit));
    w.HornyPosuvak->SetLargeChange(CeilDiv(w.HornyPosuvak->Max(), w.VertScrollUnit));
}

void ShowBar(TScrollBar& bar, bool shown) {
    if (shown)
        bar.Show();
    else
        bar.Hide();
}

void Arrange(TOkno& w, const PreviewLayout& l) {
    ShowBar(*w.DolnyPosuvak, l.horzBar);
    if (l.horzBarWidth) w.DolnyPosuvak->SetWidth(*l.horzBarWidth);
    ShowBar(*w.HornyPosuvak, l.vertBar);
    w.ImgPanel->SetBounds(l.panel.left, l.panel.top, l.panel.width, l.panel.height);
    if (l.stretch) w.Image->SetStretch(*l.stretch);
    w.Image->SetAlign(l.fillPanel ? TAlign::alClient : TAlign::alNone);
    w.Image->SetCenter(l.center);
}

void SetTitles(TOkno& w, const std::u16string& path) {
    // After a preview the caption carries the old product name on purpose.
    w.SetCaption(u"Tarnik Lumeno - " + NamePart(path));
    Application->SetTitle(w.Caption());
}

// "foto.jpg; šírka: 1024, výška: 768", shown while no hint is.
void SetStatusText(TOkno& w, const std::u16string& path) {
    const TPicture& picture = w.Image->Picture();
    w.DolnyPanel->SetSimpleText(NamePart(path) + Wide("; šírka: " + std::to_string(picture.Width()) +
                                                      ", výška: " + std::to_string(picture.Height())));
}

void Preview(TOkno& w, const std::u16string& path, PreviewLayout (*layoutFor)(int, int)) {
    // The layout decides the bars' visibility below: showing them first
    // would only repaint them, and their panel, for nothing on every step.
    TPicture& picture = w.Image->Picture();
    picture.LoadFile(path, PixelReuse{&picture, &w.PictureAhead});
    w.ResetScrollPositions();
    SetTitles(w, path);
    Arrange(w, layoutFor(picture.Width(), picture.Height()));
    // The reset measured against the previous panel; the bars scroll the
    // part the final panel hides.
    w.UpdateScrollRanges();
    SetPageSteps(w);
    SetStatusText(w, path);
}
}  // namespace

void TOkno::KlikniNaSubor() {
    const std::u16string path = files->FileName();
    Application->WhenIdle(nullptr);
    if (!IsExistingFile(path)) return PictureAhead.Drop();
    {
        PointerScope hourglass(TCursor::crHourGlass, TCursor::crDefault);
        Image->SetAlign(TAlign::alNone);
        Image->SetCenter(false);
        try {
            if (FullSize->Checked()) Preview(*this, path, ActualSizeLayout);
            if (AutoSize->Checked()) Preview(*this, path, AutomaticLayout);
        } catch (...) {
            PictureAhead.Drop();
            throw;
        }
        // Paint now, under the hourglass: the first drawing of a JPEG waits
        // for its decode. The picture first, the rest (its status text) after.
        UpdateWindow(ImgPanel->Handle());
        UpdateWindow(Handle());
    }
    ReadAheadWhenIdle();
}

void TOkno::ReadAheadWhenIdle() {
    if (!dynamic_cast<TJPEGImage*>(Image->Picture().Graphic())) return PictureAhead.Drop();
    Application->WhenIdle([this] { ReadAheadNext(); });
}

void TOkno::ReadAheadNext() {
    const int row = files->ItemIndex() + (stepsUp_ ? -1 : 1);
    if (files->ItemIndex() < 0 || row < 0 || row >= files->Count()) return PictureAhead.Drop();
    const std::u16string next = JoinPath(files->Directory(), files->Item(row));
    // Kept when it is the same file: taking it over compares the bytes anyway.
    if (next != PictureAhead.Path()) PictureAhead.Start(next);
}

void TOkno::LoadPreviewPicture(const std::u16string& path) {
    Image->Picture().LoadFile(path);
    ResetScrolling();
}

void TOkno::Open1Click(TObject*) {
    if (OpenDialog.Execute()) LoadPreviewPicture(OpenDialog.FileName());
}

void TOkno::DolnyPosuvakScroll(TObject*, WORD, int& pos) {
    if (DolnyPosuvak->Max() > kLargestHorzRange) return ShowNotice("Scrollbar ranges > 65535 not supported");
    Image->SetLeft(-HorzScrollUnit * pos);
}

void TOkno::HornyPosuvakChange(TObject* sender) {
    if (sender == HornyPosuvak.get()) Image->SetTop(-VertScrollUnit * HornyPosuvak->Position());
}

void TOkno::ResetScrolling() {
    ResetScrollPositions();
    DolnyPosuvak->Show();
    HornyPosuvak->Show();
}

void TOkno::ResetScrollPositions() {
    Image->SetTop(0);
    Image->SetLeft(0);
    DolnyPosuvak->SetPosition(0);
    HornyPosuvak->SetPosition(0);
    DolnyPosuvak->SetMin(0);
    HornyPosuvak->SetMin(0);
    UpdateScrollRanges();
    SetPageSteps(*this);
}

void TOkno::UpdateScrollRanges() {
    DolnyPosuvak->SetMax(std::max(0, CeilDiv(Image->Width() - ImgPanel->Width(), HorzScrollUnit)));
    HornyPosuvak->SetMax(std::max(0, CeilDiv(Image->Height() - ImgPanel->Height(), VertScrollUnit)));
}
