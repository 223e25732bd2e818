// The main menu as one table: where each entry goes, its caption with its mnemonic, icon, keys, command and when
// it is enabled.
#include "editor/MainMenu.h"

#include "editor/EditorIcons.h"
#include "editor/RecentFilesMenu.h"
#include "editor/fTovrikEditor.h"
#include "media/MediaDocument.h"

#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>

const std::vector<TMenuItem> &MainMenuItems() {
  using P = TMenuPart;
  static const std::vector<TMenuItem> items = {
      {P::Menu, "Soubor1", QT_TRANSLATE_NOOP("TForm1", "&Soubor")},
      {P::Submenu, "Nov1", QT_TRANSLATE_NOOP("TForm1", "Nový"), iconNew},
      {P::Command, "Obrzky1", QT_TRANSLATE_NOOP("TForm1", "Obrázky"), iconImages, QKeySequence(Qt::CTRL | Qt::Key_N),
       &TForm1::Obrzky1Click},
      {P::Command, "Zvuky1", QT_TRANSLATE_NOOP("TForm1", "Zvuky"), iconSounds,
       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N), &TForm1::Zvuky1Click},
      {P::EndSubmenu},
      {P::Command, "Otevt1", QT_TRANSLATE_NOOP("TForm1", "Otevřít"), iconOpen, QKeySequence(Qt::CTRL | Qt::Key_O),
       &TForm1::Otevt1Click},
      {P::RecentFiles},
      {P::Command, "Uloit1", QT_TRANSLATE_NOOP("TForm1", "Uložit"), iconSave, QKeySequence(Qt::CTRL | Qt::Key_S),
       &TForm1::Uloit1Click},
      {P::Command, "UlozitJako1", QT_TRANSLATE_NOOP("TForm1", "Uložit jako…"), iconSave,
       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), &TForm1::UlozitJakoClick},
      {P::Command, "UlozitManifest1", QT_TRANSLATE_NOOP("TForm1", "Uložit manifest…"), -1, {},
       &TForm1::UlozitManifestClick},
      {P::Command, "Exportovat1", QT_TRANSLATE_NOOP("TForm1", "Exportovat…"), -1, {}, &TForm1::ExportovatClick},
      {P::Command, "Zkontrolovat1", QT_TRANSLATE_NOOP("TForm1", "Zkontrolovat"), -1, QKeySequence(Qt::Key_F7),
       &TForm1::ZkontrolovatClick},
      {P::Separator},
      {P::Command, "Pdat1", QT_TRANSLATE_NOOP("TForm1", "Přídat"), iconAdd, QKeySequence(Qt::Key_Insert),
       &TForm1::PridatClick},
      {P::Command, "Odebrat1", QT_TRANSLATE_NOOP("TForm1", "Odebrat"), iconRemove,
       QKeySequence(Qt::CTRL | Qt::Key_Delete), &TForm1::OdebratClick},
      {P::Command, "Nahoru1", QT_TRANSLATE_NOOP("TForm1", "Nahoru"), -1, QKeySequence(Qt::ALT | Qt::Key_Up),
       &TForm1::NahoruClick},
      {P::Command, "Dolu1", QT_TRANSLATE_NOOP("TForm1", "Dolů"), -1, QKeySequence(Qt::ALT | Qt::Key_Down),
       &TForm1::DoluClick},
      {P::Command, "Aktualizovat1", QT_TRANSLATE_NOOP("TForm1", "Aktualizovat"), -1, QKeySequence(Qt::CTRL | Qt::Key_U),
       &TForm1::AktualizovatClick},
      {P::Command, "AktualizovatZmenene1", QT_TRANSLATE_NOOP("TForm1", "Aktualizovat změněné"), -1,
       QKeySequence(Qt::CTRL | Qt::Key_R), &TForm1::AktualizovatZmeneneClick},
      {P::Separator},
      {P::Command, "Konec1", QT_TRANSLATE_NOOP("TForm1", "Konec"), iconExit, QKeySequence(Qt::CTRL | Qt::Key_Q),
       &TForm1::Konec1Click},
      {P::Menu, "Upravy1", QT_TRANSLATE_NOOP("TForm1", "Úpr&avy")},
      {P::Command, "Zpet1", QT_TRANSLATE_NOOP("TForm1", "Zpět"), -1, QKeySequence(Qt::CTRL | Qt::Key_Z),
       &TForm1::ZpetClick, TMenuEnabled::CanUndo},
      {P::Command, "Znovu1", QT_TRANSLATE_NOOP("TForm1", "Znovu"), -1, QKeySequence(Qt::CTRL | Qt::Key_Y),
       &TForm1::ZnovuClick, TMenuEnabled::CanRedo, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
      {P::MenuBarCommand, "Nastaven1", QT_TRANSLATE_NOOP("TForm1", "&Nastavení"), -1, {}, &TForm1::Nastaven1Click},
      {P::Menu, "Zobrazit1", QT_TRANSLATE_NOOP("TForm1", "&Zobrazit")},
      {P::Command, "ZobrazitNahled1", QT_TRANSLATE_NOOP("TForm1", "Zobrazit náhled"), -1, QKeySequence(Qt::Key_F3),
       nullptr, TMenuEnabled::Always, {}, true},
      {P::Command, "ObnovitRozvrzeni1", QT_TRANSLATE_NOOP("TForm1", "Obnovit rozvržení"), -1, {},
       &TForm1::ObnovitRozvrzeniClick},
      {P::Menu, "Npovda1", QT_TRANSLATE_NOOP("TForm1", "Ná&pověda")},
      {P::Command, "Npovda2", QT_TRANSLATE_NOOP("TForm1", "Nápověda"), iconHelp, QKeySequence(Qt::Key_F1),
       &TForm1::Npovda2Click},
      {P::Command, "About1", QT_TRANSLATE_NOOP("TForm1", "About"), iconAbout, {}, &TForm1::About1Click},
  };
  return items;
}

