#include "viewers/picture_size.h"

#include <exception>

#include "picture/picture.h"

PictureSizeText SizeText(const TPicture& picture) {
    return PictureSizeText{std::to_string(picture.Width()), std::to_string(picture.Height())};
}

PictureSizeText MeasurePictureFile(const std::u16string& path) {
    TPicture probe;
    try {
        probe.LoadFile(path);
    } catch (const std::exception&) {
        // Unreadable as a picture: the dialog shows no size rather than
        // another picture's.
        return PictureSizeText{};
    }
    return SizeText(probe);
}
