#include "picture/graphic.h"

#include "platform/exceptions.h"
#include "platform/stream.h"

bool TGraphicClass::InheritsFrom(const TGraphicClass& other) const {
    for (const TGraphicClass* c = this; c; c = c->parent)
        if (c == &other) return true;
    return false;
}

void TGraphic::Assign(TObject* source) {
    if (auto* graphic = dynamic_cast<TGraphic*>(source)) {
        graphic->AssignTo(*this);
        return;
    }
    throw AssignError(source ? source->ClassName() : "nil", ClassName());
}

void TGraphic::AssignTo(TGraphic& target) { throw AssignError(ClassName(), target.ClassName()); }

void TGraphic::Changed(TObject* /*sender*/) {
    modified_ = true;
    if (OnChange) OnChange(this);
}

void TGraphic::SetModified(bool value) {
    if (value)
        Changed(this);
    else
        modified_ = false;
}

namespace {
std::vector<uint8_t> StoredBytes(TGraphic& graphic) {
    TMemoryStream out;
    graphic.WriteStoredData(out);
    return out.Bytes();
}
}  // namespace

bool TGraphic::Equals(TGraphic& other) {
    if (IsEmpty() || other.IsEmpty()) return IsEmpty() && other.IsEmpty();
    if (&Kind() != &other.Kind()) return false;
    return StoredBytes(*this) == StoredBytes(other);
}

HPALETTE TGraphic::Palette() { return nullptr; }

void TGraphic::SetPalette(::Palette /*value*/) {}

void TGraphic::SetTransparent(bool value) {
    if (value == transparent_) return;
    transparent_ = value;
    Changed(this);
}

void TGraphic::ReadStoredData(TStream& stream) { LoadStream(stream); }

void TGraphic::WriteStoredData(TStream& stream) { SaveStream(stream); }

void TGraphic::LoadFile(const std::u16string& path) {
    TFileStream file(path, TFileStream::OpenRead);
    LoadStream(file);
}

void TGraphic::SaveFile(const std::u16string& path) {
    TFileStream file(path, TFileStream::Create);
    SaveStream(file);
}

void TGraphic::Progress(TObject* sender, TProgressStage stage, uint8_t percentDone, bool redrawNow,
                        const RECT& rect, const std::string& msg) {
    if (OnProgress) OnProgress(sender, stage, percentDone, redrawNow, rect, msg);
}
