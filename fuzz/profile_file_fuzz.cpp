// Parses arbitrary bytes as a profile file and checks that writing it out and reading it back gives
// the same file, and that a value set on it reads back unchanged.
#include "base/profile_file.h"
#include "base/text_encoding.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using narrix::ProfileFile;
    const std::string text =
        narrix::decodeUnlabelledToUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
    ProfileFile file = ProfileFile::parse(text);
    const std::string once = file.serialize();
    if (ProfileFile::parse(once).serialize() != once)
        std::abort();

    const auto names = file.sectionNames();
    const auto limited = file.sectionNames(ProfileFile::kSectionNamesBufferChars);
    if (limited.size() > names.size())
        std::abort();
    for (const auto& name : names) {
        if (!file.hasSection(name))
            std::abort();
        (void)file.readString(name, "General", "Untitled");
    }

    // Set the first line of the input as a value and read it back through a round trip.
    std::string value = text.substr(0, text.find('\n'));
    if (value.size() > 1000)
        value.resize(1000);
    value = narrix::decodeUnlabelledToUtf8(value); // whole characters only
    // Line breaks in names and values are written as blanks.
    const auto blanked = [](std::string s) {
        for (char& c : s)
            if (c == '\r' || c == '\n')
                c = ' ';
        return s;
    };
    const std::string section = blanked(names.empty() ? std::string("New") : names.front());
    file.setValue(section, "Checked", value);
    const ProfileFile reread = ProfileFile::parse(file.serialize());
    if (reread.value(section, "checked") != blanked(value))
        std::abort();
    return 0;
}
