// The main window TForm1: the menu, the two item grids, the five buttons, the status bar and every command.
#pragma once

#include <QMainWindow>

#include <cstdint>
#include <functional>
#include <string>

class QAction;
class QFileDialog;
class QLabel;
class QPushButton;
class QStatusBar;

class TForm1 : public QMainWindow {
public:
  // arguments are the program's command-line arguments after its name; the first may name a container.
  explicit TForm1(const QStringList &arguments = {}, QWidget *parent = nullptr);
  ~TForm1() override;

  // Commands, as the menu and the buttons run them.
  void Obrzky1Click();
  void Zvuky1Click();
  void Otevt1Click();
  void Uloit1Click();
  void PridatClick();
  void OdebratClick();
  void NahoruClick();
  void DoluClick();
  void AktualizovatClick();
  void Nastaven1Click();
  void Npovda2Click();
  void About1Click();
  void Konec1Click();

  // Shared by Open and start-up: replaces the document with the container at path.
  void LoadContainer(const std::string &path);

  // 0 = images, 1 = sounds.
  uint8_t MediaKind() const { return mediaKind; }

protected:
  void closeEvent(QCloseEvent *event) override;

private:
  void FormCreate(const QStringList &arguments);
  void FormClose();
  void FormResize();
  void PlaceControls();

  void BuildMenu();
  void BuildButtons();
  void BuildStatusBar();
  void BuildDialogs();
  void SetStatus(const QString &kindText, const QString &fileText);

  // Runs a command; an exception ends it and is shown in the error box, the window stays usable.
  void Guarded(const std::function<void()> &command);

  uint8_t mediaKind = 0;

  QWidget *clientArea = nullptr;
  QPushButton *Pridat = nullptr;
  QPushButton *Odebrat = nullptr;
  QPushButton *Nahoru = nullptr;
  QPushButton *Dolu = nullptr;
  QPushButton *Aktualizovat = nullptr;
  QLabel *statusKind = nullptr;
  QLabel *statusFile = nullptr;
  QFileDialog *SaveDialog1 = nullptr;
  QFileDialog *OpenDialog2 = nullptr;
};
