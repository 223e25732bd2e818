// The open-file dialog component: filter, options, initial folder and title kept between runs, the chosen files
// afterwards, and hooks for shown, selection changed and closing. Built on Qt's own (non-native) file dialog.
#pragma once

#include <QFileDialog>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>

enum class TOpenOption : unsigned {
  ofAllowMultiSelect = 1u << 0,
  ofFileMustExist = 1u << 1,
  ofPathMustExist = 1u << 2,
  ofHideReadOnly = 1u << 3,
  ofEnableSizing = 1u << 4,
  ofOldStyleDialog = 1u << 5,
};
Q_DECLARE_FLAGS(TOpenOptions, TOpenOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TOpenOptions)

// The completion list of a file dialog's name box goes with the dialog; left open, it would swallow the next click.
void CloseCompletionListsWhenFinished(QFileDialog &dialog);

class TOpenDialog : public QObject {
public:
  using TNotifyEvent = std::function<void(TOpenDialog &sender)>;

  // The dialog window is a child of owner (which may be null) and lives as long as this component.
  explicit TOpenDialog(QWidget *owner);
  ~TOpenDialog() override;

  // "description|mask|description|mask", masks as "*.BMP;*.JPG"; letter case is ignored when matching.
  QString Filter;
  QString InitialDir;
  // An empty title leaves the platform's default title.
  QString Title;
  TOpenOptions Options = TOpenOption::ofHideReadOnly | TOpenOption::ofEnableSizing;
  // After a confirmed Execute: the full path of the first chosen file, and all chosen files in the dialog's order.
  QString FileName;
  QStringList Files;

  TNotifyEvent OnShow;
  TNotifyEvent OnSelectionChange;
  TNotifyEvent OnClose;

  // Runs the dialog modally; true when the user confirmed a choice.
  virtual bool Execute();

  // The dialog window, for placing extra controls and for tests that drive it.
  QFileDialog &Dialog() const { return *dialog; }
  // The path of the file the user is on in the dialog (focused and selected), or empty when there is none.
  QString CurrentFilePath() const;

protected:
  virtual void DialogShown();
  virtual void SelectionChanged();
  virtual void DialogClosing();

  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  void ApplySettings();
  void NoticeSelection();

  // A child window of owner; whichever of the two goes first takes it along.
  QPointer<QFileDialog> dialog;
  QString appliedInitialDir;
  QString lastSelectedPath;
};
