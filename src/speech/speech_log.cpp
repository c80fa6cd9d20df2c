#include "speech/speech_log.h"

#include <QByteArray>
#include <QFile>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <mutex>

#include <unistd.h>

namespace narrix {
namespace {

std::chrono::steady_clock::time_point processStart()
{
    // Taken while the program starts (static initialisation), then corrected by the age of the
    // process as the kernel reports it, where it does.
    static const std::chrono::steady_clock::time_point start = [] {
        auto now = std::chrono::steady_clock::now();
        QFile stat(QStringLiteral("/proc/self/stat"));
        QFile uptime(QStringLiteral("/proc/uptime"));
        if (stat.open(QIODevice::ReadOnly) && uptime.open(QIODevice::ReadOnly)) {
            const QByteArray statLine = stat.readAll();
            // Fields after the command name (which may hold blanks) start after the last ')'.
            const QList<QByteArray> fields = statLine.mid(statLine.lastIndexOf(')') + 2).split(' ');
            const long ticksPerSecond = sysconf(_SC_CLK_TCK);
            bool ok1 = false;
            bool ok2 = false;
            // Field 22 (starttime) is the 20th after the command name.
            const double startTicks = fields.size() > 19 ? fields[19].toDouble(&ok1) : 0;
            const double upSeconds = uptime.readAll().split(' ').value(0).toDouble(&ok2);
            if (ok1 && ok2 && ticksPerSecond > 0) {
                const double age = upSeconds - startTicks / static_cast<double>(ticksPerSecond);
                if (age >= 0 && age < 3600)
                    now -= std::chrono::microseconds(static_cast<long long>(age * 1e6));
            }
        }
        return now;
    }();
    return start;
}

// Touches the start time during static initialisation.
const auto kStartAnchor = processStart();

struct LogFile
{
    std::mutex mutex;
    bool opened = false;
    std::ofstream stream;
};

LogFile& logFile()
{
    static LogFile file;
    return file;
}

// Opens the log on first use; false when there is none (nothing needs to be formatted then).
bool logEnabled()
{
    LogFile& log = logFile();
    std::lock_guard lock(log.mutex);
    if (!log.opened) {
        log.opened = true;
        const QByteArray path = qgetenv("NARRIX_SPEECH_LOG");
        if (!path.isEmpty()) {
            log.stream.open(path.toStdString(), std::ios::app | std::ios::binary);
            if (!log.stream)
                std::fprintf(stderr, "narrix: cannot write the speech log %s\n", path.constData());
        }
    }
    return log.stream.is_open();
}

void appendLine(const std::string& objectBody)
{
    LogFile& log = logFile();
    std::lock_guard lock(log.mutex);
    if (!log.stream.is_open())
        return;
    log.stream << "{\"ms\":" << millisecondsSinceProcessStart() << objectBody << "}\n";
    log.stream.flush();
    if (!log.stream) {
        // A full disk: said once, and the history stops rather than holding half lines.
        std::fprintf(stderr, "narrix: the speech log could not be written; it is closed\n");
        log.stream.close();
    }
}

void appendHex4(std::string& out, unsigned value)
{
    static const char digits[] = "0123456789abcdef";
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4)
        out.push_back(digits[(value >> shift) & 0xFu]);
}

} // namespace

bool speechLogEnabled()
{
    return logEnabled();
}

long long millisecondsSinceProcessStart()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 processStart())
        .count();
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
        std::size_t length =
            c >= 0xC2 && c <= 0xDF ? 2 : (c >= 0xE0 && c <= 0xEF ? 3 : (c >= 0xF0 && c <= 0xF4 ? 4 : 0));
        bool valid = length > 0 && i + length <= size;
        for (std::size_t k = 1; valid && k < length; ++k)
            valid = (bytes[i + k] & 0xC0u) == 0x80u;
        if (valid && length == 3) {
            const unsigned second = bytes[i + 1];
            valid = !(c == 0xE0 && second < 0xA0) && !(c == 0xED && second >= 0xA0);
        } else if (valid && length == 4) {
            const unsigned second = bytes[i + 1];
            valid = !(c == 0xF0 && second < 0x90) && !(c == 0xF4 && second >= 0x90);
        }
        if (valid) {
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
    if (!logEnabled())
        return;
    appendLine(",\"event\":\"speak\",\"source\":" + std::to_string(source) + ",\"title\":\"" +
               jsonEscape(title) + "\",\"text\":\"" + jsonEscape(text) + "\"");
}

void speechLogStarted()
{
    if (!logEnabled())
        return;
    appendLine(",\"event\":\"started\"");
}

void speechLogDone()
{
    if (!logEnabled())
        return;
    appendLine(",\"event\":\"done\"");
}

void speechLogError(std::string_view text)
{
    if (!logEnabled())
        return;
    appendLine(",\"event\":\"error\",\"text\":\"" + jsonEscape(text) + "\"");
}

} // namespace narrix
