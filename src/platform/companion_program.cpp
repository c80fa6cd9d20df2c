#include "platform/companion_program.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace narrix {
namespace {

bool isRunnable(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

} // namespace

QString findCompanionProgram(const QString& name, const QString& executableFolder)
{
    const QDir folder(executableFolder);
    const QString beside = folder.filePath(name);
    if (isRunnable(beside))
        return beside;
    const QString inBuildTree = QDir::cleanPath(folder.filePath(QStringLiteral("../%1/%1").arg(name)));
    if (isRunnable(inBuildTree))
        return inBuildTree;
    return QStandardPaths::findExecutable(name);
}

bool startCompanionProgram(const QString& name, const QStringList& arguments)
{
    const QString program = findCompanionProgram(name, QCoreApplication::applicationDirPath());
    if (program.isEmpty())
        return false;
    return QProcess::startDetached(program, arguments);
}

} // namespace narrix
