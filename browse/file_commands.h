#pragma once
// The file-operation commands of the main window, given what they work on,
// so that they need nothing of the main window itself.
class TDirectoryListBox;
class TFileListBox;
class TPicture;
class TSaveDialog;

// Asks for a name (NewDir) and creates that folder in the folder list's
// folder; a refusal is an EInOutError and nothing is refreshed.
void CreateFolderCommand(TDirectoryListBox& dir);

// Asks for a file name (the save dialog) and writes the picture there.
void SavePictureCommand(TSaveDialog& dialog, TPicture& picture);

// Renames (or moves, by a relative path) the selected file after asking for
// the new name (Premenuj). The list is read again; a refusal is then raised
// as the EInOutError of the platform's code.
void RenameFileCommand(TFileListBox& files);

// Deletes the selected file for good after the confirmation (Vymazat). The
// list is read again; a refusal is then raised as an EInOutError.
void DeleteFileCommand(TFileListBox& files);
