#include "vozozo/sync_file.h"

#include "base/text_trim.h"

#include <cstdio>

namespace narrix {
namespace {

std::uint64_t milliseconds(std::uint64_t sample, int rate)
{
    return sample * 1000 / static_cast<std::uint64_t>(rate);
}

std::string lrcTime(std::uint64_t ms)
{
    char text[32];
    std::snprintf(text, sizeof text, "[%02llu:%02llu.%02llu]", static_cast<unsigned long long>(ms / 60000),
                  static_cast<unsigned long long>(ms / 1000 % 60),
                  static_cast<unsigned long long>(ms / 10 % 100));
    return text;
}

std::string vttTime(std::uint64_t ms)
{
    char text[32];
    std::snprintf(
        text, sizeof text, "%02llu:%02llu:%02llu.%03llu", static_cast<unsigned long long>(ms / 3600000),
        static_cast<unsigned long long>(ms / 60000 % 60), static_cast<unsigned long long>(ms / 1000 % 60),
        static_cast<unsigned long long>(ms % 1000));
    return text;
}

// Cue text may hold no markup and no "-->": the three characters that could start either are escaped.
std::string vttEscaped(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else
            out += c;
    }
    return out;
}

} // namespace

std::optional<SyncFormat> syncFormatNamed(const QString& name)
{
    if (name.compare(QLatin1String("lrc"), Qt::CaseInsensitive) == 0)
        return SyncFormat::Lrc;
    if (name.compare(QLatin1String("vtt"), Qt::CaseInsensitive) == 0 ||
        name.compare(QLatin1String("webvtt"), Qt::CaseInsensitive) == 0)
        return SyncFormat::WebVtt;
    return std::nullopt;
}

QString syncFormatExtension(SyncFormat format)
{
    return format == SyncFormat::Lrc ? QStringLiteral("lrc") : QStringLiteral("vtt");
}

std::string oneLine(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    bool space = false;
    for (const char c : text) {
        if (isTrimmable(c)) {
            space = !out.empty();
            continue;
        }
        if (space)
            out += ' ';
        space = false;
        out += c;
    }
    return out;
}

std::string syncFileText(SyncFormat format, const std::vector<SyncLine>& lines, std::uint64_t totalSamples,
                         int rate, const QString& title)
{
    std::string out;
    if (format == SyncFormat::Lrc) {
        out += "[ti:" + oneLine(title.toStdString()) + "]\n";
        for (const SyncLine& line : lines)
            out += lrcTime(milliseconds(line.sample, rate)) + line.text + '\n';
        return out;
    }
    out += "WEBVTT\n";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::uint64_t end = i + 1 < lines.size() ? lines[i + 1].sample : totalSamples;
        out += '\n' + std::to_string(i + 1) + '\n' + vttTime(milliseconds(lines[i].sample, rate)) + " --> " +
               vttTime(milliseconds(std::max(end, lines[i].sample), rate)) + '\n' +
               vttEscaped(lines[i].text) + '\n';
    }
    return out;
}

} // namespace narrix
