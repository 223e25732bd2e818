// The TovrikEditor program: starts the toolkit, shows the main window and runs the event loop.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[]) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Tovrik Editor"));
  window.resize(640, 480);
  window.show();
  return app.exec();
}
