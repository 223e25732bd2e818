// The preview dialog's button glyphs "SCALEBUTTON", "WORDWRAPBUTTON" and "SHOWPREVIEWBUTTON" from its resources.
#pragma once

#include <QIcon>
#include <QString>

// The glyph named name; the colour of its bottom-left pixel is drawn transparent.
QIcon Glyph(const QString &name);
