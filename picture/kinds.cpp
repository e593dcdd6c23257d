#include "picture/kinds.h"

#include "picture/bitmap.h"
#include "picture/formats.h"
#include "picture/jpeg_image.h"
#include "picture/icon.h"
#include "picture/metafile.h"

// The registry's order is the start-up order: wmf, emf, ico, bmp, then
// the JPEG kind's jpeg and jpg (later entries win a lookup). Each kind adds
// itself with one line below, in that order, through a function in its own
// file that calls RegisterFormat:
//   picture/metafile.h  RegisterMetafileKind(): "wmf" "Metafiles", "emf" "Enhanced Metafiles"
//   picture/icon.h      RegisterIconKind():     "ico" "Icons"
//   picture/jpeg_image.h RegisterJpegKind():    "jpeg", "jpg" "JPEG Image File"
void RegisterPictureKinds() {
    static bool done = false;
    if (done) return;
    done = true;
    RegisterMetafileKind();
    RegisterIconKind();
    RegisterFormat("bmp", "Bitmaps", TBitmap::Class());
    RegisterJpegKind();
}
