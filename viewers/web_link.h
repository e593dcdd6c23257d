#pragma once
// The maker's web address, opened in the user's browser by the help menu's
// web command and the about box's link.

extern const char kMakerAddress[];

// Asks the shell to open the address; on failure (a result of 32 or less) the
// error dialog says "Vyskytla sa chyba ".
void OpenMakerAddress();
