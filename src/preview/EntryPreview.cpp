// The main window's entry preview: a dock pane showing the current entry's picture (transparency, frame grid, zoom,
// facts) or its sound's facts with playback.
#include "preview/EntryPreview.h"

#include "media/EntryPreviewData.h"
#include "media/FileListItems.h"
#include "media/MediaDocument.h"
#include "pictures/Pictures.h"
#include "platform/AppFolder.h"
#include "platform/CodePage.h"
#include "platform/Exceptions.h"
#include "platform/TextLanguage.h"
#include "desktop/ColorMap.h"
#include "desktop/Sound.h"
#include "preview/SpriteView.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSoundEffect>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTemporaryFile>
#include <QTimer>
#include <QVBoxLayout>

#include <exception>
#include <utility>

namespace {

// "1 bit", "4 bity", "24 bitů".
QString BitsText(int bits) {
  if (bits == 1)
    return QCoreApplication::translate("TEntryPreview", "1 bit");
  if (bits >= 2 && bits <= 4)
    return QCoreApplication::translate("TEntryPreview", "%1 bity").arg(bits);
  return QCoreApplication::translate("TEntryPreview", "%1 bitů").arg(bits);
}

QString ChannelsText(int channels) {
  if (channels == 1)
    return QCoreApplication::translate("TEntryPreview", "mono");
  if (channels == 2)
    return QCoreApplication::translate("TEntryPreview", "stereo");
  return QCoreApplication::translate("TEntryPreview", "%1 kanálů").arg(channels);
}

// The colour an image entry's transparent pixels have, or an invalid colour when none are transparent.
QColor TransparentColorOf(const TImageFileItem &entry, const QImage &picture, const QPalette &palette) {
  if (!entry.Transparent || picture.isNull())
    return {};
  // clDefault takes the colour of the bottom-left pixel, as the runtime's bitmaps do.
  if (entry.TransparentColor == ColorValues::clDefault)
    return QColor::fromRgb(picture.pixel(0, picture.height() - 1));
  const QColor color = ColorToQColor(entry.TransparentColor, palette);
  return color.isValid() && color.alpha() != 0 ? color : QColor();
}
} // namespace

TEntryPreview::TEntryPreview(QWidget *parent) : QDockWidget(parent) {
  setObjectName(QStringLiteral("EntryPreview"));
  setWindowTitle(QCoreApplication::translate("TEntryPreview", "Náhled"));
  setFeatures(QDockWidget::DockWidgetClosable);
  setAllowedAreas(Qt::RightDockWidgetArea);
  AudioAvailable = AudioOutputAvailable;
  BuildControls();
  ShowMessage(QString());
}

TEntryPreview::~TEntryPreview() = default;

