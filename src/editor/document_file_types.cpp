#include "editor/document_file_types.h"

#include "documents/document_format.h"

#include <QFileInfo>
#include <QStringList>

namespace narrix {

bool isRichTextPath(const QString& path)
{
    return path.right(4).toUpper() == QLatin1String(".RTF");
}

bool isHtmlPath(const QString& path)
{
    return path.right(4).toUpper() == QLatin1String(".HTM") ||
           path.right(5).toUpper() == QLatin1String(".HTML");
}

bool isReadOnlyDocumentPath(const QString& path)
{
    return isHtmlPath(path) || documentFormatOf(path.toStdString()).has_value();
}

QString documentTitleOf(const QString& path)
{
    return QFileInfo(path).fileName();
}

QString withDefaultTextExtension(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    // "notes" and "notes." have none; ".profile" is a name, not an extension.
    if (dot <= 0 || dot == name.size() - 1)
        return (path.endsWith(QLatin1Char('.')) ? path.chopped(1) : path) + QStringLiteral(".txt");
    return path;
}

QString qtFileDialogFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            patterns << pattern.toLower();
            if (pattern.toUpper() != pattern.toLower())
                patterns << pattern.toUpper();
        }
        entries << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}

} // namespace narrix
