// The main window's own commands: creation, view toggles, printer set-up,
// exit, about box and the web page.
#include "app/okno.h"

#include "app/layout.h"
#include "ui/application.h"
#include "viewers/about_box.h"
#include "viewers/taskbar.h"
#include "viewers/web_link.h"

void TOkno::FormCreate(TObject*) {
    ShowTaskbar(true);
    ResetScrolling();
}

void TOkno::Exit1Click(TObject*) { Close(); }

void TOkno::ZobrIkoClick(TObject*) {
    ZobrIko->SetChecked(!ZobrIko->Checked());
    IkonyPanel->SetVisible(ZobrIko->Checked());
    MoveListsWithToolBar(ZobrIko->Checked());
}

void TOkno::AutoSizeClick(TObject*) {
    AutoSize->SetChecked(true);
    FullSize->SetChecked(false);
    KlikniNaSubor();
}

void TOkno::FullSizeClick(TObject*) {
    FullSize->SetChecked(true);
    AutoSize->SetChecked(false);
    KlikniNaSubor();
}

void TOkno::FullScreenClick(TObject*) { FullScreen->SetChecked(!FullScreen->Checked()); }

void TOkno::Tlai1Click(TObject*) {}

void TOkno::Nastavenietlae1Click(TObject*) { PrintSetup.Execute(); }

void TOkno::OprogrameTarnikLumeno1Click(TObject*) { AboutBox->ShowModal(); }

void TOkno::TarniksoftwarevsietiWWW1Click(TObject*) { OpenMakerAddress(); }
