// The main window's entry preview: a dock pane showing the current entry's picture (transparency, frame grid, zoom,
// facts) or its sound's facts with playback.
#pragma once

#include "preview/FrameGrid.h"

#include <QDockWidget>
#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QSoundEffect;
class QSpinBox;
class QStackedWidget;
class QTemporaryFile;
class QTimer;
class TFileListItem;
class TImageFileItem;
class TMediaStream;
class TSoundFileItem;
class TSpriteView;

class TEntryPreview : public QDockWidget {
public:
  // The zoom box's choices, in its order.
  enum TZoomChoice { zoomFit, zoom100, zoom200, zoom400 };

  explicit TEntryPreview(QWidget *parent);
  ~TEntryPreview() override;

  // Reads the entry's data from the document (at most EntryPreviewLimit bytes of a picture, a wave file's header)
  // and shows it; nullptr shows that no entry is current. Whatever fails shows the no-preview text and why.
  void ShowEntry(TMediaStream &document, const TFileListItem *entry);
  // The entry shown has new attributes (transparency, frames, looping): applied without reading its data again.
  void ApplyAttributes(const TFileListItem &entry);
  // What the check found in the entry shown, one text each; none hides them.
  void ShowProblems(const QStringList &texts);
  // Stops the sound and the frames playing.
  void StopPlaying();

  // The file to play for the entry shown: its source file, or spare (open, empty) filled with its data.
  std::function<QString(QTemporaryFile &spare)> OnWaveFile;
  // Whether the machine can play sound at all; replaceable so that tests choose.
  std::function<bool()> AudioAvailable;
  // The pane's close button was pressed; the owner decides (the pane stays until it is hidden).
  std::function<void()> OnCloseRequested;

  // What the pane shows, for the keyboard-less parts of tests and for the owner.
  const QImage &ShownPicture() const { return masked; }
  const TFrameGrid &Frames() const { return frames; }
  TSpriteView &View() const { return *view; }
  // Steps the frame player to the next frame, as its timer does.
  void StepFrame();

protected:
  void closeEvent(QCloseEvent *event) override;
  void hideEvent(QHideEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  void BuildControls();
  void ShowMessage(const QString &reason);
  // bytes are the whole file; they are dropped once decoded.
  void ShowPicture(QByteArray bytes, const QString &extension, const TImageFileItem &entry);
  void ShowSound(TMediaStream &document, const TSoundFileItem &entry);
  void ApplyImageAttributes(const TImageFileItem &entry);
  // The zoom, the frame grid and the frame player belong to pictures alone.
  void ShowPictureTools(bool shown);
  void ApplyZoom();
  void FramesToggled(bool playing);
  void ShowFrameNumber();
  void Play();
  void SoundStatusChanged();

  QStackedWidget *pages = nullptr;
  QLabel *message = nullptr;
  QLabel *reason = nullptr;
  QScrollArea *scroll = nullptr;
  TSpriteView *view = nullptr;
  QWidget *pictureTools = nullptr;
  QComboBox *zoomBox = nullptr;
  QCheckBox *gridBox = nullptr;
  QWidget *frameTools = nullptr;
  QPushButton *playFrames = nullptr;
  QSpinBox *frameRate = nullptr;
  QLabel *frameNumber = nullptr;
  QLabel *facts = nullptr;
  QLabel *problems = nullptr;
  QWidget *soundTools = nullptr;
  QPushButton *playButton = nullptr;
  QPushButton *stopButton = nullptr;
  QLabel *soundMessage = nullptr;
  QTimer *frameTimer = nullptr;
  QSoundEffect *player = nullptr;
  std::unique_ptr<QTemporaryFile> waveCopy;

  QImage picture;
  QImage masked;
  TFrameGrid frames;
  int frameIndex = 0;
  bool looped = false;
  bool isSound = false;
};
