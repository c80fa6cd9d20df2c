#pragma once

#include "speech/voice_language_filter.h"

#include <QDialog>
#include <QLocale>
#include <QStringList>
#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QSlider;

namespace narrix {

class SpeechProperties;

// "Speech Properties": shows what SpeechProperties holds and hands it the user's actions. "&Close"
// (also Esc) closes; every change has already taken effect. "Get More!!!" calls `getMore`. The
// language box narrows the voice list; `locale` says which language it offers first.
class TfrmProp final : public QDialog
{
    Q_OBJECT
public:
    TfrmProp(SpeechProperties& logic, std::function<void()> getMore, QWidget* parent = nullptr,
             const QLocale& locale = QLocale());

    // Shows the logic's state (after open() and each change).
    void refresh();

private:
    // Fills the voice box with the voices of the chosen language (and the current voice).
    void showVoicesOfLanguage();
    void showWordsPerMinute(int speed);

    SpeechProperties& logic_;
    std::function<void()> getMore_;
    int systemLanguage_ = 0;
    VoiceLanguageFilter languageFilter_;
    QStringList listedVoices_;     // the logic's list the boxes were filled from
    std::vector<int> shownVoices_; // per entry of the voice box: the index into listedVoices_
    QComboBox* cbLanguage = nullptr;
    QComboBox* cbVoice = nullptr;
    QLabel* lName = nullptr;
    QLabel* lLang = nullptr;
    QLabel* lGender = nullptr;
    QLabel* lAge = nullptr;
    QSlider* speedSlider_ = nullptr;
    QLabel* lSpeed = nullptr; // the words per minute beside the slider
};

} // namespace narrix
