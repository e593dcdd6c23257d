#include "viewers/image_form2.h"

TImageForm2* ImageForm2 = nullptr;

namespace {
FormSettings WindowSettings() {
    FormSettings s;
    s.caption = "";
    s.left = 236;
    s.top = 119;
    s.clientWidth = 136;
    s.clientHeight = 122;
    s.border = TBorderStyle::bsNone;
    s.color = RGB(0, 0, 0);
    return s;
}
}  // namespace

TImageForm2::TImageForm2() : TForm(WindowSettings()) { ImageForm2 = this; }

TImageForm2::~TImageForm2() {
    if (ImageForm2 == this) ImageForm2 = nullptr;
}
