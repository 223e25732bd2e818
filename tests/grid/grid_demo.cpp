// Shows the image-like grid with one editor open, for a screenshot under Xvfb: grid_demo [combo|edit|spin].
#include "ImageGridForm.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

int main(int argc, char *argv[]) {
  QApplication app(argc, argv);
  TImageGridForm form;
  form.Fill(6);
  form.Grid->SetCells(0, 3, "* obrazek3 & spol.");
  form.show();
  const QString which = argc > 1 ? QString(argv[1]) : QString("edit");
  const int col = which == "combo" ? 3 : which == "spin" ? 6 : 4;
  QTimer::singleShot(200, [&form, col] {
    QApplication::setActiveWindow(&form);
    form.Grid->setFocus();
    // A click opens the column's editor on row 2.
    QTest::mouseClick(form.Grid->viewport(), Qt::LeftButton, {}, form.Grid->CellRect(col, 2).center());
  });
  return app.exec();
}
