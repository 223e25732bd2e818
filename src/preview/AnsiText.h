// Single-byte Windows text (code pages 1250 and 1252) and the text files the preview shows as plain text.
#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>

// The character of one byte in a Windows code page; 1250 (Central European) is supported, every other
// code page is read as 1252 (Western).
QChar AnsiChar(unsigned char byte, int codePage);
QString DecodeAnsi(const QByteArray &bytes, int codePage);

// A text file's contents: UTF-8 when the bytes are valid UTF-8 (a byte-order mark is dropped), else Windows-1250.
QString DecodeTextFile(const QByteArray &bytes);
