#include "bench/harness/main_window.h"

#include <memory>
#include <stdexcept>

#include "app/okno.h"
#include "bench/harness/clock.h"
#include "bench/harness/paint_watch.h"
#include "bench/harness/shows_picture.h"
#include "platform/text.h"

namespace bench {

void EnterFolder(Driven& d, const std::string& folder) {
    d.Ui([&] { Okno->Dir->SetDirectory(Wide(folder)); });
}

void SetFullScreen(Driven& d, bool on) {
    d.Ui([&] { Okno->FullScreen->SetChecked(on); });
}

POINT ListRow(Driven& d, const TListBox& list, const std::function<bool(int row)>& wanted, const std::string& what) {
    POINT at{-1, -1};
    d.Ui([&] {
        for (int row = 0; row < list.Count(); ++row) {
            if (!wanted(row)) continue;
            const RECT r = list.ItemRect(row);
            at = POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
            ClientToScreen(list.Handle(), &at);
            return;
        }
    });
    if (at.x < 0) throw std::runtime_error("no row for " + what);
    return at;
}

POINT FileRow(Driven& d, const std::string& name) {
    const TFileListBox& files = *Okno->files;
    return ListRow(d, files, [&](int row) { return files.Item(row) == Wide(name); }, name);
}

bool Previewed(const std::string& name) {
    const TFileListBox& files = *Okno->files;
    const std::u16string wanted = Wide(name), caption = Okno->Caption();
    return files.ItemIndex() >= 0 && files.Item(files.ItemIndex()) == wanted && caption.size() > wanted.size() &&
           caption.compare(caption.size() - wanted.size(), wanted.size(), wanted) == 0 && ShowsPicture(*Okno->Image);
}

double Preview(Driven& d, XScreen& x, const std::string& name) {
    std::unique_ptr<PaintWatch> watch;
    d.Ui([&] { watch = std::make_unique<PaintWatch>(Okno->Image->Handle(), [name] { return Previewed(name); }); });
    const POINT at = FileRow(d, name);
    watch->Arm();
    // Off the row's middle, so that a double-click there next is not taken
    // for the second click of this one.
    const double t0 = Now();
    x.Click(at.x - 40, at.y);
    const double t1 = watch->Wait(30);
    d.Ui([&] { watch.reset(); });
    if (t1 < 0) throw std::runtime_error("the preview of " + name + " did not paint");
    return t1 - t0;
}

double OpenViewer(Driven& d, XScreen& x, const std::string& name, TImage& viewer) {
    const double timeout = 30;
    std::unique_ptr<PaintWatch> pane, shown;
    d.Ui([&] {
        pane = std::make_unique<PaintWatch>(Okno->Image->Handle(), [name] { return Previewed(name); });
        shown = std::make_unique<PaintWatch>(viewer.Handle(), [&viewer] {
            const TPicture& previewed = Okno->Image->Picture();
            return viewer.Picture().Width() == previewed.Width() && viewer.Picture().Height() == previewed.Height() &&
                   ShowsPicture(viewer);
        });
    });
    const POINT row = FileRow(d, name);
    pane->Arm();
    shown->Arm();
    double t0 = 0;
    x.DoubleClick(row.x, row.y, [&] {
        if (pane->Wait(timeout) < 0) throw std::runtime_error("the first click did not preview " + name);
        t0 = Now();
    });
    const double t1 = shown->Wait(timeout);
    d.Ui([&] {
        pane.reset();
        shown.reset();
    });
    if (t1 < 0) throw std::runtime_error("the viewer did not paint " + name);
    return t1 - t0;
}

void ShowInPane(Driven& d, const std::string& path) {
    d.Ui([&] {
        Okno->LoadPreviewPicture(Wide(path));
        RedrawWindow(Okno->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    });
}

// Waits until keys go to `control`: its window is the active one and holds the focus.
void WaitForKeys(Driven& d, HWND control) {
    const auto ready = [control] { return GetFocus() == control || IsChild(control, GetFocus()); };
    if (!d.UiWait(ready, 30)) throw std::runtime_error("the keys do not go where they should");
}

double OpenViewerWithEnter(Driven& d, XScreen& x, TImage& viewer, int width, int height) {
    WaitForKeys(d, Okno->files->Handle());
    std::unique_ptr<PaintWatch> shown;
    d.Ui([&] {
        shown = std::make_unique<PaintWatch>(viewer.Handle(), [&viewer, width, height] {
            return viewer.Picture().Width() == width && viewer.Picture().Height() == height && ShowsPicture(viewer);
        });
    });
    shown->Arm();
    const double t0 = Now();
    x.Key("Return");
    const double t1 = shown->Wait(30);
    d.Ui([&] { shown.reset(); });
    if (t1 < 0) throw std::runtime_error("the viewer did not paint after Enter");
    return t1 - t0;
}

void CloseViewerOnPicture(Driven& d, XScreen& x, const TControl& form, const TControl& image) {
    WaitForKeys(d, form.Handle());
    POINT at{};
    d.Ui([&] {
        RECT r;
        GetClientRect(image.Handle(), &r);
        at = POINT{r.right / 2, r.bottom / 2};
        ClientToScreen(image.Handle(), &at);
    });
    x.DoubleClick(at.x, at.y, [] {});
    if (!d.UiWait([&] { return !IsWindowVisible(form.Handle()); }, 30)) throw std::runtime_error("the viewer did not close");
}

void CloseViewer(Driven& d, XScreen& x, const TControl& form) {
    WaitForKeys(d, form.Handle());
    x.Key("Return");
    if (!d.UiWait([&] { return !IsWindowVisible(form.Handle()); }, 30)) throw std::runtime_error("the viewer did not close");
}

}  // namespace bench
