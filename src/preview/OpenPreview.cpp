// The open-file dialog with a preview strip to the right of the standard controls: pictures, text (RTF formatted),
// wave files (their type, while the sound plays) and other files' types, with captions in the user's language.
#include "preview/OpenPreview.h"

#include "pictures/Pictures.h"
#include "desktop/FileTypes.h"
#include "desktop/Sound.h"
#include "preview/AnsiText.h"
#include "preview/Glyphs.h"
#include "preview/LocalizedList.h"
#include "preview/PreviewImage.h"
#include "preview/RtfText.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QResizeEvent>
#include <QScrollArea>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolButton>
#include <QToolTip>

#include <cmath>

namespace {

// A text file larger than this is previewed from its beginning only.
constexpr qint64 MaxPreviewTextBytes = 4 * 1024 * 1024;
const QString TextExtensions = "txt rtf ini inf bat log pas dpr dpk";

QString ExtensionOf(const QString &path) {
  const QString name = QFileInfo(path).fileName();
  const qsizetype dot = name.lastIndexOf('.');
  return dot < 0 ? QString() : name.mid(dot + 1).toLower();
}

// The mask "*.bmp;*.ico;..." read as "bmp", "ico", ...: each mask without its leading "*.".
QStringList ExtensionsOfMask(QString mask) {
  QStringList extensions;
  while (!mask.isEmpty()) {
    qsizetype p = mask.indexOf(';') + 1;
    if (p == 0)
      p = 999;
    extensions << mask.mid(2, p - 3);
    mask.remove(0, p);
  }
  return extensions;
}

} // namespace

TOpenPreviewDialog::TOpenPreviewDialog(QWidget *owner, const QString &languageId)
    : TOpenDialog(owner), FLanguageId(languageId), FPrimaryLanguageId(PrimaryLanguageId(languageId)) {
  FPreviewExtensions = ExtensionsOfMask(TPictureRegistry::FileMask());
  FPreviewExtensions << "txt" << "ini" << "inf" << "bat" << "log" << "pas" << "dpr" << "dpk" << "rtf" << "wav";
  FShowPreviewButtonHints = DefaultShowPreviewButtonHints();
  FNoPreviewTexts = DefaultNoPreviewTexts();
  FPreviewCaptions = DefaultPreviewCaptions();
  FScaleHints = DefaultScaleHints();
  FWordWrapHints = DefaultWordWrapHints();
  CreateControls();
  SetShowPreview(true);
  SetWordWrapAndScale(true);
}

void TOpenPreviewDialog::SetShowPreviewButtonHints(const QStringList &list) {
  FShowPreviewButtonHints = list;
  FShowPreviewButton->setToolTip(LocalizedText(list));
}

void TOpenPreviewDialog::SetPreviewCaptions(const QStringList &list) {
  FPreviewCaptions = list;
  CaptionPanel->setText(LocalizedText(list));
}

void TOpenPreviewDialog::SetShowPreview(bool value) {
  if (value == FShowPreview)
    return;
  FShowPreview = value;
  FShowPreviewButton->setChecked(value);
}

void TOpenPreviewDialog::SetWordWrapAndScale(bool value) {
  if (value == FWordWrapAndScale)
    return;
  FWordWrapAndScale = value;
  FWordWrapButton->setChecked(value);
}

QString TOpenPreviewDialog::LocalizedText(const QStringList &list) const {
  return ::LocalizedText(list, FLanguageId, FPrimaryLanguageId);
}

bool TOpenPreviewDialog::Execute() {
  Options &= ~TOpenOptions(TOpenOption::ofOldStyleDialog);
  if (const QString title = LocalizedText(FTitles); !title.isEmpty())
    Title = title;
  return TOpenDialog::Execute();
}

