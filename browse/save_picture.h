#pragma once
// Writing a picture over a file without ever losing the file: the picture
// goes to a temporary file beside the target, which replaces the target
// only once the writer has finished.
#include <string>

class TPicture;

// Writes the picture in its own kind's format to `path`, replacing a file
// there. Nothing is written when the picture is empty. When the file cannot
// be written the error is "Cannot create file %s" with `path`; on any error
// an existing file is left exactly as it was and no temporary file stays.
void SavePictureOver(TPicture& picture, const std::u16string& path);

// The name of a not yet existing file in the folder of `path` with the same
// extension (metafiles choose their format by the name), created empty to
// hold the place; "" when none could be made.
std::u16string ReserveTemporaryBeside(const std::u16string& path);
