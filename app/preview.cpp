// The preview pane: selecting a file previews it in one of two sizing modes.
#include "app/okno.h"

#include "ui/application.h"

void TOkno::KlikniNaSubor() {}

void TOkno::Open1Click(TObject*) {}

void TOkno::DolnyPosuvakScroll(TObject*, WORD, int&) {}

void TOkno::HornyPosuvakChange(TObject*) {}

void TOkno::ResetScrolling() {
    HorzScrollUnit = 8;
    VertScrollUnit = 8;
    DolnyPosuvak->SetPosition(0);
    HornyPosuvak->SetPosition(0);
    DolnyPosuvak->SetMin(0);
    HornyPosuvak->SetMin(0);
    UpdateScrollRanges();
    DolnyPosuvak->SetLargeChange((DolnyPosuvak->Max() + HorzScrollUnit - 1) / HorzScrollUnit);
    HornyPosuvak->SetLargeChange((HornyPosuvak->Max() + VertScrollUnit - 1) / VertScrollUnit);
    DolnyPosuvak->Show();
    HornyPosuvak->Show();
}

void TOkno::UpdateScrollRanges() {
    DolnyPosuvak->SetMax(0);
    HornyPosuvak->SetMax(0);
}
