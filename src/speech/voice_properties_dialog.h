#pragma once

#include <QDialog>
#include <functional>

class QComboBox;
class QLabel;
class QPushButton;
class QSlider;

namespace narrix {

class SpeechProperties;

// "Speech Properties": shows what SpeechProperties holds and hands it the user's actions. "&Close"
// (also Esc) closes; every change has already taken effect. "Get More!!!" calls `getMore`.
class TfrmProp final : public QDialog
{
    Q_OBJECT
public:
    TfrmProp(SpeechProperties& logic, std::function<void()> getMore, QWidget* parent = nullptr);

    // Shows the logic's state (after open() and each change).
    void refresh();

private:
    SpeechProperties& logic_;
    std::function<void()> getMore_;
    QComboBox* cbVoice = nullptr;
    QLabel* lName = nullptr;
    QLabel* lLang = nullptr;
    QLabel* lGender = nullptr;
    QLabel* lAge = nullptr;
    QSlider* speedSlider_ = nullptr;
};

} // namespace narrix
