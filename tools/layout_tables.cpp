// Prints the layout tables of the program's windows for the end-to-end
// scripts, from the same headers the program is built from: one line per
// control, "WINDOW CONTROL left top width height" (the box in its parent's
// client area; a table's first line is the window itself).
#include <cstdio>

#include "app/okno_layout.h"
#include "browse/new_dir.h"
#include "browse/premenuj.h"
#include "browse/vymazat.h"
#include "viewers/about_box.h"
#include "viewers/image_form.h"
#include "viewers/image_form2.h"
#include "viewers/vlastnosti.h"

namespace {
template <std::size_t N>
void Print(const Placement (&table)[N]) {
    for (const Placement& p : table)
        std::printf("%.*s %.*s %d %d %d %d\n", int(table[0].name.size()), table[0].name.data(), int(p.name.size()),
                    p.name.data(), p.box.left, p.box.top, p.box.width, p.box.height);
}
}  // namespace

int main() {
    Print(kOknoLayout);
    Print(kNewDirLayout);
    Print(kPremenujLayout);
    Print(kVymazatLayout);
    Print(kAboutBoxLayout);
    Print(kVlastnostiLayout);
    Print(kImageFormLayout);
    Print(kImageForm2Layout);
    std::fflush(stdout);
    return 0;
}
