#include "speech/speechd_backend.h"

#include "base/diagnostics.h"
#include "speech/language_codes.h"

#include "speech/speechd_library.h"

#include <QByteArray>
#include <algorithm>
#include <map>
#include <mutex>

namespace narrix {
namespace {

constexpr int kServiceNormalSpeed = 170;

// libspeechd's callbacks carry no context, only the client number: they find their connection here.
std::mutex& registryMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::map<std::size_t, SpeechdConnection::EventHandler*>& registry()
{
    static std::map<std::size_t, SpeechdConnection::EventHandler*> handlers;
    return handlers;
}

void deliver(std::size_t clientId, const SpeechdConnection::Event& event)
{
    std::lock_guard lock(registryMutex());
    const auto found = registry().find(clientId);
    if (found != registry().end())
        (*found->second)(event);
}

void onEvent(size_t message, size_t clientId, SPDNotificationType type)
{
    SpeechdConnection::Event event;
    event.message = message;
    switch (type) {
    case SPD_EVENT_BEGIN:
        event.kind = SpeechdConnection::EventKind::Begin;
        break;
    case SPD_EVENT_END:
        event.kind = SpeechdConnection::EventKind::End;
        break;
    case SPD_EVENT_CANCEL:
        event.kind = SpeechdConnection::EventKind::Cancel;
        break;
    default:
        return;
    }
    deliver(clientId, event);
}

void onIndexMark(size_t message, size_t clientId, SPDNotificationType type, char* mark)
{
    if (type != SPD_EVENT_INDEX_MARK || mark == nullptr)
        return;
    deliver(clientId, {SpeechdConnection::EventKind::Mark, message, QString::fromUtf8(mark)});
}

QString unavailable(const QString& reason)
{
    return QStringLiteral("speech-dispatcher is not available (%1); its voices are not offered").arg(reason);
}

// The library, opened on first use; null with the reason in `*problem`.
const SpeechdLibrary* speechdLibrary(QString* problem)
{
    std::string error;
    const SpeechdLibrary* library = SpeechdLibrary::open(&error);
    if (library == nullptr)
        *problem = unavailable(QString::fromStdString(error));
    return library;
}

// Connects; on failure `*problem` says why.
SPDConnection* openService(const SpeechdLibrary& spd, const char* connectionName, QString* problem)
{
    char* error = nullptr;
    SPDConnection* connection =
        spd.open2("narrix", connectionName, nullptr, SPD_MODE_THREADED, nullptr, 1, &error);
    if (connection == nullptr)
        *problem = unavailable(QString::fromUtf8(error ? error : "no reason given"));
    free(error);
    return connection;
}

// speech-dispatcher's modules say a voice's gender only through espeak-ng's variant names
// ("female2", "male5"); every other voice is neutral.
int genderOfVariant(const char* variant)
{
    const QString name = QString::fromUtf8(variant ? variant : "").toLower();
    if (name.startsWith(QLatin1String("female")))
        return 1;
    if (name.startsWith(QLatin1String("male")))
        return 2;
    return 0;
}

void appendModuleVoices(const SpeechdLibrary& spd, SPDConnection* connection, const char* module,
                        std::vector<VoiceInfo>& out)
{
    if (spd.setOutputModule(connection, module) != 0)
        return;
    SPDVoice** voices = spd.listSynthesisVoices(connection);
    if (voices == nullptr)
        return;
    const QString suffix = QStringLiteral(" (speech-dispatcher %1)").arg(QString::fromUtf8(module));
    for (SPDVoice** v = voices; *v != nullptr; ++v) {
        const SPDVoice& voice = **v;
        if (voice.name == nullptr)
            continue;
        VoiceInfo info;
        info.speaker = QString::fromUtf8(voice.name);
        info.name = info.speaker + suffix;
        info.gender = genderOfVariant(voice.variant);
        info.language = windowsPrimaryLanguage(voice.language ? voice.language : "");
        info.backend = SynthBackendKind::SpeechDispatcher;
        info.backendVoice = std::string(module) + '/' + voice.name;
        info.minSpeed = kSpeechdMinSpeed;
        info.maxSpeed = kSpeechdMaxSpeed;
        out.push_back(std::move(info));
    }
    spd.freeVoices(voices);
}

} // namespace

struct SpeechdConnection::Session
{
    const SpeechdLibrary* library = nullptr;
    SPDConnection* connection = nullptr;
};

SpeechdVoiceList listSpeechdVoices()
{
    SpeechdVoiceList list;
    std::vector<VoiceInfo>& result = list.voices;
    const SpeechdLibrary* spd = speechdLibrary(&list.problem);
    if (spd == nullptr)
        return list;
    SPDConnection* connection = openService(*spd, "voices", &list.problem);
    if (connection == nullptr)
        return list;
    if (char** modules = spd->listModules(connection)) {
        for (char** module = modules; *module != nullptr; ++module) {
            if (std::string_view(*module) != "dummy")
                appendModuleVoices(*spd, connection, *module, result);
        }
        spd->freeModules(modules);
    }
    spd->close(connection);
    if (result.empty())
        list.problem = QStringLiteral("speech-dispatcher offers no voices");
    return list;
}

int speechdRate(int wordsPerMinute)
{
    const int speed = std::clamp(wordsPerMinute, kSpeechdMinSpeed, kSpeechdMaxSpeed);
    if (speed <= kServiceNormalSpeed)
        return -100 * (kServiceNormalSpeed - speed) / (kServiceNormalSpeed - kSpeechdMinSpeed);
    return 100 * (speed - kServiceNormalSpeed) / (kSpeechdMaxSpeed - kServiceNormalSpeed);
}

SpeechdConnection::SpeechdConnection(EventHandler handler)
    : handler_(std::move(handler)), session_(std::make_unique<Session>())
{
}

SpeechdConnection::~SpeechdConnection()
{
    SPDConnection* connection = session_->connection;
    if (connection == nullptr)
        return;
    {
        std::lock_guard lock(registryMutex());
        registry().erase(clientId_);
    }
    session_->library->cancel(connection);
    session_->library->close(connection);
}

bool SpeechdConnection::ensureOpen()
{
    if (session_->connection != nullptr)
        return true;
    QString problem;
    const SpeechdLibrary* spd = speechdLibrary(&problem);
    SPDConnection* connection = spd != nullptr ? openService(*spd, "reading", &problem) : nullptr;
    if (connection == nullptr) {
        qCInfo(lcSpeech, "%s", qUtf8Printable(problem));
        return false;
    }
    session_->library = spd;
    session_->connection = connection;
    const int id = spd->getClientId(connection);
    clientId_ = id > 0 ? static_cast<std::size_t>(id) : 0;
    {
        std::lock_guard lock(registryMutex());
        registry()[clientId_] = &handler_;
    }
    connection->callback_begin = onEvent;
    connection->callback_end = onEvent;
    connection->callback_cancel = onEvent;
    connection->callback_im = onIndexMark;
    spd->setNotificationOn(connection, SPD_BEGIN);
    spd->setNotificationOn(connection, SPD_END);
    spd->setNotificationOn(connection, SPD_CANCEL);
    spd->setNotificationOn(connection, SPD_INDEX_MARKS);
    spd->setDataMode(connection, SPD_DATA_SSML);
    return true;
}

std::size_t SpeechdConnection::speak(const VoiceInfo& voice, const Prosody& prosody, const QByteArray& ssml)
{
    if (!ensureOpen())
        return 0;
    const SpeechdLibrary& spd = *session_->library;
    SPDConnection* connection = session_->connection;
    const std::size_t slash = voice.backendVoice.find('/');
    const std::string module = voice.backendVoice.substr(0, slash);
    const std::string name =
        slash == std::string::npos ? std::string() : voice.backendVoice.substr(slash + 1);
    spd.setOutputModule(connection, module.c_str());
    if (!name.empty())
        spd.setSynthesisVoice(connection, name.c_str());
    spd.setVoiceRate(connection, speechdRate(prosody.speed));
    spd.setVoicePitch(connection, std::clamp(prosody.tuning.pitch * 2, -100, 100));
    spd.setVolume(connection, std::clamp(prosody.tuning.volume - 100, -100, 100));
    const int message = spd.say(connection, SPD_TEXT, ssml.constData());
    if (message <= 0) {
        qCWarning(lcSpeech, "speech-dispatcher did not take the text of the voice %s",
                  qUtf8Printable(voice.name));
        return 0;
    }
    return static_cast<std::size_t>(message);
}

void SpeechdConnection::cancel()
{
    if (session_->connection != nullptr)
        session_->library->cancel(session_->connection);
}

} // namespace narrix
