// The main window's browsing controls and their wiring.
#include "app/okno.h"

#include "app/layout.h"

void TOkno::MoveListsWithToolBar(bool) {}
