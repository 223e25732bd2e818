// The folders the file dialogs start in, kept in config.ini's section "DialogFolders".
#include "config/DialogFolders.h"

#include "platform/AppFolder.h"
#include "platform/IniFile.h"

namespace {
const char *const section = "DialogFolders";

const char *Key(TDialogFolder kind) {
  switch (kind) {
  case TDialogFolder::Pictures: return "Pictures";
  case TDialogFolder::Sounds: return "Sounds";
  case TDialogFolder::Containers: break;
  }
  return "Containers";
}
} // namespace

std::string ReadDialogFolder(TDialogFolder kind) { return TIniFile(ConfigIniPath()).ReadString(section, Key(kind), ""); }

void WriteDialogFolder(TDialogFolder kind, const std::string &folder) {
  TIniFile ini(ConfigIniPath());
  // Nothing is written when nothing changed: adding files does not rewrite config.ini every time.
  if (ini.ReadString(section, Key(kind), "") != folder)
    ini.WriteString(section, Key(kind), folder);
}
