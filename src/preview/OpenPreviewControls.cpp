// The controls of the preview strip: the caption strip with its two toggles above the bordered preview pane,
// placed in a column of its own to the right of the file dialog's standard controls.
#include "preview/OpenPreview.h"

#include "preview/LocalizedList.h"
#include "preview/PreviewImage.h"

#include <QGridLayout>
#include <QLabel>
#include <QResizeEvent>
#include <QScrollArea>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int ButtonSize = 22;
constexpr int CaptionHeight = 32;
// The strip is 134 dialog units wide: the width of the child template beside the standard controls.
constexpr int StripWidthInDialogUnits = 134;

// The caption strip: caption centred, the show-preview toggle at its left edge and the word-wrap toggle flush with
// its right edge, both vertically centred.
class TCaptionPanel : public QLabel {
public:
  using QLabel::QLabel;

protected:
  void resizeEvent(QResizeEvent *event) override {
    QLabel::resizeEvent(event);
    const int top = (height() - ButtonSize) / 2;
    if (auto *wordWrap = findChild<QToolButton *>("FWordWrapButton"))
      wordWrap->move(width() - ButtonSize, top);
    if (auto *showPreview = findChild<QToolButton *>("FShowPreviewButton"))
      showPreview->move(0, top);
  }
};

QToolButton *CreateToggle(QWidget *parent, const QString &name) {
  auto *button = new QToolButton(parent);
  button->setObjectName(name);
  button->setFixedSize(ButtonSize, ButtonSize);
  button->setCheckable(true);
  button->setIconSize(QSize(18, 18));
  return button;
}

} // namespace

void TOpenPreviewDialog::CreateControls() {
  QFileDialog &dialog = Dialog();
  auto *strip = new QWidget(&dialog);
  strip->setObjectName("PreviewStrip");
  strip->setFixedWidth(StripWidthInDialogUnits * dialog.fontMetrics().averageCharWidth() / 4);
  auto *stripLayout = new QVBoxLayout(strip);
  stripLayout->setContentsMargins(2, 0, 0, 0);
  stripLayout->setSpacing(1);

  PreviewBox = new QScrollArea(strip);
  PreviewBox->setObjectName("PreviewBox");
  PreviewBox->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  PreviewBox->setBackgroundRole(QPalette::Button);
  PreviewBox->setWidgetResizable(true);
  auto *pane = new QWidget;
  pane->setObjectName("PreviewPane");
  auto *paneLayout = new QGridLayout(pane);
  paneLayout->setContentsMargins(0, 0, 0, 0);
  FPreviewText = new QTextEdit(pane);
  FPreviewText->setObjectName("FPreviewText");
  FPreviewText->setReadOnly(true);
  FPreviewText->setFrameShape(QFrame::NoFrame);
  FPreviewText->setTabChangesFocus(true);
  FPreviewText->setUndoRedoEnabled(false);
  FPreviewText->installEventFilter(this);
  FPreviewImage = new TPreviewImage(pane);
  FPreviewImage->OnDrawFailed = [this] { PictureDrawFailed(); };
  paneLayout->addWidget(FPreviewText, 0, 0);
  paneLayout->addWidget(FPreviewImage, 0, 0);
  PreviewBox->setWidget(pane);

  CaptionPanel = new TCaptionPanel(LocalizedText(FPreviewCaptions), strip);
  CaptionPanel->setObjectName("CaptionPanel");
  CaptionPanel->setAlignment(Qt::AlignCenter);
  CaptionPanel->setFrameShape(QFrame::NoFrame);
  CaptionPanel->setFixedHeight(CaptionHeight);
  FWordWrapButton = CreateToggle(CaptionPanel, "FWordWrapButton");
  FShowPreviewButton = CreateToggle(CaptionPanel, "FShowPreviewButton");
  connect(FWordWrapButton, &QToolButton::clicked, this, [this] { ApplyWordWrapAndScale(); });
  connect(FShowPreviewButton, &QToolButton::clicked, this, [this] { ShowPreviewButtonClick(); });

  stripLayout->addWidget(CaptionPanel);
  stripLayout->addWidget(PreviewBox, 1);

  // The standard controls keep their grid; the strip takes a column of its own to their right.
  if (auto *grid = qobject_cast<QGridLayout *>(dialog.layout()))
    grid->addWidget(strip, 0, grid->columnCount(), grid->rowCount(), 1);
  else if (dialog.layout())
    dialog.layout()->addWidget(strip);
}
