// Chooses the interface language at start and installs the translators that speak it.
#include "editor/InterfaceLanguage.h"

#include "config/LanguageSetting.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

namespace {
void InstallTranslator(QCoreApplication &app, const QString &name, const QString &folder) {
  auto *translator = new QTranslator(&app);
  if (translator->load(name, folder))
    QCoreApplication::installTranslator(translator);
  else
    delete translator;
}
} // namespace

QString FindTranslationsFolder(const QString &programFolder) {
  const QDir folder(programFolder);
  for (const QString &place : {QStringLiteral("translations"), QStringLiteral("../share/tovrikeditor/translations")})
    if (const QFileInfo found(folder.filePath(place + QStringLiteral("/tovrikeditor_en.qm"))); found.isFile())
      return found.canonicalPath();
  return {};
}

TLanguage InstallInterfaceLanguage(QCoreApplication &app) {
  const TLanguage language = ApplyChosenLanguage();
  const QString code = QString::fromLatin1(LanguageCode(language));
  // The toolkit's own buttons and dialogs (Yes, No, Cancel, the file dialogs) in the same language.
  InstallTranslator(app, QStringLiteral("qtbase_") + code, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  if (language == TLanguage::English)
    InstallTranslator(app, QStringLiteral("tovrikeditor_en"),
                      FindTranslationsFolder(QCoreApplication::applicationDirPath()));
  return language;
}
