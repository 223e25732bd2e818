// The open-file dialog component: filter, options, initial folder and title kept between runs, the chosen files
// afterwards, and hooks for shown, selection changed and closing. Built on Qt's own (non-native) file dialog.
#include "desktop/OpenDialog.h"

#include "desktop/FileFilter.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QEvent>
#include <QFileSystemModel>
#include <QListView>

void CloseCompletionListsWhenFinished(QFileDialog &dialog) {
  QObject::connect(&dialog, &QDialog::finished, &dialog, [&dialog] {
    for (QCompleter *completer : dialog.findChildren<QCompleter *>())
      if (completer->popup())
        completer->popup()->hide();
  });
}

TOpenDialog::TOpenDialog(QWidget *owner) : QObject(owner), dialog(new QFileDialog(owner)) {
  dialog->setObjectName("OpenDialog");
  dialog->setOption(QFileDialog::DontUseNativeDialog, true);
  dialog->setAcceptMode(QFileDialog::AcceptOpen);
  dialog->installEventFilter(this);
  connect(dialog, &QFileDialog::currentChanged, this, [this] { NoticeSelection(); });
  // The list and detail views share one selection model; a change of selection without a change of the
  // focused item (typing a name, Ctrl+click) must update the hooks too.
  if (auto *list = dialog->findChild<QListView *>("listView"); list && list->selectionModel())
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { NoticeSelection(); });
  connect(dialog, &QDialog::finished, this, [this] { DialogClosing(); });
  CloseCompletionListsWhenFinished(*dialog);
}

TOpenDialog::~TOpenDialog() {
  if (!dialog)
    return;
  dialog->removeEventFilter(this);
  disconnect(dialog, nullptr, this, nullptr);
  delete dialog.data();
}

bool TOpenDialog::Execute() {
  ApplySettings();
  lastSelectedPath.clear();
  if (dialog->exec() != QDialog::Accepted)
    return false;
  Files = dialog->selectedFiles();
  FileName = Files.isEmpty() ? QString() : Files.first();
  return !Files.isEmpty();
}

void TOpenDialog::ApplySettings() {
  ApplyFileFilter(*dialog, Filter);
  // The folder the user last browsed to is kept between runs, unless the caller names another one.
  if (InitialDir != appliedInitialDir) {
    dialog->setDirectory(InitialDir);
    appliedInitialDir = InitialDir;
  }
  dialog->setWindowTitle(Title.isEmpty() ? QFileDialog::tr("Open") : Title);
  const bool mustExist = Options.testFlag(TOpenOption::ofFileMustExist);
  if (Options.testFlag(TOpenOption::ofAllowMultiSelect))
    dialog->setFileMode(QFileDialog::ExistingFiles);
  else
    dialog->setFileMode(mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog->setSizeGripEnabled(Options.testFlag(TOpenOption::ofEnableSizing));
}

QString TOpenDialog::CurrentFilePath() const {
  auto *list = dialog->findChild<QListView *>("listView");
  if (!list || !list->selectionModel())
    return {};
  const QItemSelectionModel &selection = *list->selectionModel();
  const QModelIndex current = selection.currentIndex();
  if (current.isValid() && selection.isSelected(current))
    return current.data(QFileSystemModel::FilePathRole).toString();
  const QModelIndexList rows = selection.selectedRows();
  return rows.isEmpty() ? QString() : rows.first().data(QFileSystemModel::FilePathRole).toString();
}

void TOpenDialog::NoticeSelection() {
  // The focus and the selection often change together; the hook runs once per new file.
  const QString path = CurrentFilePath();
  if (path == lastSelectedPath)
    return;
  lastSelectedPath = path;
  SelectionChanged();
}

void TOpenDialog::DialogShown() {
  if (OnShow)
    OnShow(*this);
}

void TOpenDialog::SelectionChanged() {
  if (OnSelectionChange)
    OnSelectionChange(*this);
}

void TOpenDialog::DialogClosing() {
  if (OnClose)
    OnClose(*this);
}

bool TOpenDialog::eventFilter(QObject *watched, QEvent *event) {
  if (event->type() == QEvent::Show && watched == dialog)
    DialogShown();
  return QObject::eventFilter(watched, event);
}
