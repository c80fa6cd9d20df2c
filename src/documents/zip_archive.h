#pragma once

#include "documents/archive_members.h"
#include "documents/zip_library.h"

#include <zip.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace narrix {

// How much a document's archive may inflate to: a zip bomb (a small file that inflates to gigabytes)
// is refused when the limits are reached, whatever sizes its headers claim.
struct ZipLimits
{
    std::size_t entryBytes = std::size_t{256} << 20; // one member, inflated
    std::size_t totalBytes = std::size_t{1} << 30;   // all members read from one archive
};

// A zip archive (EPUB, DOCX, ODT) opened read-only through libzip, members read by name. Opening the
// first one loads libzip (see ZipLibrary); without it the archive is refused with the reason.
class ZipArchive final : public ArchiveMembers
{
public:
    // Opens the file at `path`, or nothing with the reason in `error`.
    static std::unique_ptr<ZipArchive> openFile(const std::string& path, std::string* error,
                                                ZipLimits limits = {});
    // Opens an archive held in memory; `bytes` must outlive the archive.
    static std::unique_ptr<ZipArchive> openBytes(std::string_view bytes, std::string* error,
                                                 ZipLimits limits = {});
    ~ZipArchive() override;
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    bool contains(const std::string& name) const override;
    // The inflated member `name`, or nothing with the reason in `error` ("word/document.xml is
    // missing", "... inflates to more than 256 MiB", "... is damaged: CRC error").
    std::optional<std::string> read(const std::string& name, std::string* error) override;

private:
    ZipArchive(const ZipLibrary& zip, zip_t* archive, ZipLimits limits)
        : zip_(zip), archive_(archive), limits_(limits)
    {
    }

    const ZipLibrary& zip_;
    zip_t* archive_;
    ZipLimits limits_;
    std::size_t inflated_ = 0;
};

} // namespace narrix
