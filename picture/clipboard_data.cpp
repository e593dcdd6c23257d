#include "picture/clipboard_data.h"

#include <utility>

ClipboardData::ClipboardData(UINT format, HANDLE data, Palette palette)
    : format_(format), data_(data), palette_(std::move(palette)) {}

ClipboardData::~ClipboardData() { Free(); }

ClipboardData::ClipboardData(ClipboardData&& other) noexcept
    : format_(std::exchange(other.format_, 0)), data_(std::exchange(other.data_, nullptr)),
      palette_(std::move(other.palette_)) {}

ClipboardData& ClipboardData::operator=(ClipboardData&& other) noexcept {
    if (this == &other) return *this;
    Free();
    format_ = std::exchange(other.format_, 0);
    data_ = std::exchange(other.data_, nullptr);
    palette_ = std::move(other.palette_);
    return *this;
}

void ClipboardData::Hand() {
    if (format_ && data_ && SetClipboardData(format_, data_)) data_ = nullptr;
    if (palette_ && SetClipboardData(CF_PALETTE, palette_.get())) palette_.release();
}

void ClipboardData::Free() {
    if (!data_) return;
    if (format_ == CF_ENHMETAFILE)
        DeleteEnhMetaFile(static_cast<HENHMETAFILE>(data_));
    else if (format_ == CF_BITMAP || format_ == CF_PALETTE)
        DeleteObject(data_);
    else
        GlobalFree(data_);
    data_ = nullptr;
}
