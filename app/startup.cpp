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

int RunLumeno(int showCommand, const std::function<void()>& shown) {
    RegisterPictureKinds();
    TApplication app;
    app.Initialize();
    app.SetTitle("Korvel Lumeno");

    auto okno = std::make_unique<TOkno>();
    okno->DoCreate();
    auto aboutBox = std::make_unique<TAboutBox>();
    auto imageForm = std::make_unique<TImageForm>();
    auto vlastnosti = std::make_unique<TVlastnosti>();
    auto imageForm2 = std::make_unique<TImageForm2>();
    imageForm2->DoCreate();
    auto vymazat = std::make_unique<TVymazat>();
    auto premenuj = std::make_unique<TPremenuj>();
    auto newDir = std::make_unique<TNewDir>();

    app.OnMainShown = shown;
    app.Run(showCommand);
    return 0;
}
