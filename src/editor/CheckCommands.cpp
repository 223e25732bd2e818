// Will the runtime accept the pack: the check runs shortly after the entries change (never inside a keystroke),
// a few entries at a time, marks the rows with problems, names them in the entry preview, and "Zkontrolovat"
// lists them all.
#include "editor/fTovrikEditor.h"

#include "desktop/Shell.h"
#include "editor/CheckWindow.h"
#include "editor/FilterBar.h"
#include "editor/ItemGrids.h"
#include "grid/XStringGrid.h"
#include "media/DocumentController.h"
#include "media/ItemColumns.h"
#include "media/MediaDocument.h"
#include "platform/CodePage.h"
#include "preview/EntryPreview.h"

#include <QLineEdit>
#include <QTimer>

namespace {
// One round of the check takes at most this long before the window handles input again.
constexpr int64_t checkRoundMs = 40;
// After a change, the check waits this long for the next one: typing in a row does not start it each time.
constexpr int checkDelayMs = 150;

QString TextOf(const std::string &utf8) { return QString::fromStdString(utf8); }
} // namespace

void TForm1::BuildCheck() {
  checkTimer = new QTimer(this);
  checkTimer->setSingleShot(true);
  checkTimer->setInterval(checkDelayMs);
  connect(checkTimer, &QTimer::timeout, this, [this] { Guarded([this] { CheckRound(); }); });
  connect(this, &TForm1::DocumentChanged, checkTimer, qOverload<>(&QTimer::start));
}

void TForm1::CheckRound() {
  const int left = Controller().CheckEntries(checkRoundMs);
  ShowProblemMarks();
  if (EntryPreview1 && !EntryPreview1->isHidden())
    EntryPreview1->ShowProblems(ProblemTexts(Controller().PositionOfRow(KindGrid().Row())));
  if (checkWindow)
    checkWindow->ShowLines(CheckLines());
  if (left > 0)
    checkTimer->start(0);
}

void TForm1::ShowProblemMarks() {
  TXStringGrid &grid = KindGrid();
  for (int row = grid.FixedRows(); row < grid.RowCount(); ++row) {
    auto flag = TXStringGrid::TRowFlag::None;
    if (const int position = Controller().PositionOfRow(row); position >= 0)
      for (const TEntryProblem &problem : Controller().StateAt(position).Problems)
        flag = IsNote(problem) && flag != TXStringGrid::TRowFlag::Problem ? TXStringGrid::TRowFlag::Note
                                                                            : TXStringGrid::TRowFlag::Problem;
    grid.SetRowFlag(row, flag);
  }
}

QStringList TForm1::ProblemTexts(int position) {
  QStringList texts;
  for (const TEntryProblem &problem : Controller().StateAt(position).Problems)
    texts << TextOf(ProblemText(problem));
  return texts;
}

std::vector<TCheckLine> TForm1::CheckLines() {
  std::vector<TCheckLine> lines;
  const auto &items = Document().List.Items();
  for (const TFoundProblem &found : Controller().Problems()) {
    const TFileListItem &entry = *items[static_cast<std::size_t>(found.Position)];
    lines.push_back({found.Position, TextOf(Cp1250ToUtf8(entry.Name) + entry.Ext.Utf8()),
                     TextOf(ProblemText(found.Problem)), IsNote(found.Problem)});
  }
  return lines;
}

void TForm1::ZkontrolovatClick() {
  EndEdit();
  {
    TBusyCursor busy;
    Controller().CheckEntries();
  }
  ShowProblemMarks();
  if (!checkWindow) {
    checkWindow = new TCheckWindow(this);
    checkWindow->setAttribute(Qt::WA_DeleteOnClose);
    checkWindow->OnGoTo = [this](int position) { Guarded([this, position] { GoToEntry(position); }); };
  }
  checkWindow->ShowLines(CheckLines());
  checkWindow->show();
  checkWindow->raise();
  checkWindow->activateWindow();
}

void TForm1::GoToEntry(int position) {
  if (position >= Document().List.Count())
    return;
  // An entry the filter hides is shown by emptying the filter.
  if (Controller().RowOfPosition(position) < 0)
    filterBar->Field().clear();
  const int row = Controller().RowOfPosition(position);
  if (row < 0)
    return;
  TXStringGrid &grid = KindGrid();
  SetCurrentCell(grid, FirstAttributeColumn, row);
  activateWindow();
  grid.setFocus(Qt::OtherFocusReason);
}
