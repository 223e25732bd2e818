// The type description of a file, as a file manager shows it ("WAV audio", "plain text document").
#pragma once

#include <QString>

#include <optional>

// The MIME database's comment for the file at path, cut to 79 characters; nothing when the path
// names no existing file or the database has no description for it.
std::optional<QString> FileTypeDescription(const QString &path);
