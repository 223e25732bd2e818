// The commands of the main window: new, open, save, add, remove, move, update, settings, help, About, exit.
#include "editor/fTovrikEditor.h"

#include "editor/About.h"
#include "platform/Prompt.h"
#include "platform/qt/Shell.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>

#include <cstdlib>

namespace {
// The executable's folder; TOVRIK_HOME replaces it for tests and portable installs.
std::string AppFolderPath() {
  if (const char *home = std::getenv("TOVRIK_HOME"); home && *home)
    return home;
  return QCoreApplication::applicationDirPath().toStdString();
}
} // namespace

void TForm1::FormCreate(const QStringList &arguments) {
  const QString folder = QString::fromStdString(AppFolderPath());
  SaveDialog1->setDirectory(folder);
  OpenDialog2->setDirectory(folder);

  const QString argument = arguments.value(0);
  const QFileInfo file(argument);
  if (!argument.isEmpty() && file.isFile() && argument.toUpper().endsWith(QStringLiteral(".TVK")))
    Guarded([&] { LoadContainer(argument.toStdString()); });
  else
    Obrzky1Click();
}

void TForm1::Obrzky1Click() {
  mediaKind = 0;
  SetStatus(QStringLiteral(" Obrázkový soubor"), QString());
}

void TForm1::Zvuky1Click() {
  mediaKind = 1;
  SetStatus(QStringLiteral(" Zvukový soubor"), QString());
}

void TForm1::Otevt1Click() {}
void TForm1::LoadContainer(const std::string &) {}
void TForm1::Uloit1Click() {}
void TForm1::PridatClick() {}
void TForm1::OdebratClick() {}
void TForm1::NahoruClick() {}
void TForm1::DoluClick() {}
void TForm1::AktualizovatClick() {}
void TForm1::Nastaven1Click() {}

void TForm1::Npovda2Click() {
  const std::string page = AppFolderPath() + "/help/index.html";
  if (QFileInfo(QString::fromStdString(page)).isFile())
    ShellOpenDocument(page);
  else
    Prompt().ShowError("Nenalezen soubor s nápovědou!");
}

void TForm1::About1Click() {
  TAboutForm about(this);
  about.exec();
}

void TForm1::Konec1Click() { close(); }

void TForm1::FormClose() {}
