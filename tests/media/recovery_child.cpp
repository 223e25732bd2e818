// A scripted editor without a window for the recovery tests: it edits a document through the controller, writes
// its recovery journal as the editor's timer does, reports on stdout and lives until it is killed.
//   recovery_child edits CONTAINER EXPECTED FILE...  opens CONTAINER, adds the FILEs, removes the first entry,
//       moves the new first entry down, edits attribute cells (one of them undone and redone), writes the journal,
//       writes what it shows as the container EXPECTED (beside the document, which stays unsaved), prints "ready".
//   recovery_child storm CONTAINER FILE...  opens CONTAINER, then adds the FILEs round after round, writing the
//       journal after each and printing the entry count.
#include "media/Container.h"
#include "media/DocumentController.h"
#include "media/ItemColumns.h"
#include "platform/MemoryGrid.h"

#include <chrono>
#include <cstdio>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

namespace {
void EditCell(TDocumentController &controller, int col, int row, const std::string &text) {
  TMemoryGrid grid(static_cast<int>(ItemColumns(controller.Kind()).size()), controller.ShownCount() + 1);
  controller.FillView(grid);
  grid.SetCell(col, row, text);
  controller.CommitRow(grid, row);
}

int Edits(TDocumentController &controller, const std::string &expected, const std::vector<std::string> &files) {
  controller.Add(files);
  controller.ToggleMarks({1});
  controller.Remove();
  TMemoryGrid grid(static_cast<int>(ItemColumns(controller.Kind()).size()), controller.ShownCount() + 1);
  controller.FillView(grid);
  controller.MoveDown(grid, 1);
  EditCell(controller, FirstAttributeColumn + 2, 1, "16");
  EditCell(controller, FirstAttributeColumn + 3, 2, "24");
  EditCell(controller, FirstAttributeColumn + 4, controller.ShownCount(), "3");
  controller.Undo();
  controller.Redo();
  controller.FlushJournal();
  SaveContainer(controller.Document(), controller.Kind(), expected, 0);
  std::cout << "ready" << std::endl;
  for (;;)
    std::this_thread::sleep_for(std::chrono::hours(1));
}

int Storm(TDocumentController &controller, const std::vector<std::string> &files) {
  for (;;) {
    controller.Add(files);
    controller.FlushJournal();
    std::cout << controller.ShownCount() << std::endl;
  }
}
} // namespace

int main(int argc, char *argv[]) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  if (arguments.size() < 3)
    return 2;
  TDocumentController controller;
  if (!controller.Open(arguments[1]))
    return 1;
  if (arguments[0] == "edits" && arguments.size() >= 4)
    return Edits(controller, arguments[2], {arguments.begin() + 3, arguments.end()});
  if (arguments[0] == "storm")
    return Storm(controller, {arguments.begin() + 2, arguments.end()});
  return 2;
}
