#include "picture/picture.h"

#include "picture/formats.h"
#include "platform/exceptions.h"

std::u16string PictureExtension(const std::u16string& path) {
    const size_t dot = path.find_last_of(u".\\:");
    if (dot == std::u16string::npos || path[dot] != u'.') return std::u16string();
    return path.substr(dot + 1);
}

void TPicture::Hook(TGraphic& graphic) {
    graphic.OnChange = [this](TObject* sender) { Changed(sender); };
    graphic.OnProgress = [this](TObject* sender, TProgressStage stage, uint8_t percent, bool redraw,
                                const RECT& rect, const std::string& msg) {
        Progress(sender, stage, percent, redraw, rect, msg);
    };
}

void TPicture::Install(std::unique_ptr<TGraphic> graphic) {
    graphic_ = std::move(graphic);
    Changed(this);
}

void TPicture::LoadFile(const std::u16string& path) { LoadFile(path, nullptr); }

void TPicture::LoadFile(const std::u16string& path, const std::function<void(TGraphic&, bool loaded)>& reuse) {
    const std::u16string extension = PictureExtension(path);
    const TGraphicClass* kind = FileFormats().FindByExtension(extension);
    if (!kind) throw EInvalidGraphic(u"Unknown picture file extension (." + extension + u")");
    std::unique_ptr<TGraphic> graphic = kind->Create();
    // Progress only while loading: the change is told once, after the swap.
    graphic->OnProgress = [this](TObject* sender, TProgressStage stage, uint8_t percent, bool redraw,
                                 const RECT& rect, const std::string& msg) {
        Progress(sender, stage, percent, redraw, rect, msg);
    };
    if (reuse) reuse(*graphic, false);
    graphic->LoadFile(path);
    if (reuse) reuse(*graphic, true);
    Hook(*graphic);
    Install(std::move(graphic));
}

void TPicture::SaveFile(const std::u16string& path) {
    if (graphic_) graphic_->SaveFile(path);
}

void TPicture::SetGraphic(TGraphic* source) {
    std::unique_ptr<TGraphic> copy;
    if (source) {
        copy = source->NewOfSameKind();
        copy->Assign(source);
        Hook(*copy);
    }
    Install(std::move(copy));
}

void TPicture::Assign(TObject* source) {
    if (!source) return SetGraphic(nullptr);
    if (auto* picture = dynamic_cast<TPicture*>(source)) return SetGraphic(picture->Graphic());
    if (auto* graphic = dynamic_cast<TGraphic*>(source)) return SetGraphic(graphic);
    throw AssignError(source->ClassName(), ClassName());
}

ClipboardData TPicture::SaveClipboardData() { return graphic_ ? graphic_->SaveClipboardData() : ClipboardData(); }

void TPicture::Changed(TObject* /*sender*/) {
    if (OnChange) OnChange(this);
}

void TPicture::Progress(TObject* sender, TProgressStage stage, uint8_t percentDone, bool redrawNow,
                        const RECT& rect, const std::string& msg) {
    if (OnProgress) OnProgress(sender, stage, percentDone, redrawNow, rect, msg);
}
