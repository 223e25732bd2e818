// The filter above the grid: "Hledat:" and the field whose text narrows the rows to the entries that match it.
#include "editor/FilterBar.h"

#include "editor/fTovrikEditor.h"
#include "grid/XStringGrid.h"
#include "media/DocumentController.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

TFilterBar::TFilterBar(QWidget *parent, std::function<void(const QString &)> changed, std::function<void()> left)
    : QToolBar(parent), field(new QLineEdit(this)), left(std::move(left)) {
  setObjectName(QStringLiteral("HledatBar"));
  setMovable(false);
  setFloatable(false);
  toggleViewAction()->setVisible(false);
  auto *label = new QLabel(QCoreApplication::translate("TForm1", "&Hledat:"), this);
  label->setBuddy(field);
  label->setContentsMargins(4, 0, 4, 0);
  field->setObjectName(QStringLiteral("Hledat1"));
  field->setClearButtonEnabled(true);
  field->setToolTip(
      QCoreApplication::translate("TForm1", "Zobrazí jen položky, jejichž jméno s příponou obsahuje text (* a ? zastupují znaky)"));
  field->installEventFilter(this);
  addWidget(label);
  addWidget(field);
  connect(field, &QLineEdit::textChanged, this, [changed = std::move(changed)](const QString &text) { changed(text); });
}

void TFilterBar::Focus() {
  field->setFocus(Qt::ShortcutFocusReason);
  field->selectAll();
}

bool TFilterBar::eventFilter(QObject *watched, QEvent *event) {
  if (watched == field && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
    field->clear();
    left();
    return true;
  }
  return QToolBar::eventFilter(watched, event);
}

void TForm1::BuildFilter() {
  filterBar = new TFilterBar(
      this, [this](const QString &text) { Guarded([this, text] { HledatChange(text); }); },
      [this] { KindGrid().setFocus(Qt::OtherFocusReason); });
  addToolBar(Qt::TopToolBarArea, filterBar);
  auto *find = new QAction(this);
  find->setObjectName(QStringLiteral("Hledat2"));
  find->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
  connect(find, &QAction::triggered, filterBar, &TFilterBar::Focus);
  addAction(find);
}

void TForm1::HledatChange(const QString &text) {
  EndEdit();
  Controller().SetFilter(text.toStdString());
  FillKindGrid();
  TXStringGrid &grid = KindGrid();
  const int shown = Controller().ShownCount();
  if (grid.Row() > shown && shown > 0)
    grid.SetRow(shown);
}