void TEntryPreview::BuildControls() {
  auto *body = new QWidget(this);
  // Wide enough for the picture's tools in one row and a sprite beside them.
  body->setMinimumWidth(250);
  auto *layout = new QVBoxLayout(body);
  layout->setContentsMargins(4, 4, 4, 4);

  pictureTools = new QWidget(body);
  auto *tools = new QHBoxLayout(pictureTools);
  tools->setContentsMargins(0, 0, 0, 0);
  zoomBox = new QComboBox(pictureTools);
  zoomBox->setObjectName(QStringLiteral("PreviewZoom"));
  zoomBox->addItems({QCoreApplication::translate("TEntryPreview", "Přizpůsobit"), QCoreApplication::translate("TEntryPreview", "100 %"), QCoreApplication::translate("TEntryPreview", "200 %"), QCoreApplication::translate("TEntryPreview", "400 %")});
  zoomBox->setToolTip(QCoreApplication::translate("TEntryPreview", "Zvětšení obrázku"));
  gridBox = new QCheckBox(QCoreApplication::translate("TEntryPreview", "Mřížka snímků"), pictureTools);
  gridBox->setObjectName(QStringLiteral("PreviewFrameGrid"));
  gridBox->setChecked(true);
  tools->addWidget(zoomBox);
  tools->addWidget(gridBox);
  tools->addStretch();
  layout->addWidget(pictureTools);

  pages = new QStackedWidget(body);
  message = new QLabel(pages);
  message->setObjectName(QStringLiteral("PreviewMessage"));
  message->setAlignment(Qt::AlignCenter);
  message->setWordWrap(true);
  scroll = new QScrollArea(pages);
  scroll->setObjectName(QStringLiteral("PreviewScroll"));
  scroll->setAlignment(Qt::AlignCenter);
  view = new TSpriteView(scroll);
  scroll->setWidget(view);
  scroll->setWidgetResizable(false);
  scroll->viewport()->installEventFilter(this);
  soundTools = new QWidget(pages);
  auto *sound = new QVBoxLayout(soundTools);
  auto *buttons = new QHBoxLayout;
  playButton = new QPushButton(QCoreApplication::translate("TEntryPreview", "Přehrát"), soundTools);
  playButton->setObjectName(QStringLiteral("PreviewPlay"));
  stopButton = new QPushButton(QCoreApplication::translate("TEntryPreview", "Zastavit"), soundTools);
  stopButton->setObjectName(QStringLiteral("PreviewStop"));
  stopButton->setEnabled(false);
  buttons->addWidget(playButton);
  buttons->addWidget(stopButton);
  buttons->addStretch();
  soundMessage = new QLabel(soundTools);
  soundMessage->setObjectName(QStringLiteral("PreviewSoundMessage"));
  soundMessage->setWordWrap(true);
  sound->addStretch();
  sound->addLayout(buttons);
  sound->addWidget(soundMessage);
  sound->addStretch();
  pages->addWidget(message);
  pages->addWidget(scroll);
  pages->addWidget(soundTools);
  layout->addWidget(pages, 1);

  frameTools = new QWidget(body);
  auto *frameRow = new QHBoxLayout(frameTools);
  frameRow->setContentsMargins(0, 0, 0, 0);
  playFrames = new QPushButton(QCoreApplication::translate("TEntryPreview", "Přehrát snímky"), frameTools);
  playFrames->setObjectName(QStringLiteral("PreviewPlayFrames"));
  playFrames->setCheckable(true);
  frameRate = new QSpinBox(frameTools);
  frameRate->setObjectName(QStringLiteral("PreviewFrameRate"));
  frameRate->setRange(1, 60);
  frameRate->setValue(8);
  frameRate->setSuffix(QCoreApplication::translate("TEntryPreview", " snímků/s"));
  frameRate->setToolTip(QCoreApplication::translate("TEntryPreview", "Rychlost přehrávání snímků"));
  frameNumber = new QLabel(body);
  frameNumber->setObjectName(QStringLiteral("PreviewFrameNumber"));
  frameRow->addWidget(playFrames);
  frameRow->addWidget(frameRate);
  frameRow->addStretch();
  layout->addWidget(frameTools);
  layout->addWidget(frameNumber);

  reason = new QLabel(body);
  reason->setObjectName(QStringLiteral("PreviewReason"));
  reason->setWordWrap(true);
  facts = new QLabel(body);
  facts->setObjectName(QStringLiteral("PreviewFacts"));
  facts->setWordWrap(true);
  facts->setTextInteractionFlags(Qt::TextSelectableByMouse);
  problems = new QLabel(body);
  problems->setObjectName(QStringLiteral("PreviewProblems"));
  problems->setWordWrap(true);
  problems->setTextInteractionFlags(Qt::TextSelectableByMouse);
  problems->setStyleSheet(QStringLiteral("color: #a04000"));
  problems->hide();
  layout->addWidget(reason);
  layout->addWidget(facts);
  layout->addWidget(problems);
  setWidget(body);

  frameTimer = new QTimer(this);
  player = new QSoundEffect(this);
  connect(zoomBox, &QComboBox::currentIndexChanged, this, [this] { ApplyZoom(); });
  connect(gridBox, &QCheckBox::toggled, this, [this](bool shown) { view->SetFrameGrid(frames, shown); });
  connect(playFrames, &QPushButton::toggled, this, [this](bool playing) { FramesToggled(playing); });
  connect(frameRate, &QSpinBox::valueChanged, this, [this](int rate) { frameTimer->setInterval(1000 / rate); });
  connect(frameTimer, &QTimer::timeout, this, [this] { StepFrame(); });
  connect(playButton, &QPushButton::clicked, this, [this] { Play(); });
  connect(stopButton, &QPushButton::clicked, this, [this] { player->stop(); });
  connect(player, &QSoundEffect::statusChanged, this, [this] { SoundStatusChanged(); });
  connect(player, &QSoundEffect::playingChanged, this, [this] {
    playButton->setEnabled(!player->isPlaying());
    stopButton->setEnabled(player->isPlaying());
  });
  frameTimer->setInterval(1000 / frameRate->value());
}

void TEntryPreview::ShowMessage(const QString &why) {
  StopPlaying();
  picture = masked = QImage();
  frames = TFrameGrid{};
  view->SetPicture(QImage());
  message->setText(QCoreApplication::translate("TEntryPreview", "Náhled není k dispozici"));
  reason->setText(why);
  reason->setVisible(!why.isEmpty());
  facts->clear();
  ShowPictureTools(false);
  pages->setCurrentWidget(message);
}

