// Files and folders dropped on the main window from a file manager.
#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

// The dropped paths in drop order, each folder replaced by its files (not those of its subfolders) in name order.
QStringList ExpandDroppedPaths(const QStringList &paths);

// Accepts drops of local files on the watched window and hands their paths on once the drop has finished, so
// that questions asked about them never hold up the program the files came from. Drags that start in this
// program (rows dragged out of a grid) are not taken back in.
class TFileDropFilter : public QObject {
public:
  TFileDropFilter(QWidget *window, std::function<void(const QStringList &paths)> dropped);

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  std::function<void(const QStringList &)> dropped;
};
