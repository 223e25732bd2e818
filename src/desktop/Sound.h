// Asynchronous playback of wave files: one sound at a time, every new request stops the one playing.
#pragma once

#include <QString>

// Starts playing the wave file at path in the background and returns at once; an empty path only stops
// the sound that is playing. A missing audio device or an unplayable file is no error: nothing sounds.
void PlayWaveAsync(const QString &path);

// The wave file of the latest request that is still in force (empty after a stop).
QString CurrentWave();

// Whether the machine has a device to play sound on.
bool AudioOutputAvailable();