void TEntryPreview::ShowEntry(TMediaStream &document, const TFileListItem *entry) {
  if (!entry) {
    ShowMessage(QString());
    return;
  }
  StopPlaying();
  try {
    if (const auto *sound = dynamic_cast<const TSoundFileItem *>(entry)) {
      ShowSound(document, *sound);
      return;
    }
    const auto &image = dynamic_cast<const TImageFileItem &>(*entry);
    QByteArray bytes(static_cast<qsizetype>(BoundedEntrySize(image, EntryPreviewLimit)), Qt::Uninitialized);
    document.ReadEntryData(image, bytes.data(), bytes.size());
    ShowPicture(std::move(bytes), QString::fromStdString(Cp1250ToUtf8(image.Ext.Text())).mid(1), image);
  } catch (const std::exception &error) {
    ShowMessage(QString::fromStdString(error.what()));
  }
}

void TEntryPreview::ShowPicture(QByteArray bytes, const QString &extension, const TImageFileItem &entry) {
  isSound = false;
  int depth = 0;
  {
    const std::unique_ptr<TPicture> loaded = TPictureRegistry::LoadFromData(bytes, extension);
    picture = loaded->ToImage();
    depth = loaded->BitDepth();
  }
  bytes.clear(); // the file's bytes go before the transparent copy of the pixels is made
  if (picture.isNull())
    throw Exception(QCoreApplication::translate("TEntryPreview", "Obrázek je prázdný.").toStdString());
  facts->setText(QCoreApplication::translate("TEntryPreview", "%1 × %2 px, %3, %4")
                     .arg(picture.width())
                     .arg(picture.height())
                     .arg(depth ? BitsText(depth) : QCoreApplication::translate("TEntryPreview", "hloubka neznámá"))
                     .arg(extension.toUpper()));
  reason->hide();
  ShowPictureTools(true);
  pages->setCurrentWidget(scroll);
  ApplyImageAttributes(entry);
  ApplyZoom();
}

void TEntryPreview::ShowSound(TMediaStream &document, const TSoundFileItem &entry) {
  isSound = true;
  looped = entry.Looped != 0;
  picture = masked = QImage();
  frames = TFrameGrid{};
  view->SetPicture(QImage());
  ShowPictureTools(false);
  reason->hide();
  soundMessage->setText(looped ? QCoreApplication::translate("TEntryPreview", "Přehrává se dokola (Looped = True).") : QString());
  pages->setCurrentWidget(soundTools);
  QByteArray header(static_cast<qsizetype>(std::min(entry.Size, WaveHeaderReadSize)), Qt::Uninitialized);
  document.ReadEntryData(entry, header.data(), header.size());
  try {
    const TWaveFacts wave =
        ReadWaveFacts(reinterpret_cast<const uint8_t *>(header.constData()), std::size_t(header.size()), entry.Size);
    QString text = QCoreApplication::translate("TEntryPreview", "%1 Hz, %2, %3, %4 s")
                       .arg(wave.SampleRate)
                       .arg(ChannelsText(wave.Channels))
                       .arg(BitsText(wave.BitsPerSample))
                       .arg(QString::number(wave.Seconds(), 'f', 2)
                                .replace(QLatin1Char('.'), QLatin1Char(DecimalSeparator())));
    if (wave.FormatTag != 1 && wave.FormatTag != 3)
      text += QCoreApplication::translate("TEntryPreview", ", komprimovaný (formát %1)").arg(wave.FormatTag);
    facts->setText(text);
  } catch (const EWaveFormatError &error) {
    // A sound that is no wave file may still be playable; only its facts are unknown.
    facts->setText(QString::fromStdString(error.what()));
  }
}

void TEntryPreview::ApplyAttributes(const TFileListItem &entry) {
  if (const auto *sound = dynamic_cast<const TSoundFileItem *>(&entry)) {
    if (!isSound)
      return;
    looped = sound->Looped != 0;
    soundMessage->setText(looped ? QCoreApplication::translate("TEntryPreview", "Přehrává se dokola (Looped = True).") : QString());
    if (player->isPlaying())
      player->setLoopCount(looped ? QSoundEffect::Infinite : 1);
    return;
  }
  if (const auto *image = dynamic_cast<const TImageFileItem *>(&entry); image && !isSound && !picture.isNull())
    ApplyImageAttributes(*image);
}

