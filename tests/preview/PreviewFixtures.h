// Sample files for the preview tests: pictures, text, RTF and a short wave file written into a folder.
#pragma once

#include <QString>

class TOpenPreviewDialog;

namespace PreviewFixtures {

// Writes a w × h BMP with a diagonal gradient and returns its path.
QString WriteBitmap(const QString &folder, const QString &name, int w, int h);
// Writes bytes as they are and returns the path.
QString WriteBytes(const QString &folder, const QString &name, const QByteArray &bytes);
// A 0.1 s mono 8-bit 8 kHz wave file.
QString WriteWave(const QString &folder, const QString &name);
// A small RTF document in Windows-1250 with bold, italic, underline, a larger size and a centred line.
QByteArray SampleRtf();

// Selects path in the dialog as a click would and waits until the preview follows; false on timeout.
bool SelectInDialog(TOpenPreviewDialog &dialog, const QString &path);
// The visible text of the preview's text view, blank lines and surrounding spaces removed.
QString PreviewMessage(TOpenPreviewDialog &dialog);

} // namespace PreviewFixtures
