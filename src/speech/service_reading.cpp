#include "speech/service_reading.h"

#include "base/diagnostics.h"

#include <QByteArray>
#include <QMetaObject>
#include <algorithm>

namespace narrix {
namespace {

std::vector<SentenceSpan> sentencesOf(QStringView text, qsizetype from = 0)
{
    std::vector<SentenceSpan> spans;
    for (;;) {
        const SentenceSpan span = nextSentence(QStringView(text), from);
        if (span.empty() || span.end <= from)
            break;
        spans.push_back(span);
        from = span.end;
    }
    return spans;
}

// An SSML document of the sentences from `first` to before `end`, each in an <s> element that starts with a
// mark named by its index (the service's espeak-ng module reports marks only at the start of an element).
QByteArray markedSsml(const QString& text, const std::vector<SentenceSpan>& spans, std::size_t first,
                      std::size_t end)
{
    QString ssml = QStringLiteral("<speak>");
    for (std::size_t i = first; i < end; ++i) {
        ssml += QStringLiteral("<s><mark name=\"%1\"/>").arg(i);
        ssml += text.mid(spans[i].start, spans[i].end - spans[i].start).toHtmlEscaped();
        ssml += QStringLiteral("</s>");
    }
    ssml += QStringLiteral("</speak>");
    return ssml.toUtf8();
}

} // namespace

ServiceReading::ServiceReading(QObject* parent) : QObject(parent)
{
    connection_ = std::make_unique<SpeechdConnection>([this](const SpeechdConnection::Event& event) {
        // From libspeechd's thread; dropped by Qt once this object is gone.
        QMetaObject::invokeMethod(
            this, [this, event] { handle(event); }, Qt::QueuedConnection);
    });
}

ServiceReading::~ServiceReading() = default;

void ServiceReading::enqueue(quint64 serial, const QString& text, bool open, const VoiceInfo& voice,
                             const Prosody& prosody)
{
    texts_.push_back({serial, text, sentencesOf(text), voice, prosody, open, false});
    if (texts_.size() == 1 && !paused_) {
        spokenUpTo_ = 0;
        speakRest();
    }
}

void ServiceReading::extend(quint64 serial, const QString& wholeText)
{
    const auto found = std::find_if(texts_.begin(), texts_.end(),
                                    [serial](const Text& text) { return text.serial == serial; });
    if (found == texts_.end())
        return;
    found->text = wholeText;
    found->sentences = sentencesOf(wholeText);
    found->open = false;
    // The first part is spoken already: the rest follows it at once.
    if (found == texts_.begin() && message_ == 0 && !paused_)
        speakRest();
}

void ServiceReading::append(quint64 serial, const QString& more, bool close)
{
    const auto found = std::find_if(texts_.begin(), texts_.end(),
                                    [serial](const Text& text) { return text.serial == serial; });
    if (found == texts_.end() || !found->open)
        return;
    // Only the last sentence, which may have been cut short, is split again with what follows it.
    const qsizetype from = found->sentences.empty() ? 0 : found->sentences.back().start;
    if (!found->sentences.empty())
        found->sentences.pop_back();
    found->text += more;
    for (const SentenceSpan& span : sentencesOf(QStringView(found->text), from))
        found->sentences.push_back(span);
    found->open = !close;
    if (found == texts_.begin() && message_ == 0 && !paused_)
        speakRest();
}

void ServiceReading::stop()
{
    texts_.clear();
    paused_ = false;
    cancelMessage();
}

void ServiceReading::pause()
{
    if (texts_.empty() || paused_)
        return;
    paused_ = true;
    cancelMessage();
}

void ServiceReading::resume()
{
    if (!paused_)
        return;
    paused_ = false;
    if (!texts_.empty() && sentence_ < texts_.front().sentences.size())
        speakFrom(sentence_);
    else
        speakRest();
}

void ServiceReading::fastForward()
{
    if (message_ == 0)
        return;
    cancelMessage();
    spokenUpTo_ = texts_.front().sentences[sentence_].end;
    speakRest();
}

void ServiceReading::rewind()
{
    if (message_ == 0)
        return;
    cancelMessage();
    speakFrom(sentence_ > 0 ? sentence_ - 1 : 0);
}

void ServiceReading::cancelMessage()
{
    if (message_ == 0)
        return;
    message_ = 0;
    connection_->cancel();
}

void ServiceReading::speakRest()
{
    while (!texts_.empty()) {
        const Text& text = texts_.front();
        const auto speakable = text.sentences.begin() + static_cast<std::ptrdiff_t>(speakableSentences(text));
        const auto rest = std::find_if(text.sentences.begin(), speakable, [this](const SentenceSpan& span) {
            return span.start >= spokenUpTo_;
        });
        if (rest != speakable) {
            speakFrom(static_cast<std::size_t>(rest - text.sentences.begin()));
            return;
        }
        if (text.open)
            return; // its rest is yet to come
        texts_.pop_front();
        spokenUpTo_ = 0;
    }
    Q_EMIT finished();
}

std::size_t ServiceReading::speakableSentences(const Text& text)
{
    // The last sentence of an open text may be cut short (mid-sentence, even mid-word): it waits.
    return text.open && !text.sentences.empty() ? text.sentences.size() - 1 : text.sentences.size();
}

void ServiceReading::speakFrom(std::size_t sentence)
{
    Text& text = texts_.front();
    sentence_ = sentence;
    const std::size_t end = speakableSentences(text);
    if (sentence >= end) {
        // Nothing complete to say yet: the text's next part speaks it.
        spokenUpTo_ = sentence < text.sentences.size() ? text.sentences[sentence].start : spokenUpTo_;
        return;
    }
    spokenUpTo_ = text.sentences[end - 1].end;
    message_ =
        connection_->speak(text.voice, text.prosody, markedSsml(text.text, text.sentences, sentence, end));
    if (message_ != 0)
        return;
    // The service went away: what is left cannot be spoken.
    texts_.clear();
    paused_ = false;
    QMetaObject::invokeMethod(this, &ServiceReading::finished, Qt::QueuedConnection);
}

void ServiceReading::handle(const SpeechdConnection::Event& event)
{
    if (event.message != message_ || texts_.empty())
        return; // a message cancelled meanwhile
    Text& text = texts_.front();
    switch (event.kind) {
    case SpeechdConnection::EventKind::Begin:
        if (!text.started) {
            text.started = true;
            Q_EMIT textStarted();
        }
        break;
    case SpeechdConnection::EventKind::Mark: {
        bool ok = false;
        const qulonglong index = event.mark.toULongLong(&ok);
        if (!ok || index >= text.sentences.size())
            break;
        sentence_ = static_cast<std::size_t>(index);
        Q_EMIT sentenceStarted(text.serial, text.sentences[sentence_].start, text.sentences[sentence_].end);
        break;
    }
    case SpeechdConnection::EventKind::End:
        // Goes on with the rest of a text that grew meanwhile, else with the next text.
        message_ = 0;
        speakRest();
        break;
    case SpeechdConnection::EventKind::Cancel:
        message_ = 0;
        qCInfo(lcSpeech, "speech-dispatcher cancelled the reading");
        texts_.clear();
        paused_ = false;
        Q_EMIT finished();
        break;
    }
}

} // namespace narrix
