#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace narrix {

// The language box of Speech Properties over the listed voices: the languages they have (the
// system's own first, then every language, then the rest by name) and which voices a choice shows.
// Languages are the engine's primary language codes; codes without a name are one "Other" entry.
class VoiceLanguageFilter
{
public:
    static constexpr int kAllLanguages = -1;

    // `languageOfVoice[i]` is the language code of listed voice i.
    void setVoices(const std::vector<int>& languageOfVoice, int systemLanguage);

    const QStringList& labels() const { return labels_; }
    // The entry chosen when the voices are first shown: the system language when a voice has it.
    int initialChoice() const { return 0; }
    // The listed voices that the entry `choice` shows, in list order; `keep` (the current voice,
    // -1 for none) is always among them.
    std::vector<int> shownVoices(int choice, int keep) const;
    // The label of the entry a voice's language falls under.
    QString labelOf(int language) const;

private:
    int groupOf(int language) const;

    std::vector<int> groupOfVoice_; // per listed voice: its entry's language group
    QStringList labels_;
    std::vector<int> groups_; // per entry: a language group, or kAllLanguages
};

} // namespace narrix
