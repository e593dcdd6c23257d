#include "picture/read_ahead.h"

#include <windows.h>

#include <exception>

#include "picture/codec/bmp.h"
#include "picture/formats.h"
#include "picture/jpeg_image.h"
#include "platform/stream.h"

namespace {
// The memory the system reports free, in bytes; 0 when it does not say.
uint64_t FreeMemory() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    return GlobalMemoryStatusEx(&status) ? status.ullAvailPhys : 0;
}

bool Affordable(const TJPEGImage& image) {
    const uint64_t bytes =
        codec::bmp::Stride(uint32_t(image.Width()), 24) * uint64_t(uint32_t(image.Height()));
    return bytes <= FreeMemory() / 4;
}
}  // namespace

ReadAhead::ReadAhead() = default;

ReadAhead::~ReadAhead() = default;

void ReadAhead::Drop() {
    // Sets the codec's stop flag and waits for the worker to leave.
    image_.reset();
    path_.clear();
}

void ReadAhead::Start(const std::u16string& path) {
    Drop();
    if (FileFormats().FindByExtension(PictureExtension(path)) != &TJPEGImage::Class()) return;
    auto image = std::make_unique<TJPEGImage>();
    try {
        // Shared: a read no user asked for must not keep anyone from the file.
        TFileStream file(path, TFileStream::OpenReadShared);
        image->LoadStream(file);
    } catch (const std::exception&) {
        return;
    }
    if (!Affordable(*image)) return;
    image->DecodeAhead();
    if (!image->DecodingAhead()) return;
    image_ = std::move(image);
    path_ = path;
}

void PixelReuse::operator()(TGraphic& graphic, bool loaded) const {
    auto* jpeg = dynamic_cast<TJPEGImage*>(&graphic);
    const auto* previous = shown ? dynamic_cast<const TJPEGImage*>(shown->Graphic()) : nullptr;
    TJPEGImage* decoded = ahead ? ahead->Image() : nullptr;
    if (!loaded) {
        // The read-ahead's first: a step is onto the file read ahead.
        if (jpeg) jpeg->OfferBytes({decoded, previous});
        return;
    }
    if (jpeg && previous && jpeg->SharePixelsOf(*previous)) return;
    if (!ahead) return;
    if (jpeg && decoded) jpeg->TakeDecodeOf(*decoded);
    ahead->Drop();
}
