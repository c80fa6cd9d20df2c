#include "ui/desktop_opener.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace narrix {

void QtDesktopOpener::open(const QString& address)
{
    const QUrl url =
        QDir::isAbsolutePath(address) ? QUrl::fromLocalFile(address) : QUrl::fromUserInput(address);
    QDesktopServices::openUrl(url);
}

} // namespace narrix
