#include "viewers/image_form.h"

TImageForm* ImageForm = nullptr;

namespace {
FormSettings WindowSettings() {
    FormSettings s;
    s.caption = "";
    s.left = 259;
    s.top = 109;
    s.clientWidth = 179;
    s.clientHeight = 173;
    s.border = TBorderStyle::bsToolWindow;
    return s;
}
}  // namespace

TImageForm::TImageForm() : TForm(WindowSettings()) { ImageForm = this; }

TImageForm::~TImageForm() {
    if (ImageForm == this) ImageForm = nullptr;
}
