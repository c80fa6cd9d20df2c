#include "base/speech_log.h"

#include "base/diagnostics.h"
#include "base/process_clock.h"
#include "base/utf8.h"
#include "base/write_all.h"

#include <QByteArray>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <mutex>

#include <fcntl.h>
#include <unistd.h>

namespace narrix {
namespace {

// The open log. When the file's name is changed the next line reopens it.
class LogFile
{
public:
    static LogFile& instance()
    {
        static LogFile file;
        return file;
    }

    void setPath(const std::string& path)
    {
        std::lock_guard lock(mutex_);
        wanted_ = QByteArray::fromStdString(path);
    }

    bool enabled()
    {
        std::lock_guard lock(mutex_);
        return openLocked();
    }

    void append(const std::string& fields)
    {
        std::lock_guard lock(mutex_);
        if (!openLocked())
            return;
        const long long ms = std::llround(processAgeMilliseconds());
        const std::string line = "{\"ms\":" + std::to_string(ms) + fields + "}\n";
        if (!writeAll(fd_, line))
            qCWarning(lcNarrix, "cannot write the speech log %s: %s", path_.constData(),
                      std::strerror(errno));
    }

private:
    bool openLocked()
    {
        const QByteArray& path = wanted_;
        if (path == path_)
            return fd_ >= 0;
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
        path_ = path;
        if (path_.isEmpty())
            return false;
        // The history holds what was read aloud (mail among it): for its owner only.
        fd_ = ::open(path_.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
        if (fd_ < 0)
            qCWarning(lcNarrix, "cannot write the speech log %s: %s", path_.constData(),
                      std::strerror(errno));
        return fd_ >= 0;
    }

    std::mutex mutex_;
    QByteArray wanted_; // the file named by setPath
    QByteArray path_;   // the file fd_ was opened on
    int fd_ = -1;
};

std::string quoted(std::string_view name, std::string_view text)
{
    return ",\"" + std::string(name) + "\":\"" + jsonEscape(text) + "\"";
}

void appendHex4(std::string& out, unsigned value)
{
    static const char digits[] = "0123456789abcdef";
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4)
        out.push_back(digits[(value >> shift) & 0xFu]);
}

} // namespace

void setSpeechLogPath(const std::string& path)
{
    LogFile::instance().setPath(path);
}

bool speechLogEnabled()
{
    return LogFile::instance().enabled();
}

std::string jsonEscape(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + 8);
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    std::size_t i = 0;
    while (i < size) {
        const unsigned char c = bytes[i];
        if (c < 0x80) {
            switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20 || c == 0x7F)
                    appendHex4(out, c);
                else
                    out.push_back(static_cast<char>(c));
            }
            ++i;
            continue;
        }
        // Copy a valid UTF-8 sequence as it is; anything else becomes U+FFFD.
        const std::size_t length = utf8SequenceLength(text, i);
        if (length > 0) {
            out.append(text.substr(i, length));
            i += length;
        } else {
            out += "\xEF\xBF\xBD";
            ++i;
        }
    }
    return out;
}

void speechLogSpeak(int source, std::string_view title, std::string_view text)
{
    if (!speechLogEnabled())
        return;
    LogFile::instance().append(",\"event\":\"speak\",\"source\":" + std::to_string(source) +
                               quoted("title", title) + quoted("text", text));
}

void speechLogStarted()
{
    LogFile::instance().append(",\"event\":\"started\"");
}

void speechLogDone()
{
    LogFile::instance().append(",\"event\":\"done\"");
}

void speechLogError(std::string_view where, std::string_view message)
{
    if (!speechLogEnabled())
        return;
    LogFile::instance().append(",\"event\":\"error\"" + quoted("where", where) + quoted("message", message));
}

} // namespace narrix
