#pragma once

#include <QString>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace narrix {

struct EspeakLibrary;

// One voice as espeak-ng lists it.
struct EspeakVoiceEntry
{
    std::string name;
    std::string identifier; // "gmw/en-US", "!v/f3"
    std::string language;   // the voice's first language ("en-us")
    int gender = 0;         // espeak-ng's own code: 1 male, 2 female, 0 unknown
    int age = 0;
    bool operator==(const EspeakVoiceEntry&) const = default;
};

// espeak-ng's two listings: its language voices, then its speaker variants.
struct EspeakVoiceListing
{
    std::vector<EspeakVoiceEntry> languages;
    std::vector<EspeakVoiceEntry> variants;
    bool operator==(const EspeakVoiceListing&) const = default;
};

// Listing espeak-ng's voices reads some 300 files; the cache keeps the result in one small file
// whose header says what it was listed from. The header is the format version, espeak-ng's version
// and data folder, and the modification time (in nanoseconds) of every folder under the data folder's
// `voices/` and `lang/`: a package that adds, removes or replaces a voice file changes its folder's.
std::string espeakVoiceCacheHeader(std::string_view espeakVersion, const std::filesystem::path& dataFolder);
// The header for the espeak-ng that `espeak` is: finding its data folder reads no voice file and does
// not start the synthesiser.
std::string espeakVoiceCacheHeader(const EspeakLibrary& espeak);

// The listing the file at `path` holds, when it begins with `header` and is whole. A missing file
// returns nothing; one that is stale, truncated, garbled or too large also says why (a debug line).
std::optional<EspeakVoiceListing> readEspeakVoiceCache(const QString& path, std::string_view header);

// Replaces the file at `path` (its folder created when missing) by `header` and `listing`, so that
// a reader sees the old file or the new one, never a part. False, with `*error`, when it cannot.
bool writeEspeakVoiceCache(const QString& path, std::string_view header, const EspeakVoiceListing& listing,
                           QString* error);

} // namespace narrix
