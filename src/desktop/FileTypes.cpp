// The type description of a file, as a file manager shows it ("WAV audio", "plain text document").
#include "desktop/FileTypes.h"

#include <QFileInfo>
#include <QMimeDatabase>

namespace {
// The shell's type-name field holds 80 characters including the terminating zero.
constexpr qsizetype MaxDescriptionLength = 79;
} // namespace

std::optional<QString> FileTypeDescription(const QString &path) {
  if (!QFileInfo(path).isFile())
    return std::nullopt;
  const QMimeType type = QMimeDatabase().mimeTypeForFile(path);
  if (!type.isValid())
    return std::nullopt;
  return type.comment().left(MaxDescriptionLength);
}
