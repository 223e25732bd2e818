// The main window TForm1: its frame (menu, buttons, status bar, dialogs) and how it lays them out.
#include "editor/fTovrikEditor.h"

#include "config/ExtList.h"
#include "editor/fConfig.h"
#include "editor/About.h"
#include "editor/ColumnWidths.h"
#include "editor/EditorIcons.h"
#include "editor/HelpWindow.h"
#include "editor/ItemGrids.h"
#include "grid/XStringGrid.h"
#include "media/DocumentController.h"
#include "media/MediaDocument.h"
#include "platform/AppFolder.h"
#include "platform/Exceptions.h"
#include "platform/Prompt.h"
#include "desktop/DesktopFont.h"
#include "desktop/FileFilter.h"
#include "desktop/OpenDialog.h"
#include "preview/OpenPreview.h"

#include <QCloseEvent>
#include <QShowEvent>
#include <QCoreApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

#include <algorithm>
#include <exception>
#include <functional>

namespace {
// The client area at design size holds the grid (200 high) above the button row; the buttons' top is
// 47 pixels above the bottom of the client area, of which the status bar takes 19.
constexpr int designClientWidth = 704;
constexpr int designAreaHeight = 228;
constexpr int buttonRowFromBottom = 28;
constexpr int buttonWidth = 75;
constexpr int buttonHeight = 25;

// The client area only reports its size changes to the window.
class TClientArea : public QWidget {
public:
  TClientArea(QWidget *parent, std::function<void()> resized) : QWidget(parent), resized(std::move(resized)) {}

protected:
  void resizeEvent(QResizeEvent *) override { resized(); }

private:
  std::function<void()> resized;
};

// list with its "Default" entry replaced by text; the entries of other languages stay.
QStringList WithDefault(QStringList list, const QString &text) {
  const QString entry = QStringLiteral("Default=") + text;
  for (QString &line : list)
    if (line.section(QLatin1Char('='), 0, 0).compare(QStringLiteral("Default"), Qt::CaseInsensitive) == 0) {
      line = entry;
      return list;
    }
  list.prepend(entry);
  return list;
}
} // namespace

TForm1::TForm1(const QStringList &arguments, QWidget *parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("TovrikEditor"));
  setWindowIcon(ProgramIcon());
  setFont(SmallSansFont());

  clientArea = new TClientArea(this, [this] { PlaceControls(); });
  clientArea->setObjectName(QStringLiteral("ClientArea"));
  setCentralWidget(clientArea);
  BuildMenu();
  BuildButtons();
  BuildStatusBar();
  BuildDialogs();
  BuildGrids();
  BuildUndo();
  BuildWorkflow();
  BuildPreview();
  BuildFilter();
  BuildCheck();
  BuildRecovery();

  FitClientArea();
  FormCreate(arguments);
}

TForm1::~TForm1() = default;

void TForm1::Guarded(const std::function<void()> &command) {
  try {
    command();
  } catch (const EAbort &) {
    // the user cancelled the work in the progress window: nothing to report
  } catch (const std::exception &error) {
    Prompt().ShowError(error.what());
  }
}

void TForm1::BuildButtons() {
  auto addButton = [this](const char *name, const QString &caption, const QString &tip, void (TForm1::*command)()) {
    auto *button = new QPushButton(caption, clientArea);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(tip);
    button->resize(buttonWidth, buttonHeight);
    connect(button, &QPushButton::clicked, this, [this, command] { Guarded([this, command] { (this->*command)(); }); });
    return button;
  };
  Pridat = addButton("Pridat", QCoreApplication::translate("TForm1", "Přidat"),
                     QCoreApplication::translate("TForm1", "Přidat soubory na konec seznamu"), &TForm1::PridatClick);
  Odebrat = addButton(
      "Odebrat", QCoreApplication::translate("TForm1", "Odebrat"),
      QCoreApplication::translate("TForm1", "Odebrat položky označené hvězdičkou (označíte je klepnutím na jméno)"),
      &TForm1::OdebratClick);
  Nahoru =
      addButton("Nahoru", QCoreApplication::translate("TForm1", "Nahoru"),
                QCoreApplication::translate("TForm1", "Posunout aktuální položku o místo výš"), &TForm1::NahoruClick);
  Dolu = addButton("Dolu", QCoreApplication::translate("TForm1", "Dolů"),
                   QCoreApplication::translate("TForm1", "Posunout aktuální položku o místo níž"), &TForm1::DoluClick);
  Aktualizovat = addButton("Aktualizovat", QCoreApplication::translate("TForm1", "Aktualizovat"),
                           QCoreApplication::translate("TForm1", "Nahradit data aktuální položky jiným souborem"),
                           &TForm1::AktualizovatClick);
}

void TForm1::BuildStatusBar() {
  QStatusBar *bar = statusBar();
  bar->setObjectName(QStringLiteral("StatusBar1"));
  bar->setSizeGripEnabled(true);
  statusKind = new QLabel(bar);
  statusKind->setObjectName(QStringLiteral("StatusPanel0"));
  statusKind->setFixedWidth(120);
  statusFile = new QLabel(bar);
  statusFile->setObjectName(QStringLiteral("StatusPanel1"));
  // The file panel is 80 pixels as designed but takes the rest of the bar, so that paths stay readable.
  statusFile->setMinimumWidth(80);
  for (QLabel *panel : {statusKind, statusFile})
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  bar->addWidget(statusKind);
  bar->addWidget(statusFile, 1);
}

