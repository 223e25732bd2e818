// The open-file dialog with a preview strip to the right of the standard controls: pictures, text (RTF formatted),
// wave files (their type, while the sound plays) and other files' types, with captions in the user's language.
#pragma once

#include "desktop/Language.h"
#include "desktop/OpenDialog.h"

#include <QString>
#include <QStringList>

#include <functional>

class QLabel;
class QScrollArea;
class QTextEdit;
class QToolButton;
class TPreviewImage;

class TOpenPreviewDialog : public TOpenDialog {
public:
  // Previews a file whose extension (lower case, no dot) is in CustomPreviewExtensions: fill the text view
  // "FPreviewText" or the image control "FPreviewImage" (findChild on Dialog()); a throw means "no preview".
  using TPreviewNotify = std::function<void(TOpenPreviewDialog &Sender, const QString &Ext)>;

  // languageId: four hexadecimal digits of the user's language; the system's by default.
  explicit TOpenPreviewDialog(QWidget *owner, const QString &languageId = GetLanguageId());

  // Localised lists, entries "Key=Text" (see LocalizedList.h); the dialog keeps copies.
  const QStringList &ShowPreviewButtonHints() const { return FShowPreviewButtonHints; }
  const QStringList &NoPreviewTexts() const { return FNoPreviewTexts; }
  const QStringList &PreviewCaptions() const { return FPreviewCaptions; }
  const QStringList &ScaleHints() const { return FScaleHints; }
  const QStringList &WordWrapHints() const { return FWordWrapHints; }
  const QStringList &Titles() const { return FTitles; }
  void SetShowPreviewButtonHints(const QStringList &list);
  void SetNoPreviewTexts(const QStringList &list) { FNoPreviewTexts = list; }
  void SetPreviewCaptions(const QStringList &list);
  void SetScaleHints(const QStringList &list) { FScaleHints = list; }
  void SetWordWrapHints(const QStringList &list) { FWordWrapHints = list; }
  // An empty text for the user's language keeps the platform's default title.
  void SetTitles(const QStringList &list) { FTitles = list; }

  TPreviewNotify OnPreview;
  // Lower-case extensions without the dot that OnPreview handles.
  QStringList CustomPreviewExtensions;

  // The show-preview toggle: off shows only the no-preview text.
  bool ShowPreview() const { return FShowPreview; }
  void SetShowPreview(bool value);
  // The word-wrap toggle: word wrap in the text pane, scale-to-fit in the image pane.
  bool WordWrapAndScale() const { return FWordWrapAndScale; }
  void SetWordWrapAndScale(bool value);
  QString Version() const { return "4.50.00.00"; }

  // Drops the old-style option for good, applies the title, and runs the dialog.
  bool Execute() override;

  QString LocalizedText(const QStringList &list) const;
  const QString &LanguageId() const { return FLanguageId; }
  const QString &PrimaryLanguage() const { return FPrimaryLanguageId; }
  // Extensions with a built-in preview: the picture formats', then the text files' and "wav".
  const QStringList &PreviewExtensions() const { return FPreviewExtensions; }
  // The current file's extension, lower case, without the dot; set by every UpdatePreview.
  const QString &CurrentExtension() const { return FCurrentExtension; }

  // Rebuilds the pane for the current file.
  void UpdatePreview();
  // Appends text as one centred line, about halfway down the text view.
  void CenterMessage(const QString &text);
  // The word-wrap toggle's click: word wrap for text; for a picture larger than the pane, shrink to fit or scroll.
  void ApplyWordWrapAndScale();
  void ShowPreviewButtonClick();

protected:
  void DialogShown() override;
  void SelectionChanged() override;
  void DialogClosing() override;
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  void CreateControls();
  void ResetPreviewText();
  bool PreviewFile(const QString &path);
  bool LoadText(const QString &path);
  int TextLineCount() const;
  void ShowPane(bool text);
  void PictureDrawFailed();

  QString FLanguageId;
  QString FPrimaryLanguageId;
  QStringList FPreviewExtensions;
  QString FCurrentExtension;
  QStringList FShowPreviewButtonHints;
  QStringList FNoPreviewTexts;
  QStringList FPreviewCaptions;
  QStringList FScaleHints;
  QStringList FWordWrapHints;
  QStringList FTitles{"Default="};
  // The message the text view holds alone, centred again when the pane changes height; empty otherwise.
  QString FCenteredMessage;
  bool FShowPreview = false;
  bool FWordWrapAndScale = false;

  // Children of the dialog window, freed with it.
  QLabel *CaptionPanel = nullptr;
  QScrollArea *PreviewBox = nullptr;
  QTextEdit *FPreviewText = nullptr;
  TPreviewImage *FPreviewImage = nullptr;
  QToolButton *FWordWrapButton = nullptr;
  QToolButton *FShowPreviewButton = nullptr;
};
