#pragma once

#include <QString>
#include <QStringList>

namespace narrix {

// The voice database nxvoice.ini: one section "Voices" whose values are the names of the engine's
// usable voices in scan order ("0=...", "1=...").
class VoiceDatabase
{
public:
    explicit VoiceDatabase(QString path) : path_(std::move(path)) {}

    // The names in file order; empty values are skipped. A missing or unreadable file gives none
    // (`error`, when given, says why a file that exists could not be read).
    QStringList read(QString* error = nullptr) const;
    // Replaces the section with `names` under the keys "0", "1", ...; the rest of the file stays.
    bool write(const QStringList& names, QString* error = nullptr) const;

    const QString& path() const { return path_; }

private:
    QString path_;
};

} // namespace narrix
