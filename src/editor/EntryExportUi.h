// Exporting entries from the window: the folder question, the progress window, and rows dragged out as files.
#pragma once

#include <QObject>
#include <QPoint>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QMimeData;
class QTemporaryDir;
class QWidget;
class TMediaStream;
class TXStringGrid;

// The folder dialog "Exportovat do složky", starting in start; empty when cancelled.
QString ChooseExportFolder(QWidget *parent, const QString &start);
// Writes the entries at positions (all when empty) into folder, with the progress window over parent and the
// question Ano / Ne / Ano všem / Zrušit for each file that exists; failures are thrown.
void ExportInto(QWidget *parent, TMediaStream &document, const std::vector<int> &positions, const QString &folder);

// Rows dragged from the name, extension or size cells out of a grid become files in a temporary folder, handed
// to the drop target as file URLs. A press on a name cell that turns into a drag leaves its removal mark as it was.
class TRowDragger : public QObject {
public:
  // rowsOf gives the entry positions a drag from a row carries; document gives the document at drag time.
  TRowDragger(TXStringGrid &grid, std::function<std::vector<int>(int row)> rowsOf,
              std::function<TMediaStream &()> document);
  ~TRowDragger() override;
  // The data of a drag of these entries: their files written into a fresh temporary folder.
  QMimeData *ExportForDrag(const std::vector<int> &positions);
  // Runs the drag; tests replace it to look at the data instead of starting a real drag.
  std::function<void(QMimeData *data)> Drag;

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  TXStringGrid &grid;
  std::function<std::vector<int>(int)> rowsOf;
  std::function<TMediaStream &()> document;
  std::unique_ptr<QTemporaryDir> folder;
  QPoint pressPos;
  int pressRow = -1;
  QString nameBeforePress;
};
