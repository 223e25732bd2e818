// The filter above the grid: "Hledat:" and the field whose text narrows the rows to the entries that match it.
#pragma once

#include <QToolBar>

#include <functional>

class QLineEdit;

class TFilterBar : public QToolBar {
public:
  // changed runs with the field's text after every change; left runs when Escape has emptied the field and the
  // user goes back to the grid.
  TFilterBar(QWidget *parent, std::function<void(const QString &text)> changed, std::function<void()> left);
  QLineEdit &Field() const { return *field; }
  // Ctrl+F: the cursor goes into the field, its text selected.
  void Focus();

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  QLineEdit *field;
  std::function<void()> left;
};
