#include "picture/icon.h"

#include "picture/codec/ico.h"
#include "picture/icon_png.h"
#include "picture/codec_errors.h"
#include "picture/formats.h"
#include "platform/exceptions.h"

namespace ico = codec::ico;

namespace {
const char kInvalidIcon[] = "Icon image is not valid";
const char kNoClipboard[] = "Clipboard does not support Icons";
}  // namespace

const TGraphicClass& TIcon::Class() {
    static const TGraphicClass kind{"TIcon", nullptr, &CreateGraphic<TIcon>};
    return kind;
}

TIcon::TIcon() : image_(new TIconImage) { transparent_ = true; }

TIcon::~TIcon() = default;

void TIcon::Assign(TObject* source) {
    if (!source) {
        image_ = IconImageRef(new TIconImage);
        return Changed(this);
    }
    if (auto* other = dynamic_cast<TIcon*>(source)) {
        image_ = other->image_;
        return Changed(this);
    }
    TGraphic::Assign(source);
}

bool TIcon::IsEmpty() const { return !image_->Handle() && !image_->fileImage; }

int TIcon::Width() const { return GetSystemMetrics(SM_CXICON); }

int TIcon::Height() const { return GetSystemMetrics(SM_CYICON); }

void TIcon::SetWidth(int /*value*/) { throw EInvalidGraphicOperation("Cannot change the size of an icon"); }

void TIcon::SetHeight(int /*value*/) { throw EInvalidGraphicOperation("Cannot change the size of an icon"); }

void TIcon::Draw(TCanvas& canvas, const RECT& rect) {
    // A record that failed once stays blank, so a repaint under the error box says nothing more.
    if (image_->decodingFailed) return;
    HICON icon = Handle();
    if (icon) DrawIconEx(canvas.Handle(), rect.left, rect.top, icon, 0, 0, 0, nullptr, DI_NORMAL);
}

HICON TIcon::Handle() {
    if (!image_->Handle() && image_->fileImage) Decode();
    return image_->Handle();
}

void TIcon::Decode() {
    TIconImage& image = *image_;
    const std::vector<uint8_t>& bytes = image.fileImage->Bytes();
    try {
        const ico::Image decoded = Checked(kInvalidIcon, [&] {
            ico::Image chosen = ico::Decode(bytes.data(), bytes.size(), ScreenColourCount());
            return chosen.png.empty() ? chosen : DecodePng(chosen);
        });
        if (decoded.standardIcon)
            image.standard = StandardIcon();
        else
            image.owned = MakeIcon(decoded);
    } catch (const std::exception&) {
        image.decodingFailed = true;
        throw;
    }
}

void TIcon::SetHandle(IconHandle handle) {
    IconImageRef image(new TIconImage);
    image->owned = std::move(handle);
    image_ = std::move(image);
    Changed(this);
}

void TIcon::LoadStream(TStream& stream) {
    auto bytes = std::make_unique<TMemoryStream>();
    bytes->LoadFrom(stream);
    Checked(kInvalidIcon, [&] { return ico::CheckHeader(bytes->Bytes().data(), bytes->Bytes().size()); });
    IconImageRef image(new TIconImage);
    image->fileImage = std::move(bytes);
    image_ = std::move(image);
    Changed(this);
}

void TIcon::MakeFileImage() {
    TIconImage& image = *image_;
    HICON icon = image.Handle();
    if (!icon) throw EInvalidGraphic(kInvalidIcon);
    std::vector<uint8_t> bytes =
        icon == image.standard ? ico::WriteStandardIcon() : Checked(kInvalidIcon, [&] { return IconFile(icon); });
    image.fileImage = std::make_unique<TMemoryStream>(std::move(bytes));
}

void TIcon::SaveStream(TStream& stream) {
    if (!image_->fileImage) MakeFileImage();
    const std::vector<uint8_t>& bytes = image_->fileImage->Bytes();
    stream.WriteBuffer(bytes.data(), bytes.size());
}

void TIcon::LoadClipboardData(UINT /*format*/, HANDLE /*data*/, HPALETTE /*palette*/) {
    throw EInvalidGraphicOperation(kNoClipboard);
}

ClipboardData TIcon::SaveClipboardData() {
    throw EInvalidGraphicOperation(kNoClipboard);
}

void RegisterIconKind() {
    StandardIcon();
    RegisterFormat("ico", "Icons", TIcon::Class());
}
