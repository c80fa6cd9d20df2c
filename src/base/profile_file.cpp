#include "base/profile_file.h"

#include "base/ascii_case.h"
#include "base/atomic_file.h"
#include "base/text_encoding.h"

#include <algorithm>

namespace narrix {
namespace {

bool isProfileSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f' || c == '\n';
}

std::string_view trimProfileSpace(std::string_view text)
{
    while (!text.empty() && isProfileSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isProfileSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

bool isQuote(char c)
{
    return c == '"' || c == '\'';
}

// Cuts UTF-8 text after `maxChars` characters, never inside a character.
std::string_view firstChars(std::string_view text, size_t maxChars)
{
    size_t chars = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (chars == maxChars)
                return text.substr(0, i);
            ++chars;
        }
    }
    return text;
}

size_t charCount(std::string_view text)
{
    return static_cast<size_t>(std::count_if(
        text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string withoutLineBreaks(std::string_view text)
{
    std::string out(text);
    std::replace_if(
        out.begin(), out.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return out;
}

// Calls `onLine` with each line, blanks around it removed, empty lines left out. A line ends at LF,
// CR LF or a lone CR (files written on old Macintosh systems).
template <typename OnLine> void forEachLine(std::string_view text, OnLine onLine)
{
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = trimProfileSpace(text.substr(pos, end - pos));
        pos = end + 1;
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n')
            ++pos;
        if (!line.empty())
            onLine(line);
    }
}

// The name of a section header line; nothing for any other line. Without "]" a line is no header:
// like the Windows reader, it is read as a key line.
std::optional<std::string_view> headerName(std::string_view line)
{
    if (line.front() != '[')
        return std::nullopt;
    const size_t close = line.rfind(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return line.substr(1, close - 1);
}

} // namespace

size_t ProfileFile::countSectionHeaders(std::string_view text)
{
    size_t count = 0;
    forEachLine(text, [&](std::string_view line) { count += headerName(line).has_value() ? 1 : 0; });
    return count;
}

ProfileFile ProfileFile::parse(std::string_view text)
{
    ProfileFile file;
    forEachLine(text, [&](std::string_view line) {
        if (const auto name = headerName(line)) {
            file.sections_.push_back(Section{std::string(*name), true, {}});
            return;
        }
        if (file.sections_.empty())
            file.sections_.push_back(Section{{}, false, {}});
        Entry entry;
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            entry.key = line;
        } else {
            entry.key = trimProfileSpace(line.substr(0, equals));
            entry.value = trimProfileSpace(line.substr(equals + 1));
            entry.hasValue = true;
        }
        file.sections_.back().entries.push_back(std::move(entry));
    });
    file.rebuildIndex();
    return file;
}

void ProfileFile::rebuildIndex()
{
    firstSectionByName_.clear();
    for (size_t i = 0; i < sections_.size(); ++i) {
        if (sections_[i].hasHeader)
            firstSectionByName_.try_emplace(toLowerAscii(sections_[i].name), i);
    }
}

const ProfileFile::Section* ProfileFile::findSection(std::string_view name) const
{
    const auto it = firstSectionByName_.find(toLowerAscii(name));
    return it == firstSectionByName_.end() ? nullptr : &sections_[it->second];
}

std::vector<std::string> ProfileFile::sectionNames(size_t bufferChars) const
{
    std::vector<std::string> names;
    size_t used = 1; // the list's final zero
    for (const Section& section : sections_) {
        if (!section.hasHeader || section.name.empty())
            continue;
        if (bufferChars > 0) {
            used += charCount(section.name) + 1;
            if (used > bufferChars)
                break;
        }
        names.push_back(section.name);
    }
    return names;
}

bool ProfileFile::hasSection(std::string_view section) const
{
    return findSection(section) != nullptr;
}

std::optional<std::string> ProfileFile::value(std::string_view section, std::string_view key) const
{
    const Section* found = findSection(section);
    if (found == nullptr)
        return std::nullopt;
    const auto entry = std::find_if(found->entries.begin(), found->entries.end(),
                                    [&](const Entry& e) { return equalsIgnoringAsciiCase(e.key, key); });
    if (entry == found->entries.end() || !entry->hasValue)
        return std::nullopt;
    std::string_view text = entry->value;
    if (text.size() >= 2 && isQuote(text.front()) && text.back() == text.front())
        text = text.substr(1, text.size() - 2);
    return std::string(firstChars(text, kValueMaxChars));
}

std::vector<std::string> ProfileFile::sectionValues(std::string_view section) const
{
    std::vector<std::string> values;
    const Section* found = findSection(section);
    if (found == nullptr)
        return values;
    for (const Entry& entry : found->entries) {
        if (!entry.hasValue)
            continue;
        std::string_view text = entry.value;
        if (text.size() >= 2 && isQuote(text.front()) && text.back() == text.front())
            text = text.substr(1, text.size() - 2);
        values.emplace_back(firstChars(text, kValueMaxChars));
    }
    return values;
}

std::string ProfileFile::readString(std::string_view section, std::string_view key,
                                    std::string_view fallback) const
{
    std::optional<std::string> found = value(section, key);
    return found ? *std::move(found) : std::string(fallback);
}

void ProfileFile::setValue(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string name = withoutLineBreaks(section);
    const Section* found = findSection(name);
    size_t index;
    if (found == nullptr) {
        index = sections_.size();
        sections_.push_back(Section{name, true, {}});
        firstSectionByName_.try_emplace(toLowerAscii(name), index);
    } else {
        index = static_cast<size_t>(found - sections_.data());
    }

    std::string text = withoutLineBreaks(value);
    const bool readerWouldAlter =
        !text.empty() && (isProfileSpace(text.front()) || isProfileSpace(text.back()) ||
                          (text.size() >= 2 && isQuote(text.front()) && text.back() == text.front()));
    if (readerWouldAlter)
        text = '"' + text + '"';

    std::vector<Entry>& entries = sections_[index].entries;
    const std::string keyName = withoutLineBreaks(key);
    const auto entry = std::find_if(entries.begin(), entries.end(),
                                    [&](const Entry& e) { return equalsIgnoringAsciiCase(e.key, keyName); });
    if (entry != entries.end()) {
        entry->value = std::move(text);
        entry->hasValue = true;
    } else {
        entries.push_back(Entry{keyName, std::move(text), true});
    }
}

void ProfileFile::eraseSection(std::string_view section)
{
    std::erase_if(sections_,
                  [&](const Section& s) { return s.hasHeader && equalsIgnoringAsciiCase(s.name, section); });
    rebuildIndex();
}

void ProfileFile::eraseAllSections()
{
    std::erase_if(sections_, [](const Section& s) { return s.hasHeader; });
    rebuildIndex();
}

std::string ProfileFile::serialize() const
{
    std::string out;
    for (const Section& section : sections_) {
        if (section.hasHeader) {
            out += '[';
            out += section.name;
            out += "]\r\n";
        }
        for (const Entry& entry : section.entries) {
            out += entry.key;
            if (entry.hasValue) {
                out += '=';
                out += entry.value;
            }
            out += "\r\n";
        }
    }
    return out;
}

bool loadProfileFile(const std::filesystem::path& path, ProfileFile* file, std::string* error,
                     size_t maxSections)
{
    std::string bytes;
    bool missing = false;
    // No size limit: whatever saveProfileFile wrote must read back (only regular files are read,
    // so the size is what is on the disk).
    if (!readWholeFile(path, &bytes, error, &missing, kNoSizeLimit)) {
        if (!missing)
            return false;
        bytes.clear();
    }
    const std::string text = decodeUnlabelledLinesToUtf8(bytes);
    bytes = std::string();
    // Counted before anything is built, so a refused file costs no more than its text.
    if (maxSections > 0 && ProfileFile::countSectionHeaders(text) > maxSections) {
        *error = "it holds more than " + std::to_string(maxSections) + " sections";
        return false;
    }
    *file = ProfileFile::parse(text);
    return true;
}

bool saveProfileFile(const std::filesystem::path& path, const ProfileFile& file, std::string* error)
{
    return writeFileAtomically(path, file.serialize(), error);
}

} // namespace narrix
