// Paths between Qt's strings and the file system's bytes, which the core takes and gives.
#pragma once

#include <QFile>
#include <QString>

#include <string>

inline std::string NativePath(const QString &path) { return QFile::encodeName(path).toStdString(); }
inline QString QtPath(const std::string &path) { return QFile::decodeName(QByteArray::fromStdString(path)); }
