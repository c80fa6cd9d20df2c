#include "speech/espeak_voice_cache.h"

#include "base/atomic_file.h"
#include "base/diagnostics.h"
#include "speech/espeak_library.h"

#include <QCryptographicHash>
#include <QFile>
#include <algorithm>
#include <charconv>
#include <chrono>
#include <iterator>
#include <system_error>
#include <utility>

namespace narrix {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kFormatLine = "narrix-espeak-ng-voices 1\n";
// Far above what espeak-ng installs (232 voices, about 10 KB): anything larger is not ours.
constexpr std::size_t kMaxFileBytes = 1 << 20;
constexpr std::size_t kMaxLines = 10000;
constexpr std::size_t kFieldsPerVoice = 5;

// Fields are separated by tabs and voices by line ends: those and the escape itself are written as a
// backslash and a letter.
constexpr std::pair<char, char> kEscapes[] = {{'\\', '\\'}, {'\t', 't'}, {'\n', 'n'}, {'\r', 'r'}};

void appendEscaped(std::string& out, std::string_view text)
{
    for (const char c : text) {
        const auto escape = std::find_if(std::begin(kEscapes), std::end(kEscapes),
                                         [c](const auto& pair) { return pair.first == c; });
        if (escape == std::end(kEscapes)) {
            out += c;
        } else {
            out += '\\';
            out += escape->second;
        }
    }
}

bool unescape(std::string_view text, std::string* out)
{
    out->clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            *out += text[i];
            continue;
        }
        if (++i == text.size())
            return false;
        const char letter = text[i];
        const auto escape = std::find_if(std::begin(kEscapes), std::end(kEscapes),
                                         [letter](const auto& pair) { return pair.second == letter; });
        if (escape == std::end(kEscapes))
            return false;
        *out += escape->first;
    }
    return true;
}

long long modificationNanoseconds(const fs::path& folder)
{
    std::error_code error;
    const auto time = fs::last_write_time(folder, error);
    if (error)
        return -1;
    const auto unixTime = std::chrono::file_clock::to_sys(time);
    return std::chrono::duration_cast<std::chrono::nanoseconds>(unixTime.time_since_epoch()).count();
}

// Every folder of the voice files, sorted by path so that the header does not depend on the order
// in which the file system lists them.
std::vector<std::pair<std::string, long long>> voiceFolderTimes(const fs::path& dataFolder)
{
    std::vector<std::pair<std::string, long long>> folders;
    for (const char* top : {"voices", "lang"}) {
        const fs::path root = dataFolder / top;
        std::error_code error;
        if (!fs::is_directory(root, error))
            continue;
        folders.emplace_back(top, modificationNanoseconds(root));
        for (fs::recursive_directory_iterator it(root, error), end; !error && it != end;
             it.increment(error)) {
            std::error_code typeError;
            if (it->is_directory(typeError))
                folders.emplace_back(it->path().lexically_relative(dataFolder).generic_string(),
                                     modificationNanoseconds(it->path()));
        }
    }
    std::sort(folders.begin(), folders.end());
    return folders;
}

void appendSection(std::string& out, std::string_view title, const std::vector<EspeakVoiceEntry>& voices)
{
    out += title;
    out += ' ';
    out += std::to_string(voices.size());
    out += '\n';
    for (const EspeakVoiceEntry& voice : voices) {
        appendEscaped(out, voice.name);
        out += '\t';
        appendEscaped(out, voice.identifier);
        out += '\t';
        appendEscaped(out, voice.language);
        out += '\t';
        out += std::to_string(voice.gender);
        out += '\t';
        out += std::to_string(voice.age);
        out += '\n';
    }
}

std::string checksum(std::string_view bytes)
{
    return QCryptographicHash::hash(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())),
                                    QCryptographicHash::Sha256)
        .toHex()
        .toStdString();
}

// Reads the file's lines one by one; a last line without its line end is a truncated file.
class LineReader
{
public:
    explicit LineReader(std::string_view text) : rest_(text) {}

    bool next(std::string_view* line)
    {
        const std::size_t end = rest_.find('\n');
        if (end == std::string_view::npos)
            return false;
        *line = rest_.substr(0, end);
        rest_.remove_prefix(end + 1);
        return true;
    }
    bool atEnd() const { return rest_.empty(); }
    std::size_t offset(std::string_view whole) const
    {
        return static_cast<std::size_t>(rest_.data() - whole.data());
    }

private:
    std::string_view rest_;
};

bool parseNumber(std::string_view text, int maximum, int* value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), *value);
    return error == std::errc() && end == text.data() + text.size() && *value >= 0 && *value <= maximum;
}

