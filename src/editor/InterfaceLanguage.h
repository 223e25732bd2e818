// The interface in the chosen language: the editor's translation and the toolkit's own, installed at start.
#pragma once

#include "platform/TextLanguage.h"

#include <QString>

class QCoreApplication;

// The folder of the compiled translations: translations/ beside the program (a build tree), or the install's
// share folder; empty when neither has them.
QString FindTranslationsFolder(const QString &programFolder);
// Makes the chosen language (config.ini, or TOVRIK_LANG for this run) that of the core's texts and installs the
// translators for it into app, which owns them. Czech needs no translation of the editor's texts, only the
// toolkit's; a missing translation file leaves the Czech source texts.
TLanguage InstallInterfaceLanguage(QCoreApplication &app);
