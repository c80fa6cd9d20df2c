#pragma once

#include <QByteArray>
#include <QString>

namespace narrix {

// Narrix's entry in the session's autostart folder (`autostart/narrix.desktop` in the user's
// configuration folder): while it is there the desktop starts Narrix with the session. The entry
// starts the program plainly; the "Start minimized" option decides how its window comes up.
class AutostartEntry
{
public:
    // `configFolder` is the user's configuration folder (XDG_CONFIG_HOME).
    explicit AutostartEntry(QString configFolder);
    // The entry in the user's configuration folder as Qt finds it.
    static AutostartEntry forUser();

    QString path() const;
    // True when the entry is there.
    bool exists() const;
    // Writes the entry (replacing an older one whole) or removes it; false, with `error` naming the
    // file and the reason, when the folder or the file could not be written or removed.
    bool setPresent(bool present, QString* error) const;

    static QByteArray contents();

private:
    QString configFolder_;
};

} // namespace narrix
