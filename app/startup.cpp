#include "app/startup.h"

#include <windows.h>

#include <memory>

#include "app/okno.h"
#include "browse/new_dir.h"
#include "browse/premenuj.h"
#include "browse/vymazat.h"
#include "picture/kinds.h"
#include "ui/application.h"
#include "viewers/about_box.h"
#include "viewers/image_form.h"
#include "viewers/image_form2.h"
#include "viewers/vlastnosti.h"

namespace {
// The windows a user reaches only through the main one, in their order.
struct LaterForms {
    std::unique_ptr<TAboutBox> aboutBox;
    std::unique_ptr<TImageForm> imageForm;
    std::unique_ptr<TVlastnosti> vlastnosti;
    std::unique_ptr<TImageForm2> imageForm2;
    std::unique_ptr<TVymazat> vymazat;
    std::unique_ptr<TPremenuj> premenuj;
    std::unique_ptr<TNewDir> newDir;

    void Create() {
        aboutBox = std::make_unique<TAboutBox>();
        imageForm = std::make_unique<TImageForm>();
        vlastnosti = std::make_unique<TVlastnosti>();
        imageForm2 = std::make_unique<TImageForm2>();
        imageForm2->DoCreate();
        vymazat = std::make_unique<TVymazat>();
        premenuj = std::make_unique<TPremenuj>();
        newDir = std::make_unique<TNewDir>();
    }
};
}  // namespace

int RunLumeno(int showCommand, const std::function<void()>& shown) {
    RegisterPictureKinds();
    TApplication app;
    app.Initialize();
    app.SetTitle("Korvel Lumeno");

    auto okno = std::make_unique<TOkno>();
    okno->DoCreate();
    // Made once the main window has painted, before any input is handled:
    // a user sees the window sooner by the time they take.
    LaterForms later;
    app.OnMainShown = [&] {
        if (shown) shown();
        later.Create();
    };
    app.Run(showCommand);
    return 0;
}
