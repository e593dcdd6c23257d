#pragma once
// The width and height that the properties dialog shows, as texts.
#include <string>

class TPicture;

struct PictureSizeText {
    std::string width;   // plain decimal; empty when unknown
    std::string height;
};

PictureSizeText SizeText(const TPicture& picture);

// Reads the file as a picture of the kind its extension names (a JPEG reads
// only its header) and measures it; both texts are empty when it cannot be
// read as a picture.
PictureSizeText MeasurePictureFile(const std::u16string& path);
