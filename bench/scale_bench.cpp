// 50,000 entries: opening and listing, adding one file and saving, and the editor's window with its rows
// (offscreen) and its commands. Google Benchmark; run by bench/scale.sh, which prints the figures.
#include "editor/ItemGrids.h"
#include "editor/fTovrikEditor.h"
#include "grid/XStringGrid.h"
#include "media/Container.h"
#include "media/DocumentController.h"
#include "media/ItemColumns.h"
#include "media/MediaDocument.h"
#include "platform/MemoryGrid.h"
#include "platform/Prompt.h"

#include <QApplication>
#include <QLineEdit>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {
constexpr int EntryCount = 50000;

// Answers yes to everything (the extension gate) and keeps errors from blocking.
class TYesPrompt : public TPrompt {
public:
  void ShowError(const std::string &text) override { throw std::runtime_error(text); }
  bool AskYesNo(const std::string &) override { return true; }
};

// The app folder with config.ini, a small sound file and a container of 50,000 entries of it.
struct TScaleFolder {
  std::filesystem::path folder;
  std::string container, sound;
  TScaleFolder() {
    folder = std::filesystem::temp_directory_path() / ("tovrik-scale-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    ::setenv("TOVRIK_HOME", folder.c_str(), 1);
    std::ofstream(folder / "config.ini") << "[SoundFileExts]\nCount=1\nExt0=.WAV\n[ImageFileExts]\nCount=1\nExt0=.BMP\n";
    sound = (folder / "kratky.wav").string();
    std::ofstream(sound) << std::string(200, 's');
    container = (folder / "velky.tvk").string();
    TMediaStream document;
    for (int i = 0; i < EntryCount; ++i)
      document.AddFile(sound, mkSounds);
    SaveContainer(document, mkSounds, container, 2);
  }
  ~TScaleFolder() { std::filesystem::remove_all(folder); }
};

TScaleFolder &Folder() {
  static TScaleFolder folder;
  return folder;
}

void OpenAndList(benchmark::State &state) {
  for (auto _ : state) {
    TMediaStream document;
    LoadContainer(document, Folder().container);
    benchmark::DoNotOptimize(document.List.Count());
  }
}

void AddOneAndSave(benchmark::State &state) {
  const std::string target = (Folder().folder / "pridany.tvk").string();
  for (auto _ : state) {
    TMediaStream document;
    LoadContainer(document, Folder().container);
    document.AddFile(Folder().sound, mkSounds);
    SaveContainer(document, mkSounds, target, 2);
  }
}

void EditorWindowWithRows(benchmark::State &state) {
  for (auto _ : state) {
    TForm1 form({QString::fromStdString(Folder().container)});
    form.show();
    QCoreApplication::processEvents();
    benchmark::DoNotOptimize(form.Document().List.Count());
  }
}

// The window on the container of 50,000 entries, shown, for the commands' runs.
struct TShownForm {
  TForm1 form{QStringList{QString::fromStdString(Folder().container)}};
  TXStringGrid *grid = nullptr;
  TShownForm() {
    form.show();
    QCoreApplication::processEvents();
    grid = form.findChild<TXStringGrid *>(QStringLiteral("XStringGrid2"));
  }
};

// The list of 50,000 entries into a new sounds grid that is not shown: the cells alone.
void GridFill(benchmark::State &state) {
  TMediaStream document;
  LoadContainer(document, Folder().container);
  for (auto _ : state) {
    TXStringGrid grid;
    SetupItemGrid(grid, static_cast<int>(ItemColumns(mkSounds).size()));
    document.List.FillGrid(grid, mkSounds);
    benchmark::DoNotOptimize(grid.RowCount());
  }
}

// The same list again into the grid of the shown window that already shows it, as Add and Aktualizovat refill.
void GridRefill(benchmark::State &state) {
  TShownForm shown;
  for (auto _ : state) {
    shown.form.Document().List.FillGrid(*shown.grid, mkSounds);
    QCoreApplication::processEvents();
  }
}

// Each run is one press of the command on row 2 of 50,000.
void EditorCommand(benchmark::State &state, void (TForm1::*command)()) {
  TShownForm shown;
  TForm1 &form = shown.form;
  TXStringGrid *grid = shown.grid;
  for (auto _ : state) {
    grid->SetRow(2);
    (form.*command)();
    QCoreApplication::processEvents();
  }
}

void CellEdit(benchmark::State &state) {
  TShownForm shown;
  TForm1 &form = shown.form;
  TXStringGrid *grid = shown.grid;
  int value = 0;
  // The text an in-place editor writes back when its edit ends, and from the cell into the entry.
  for (auto _ : state) {
    grid->SetEditText(4, 2, QString::number(++value % 1000));
    QCoreApplication::processEvents();
  }
  const auto &entry = static_cast<const TSoundFileItem &>(*form.Document().List.Items().at(1));
  if (entry.Frequency != value % 1000)
    state.SkipWithError("the edit did not reach its entry");
}

void Remove(benchmark::State &state) {
  TShownForm shown;
  TForm1 &form = shown.form;
  for (auto _ : state) {
    form.Controller().ToggleMarks({2});
    form.OdebratClick();
    QCoreApplication::processEvents();
  }
}
// Each run is one keystroke in the filter over 50,000 entries of names of their own (zvuk0 … zvuk49999): typing
// "zvuk123" and erasing it again, so the runs go from all rows shown to a few and back. With worst, every other
// keystroke brings all rows back after a few: the dearest single keystroke.
void FilterKeystroke(benchmark::State &state, bool worst) {
  TShownForm shown;
  TForm1 &form = shown.form;
  const auto &entries = form.Document().List.Items();
  for (std::size_t i = 0; i < entries.size(); ++i)
    entries[i]->Name = "zvuk" + std::to_string(i);
  form.HledatChange(QString());
  auto *field = form.findChild<QLineEdit *>(QStringLiteral("Hledat1"));
  const QString typed = QStringLiteral("zvuk123");
  std::vector<QString> keystrokes;
  if (worst)
    keystrokes = {typed, QString()};
  for (qsizetype length = 1; !worst && length <= typed.size(); ++length)
    keystrokes.push_back(typed.left(length));
  for (qsizetype length = typed.size() - 1; !worst && length >= 0; --length)
    keystrokes.push_back(typed.left(length));
  std::size_t next = 0;
  for (auto _ : state) {
    field->setText(keystrokes[next]);
    next = (next + 1) % keystrokes.size();
    QCoreApplication::processEvents();
  }
  if (shown.grid->Cells(0, 1).isEmpty())
    state.SkipWithError("the filter showed no rows");
}
// The recovery journal's cost of one change to 50,000 entries: the change through the controller, its record and
// the write that puts it on disk (appended and fdatasync'ed), as the editor's timer does after every change. The
// counter JournalBytes is what each change adds to the journal.
void JournalPerChange(benchmark::State &state, bool move) {
  TDocumentController controller;
  controller.Open(Folder().container);
  const auto &entries = controller.Document().List.Items();
  for (std::size_t i = 0; i < entries.size(); ++i)
    entries[i]->Name = "zvuk" + std::to_string(i); // entries of their own: a move of equal ones is no change
  TMemoryGrid grid(static_cast<int>(ItemColumns(mkSounds).size()), EntryCount + 1);
  controller.FillView(grid);
  controller.Add({Folder().sound}); // the journal's file is there before the first measured change
  controller.FlushJournal();
  const auto journalSize = [&] { return std::filesystem::file_size(controller.JournalPath()); };
  const auto before = journalSize();
  int value = 0;
  for (auto _ : state) {
    if (move) {
      controller.MoveDown(grid, 2);
      controller.FillViewRow(grid, 2);
      controller.FillViewRow(grid, 3);
    } else {
      grid.SetCell(4, 2, std::to_string(++value % 1000));
      controller.CommitRow(grid, 2);
    }
    controller.FlushJournal();
  }
  state.counters["JournalBytes"] =
      static_cast<double>(journalSize() - before) / static_cast<double>(std::max<int64_t>(state.iterations(), 1));
}
} // namespace

