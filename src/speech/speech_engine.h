#pragma once

#include <QObject>
#include <QString>
#include <string>

namespace narrix {

// The speech engine as the program sees it: the properties, operations and events every engine
// offers. TTextToSpeech is the real one; tests use a fake. Modes (voices) are numbered from 1.
// Operations report failure by throwing std::runtime_error (the caller's handler ends there).
class SpeechEngine : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~SpeechEngine() override = default;

    // Words per minute. Writing 0 gives the minimum, writing -1 (largest unsigned) the maximum.
    virtual int Speed() const = 0;
    virtual void SetSpeed(int wordsPerMinute) = 0;
    // Audio output device index into QMediaDevices::audioOutputs(); -1 is the default output.
    virtual int Device() const = 0;
    virtual void SetDevice(int device) = 0;
    virtual short SuppressExceptions() const = 0;
    virtual void SetSuppressExceptions(short suppress) = 0;
    // Non-zero while audio is playing; 0 when idle or paused.
    virtual int Busy() const = 0;
    virtual int ModeCount() const = 0;

    // Queues a text; returns at once.
    virtual void Speak(const QString& text) = 0;
    // A long text handed over in two steps, so that its first part is heard before the rest is
    // ready: BeginText queues the first part; ContinueText gives the whole text in UTF-8 (it starts
    // with that part, `firstPartBytes` long in UTF-8) once it is ready. Engines that cannot wait for
    // the rest speak it as a further text.
    virtual void BeginText(const QString& firstPart) { Speak(firstPart); }
    virtual void ContinueText(std::string wholeText, std::size_t firstPartBytes)
    {
        if (wholeText.size() > firstPartBytes)
            Speak(QString::fromUtf8(wholeText.data() + firstPartBytes,
                                    static_cast<qsizetype>(wholeText.size() - firstPartBytes)));
    }
    // A text that grows while it is heard (a long document still being read): BeginText queues its
    // beginning; AppendText adds `more` (UTF-8) to the end of that text, numbered `text` as
    // LastQueuedText gave it after BeginText, and `last` closes it. The reading waits at the end of
    // what it has until more comes or the text is closed. Engines that cannot wait speak each part
    // as a further text.
    virtual void AppendText(quint64 text, std::string more, bool last)
    {
        Q_UNUSED(text);
        Q_UNUSED(last);
        if (!more.empty())
            Speak(QString::fromStdString(more));
    }
    // The number of the text last queued by Speak or BeginText (numbers grow with every text an
    // engine is given); 0 for engines that do not report sentences.
    virtual quint64 LastQueuedText() const { return 0; }
    virtual void StopSpeaking() = 0;
    virtual void FastForward() = 0;
    virtual void Pause() = 0;
    virtual void Resume() = 0;
    virtual void Rewind() = 0;
    // Shows the engine's own settings dialog (pitch, volume, ...) owned by `owner`. Engines without
    // one do nothing.
    virtual void ShowSettingsDialog(QObject* owner) { Q_UNUSED(owner); }

    virtual QString ModeName(int index) const = 0;
    virtual QString Speaker(int index) const = 0;
    // 1 female, 2 male, other neutral.
    virtual int Gender(int index) const = 0;
    virtual int Age(int index) const = 0;
    // Low 10 bits: the Windows primary language identifier (English 9, German 7, French 12, ...).
    virtual int LanguageID(int index) const = 0;
    // Whether the mode reads symbols beyond ASCII such as currency signs and degree (see
    // isSpokenSymbol); the speech clean-up keeps them only for a mode that does.
    virtual bool ReadsSymbols(int index) const
    {
        Q_UNUSED(index);
        return true;
    }
    // Throws for an unusable mode.
    virtual void Select(int index) = 0;
    virtual int CurrentMode() const = 0;

Q_SIGNALS:
    void OnSpeak(const QString& text, const QString& app, int type);
    void OnSpeakingStarted();
    void OnSpeakingDone();
    void OnAttribChanged(int attrib);
    // The chosen output device stopped working (unplugged) and the speech goes on on the default
    // output; `lostDevice` is the device's description.
    void OnDeviceFallback(const QString& lostDevice);
    // The audio of a sentence begins: `text` as LastQueuedText numbered it, the sentence's start and
    // end in UTF-16 units of that text as it was given (the whole text for BeginText/ContinueText).
    void OnSentence(quint64 text, qint64 start, qint64 end);
};

} // namespace narrix
