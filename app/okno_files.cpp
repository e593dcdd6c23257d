// The file commands: new folder, save as, rename and delete.
#include "app/okno.h"

void TOkno::Novprieinok1Click(TObject*) {}

void TOkno::Uloiobrzokako1Click(TObject*) {}

void TOkno::Premenovasbor1Click(TObject*) {}

void TOkno::VymazasborClick(TObject*) {}