BENCHMARK(OpenAndList)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(AddOneAndSave)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(GridFill)->Unit(benchmark::kMillisecond)->MinTime(1);
BENCHMARK(GridRefill)->Unit(benchmark::kMillisecond)->MinTime(1);
BENCHMARK(EditorWindowWithRows)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK_CAPTURE(EditorCommand, Nahoru, &TForm1::NahoruClick)->Unit(benchmark::kMillisecond)->MinTime(1);
BENCHMARK_CAPTURE(EditorCommand, Dolu, &TForm1::DoluClick)->Unit(benchmark::kMillisecond)->MinTime(1);
BENCHMARK(Remove)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(CellEdit)->Unit(benchmark::kMillisecond)->MinTime(1);
BENCHMARK_CAPTURE(FilterKeystroke, Typing, false)->Unit(benchmark::kMillisecond)->Iterations(28);
BENCHMARK_CAPTURE(FilterKeystroke, AllRowsBack, true)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK_CAPTURE(JournalPerChange, CellEdit, false)->Unit(benchmark::kMillisecond)->Iterations(200);
BENCHMARK_CAPTURE(JournalPerChange, Move, true)->Unit(benchmark::kMillisecond)->Iterations(200);

int main(int argc, char **argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication application(argc, argv);
  TYesPrompt prompt;
  SetPrompt(&prompt);
  Folder();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  SetPrompt(nullptr);
  return 0;
}
