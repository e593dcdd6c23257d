// Opening the selected file in a viewer, the copy command and properties.
#include "app/okno.h"

void TOkno::DvojKlikniNaSubor() {}

void TOkno::Koprova1Click(TObject*) {}

void TOkno::Vlastnosti1Click(TObject*) {}