bool parseVoice(std::string_view line, EspeakVoiceEntry* voice)
{
    std::string_view fields[kFieldsPerVoice];
    std::size_t count = 0;
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find('\t', start);
        if (count == kFieldsPerVoice)
            return false;
        fields[count++] = line.substr(start, tab == std::string_view::npos ? tab : tab - start);
        if (tab == std::string_view::npos)
            break;
        start = tab + 1;
    }
    return count == kFieldsPerVoice && unescape(fields[0], &voice->name) &&
           unescape(fields[1], &voice->identifier) && unescape(fields[2], &voice->language) &&
           parseNumber(fields[3], 255, &voice->gender) && parseNumber(fields[4], 255, &voice->age);
}

bool parseSection(LineReader& lines, std::string_view title, std::vector<EspeakVoiceEntry>* voices)
{
    std::string_view line;
    int count = 0;
    if (!lines.next(&line) || !line.starts_with(title) || line.size() <= title.size() ||
        line[title.size()] != ' ' || !parseNumber(line.substr(title.size() + 1), kMaxLines, &count))
        return false;
    voices->resize(static_cast<std::size_t>(count));
    for (EspeakVoiceEntry& voice : *voices) {
        if (!lines.next(&line) || !parseVoice(line, &voice))
            return false;
    }
    return true;
}

// The listing after the header, or the reason why there is none.
std::optional<EspeakVoiceListing> parseBody(std::string_view body, const char** reason)
{
    EspeakVoiceListing listing;
    LineReader lines(body);
    if (!parseSection(lines, "languages", &listing.languages) ||
        !parseSection(lines, "variants", &listing.variants)) {
        *reason = "it is truncated or garbled";
        return std::nullopt;
    }
    const std::string_view listed = body.substr(0, lines.offset(body));
    std::string_view line;
    if (!lines.next(&line) || line != "end " + checksum(listed) || !lines.atEnd()) {
        *reason = "its checksum does not match";
        return std::nullopt;
    }
    return listing;
}

std::optional<EspeakVoiceListing> parseCache(std::string_view bytes, std::string_view header,
                                             const char** reason)
{
    if (!bytes.starts_with(kFormatLine)) {
        *reason = "it is not a voice list of this format";
        return std::nullopt;
    }
    if (!bytes.starts_with(header)) {
        *reason = "espeak-ng or its voice files changed since it was written";
        return std::nullopt;
    }
    if (static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) > kMaxLines) {
        *reason = "it has too many lines";
        return std::nullopt;
    }
    return parseBody(bytes.substr(header.size()), reason);
}

} // namespace

std::string espeakVoiceCacheHeader(std::string_view espeakVersion, const fs::path& dataFolder)
{
    std::string header(kFormatLine);
    header += "espeak-ng ";
    appendEscaped(header, espeakVersion);
    header += '\t';
    appendEscaped(header, dataFolder.generic_string());
    header += '\n';
    for (const auto& [folder, nanoseconds] : voiceFolderTimes(dataFolder)) {
        header += "folder ";
        header += std::to_string(nanoseconds);
        header += '\t';
        appendEscaped(header, folder);
        header += '\n';
    }
    return header;
}

std::string espeakVoiceCacheHeader(const EspeakLibrary& espeak)
{
    espeak.initializePath(nullptr);
    const char* dataFolder = nullptr;
    const char* version = espeak.info(&dataFolder);
    return espeakVoiceCacheHeader(version ? version : "", dataFolder ? dataFolder : "");
}

std::optional<EspeakVoiceListing> readEspeakVoiceCache(const QString& path, std::string_view header)
{
    std::string bytes, error;
    bool missing = false;
    std::optional<EspeakVoiceListing> listing;
    const char* reason = nullptr;
    if (readWholeFile(QFile::encodeName(path).toStdString(), &bytes, &error, &missing, kMaxFileBytes))
        listing = parseCache(bytes, header, &reason);
    else if (missing)
        return std::nullopt;
    if (!listing)
        qCDebug(lcSpeech, "the voice list %s is not used: %s", qUtf8Printable(path),
                reason != nullptr ? reason : error.c_str());
    return listing;
}

bool writeEspeakVoiceCache(const QString& path, std::string_view header, const EspeakVoiceListing& listing,
                           QString* error)
{
    std::string body;
    appendSection(body, "languages", listing.languages);
    appendSection(body, "variants", listing.variants);
    const std::string text = std::string(header) + body + "end " + checksum(body) + '\n';

    const fs::path file = QFile::encodeName(path).toStdString();
    std::error_code folderError;
    fs::create_directories(file.parent_path(), folderError);
    std::string reason;
    if (folderError)
        reason = "its folder cannot be created: " + folderError.message();
    else if (writeFileAtomically(file, text, &reason))
        return true;
    *error = QStringLiteral("%1 cannot be written: %2").arg(path, QString::fromLocal8Bit(reason.c_str()));
    return false;
}

} // namespace narrix
