// The file commands: new folder, save as, rename and delete.
#include "app/okno.h"
#include "browse/file_commands.h"

void TOkno::Novprieinok1Click(TObject*) { CreateFolderCommand(*Dir); }

void TOkno::Uloiobrzokako1Click(TObject*) { SavePictureCommand(UlozObr, Image->Picture()); }

void TOkno::Premenovasbor1Click(TObject*) { RenameFileCommand(*files); }

void TOkno::VymazasborClick(TObject*) { DeleteFileCommand(*files); }
