// Writing the files of the profiles folder: whole or not at all, and a player who cannot
// save is told so once.
#pragma once

#include <functional>
#include <string>

#include "platform/files.h"

// Writes a game path through a temporary file that replaces it only when complete. On
// failure the old file stays and warn_saving_failed is called. 1 on success.
int write_save_file(const std::string& path, const std::function<void(TStream*)>& fill);

// Writes a name as a line. Bytes that end a line when read back (LF, CR, zero) are left
// out: kept, they would shift every field after the name.
void write_name_line(TStream* s, const std::string& name);

// Says once per run on stderr that progress will not be saved.
void warn_saving_failed();
// Lets the next failure be reported again (tests).
void reset_saving_warning();
