// Files and folders dropped on the main window from a file manager.
#include "editor/FileDrops.h"

#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include <algorithm>

namespace {
QStringList LocalFiles(const QMimeData *data) {
  QStringList paths;
  if (!data || !data->hasUrls())
    return paths;
  for (const QUrl &url : data->urls())
    if (url.isLocalFile())
      paths << url.toLocalFile();
  return paths;
}
QStringView WithoutLeadingZeros(QStringView digits) {
  qsizetype first = 0;
  while (first + 1 < digits.size() && digits[first] == QLatin1Char('0'))
    ++first;
  return digits.mid(first);
}

// Name order as a file manager shows it: letters without regard to case, runs of digits by their value, so
// that frame2 comes before frame10.
bool NaturalLess(const QString &a, const QString &b) {
  qsizetype i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (a[i].isDigit() && b[j].isDigit()) {
      const qsizetype startA = i, startB = j;
      while (i < a.size() && a[i].isDigit())
        ++i;
      while (j < b.size() && b[j].isDigit())
        ++j;
      const QStringView digitsA = WithoutLeadingZeros(QStringView(a).mid(startA, i - startA));
      const QStringView digitsB = WithoutLeadingZeros(QStringView(b).mid(startB, j - startB));
      if (digitsA.size() != digitsB.size())
        return digitsA.size() < digitsB.size();
      if (digitsA != digitsB)
        return digitsA < digitsB;
      continue;
    }
    const int order = QString::compare(a.mid(i, 1), b.mid(j, 1), Qt::CaseInsensitive);
    if (order != 0)
      return order < 0;
    ++i;
    ++j;
  }
  if ((a.size() - i) != (b.size() - j))
    return (a.size() - i) < (b.size() - j);
  return a < b;
}
} // namespace

QStringList ExpandDroppedPaths(const QStringList &paths) {
  QStringList files;
  for (const QString &path : paths) {
    if (!QFileInfo(path).isDir()) {
      files << path;
      continue;
    }
    QStringList names = QDir(path).entryList(QDir::Files | QDir::NoDotAndDotDot);
    std::sort(names.begin(), names.end(), NaturalLess);
    for (const QString &name : names)
      files << QDir(path).filePath(name);
  }
  return files;
}

TFileDropFilter::TFileDropFilter(QWidget *window, std::function<void(const QStringList &)> dropped)
    : QObject(window), dropped(std::move(dropped)) {
  setObjectName(QStringLiteral("FileDropFilter"));
  window->setAcceptDrops(true);
  window->installEventFilter(this);
}

bool TFileDropFilter::eventFilter(QObject *watched, QEvent *event) {
  switch (event->type()) {
  case QEvent::DragEnter:
  case QEvent::DragMove: {
    auto *drag = static_cast<QDropEvent *>(event);
    if (drag->source() || LocalFiles(drag->mimeData()).isEmpty())
      drag->ignore();
    else
      drag->acceptProposedAction();
    return true;
  }
  case QEvent::Drop: {
    auto *drop = static_cast<QDropEvent *>(event);
    const QStringList paths = LocalFiles(drop->mimeData());
    if (drop->source() || paths.isEmpty()) {
      drop->ignore();
      return true;
    }
    drop->acceptProposedAction();
    QMetaObject::invokeMethod(this, [this, paths] { dropped(paths); }, Qt::QueuedConnection);
    return true;
  }
  default:
    return QObject::eventFilter(watched, event);
  }
}
