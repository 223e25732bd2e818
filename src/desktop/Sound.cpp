// Asynchronous playback of wave files: one sound at a time, every new request stops the one playing.
#include "desktop/Sound.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QPointer>
#include <QSoundEffect>
#include <QUrl>

namespace {

// Owned by the application object, so it goes away with it and never outlives the audio backend.
QPointer<QSoundEffect> player;
QString currentWave;

QSoundEffect *Player() {
  if (!player && QCoreApplication::instance())
    player = new QSoundEffect(QCoreApplication::instance());
  return player;
}

} // namespace

void PlayWaveAsync(const QString &path) {
  currentWave = path;
  QSoundEffect *effect = Player();
  if (!effect)
    return;
  effect->stop();
  effect->setSource(path.isEmpty() ? QUrl() : QUrl::fromLocalFile(path));
  if (!path.isEmpty())
    effect->play();
}

QString CurrentWave() { return currentWave; }

bool AudioOutputAvailable() { return !QMediaDevices::audioOutputs().isEmpty(); }