void TForm1::BuildMenu() {
  QMenuBar *bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu1"));
  QMenu *menu = nullptr;
  QMenu *target = nullptr;
  for (const TMenuItem &item : MainMenuItems()) {
    const QString caption = item.Caption ? QCoreApplication::translate("TForm1", item.Caption) : QString();
    QAction *action = nullptr;
    switch (item.Part) {
    case TMenuPart::Menu:
      menu = target = bar->addMenu(caption);
      menu->setObjectName(QString::fromLatin1(item.Name));
      continue;
    case TMenuPart::Submenu:
      target = menu->addMenu(ImageList1(item.Icon), caption);
      target->setObjectName(QString::fromLatin1(item.Name));
      continue;
    case TMenuPart::EndSubmenu: target = menu; continue;
    case TMenuPart::Separator: target->addSeparator(); continue;
    case TMenuPart::RecentFiles:
      target->addMenu(
          new TRecentFilesMenu(target, [this](const QString &path) { Guarded([this, path] { OpenRecentFile(path); }); }));
      continue;
    case TMenuPart::MenuBarCommand: action = bar->addAction(caption); break;
    case TMenuPart::Command: action = target->addAction(caption); break;
    }
    action->setObjectName(QString::fromLatin1(item.Name));
    if (item.Icon >= 0)
      action->setIcon(ImageList1(item.Icon));
    QList<QKeySequence> keys;
    for (const QKeySequence &key : {item.Keys, item.Alternative})
      if (!key.isEmpty())
        keys << key;
    action->setShortcuts(keys);
    action->setCheckable(item.Checkable);
    action->setEnabled(item.Enabled == TMenuEnabled::Always);
    if (const auto command = item.Command)
      connect(action, &QAction::triggered, this, [this, command] { Guarded([this, command] { (this->*command)(); }); });
  }
}

void TForm1::EnableMenu() {
  const TUndoHistory &history = Document().History;
  for (const TMenuItem &item : MainMenuItems())
    if (item.Enabled != TMenuEnabled::Always)
      if (auto *action = findChild<QAction *>(QString::fromLatin1(item.Name)))
        action->setEnabled(item.Enabled == TMenuEnabled::CanUndo ? history.CanUndo() : history.CanRedo());
}
