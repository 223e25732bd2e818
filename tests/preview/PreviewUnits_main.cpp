// Runs the preview's non-dialog unit tests (RTF, text decoding, localised lists, language ids, file filters, the
// entry preview's frame grid, zoom and mask).
#include <QApplication>
#include <QTest>

int RunRtfTextTests(int argc, char **argv);
int RunLocalizedListTests(int argc, char **argv);
int RunFileFilterTests(int argc, char **argv);
int RunFrameGridTests(int argc, char **argv);

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  int failures = 0;
  failures += RunRtfTextTests(argc, argv);
  failures += RunLocalizedListTests(argc, argv);
  failures += RunFileFilterTests(argc, argv);
  failures += RunFrameGridTests(argc, argv);
  return failures == 0 ? 0 : 1;
}
