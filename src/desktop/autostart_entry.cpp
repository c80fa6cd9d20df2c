#include "desktop/autostart_entry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace narrix {

AutostartEntry::AutostartEntry(QString configFolder) : configFolder_(std::move(configFolder)) {}

AutostartEntry AutostartEntry::forUser()
{
    return AutostartEntry(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

QString AutostartEntry::path() const
{
    return configFolder_ + QStringLiteral("/autostart/narrix.desktop");
}

bool AutostartEntry::exists() const
{
    return QFileInfo::exists(path());
}

QByteArray AutostartEntry::contents()
{
    return QByteArrayLiteral("[Desktop Entry]\n"
                             "Type=Application\n"
                             "Name=Narrix\n"
                             "Comment=Read documents, web pages, e-mail and typed text aloud\n"
                             "Exec=narrix\n"
                             "Icon=net.quillmark.Narrix\n"
                             "Terminal=false\n"
                             "X-GNOME-Autostart-enabled=true\n");
}

bool AutostartEntry::setPresent(bool present, QString* error) const
{
    const QString file = path();
    if (!present) {
        QFile entry(file);
        if (!entry.exists() || entry.remove())
            return true;
        *error = QStringLiteral("%1 could not be removed: %2").arg(file, entry.errorString());
        return false;
    }
    if (!QDir().mkpath(QFileInfo(file).absolutePath())) {
        *error = QStringLiteral("%1 could not be created.").arg(QFileInfo(file).absolutePath());
        return false;
    }
    // Written beside the old entry and renamed over it: a failed write leaves the old one whole.
    QSaveFile entry(file);
    if (!entry.open(QIODevice::WriteOnly) || entry.write(contents()) < 0 || !entry.commit()) {
        *error = QStringLiteral("%1 could not be written: %2").arg(file, entry.errorString());
        return false;
    }
    return true;
}

} // namespace narrix
