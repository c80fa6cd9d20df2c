#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace narrix {

// A profile ("ini") file: "[section]" lines and "key=value" lines, read by the rules of the Windows
// profile functions so that files written there read the same here:
// - section and key names match without regard to the case of A to Z; the first section (and the
//   first key in it) of a name wins;
// - a line ends at LF, CR LF or a lone CR; blanks and TABs around names, values and whole lines do
//   not count;
// - a section header runs from "[" to the last "]" on its line;
// - a value is returned without one pair of matching single or double quotes around it, and cut to
//   at most kProfileValueMaxChars characters;
// - lines before the first section belong to no section and are kept as they are.
// The text is UTF-8; parsing and lookups take time linear in the file.
class ProfileFile
{
public:
    // The value buffer of the Windows reader holds 2048 characters including the terminating zero.
    static constexpr size_t kValueMaxChars = 2047;
    // The section-name buffer of the Windows reader: names, each with a zero, and a final zero.
    static constexpr size_t kSectionNamesBufferChars = 16384;

    static ProfileFile parse(std::string_view utf8Text);
    // The number of section header lines, without building anything.
    static size_t countSectionHeaders(std::string_view utf8Text);

    // Names of the sections in file order, one per header line, sections without a name left out.
    // With `bufferChars` above 0 the list stops as a buffer of that many characters would stop it;
    // a name that would only partly fit is left out rather than cut.
    std::vector<std::string> sectionNames(size_t bufferChars = 0) const;
    bool hasSection(std::string_view section) const;

    // The value as the Windows reader returns it; nothing when the section, the key or its "=" is
    // missing.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    std::string readString(std::string_view section, std::string_view key, std::string_view fallback) const;
    // The values of a section's "key=value" lines in file order: the text after the first "=", read
    // as value() reads it (so what setValue wrote reads back the same); keys are not looked at.
    std::vector<std::string> sectionValues(std::string_view section) const;

    // Sets a key, creating the section (at the end) and the key (at the end of its section) as
    // needed. Line breaks in names and values are written as blanks (they would end the line), and a
    // value that the reader would trim or unquote is written in double quotes, so it reads back as
    // it was set.
    void setValue(std::string_view section, std::string_view key, std::string_view value);
    // Removes every section of that name with all its keys.
    void eraseSection(std::string_view section);
    // Removes every named section; lines before the first section stay.
    void eraseAllSections();

    // The file's text: CR LF line ends, "[name]" and "key=value" lines.
    std::string serialize() const;

private:
    struct Entry
    {
        std::string key;   // the whole line when it has no "="
        std::string value; // blanks around it already removed, quotes kept
        bool hasValue = false;
    };
    struct Section
    {
        std::string name;
        bool hasHeader = true;
        std::vector<Entry> entries;
    };

    const Section* findSection(std::string_view name) const;
    void rebuildIndex();

    std::vector<Section> sections_;
    std::unordered_map<std::string, size_t> firstSectionByName_; // lower-cased name -> index
};

// Reads and decodes a profile file (UTF-8, or Windows-1252 as Windows writes it, decided line by
// line, or with a byte-order mark); any size that saveProfileFile writes. A missing file reads as an empty
// one; any other failure returns false with `*error` set. With `maxSections` above 0, a file of more
// section headers than that is refused ("it holds more than N sections") before it is parsed.
bool loadProfileFile(const std::filesystem::path& path, ProfileFile* file, std::string* error,
                     size_t maxSections = 0);

// Writes the file atomically, readable by its owner only (see writeFileAtomically).
bool saveProfileFile(const std::filesystem::path& path, const ProfileFile& file, std::string* error);

} // namespace narrix
