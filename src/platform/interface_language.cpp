#include "platform/interface_language.h"

#include "platform/shipped_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>

namespace narrix {
namespace {

bool isPlainCLocale(const QString& locale)
{
    // "C", "POSIX" and their variants with a code set or modifier ("C.UTF-8", "POSIX@euro").
    const QString name = locale.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
    return name.isEmpty() || name == QLatin1String("C") || name == QLatin1String("POSIX");
}

bool loadExisting(QTranslator& translator, const QString& path)
{
    // Only the file itself: QTranslator::load would otherwise fall back to shorter names on its own.
    return QFileInfo(path).isFile() && translator.load(path);
}

} // namespace

QStringList interfaceTranslationNames(const QString& messagesLocale, const QStringList& uiLanguages)
{
    QStringList names;
    if (isPlainCLocale(messagesLocale))
        return names;
    for (const QString& language : uiLanguages) {
        QStringList parts = QString(language)
                                .replace(QLatin1Char('-'), QLatin1Char('_'))
                                .split(QLatin1Char('_'), Qt::SkipEmptyParts);
        if (parts.isEmpty() || isPlainCLocale(parts.first()))
            continue;
        if (parts.first().compare(QLatin1String("en"), Qt::CaseInsensitive) == 0)
            break;
        for (; !parts.isEmpty(); parts.removeLast()) {
            const QString name = parts.join(QLatin1Char('_'));
            if (!names.contains(name))
                names << name;
        }
    }
    return names;
}

QStringList interfaceTranslationFolders(const QString& executableFolder)
{
    QStringList folders;
    for (const QString& folder : shippedFileFolders(executableFolder))
        folders << QDir(folder).filePath(QStringLiteral("translations"));
    return folders;
}

InterfaceLanguage::InterfaceLanguage(const QStringList& names, const QStringList& folders)
{
    for (const QString& name : names) {
        for (const QString& folder : folders) {
            if (!loadExisting(program_, QDir(folder).filePath(QStringLiteral("narrix_%1.qm").arg(name))))
                continue;
            language_ = name;
            QCoreApplication::installTranslator(&program_);
            // Qt ships most languages without a country: de_DE takes qtbase_de.
            const QDir qtFolder(QLibraryInfo::path(QLibraryInfo::TranslationsPath));
            for (QString qtName = name; !qtName.isEmpty(); qtName = qtName.section(QLatin1Char('_'), 0, -2)) {
                if (loadExisting(qt_, qtFolder.filePath(QStringLiteral("qtbase_%1.qm").arg(qtName)))) {
                    QCoreApplication::installTranslator(&qt_);
                    break;
                }
            }
            return;
        }
    }
}

} // namespace narrix