void TOpenPreviewDialog::DialogShown() {
  TOpenDialog::DialogShown();
  FWordWrapButton->setChecked(FWordWrapAndScale);
  FShowPreviewButton->setIcon(Glyph("SHOWPREVIEWBUTTON"));
  FShowPreviewButton->setIconSize(QSize(16, 16));
  FShowPreviewButton->setToolTip(LocalizedText(FShowPreviewButtonHints));
  FShowPreviewButton->setChecked(FShowPreview);
  UpdatePreview();
}

void TOpenPreviewDialog::SelectionChanged() {
  TOpenDialog::SelectionChanged();
  UpdatePreview();
}

void TOpenPreviewDialog::DialogClosing() {
  QToolTip::hideText();
  PlayWaveAsync(QString());
  TOpenDialog::DialogClosing();
}

// The pane follows the dialog's size: a message shown alone is centred again for the new height.
bool TOpenPreviewDialog::eventFilter(QObject *watched, QEvent *event) {
  if (watched == FPreviewText && event->type() == QEvent::Resize && !FCenteredMessage.isEmpty() &&
      static_cast<QResizeEvent *>(event)->oldSize().height() != FPreviewText->height()) {
    const QString message = FCenteredMessage;
    FPreviewText->clear();
    CenterMessage(message);
    FPreviewText->setLineWrapMode(FWordWrapAndScale ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
  }
  return TOpenDialog::eventFilter(watched, event);
}

void TOpenPreviewDialog::UpdatePreview() {
  PlayWaveAsync(QString());
  FPreviewImage->Reset();
  FPreviewImage->show();
  ResetPreviewText();

  const QString path = CurrentFilePath();
  FCurrentExtension = ExtensionOf(path);
  bool previewed = false;
  if (QFileInfo(path).isFile() && FShowPreviewButton->isChecked())
    previewed = PreviewFile(path);
  if (!previewed)
    CenterMessage(LocalizedText(FNoPreviewTexts));

  ShowPane(TextLineCount() > 0);
  PreviewBox->update();
  CaptionPanel->setText(LocalizedText(FPreviewCaptions));
}

void TOpenPreviewDialog::ResetPreviewText() {
  FCenteredMessage.clear();
  FPreviewText->clear();
  FPreviewText->setFont(PreviewBox->font());
  FPreviewText->setAlignment(Qt::AlignLeft);
  FPreviewText->setCurrentCharFormat(QTextCharFormat());
  FPreviewText->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  FPreviewText->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  FPreviewText->show();
}

// Failures of a custom handler or of a loader only mean "no preview": they are dropped without a message.
bool TOpenPreviewDialog::PreviewFile(const QString &path) {
  const QString &ext = FCurrentExtension;
  if (CustomPreviewExtensions.contains(ext, Qt::CaseInsensitive) && OnPreview) {
    FCenteredMessage.clear();
    try {
      OnPreview(*this, ext);
      return true;
    } catch (...) {
      return false;
    }
  }
  if (!FPreviewExtensions.contains(ext, Qt::CaseInsensitive)) {
    const std::optional<QString> description = FileTypeDescription(path);
    if (!description || description->trimmed().isEmpty())
      return false;
    CenterMessage(description->trimmed());
    return true;
  }
  if (TPictureRegistry::FileMask().contains(ext, Qt::CaseInsensitive)) {
    try {
      FPreviewImage->LoadPicture(path);
      return true;
    } catch (const std::exception &) {
      return false;
    }
  }
  if (TextExtensions.contains(ext, Qt::CaseInsensitive))
    return LoadText(path);
  if (ext == "wav") {
    const std::optional<QString> description = FileTypeDescription(path);
    if (!description)
      return false;
    CenterMessage(*description);
    PlayWaveAsync(path);
    return true;
  }
  return false;
}

bool TOpenPreviewDialog::LoadText(const QString &path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    return false;
  QByteArray bytes = file.read(MaxPreviewTextBytes);
  // A cut may split a UTF-8 character: drop its start rather than read the whole file as Windows-1250.
  for (int dropped = 0; file.size() > bytes.size() && dropped < 3 && !bytes.isEmpty() &&
                        static_cast<unsigned char>(bytes.back()) >= 0x80;
       ++dropped)
    bytes.chop(1);
  if (LooksLikeRtf(bytes)) {
    QTextCursor cursor(FPreviewText->document());
    cursor.setCharFormat(FPreviewText->currentCharFormat());
    InsertRtf(cursor, bytes);
  } else {
    FPreviewText->setPlainText(DecodeTextFile(bytes));
  }
  return true;
}

// Lines of the text view, a last empty line not counted.
int TOpenPreviewDialog::TextLineCount() const {
  const QTextDocument &document = *FPreviewText->document();
  int lines = document.blockCount();
  if (document.lastBlock().text().isEmpty())
    --lines;
  return lines;
}

void TOpenPreviewDialog::CenterMessage(const QString &text) {
  FPreviewText->setLineWrapMode(QTextEdit::WidgetWidth);
  const QFont font = FPreviewText->currentCharFormat().font();
  const int dpi = FPreviewText->logicalDpiY();
  const double points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / dpi;
  const int lineHeight = std::max(1, static_cast<int>(std::lround(points * dpi / 72.0)));
  const int n = ((FPreviewText->height() - 4) / lineHeight) / 2;

  // Lines of exactly the height the count assumes, so that the text does land about halfway down.
  QTextBlockFormat centred;
  centred.setAlignment(Qt::AlignHCenter);
  centred.setLineHeight(lineHeight, QTextBlockFormat::FixedHeight);
  QTextCursor cursor(FPreviewText->document());
  cursor.movePosition(QTextCursor::End);
  bool firstLine = FPreviewText->document()->isEmpty();
  FCenteredMessage = firstLine ? text : QString();
  const auto appendLine = [&](const QString &line) {
    if (firstLine)
      cursor.setBlockFormat(centred);
    else
      cursor.insertBlock(centred);
    firstLine = false;
    cursor.insertText(line);
  };
  for (int i = 0; i < n - 1; ++i)
    appendLine(QString());
  appendLine(text);
}

void TOpenPreviewDialog::ApplyWordWrapAndScale() {
  FWordWrapAndScale = FWordWrapButton->isChecked();
  if (FPreviewImage->isHidden()) {
    FPreviewText->setLineWrapMode(FWordWrapAndScale ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
    FPreviewText->update();
    return;
  }
  FPreviewImage->SetAutoSize(false);
  const QSize picture = FPreviewImage->PictureSize();
  const QSize control = PreviewBox->viewport()->size();
  const bool larger =
      picture.width() != 0 && (picture.width() > control.width() || picture.height() > control.height());
  if (FWordWrapAndScale) {
    if (larger)
      FPreviewImage->SetProportional(true);
    else
      FPreviewImage->SetStretch(false);
  } else {
    FPreviewImage->SetStretch(false);
    if (larger)
      FPreviewImage->SetAutoSize(true);
  }
  FPreviewImage->update();
}

void TOpenPreviewDialog::ShowPreviewButtonClick() {
  FShowPreview = FShowPreviewButton->isChecked();
  UpdatePreview();
}

// A picture that only decodes when first drawn failed to: the pane falls back to the no-preview text.
void TOpenPreviewDialog::PictureDrawFailed() {
  FPreviewImage->Reset();
  ResetPreviewText();
  CenterMessage(LocalizedText(FNoPreviewTexts));
  ShowPane(true);
}

// The text view or the image control in front, and the word-wrap toggle's hint and glyph to match.
void TOpenPreviewDialog::ShowPane(bool text) {
  QWidget *shown = text ? static_cast<QWidget *>(FPreviewText) : FPreviewImage;
  QWidget *hidden = text ? static_cast<QWidget *>(FPreviewImage) : FPreviewText;
  shown->show();
  shown->raise();
  hidden->hide();
  FWordWrapButton->setToolTip(LocalizedText(text ? FWordWrapHints : FScaleHints));
  FWordWrapButton->setIcon(Glyph(text ? "WORDWRAPBUTTON" : "SCALEBUTTON"));
  ApplyWordWrapAndScale();
}
