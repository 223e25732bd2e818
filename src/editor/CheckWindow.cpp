// "Zkontrolovat": the window listing every problem the check found, from which a double click goes to the entry.
#include "editor/CheckWindow.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int positionRole = Qt::UserRole;
}

TCheckWindow::TCheckWindow(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("CheckWindow"));
  setWindowTitle(QCoreApplication::translate("TCheckWindow", "Kontrola"));
  auto *layout = new QVBoxLayout(this);
  summary = new QLabel(this);
  summary->setObjectName(QStringLiteral("CheckSummary"));
  list = new QTreeWidget(this);
  list->setObjectName(QStringLiteral("CheckList"));
  list->setRootIsDecorated(false);
  list->setHeaderLabels({QCoreApplication::translate("TCheckWindow", "Pozice"),
                         QCoreApplication::translate("TCheckWindow", "Jméno"),
                         QCoreApplication::translate("TCheckWindow", "Problém")});
  list->header()->setStretchLastSection(true);
  auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  layout->addWidget(summary);
  layout->addWidget(list, 1);
  layout->addWidget(buttons);
  resize(640, 300);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
  connect(list, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) {
    if (OnGoTo)
      OnGoTo(item->data(0, positionRole).toInt());
  });
}

void TCheckWindow::ShowLines(const std::vector<TCheckLine> &lines) {
  list->clear();
  int problems = 0;
  const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
  const QIcon note = style()->standardIcon(QStyle::SP_MessageBoxInformation);
  for (const TCheckLine &line : lines) {
    auto *item = new QTreeWidgetItem(list, {QString::number(line.Position + 1), line.Name, line.Text});
    item->setData(0, positionRole, line.Position);
    item->setIcon(0, line.Note ? note : warning);
    item->setToolTip(2, line.Text);
    problems += line.Note ? 0 : 1;
  }
  list->resizeColumnToContents(0);
  list->resizeColumnToContents(1);
  if (lines.empty())
    summary->setText(QCoreApplication::translate("TCheckWindow", "Běhové prostředí přijme všechny položky."));
  else
    summary->setText(QCoreApplication::translate("TCheckWindow", "Problémů: %1, poznámek: %2. Dvojklik přejde na položku.")
                         .arg(problems)
                         .arg(static_cast<int>(lines.size()) - problems));
  if (list->topLevelItemCount() > 0)
    list->setCurrentItem(list->topLevelItem(0));
}
