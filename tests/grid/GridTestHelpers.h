// Small helpers of the grid tests: showing a window for real input, clicking cells, finding in-place controls.
#pragma once

#include "grid/XStringGrid.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

// Shows the window and makes it the active one, so that focus changes happen as for a user.
inline bool ShowActive(QWidget &window) {
  window.show();
  QApplication::setActiveWindow(&window);
  return QTest::qWaitForWindowActive(&window);
}

inline void ClickCell(TStringGrid *grid, int col, int row, Qt::MouseButton button = Qt::LeftButton) {
  QTest::mouseClick(grid->viewport(), button, {}, grid->CellRect(col, row).center());
}

template <class TControl = QWidget> TControl *Inplace(const TMetaCellEditor *editor) {
  return qobject_cast<TControl *>(editor->InplaceControl());
}

inline QWidget *Focused() { return QApplication::focusWidget(); }
