#pragma once

#include "speech/speech_engine.h"

#include <QStringList>
#include <stdexcept>
#include <vector>

namespace narrix::testing {

// In-memory engine: records what it was asked to do; events are raised by the test.
class FakeSpeechEngine : public SpeechEngine
{
public:
    struct Mode
    {
        QString name;
        QString speaker;
        int gender = 2;
        int age = 30;
        int language = 9;
        bool usable = true;
        bool readsSymbols = true;
    };

    std::vector<Mode> modes{{QStringLiteral("Default Voice"), QStringLiteral("Default")}};
    int minSpeed = 80;
    int maxSpeed = 450;
    int speed = 175;
    int device = -1;
    short suppress = 0;
    int busy = 0;
    int selected = 1;
    QStringList spoken;
    QStringList calls;

    int Speed() const override { return speed; }
    void SetSpeed(int wpm) override
    {
        speed = wpm == -1 ? maxSpeed : (wpm < minSpeed ? minSpeed : (wpm > maxSpeed ? maxSpeed : wpm));
        calls << QStringLiteral("SetSpeed");
        Q_EMIT OnAttribChanged(1);
    }
    int Device() const override { return device; }
    void SetDevice(int d) override { device = d; }
    short SuppressExceptions() const override { return suppress; }
    void SetSuppressExceptions(short s) override { suppress = s; }
    int Busy() const override { return busy; }
    int ModeCount() const override { return static_cast<int>(modes.size()); }

    void Speak(const QString& text) override { spoken << text; }
    // Texts are numbered as they are queued.
    quint64 LastQueuedText() const override { return static_cast<quint64>(spoken.size()); }
    void StopSpeaking() override { calls << QStringLiteral("Stop"); }
    void FastForward() override { calls << QStringLiteral("FastForward"); }
    void Pause() override { calls << QStringLiteral("Pause"); }
    void Resume() override { calls << QStringLiteral("Resume"); }
    void Rewind() override { calls << QStringLiteral("Rewind"); }

    QString ModeName(int i) const override { return mode(i).name; }
    QString Speaker(int i) const override { return mode(i).speaker; }
    int Gender(int i) const override { return mode(i).gender; }
    int Age(int i) const override { return mode(i).age; }
    int LanguageID(int i) const override { return mode(i).language; }
    bool ReadsSymbols(int i) const override { return mode(i).readsSymbols; }
    void Select(int i) override
    {
        if (!mode(i).usable)
            throw std::runtime_error("unusable mode");
        selected = i;
    }
    int CurrentMode() const override { return selected; }

private:
    const Mode& mode(int i) const
    {
        if (i < 1 || i > static_cast<int>(modes.size()))
            throw std::out_of_range("mode index");
        return modes[static_cast<size_t>(i - 1)];
    }
};

} // namespace narrix::testing
