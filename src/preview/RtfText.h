// Rich Text Format read into a Qt text document at the level a preview needs: paragraphs and their alignment,
// bold, italic, underline, font size, tabs and line breaks, and characters from Windows code pages (\ansicpg,
// font character sets, \'hh) and Unicode (\uN). Pictures, objects, tables of fonts, colours and styles,
// and document information are skipped.
#pragma once

#include <QByteArray>

class QTextCursor;

// True when bytes start like an RTF document ("{\rtf").
bool LooksLikeRtf(const QByteArray &bytes);

// Inserts the formatted text of rtf at cursor; the cursor's character format is the starting format.
// Malformed input never fails: unbalanced groups and unknown control words are tolerated.
void InsertRtf(QTextCursor &cursor, const QByteArray &rtf);
