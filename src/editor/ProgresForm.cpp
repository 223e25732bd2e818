// The small window that shows a message, a bar and "Přerušit" while the main window saves or opens a container.
#include "editor/ProgresForm.h"

#include "desktop/DesktopFont.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QWindow>

#include <algorithm>
#include <limits>

namespace {
std::chrono::milliseconds showDelay{400};
// Often enough for the bar to move smoothly and a click to be answered at once, rarely enough to cost nothing.
constexpr qint64 pumpIntervalMs = 40;
} // namespace

TProgressForm::TProgressForm(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("ProgressForm"));
  setWindowTitle(QCoreApplication::translate("TProgressForm", "Prosím čekejte"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setWindowModality(Qt::ApplicationModal);
  setFont(SmallSansFont());
  // Wide enough for the whole title beside the window frame's icon and close box.
  setFixedSize(240, 84);

  Label1 = new QLabel(this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setGeometry(8, 6, 224, 16);

  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
  ProgressBar1->setGeometry(16, 24, 208, 17);
  ProgressBar1->setRange(0, 100);
  ProgressBar1->setValue(0);
  ProgressBar1->setTextVisible(false);

  Peruit1 = new QPushButton(QCoreApplication::translate("TProgressForm", "Přerušit"), this);
  Peruit1->setObjectName(QStringLiteral("Peruit1"));
  Peruit1->setGeometry(82, 50, 75, 25);
  Peruit1->setAutoDefault(false);
  connect(Peruit1, &QPushButton::clicked, this, [this] { RequestCancel(); });
  started.start();
  sincePump.start();
}

std::chrono::milliseconds TProgressForm::ShowDelay() { return showDelay; }

void TProgressForm::SetShowDelay(std::chrono::milliseconds delay) { showDelay = delay; }

void TProgressForm::SetMessage(const std::string &text) {
  Label1->setText(QString::fromStdString(text));
  Pump(true);
}

void TProgressForm::SetMax(int64_t max) {
  const int64_t limit = std::numeric_limits<int>::max();
  scale = max > limit ? max / limit + 1 : 1;
  ProgressBar1->setRange(0, static_cast<int>(std::max<int64_t>(max, 0) / scale));
  ProgressBar1->setValue(0);
  Pump(true);
}

void TProgressForm::SetPosition(int64_t position) {
  ProgressBar1->setValue(static_cast<int>(std::clamp<int64_t>(position / scale, 0, ProgressBar1->maximum())));
  Pump(position / scale >= ProgressBar1->maximum());
}

void TProgressForm::Start() { Pump(true); }

void TProgressForm::Start(int64_t max) {
  SetMax(max);
  Start();
}

void TProgressForm::Pump(bool force) {
  if (!force && sincePump.elapsed() < pumpIntervalMs)
    return;
  sincePump.restart();
  if (!isVisible() && started.elapsed() >= showDelay.count()) {
    show();
    // The window must be mapped before it can paint; the window system needs a moment for that.
    QDeadlineTimer deadline(500);
    do
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    while (windowHandle() && !windowHandle()->isExposed() && !deadline.hasExpired());
  }
  if (!isVisible())
    return;
  repaint();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TProgressForm::RequestCancel() {
  cancelRequested = true;
  Peruit1->setEnabled(false);
}

// Esc and the close box stop the work; the window itself goes when the work has ended.
void TProgressForm::reject() { RequestCancel(); }

void TProgressForm::closeEvent(QCloseEvent *event) {
  RequestCancel();
  event->ignore();
}
