// The About box: the program's name, a few words of credits and an OK button.
#include "editor/About.h"

#include "editor/EditorIcons.h"
#include "desktop/DesktopFont.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {
QFrame *LoweredFrame(QWidget *parent, const char *name, QRect geometry) {
  auto *frame = new QFrame(parent);
  frame->setObjectName(QString::fromLatin1(name));
  frame->setFrameShape(QFrame::Panel);
  frame->setFrameShadow(QFrame::Sunken);
  frame->setGeometry(geometry);
  return frame;
}

QLabel *TextLabel(QWidget *parent, const QString &text, QRect geometry) {
  auto *label = new QLabel(text, parent);
  label->setAlignment(Qt::AlignCenter);
  label->setGeometry(geometry);
  return label;
}
} // namespace

TAboutForm::TAboutForm(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("AboutBox"));
  setWindowTitle(QCoreApplication::translate("TAboutForm", "About"));
  setWindowIcon(ProgramIcon());
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(202, 148);
  setFont(SmallSansFont());

  LoweredFrame(this, "Panel1", QRect(24, 3, 154, 30));
  QLabel *name = TextLabel(this, QStringLiteral("TovrikEditor"), QRect(28, 6, 146, 24));
  name->setObjectName(QStringLiteral("ProductName"));
  QFont nameFont(QStringLiteral("Serif"));
  nameFont.setStyleHint(QFont::Serif);
  nameFont.setPointSize(16);
  nameFont.setBold(true);
  name->setFont(nameFont);
  name->setStyleSheet(QStringLiteral("color: #008000;"));

  const QString credits[] = {QCoreApplication::translate("TAboutForm", "Editor kontejnerů médií .tvk"),
                             QCoreApplication::translate("TAboutForm", "obrázky a zvuky pro hry"),
                             QCoreApplication::translate("TAboutForm", "verze 1.0")};
  for (int i = 0; i < 3; ++i)
    TextLabel(this, credits[i], QRect(8, 44 + 18 * i, 186, 16));
  for (int x : {12, 174}) {
    QLabel *symbol = TextLabel(this, QStringLiteral("✦"), QRect(x, 56, 16, 24));
    symbol->setStyleSheet(QStringLiteral("color: #FF0000; font-size: 14pt;"));
  }

  LoweredFrame(this, "Panel2", QRect(56, 108, 90, 36));
  auto *button = new QPushButton(QCoreApplication::translate("TAboutForm", "OK"), this);
  button->setObjectName(QStringLiteral("Button1"));
  button->setGeometry(63, 113, 75, 25);
  button->setDefault(true);
  connect(button, &QPushButton::clicked, this, &TAboutForm::Button1Click);
}

void TAboutForm::Button1Click() { accept(); }

void TAboutForm::closeEvent(QCloseEvent *event) {
  if (isVisible())
    accept();
  QDialog::closeEvent(event);
}