void TEntryPreview::ApplyImageAttributes(const TImageFileItem &entry) {
  const QColor transparent = TransparentColorOf(entry, picture, palette());
  masked = transparent.isValid() ? MaskColor(picture, transparent.rgb()) : picture;
  const TFrameGrid newFrames =
      FrameGridOf(picture.size(), entry.PatternWidth, entry.PatternHeight, entry.SkipWidth, entry.SkipHeight);
  const bool framesChanged = newFrames.Count() != frames.Count() || FrameSize(newFrames) != FrameSize(frames) ||
                             StepSize(newFrames) != StepSize(frames);
  frames = newFrames;
  if (framesChanged)
    playFrames->setChecked(false);
  view->SetPicture(masked);
  view->SetFrameGrid(frames, gridBox->isChecked());
  gridBox->setEnabled(frames.Count() > 0);
  playFrames->setEnabled(frames.Count() > 1);
  if (playFrames->isChecked())
    view->SetSingleFrame(frameIndex);
  ShowFrameNumber();
}

void TEntryPreview::ShowPictureTools(bool shown) {
  for (QWidget *tools : {pictureTools, frameTools, static_cast<QWidget *>(frameNumber)})
    tools->setVisible(shown);
  if (!shown)
    frameNumber->clear();
}

void TEntryPreview::ApplyZoom() {
  static const double factors[] = {0, 1, 2, 4};
  view->SetRoom(scroll->viewport()->size());
  view->SetZoom(factors[std::clamp(zoomBox->currentIndex(), 0, 3)]);
}

void TEntryPreview::FramesToggled(bool playing) {
  frameIndex = 0;
  if (playing && frames.Count() > 1) {
    view->SetSingleFrame(frameIndex);
    frameTimer->start();
  } else {
    frameTimer->stop();
    view->SetSingleFrame(-1);
  }
  ShowFrameNumber();
}

void TEntryPreview::StepFrame() {
  if (frames.Count() == 0)
    return;
  frameIndex = (frameIndex + 1) % frames.Count();
  view->SetSingleFrame(frameIndex);
  ShowFrameNumber();
}

void TEntryPreview::ShowFrameNumber() {
  if (frames.Count() == 0)
    frameNumber->clear();
  else if (playFrames->isChecked())
    frameNumber->setText(QCoreApplication::translate("TEntryPreview", "Snímek %1 z %2").arg(frameIndex + 1).arg(frames.Count()));
  else
    frameNumber->setText(QCoreApplication::translate("TEntryPreview", "%1 snímků %2 × %3").arg(frames.Count()).arg(FrameSize(frames).width()).arg(FrameSize(frames).height()));
}

void TEntryPreview::Play() {
  if (!AudioAvailable || !AudioAvailable()) {
    soundMessage->setText(QCoreApplication::translate("TEntryPreview", "Zvukové zařízení není k dispozici."));
    return;
  }
  if (!OnWaveFile)
    return;
  player->stop();
  // Beside the backing file, where the program keeps its temporary data.
  waveCopy =
      std::make_unique<QTemporaryFile>(QString::fromStdString(BackingFolder()) + QStringLiteral("/Nahled-XXXXXX.wav"));
  QString path;
  try {
    if (!waveCopy->open())
      throw Exception(waveCopy->errorString().toStdString());
    path = OnWaveFile(*waveCopy);
    waveCopy->flush();
  } catch (const std::exception &error) {
    soundMessage->setText(QCoreApplication::translate("TEntryPreview", "Zvuk nelze přehrát: %1").arg(QString::fromStdString(error.what())));
    return;
  }
  soundMessage->setText(looped ? QCoreApplication::translate("TEntryPreview", "Přehrává se dokola (Looped = True).") : QString());
  player->setLoopCount(looped ? QSoundEffect::Infinite : 1);
  player->setSource(QUrl::fromLocalFile(path));
  player->play();
}

void TEntryPreview::SoundStatusChanged() {
  if (player->status() == QSoundEffect::Error)
    soundMessage->setText(QCoreApplication::translate("TEntryPreview", "Zvuk nelze přehrát."));
}

void TEntryPreview::StopPlaying() {
  if (player)
    player->stop();
  if (playFrames)
    playFrames->setChecked(false);
}

void TEntryPreview::closeEvent(QCloseEvent *event) {
  event->ignore();
  if (OnCloseRequested)
    OnCloseRequested();
}

void TEntryPreview::hideEvent(QHideEvent *event) {
  StopPlaying();
  QDockWidget::hideEvent(event);
}

bool TEntryPreview::eventFilter(QObject *watched, QEvent *event) {
  if (watched == scroll->viewport() && event->type() == QEvent::Resize)
    view->SetRoom(scroll->viewport()->size());
  return QDockWidget::eventFilter(watched, event);
}

void TEntryPreview::ShowProblems(const QStringList &texts) {
  problems->setVisible(!texts.isEmpty());
  problems->setText(texts.isEmpty() ? QString()
                                    : QCoreApplication::translate("TEntryPreview", "Běhové prostředí: %1")
                                          .arg(texts.join(QStringLiteral("; "))));
}
