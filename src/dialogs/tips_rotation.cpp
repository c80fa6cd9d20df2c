#include "dialogs/tips_rotation.h"

#include "base/atomic_file.h"

#include <QFile>

namespace narrix {

TipsRotation::TipsRotation(QStringList lines) : lines_(std::move(lines)) {}

QString TipsRotation::currentTip() const
{
    return hasTips() ? lines_.at(1) : QString();
}

bool TipsRotation::showAtStartup() const
{
    return !lines_.isEmpty() && lines_.first() == QLatin1String("True");
}

void TipsRotation::next()
{
    if (hasTips())
        lines_.append(lines_.takeAt(1));
}

QStringList TipsRotation::closedLines(bool show)
{
    if (!lines_.isEmpty())
        lines_[0] = show ? QStringLiteral("True") : QStringLiteral("False");
    next();
    return lines_;
}

QStringList readTipsFile(const QString& path)
{
    std::string bytes;
    std::string error;
    if (!readWholeFile(path.toStdString(), &bytes, &error))
        return {};
    return parseTipsText(QByteArray(bytes.data(), qsizetype(bytes.size())));
}

QStringList parseTipsText(const QByteArray& bytes)
{
    QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    for (QString& line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

bool writeTipsFile(const QString& path, const QStringList& lines, QString* error)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    std::string reason;
    if (writeFileAtomically(path.toStdString(), std::string_view(bytes.constData(), size_t(bytes.size())),
                            &reason))
        return true;
    if (error != nullptr)
        *error = QString::fromStdString(reason);
    return false;
}

QString prepareTipsFile(const QString& dataPath, const QString& shippedPath)
{
    if (!QFile::exists(dataPath) && !shippedPath.isEmpty() && QFile::exists(shippedPath)) {
        const QStringList lines = readTipsFile(shippedPath);
        if (!lines.isEmpty())
            writeTipsFile(dataPath, lines, nullptr);
    }
    return dataPath;
}

} // namespace narrix
