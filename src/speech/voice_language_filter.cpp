#include "speech/voice_language_filter.h"

#include "speech/voice_labels.h"

#include <QCoreApplication>
#include <QMap>
#include <algorithm>

namespace narrix {
namespace {

// Languages without a name of their own share one group.
constexpr int kOtherLanguages = -2;

} // namespace

int VoiceLanguageFilter::groupOf(int language) const
{
    const int code = language & 0x3ff;
    return voiceLanguageName(code) ? code : kOtherLanguages;
}

QString VoiceLanguageFilter::labelOf(int language) const
{
    if (const std::optional<QString> name = voiceLanguageName(language & 0x3ff))
        return *name;
    return QCoreApplication::translate("narrix::TfrmProp", "Other");
}

void VoiceLanguageFilter::setVoices(const std::vector<int>& languageOfVoice, int systemLanguage)
{
    groupOfVoice_.clear();
    groupOfVoice_.reserve(languageOfVoice.size());
    QMap<QString, int> byName; // sorted by label
    for (int language : languageOfVoice) {
        groupOfVoice_.push_back(groupOf(language));
        byName.insert(labelOf(language), groupOfVoice_.back());
    }
    labels_.clear();
    groups_.clear();
    const int systemGroup = groupOf(systemLanguage);
    const QString systemLabel = labelOf(systemLanguage);
    if (systemGroup != kOtherLanguages && byName.contains(systemLabel)) {
        labels_ << systemLabel;
        groups_.push_back(systemGroup);
        byName.remove(systemLabel);
    }
    labels_ << QCoreApplication::translate("narrix::TfrmProp", "All languages");
    groups_.push_back(kAllLanguages);
    for (auto it = byName.cbegin(); it != byName.cend(); ++it) {
        labels_ << it.key();
        groups_.push_back(it.value());
    }
}

std::vector<int> VoiceLanguageFilter::shownVoices(int choice, int keep) const
{
    const int group = choice >= 0 && choice < static_cast<int>(groups_.size())
                          ? groups_[static_cast<std::size_t>(choice)]
                          : kAllLanguages;
    std::vector<int> shown;
    for (int i = 0; i < static_cast<int>(groupOfVoice_.size()); ++i) {
        if (group == kAllLanguages || i == keep || groupOfVoice_[static_cast<std::size_t>(i)] == group)
            shown.push_back(i);
    }
    return shown;
}

} // namespace narrix
