// "Zkontrolovat": the window listing every problem the check found, from which a double click goes to the entry.
#pragma once

#include <QDialog>

#include <functional>
#include <vector>

class QLabel;
class QTreeWidget;

struct TCheckLine {
  int Position = 0; // zero-based
  QString Name;     // with its extension
  QString Text;
  bool Note = false;
};

class TCheckWindow : public QDialog {
public:
  explicit TCheckWindow(QWidget *parent);
  // Lists the lines in their order, replacing what was listed.
  void ShowLines(const std::vector<TCheckLine> &lines);
  // A line was double-clicked (or Enter pressed on it): the entry at this zero-based position.
  std::function<void(int position)> OnGoTo;

private:
  QTreeWidget *list = nullptr;
  QLabel *summary = nullptr;
};
