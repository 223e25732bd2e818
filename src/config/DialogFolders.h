// The folders the file dialogs start in, kept in config.ini's section "DialogFolders": where the user last took a
// picture, a sound, or opened or saved a container.
#pragma once

#include <string>

enum class TDialogFolder { Pictures, Sounds, Containers };

// The remembered folder (UTF-8), or empty when there is none.
std::string ReadDialogFolder(TDialogFolder kind);
// Throws EIniFileException when config.ini cannot be written.
void WriteDialogFolder(TDialogFolder kind, const std::string &folder);