void TForm1::BuildDialogs() {
  SaveDialog1 = new QFileDialog(this);
  SaveDialog1->setObjectName(QStringLiteral("SaveDialog1"));
  SaveDialog1->setOption(QFileDialog::DontUseNativeDialog);
  SaveDialog1->setAcceptMode(QFileDialog::AcceptSave);
  SaveDialog1->setFileMode(QFileDialog::AnyFile);
  SaveDialog1->setDefaultSuffix(QStringLiteral("tvk"));
  ApplyFileFilter(*SaveDialog1, QStringLiteral("Tovrik|*.tvk"));
  CloseCompletionListsWhenFinished(*SaveDialog1);

  OpenDialog2 = new TOpenDialog(this);
  OpenDialog2->setObjectName(QStringLiteral("OpenDialog2"));
  OpenDialog2->Dialog().setObjectName(QStringLiteral("OpenDialog2"));
  OpenDialog2->Filter = QCoreApplication::translate("TForm1", "Tovrik|*.tvk|Manifest|*.toml|Všechny soubory|*.*");
  OpenDialog2->Options = TOpenOption::ofPathMustExist | TOpenOption::ofFileMustExist | TOpenOption::ofHideReadOnly |
                         TOpenOption::ofEnableSizing;

  OpenPreviewDialog1 = new TOpenPreviewDialog(this);
  OpenPreviewDialog1->setObjectName(QStringLiteral("OpenPreviewDialog1"));
  OpenPreviewDialog1->Dialog().setObjectName(QStringLiteral("OpenPreviewDialog1"));
  OpenPreviewDialog1->Options = TOpenOption::ofAllowMultiSelect | TOpenOption::ofFileMustExist |
                                TOpenOption::ofHideReadOnly | TOpenOption::ofEnableSizing;
  OpenPreviewDialog1->SetShowPreviewButtonHints(
      WithDefault(OpenPreviewDialog1->ShowPreviewButtonHints(),
                  QCoreApplication::translate("TForm1", "Zapnutí / vypnutí náhledu")));
  OpenPreviewDialog1->SetNoPreviewTexts(WithDefault(OpenPreviewDialog1->NoPreviewTexts(),
                                                    QCoreApplication::translate("TForm1", "Náhled není k dispozici")));
  OpenPreviewDialog1->SetPreviewCaptions(
      WithDefault(OpenPreviewDialog1->PreviewCaptions(), QCoreApplication::translate("TForm1", "Náhled:")));
  OpenPreviewDialog1->SetScaleHints(
      WithDefault(OpenPreviewDialog1->ScaleHints(), QCoreApplication::translate("TForm1", "Přizpůsobit oknu")));
  OpenPreviewDialog1->SetWordWrapHints(
      WithDefault(OpenPreviewDialog1->WordWrapHints(), QCoreApplication::translate("TForm1", "Zalamování řádků")));
  OpenPreviewDialog1->SetShowPreview(true);
  OpenPreviewDialog1->SetWordWrapAndScale(true);

  ColorDialog1 = new QColorDialog(this);
  ColorDialog1->setObjectName(QStringLiteral("ColorDialog1"));
  ColorDialog1->setOption(QColorDialog::DontUseNativeDialog);
}

void TForm1::PlaceControls() {
  const int buttonTop = clientArea->height() - buttonRowFromBottom;
  for (TXStringGrid *grid : {XStringGrid1, XStringGrid2})
    grid->setGeometry(0, 0, clientArea->width(), buttonTop);
  const int xs[] = {2, 77, 152, 227, 328};
  QPushButton *buttons[] = {Pridat, Odebrat, Nahoru, Dolu, Aktualizovat};
  for (int i = 0; i < 5; ++i)
    buttons[i]->move(xs[i], buttonTop);
  FormResize();
}

void TForm1::FormResize() {
  for (TMediaKind kind : {mkImages, mkSounds})
    WidenNameColumn(GridOfKind(kind), kind);
}

void TForm1::Nastaven1Click() {
  TConfigForm settings(this);
  settings.ShowSettings(ImageExtList(), SoundExtList());
  Document().Conversion = ReadConversionSettings();
}

void TForm1::Npovda2Click() {
  const QString page = FindHelpPage(QCoreApplication::applicationDirPath());
  if (page.isEmpty()) {
    Prompt().ShowError(QCoreApplication::translate("TForm1", "Nenalezen soubor s nápovědou!").toStdString());
    return;
  }
  if (!helpWindow)
    helpWindow = new THelpWindow(page, this);
  helpWindow->show();
  helpWindow->raise();
  helpWindow->activateWindow();
}

void TForm1::About1Click() {
  TAboutForm about(this);
  about.exec();
}

void TForm1::Konec1Click() { close(); }

void TForm1::FitClientArea() {
  // The menu bar and the status bar take what the desktop's fonts and style make them take, and the preview pane
  // its width beside them; the area between them keeps its design size, and the window may narrow by 8 pixels
  // but never become lower.
  layout()->activate();
  const int frameHeight = height() - clientArea->height();
  const int frameWidth = width() - clientArea->width();
  resize(std::max(clientArea->width(), designClientWidth) + frameWidth, designAreaHeight + frameHeight);
  setMinimumSize(designClientWidth - 8 + frameWidth, designAreaHeight + frameHeight);
}

void TForm1::showEvent(QShowEvent *event) {
  // Styles settle the bars' heights only when the window is first shown, just before it appears.
  if (!event->spontaneous() && !fittedOnShow) {
    fittedOnShow = true;
    FitClientArea();
    RestoreLayout();
  }
  QMainWindow::showEvent(event);
}

void TForm1::closeEvent(QCloseEvent *event) {
  bool mayClose = false;
  if (!saving)
    Guarded([this, &mayClose] { mayClose = MayDropDocument(); });
  if (!mayClose) {
    event->ignore();
    return;
  }
  if (fittedOnShow)
    Guarded([this] { SaveLayout(); });
  FormClose();
  event->accept();
}
