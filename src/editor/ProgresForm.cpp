// The small window that shows a message and a bar while the main window saves a container.
#include "editor/ProgresForm.h"

#include "platform/qt/DesktopFont.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QProgressBar>
#include <QWindow>

#include <algorithm>
#include <limits>

TProgressForm::TProgressForm(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("ProgressForm"));
  setWindowTitle(QStringLiteral("Prosím čekejte"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setModal(false);
  setFont(SmallSansFont());
  // Wide enough for the whole title beside the window frame's icon and close box.
  setFixedSize(240, 54);

  Label1 = new QLabel(this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setGeometry(8, 6, 224, 16);

  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
  ProgressBar1->setGeometry(16, 24, 208, 17);
  ProgressBar1->setRange(0, 100);
  ProgressBar1->setValue(0);
  ProgressBar1->setTextVisible(false);
}

void TProgressForm::SetMessage(const std::string &text) {
  Label1->setText(QString::fromStdString(text));
  Label1->repaint();
}

void TProgressForm::SetMax(int64_t max) {
  const int64_t limit = std::numeric_limits<int>::max();
  scale = max > limit ? max / limit + 1 : 1;
  ProgressBar1->setRange(0, static_cast<int>(std::max<int64_t>(max, 0) / scale));
  ProgressBar1->setValue(0);
  ProgressBar1->repaint();
}

void TProgressForm::SetPosition(int64_t position) {
  ProgressBar1->setValue(static_cast<int>(std::clamp<int64_t>(position / scale, 0, ProgressBar1->maximum())));
  ProgressBar1->repaint();
  Label1->repaint();
}

void TProgressForm::Start() {
  show();
  // The window must be mapped before it can paint; let the window system do that, but take no user input.
  QDeadlineTimer deadline(500);
  do
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
  while (windowHandle() && !windowHandle()->isExposed() && !deadline.hasExpired());
  repaint();
}

void TProgressForm::Start(int64_t max) {
  SetMax(max);
  Start();
}
