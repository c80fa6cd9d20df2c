#include "documents/zip_archive.h"

#include <vector>

namespace narrix {
namespace {

std::string describe(const ZipLibrary& zip, zip_error_t& error)
{
    switch (zip.errorCodeZip(&error)) {
    case ZIP_ER_NOZIP:
    case ZIP_ER_INCONS:
    case ZIP_ER_EOF:
        return "not a complete zip archive (the file is truncated or damaged)";
    default:
        return zip.errorStrerror(&error);
    }
}

std::unique_ptr<ZipArchive> openSource(const ZipLibrary& zip, zip_source_t* source, std::string* error,
                                       zip_error_t& status, auto make)
{
    if (source == nullptr) {
        *error = describe(zip, status);
        return nullptr;
    }
    zip_t* archive = zip.openFromSource(source, ZIP_RDONLY | ZIP_CHECKCONS, &status);
    if (archive == nullptr) {
        zip.sourceFree(source);
        *error = describe(zip, status);
        return nullptr;
    }
    return make(archive);
}

std::string mebibytes(std::size_t bytes)
{
    return std::to_string(bytes >> 20) + " MiB";
}

} // namespace

std::unique_ptr<ZipArchive> ZipArchive::openFile(const std::string& path, std::string* error,
                                                 ZipLimits limits)
{
    const ZipLibrary* zip = ZipLibrary::open(error);
    if (zip == nullptr)
        return nullptr;
    zip_error_t status;
    zip->errorInit(&status);
    zip_source_t* source = zip->sourceFileCreate(path.c_str(), 0, -1, &status);
    auto archive = openSource(*zip, source, error, status, [zip, limits](zip_t* opened) {
        return std::unique_ptr<ZipArchive>(new ZipArchive(*zip, opened, limits));
    });
    zip->errorFini(&status);
    return archive;
}

std::unique_ptr<ZipArchive> ZipArchive::openBytes(std::string_view bytes, std::string* error,
                                                  ZipLimits limits)
{
    const ZipLibrary* zip = ZipLibrary::open(error);
    if (zip == nullptr)
        return nullptr;
    zip_error_t status;
    zip->errorInit(&status);
    zip_source_t* source = zip->sourceBufferCreate(bytes.data(), bytes.size(), 0, &status);
    auto archive = openSource(*zip, source, error, status, [zip, limits](zip_t* opened) {
        return std::unique_ptr<ZipArchive>(new ZipArchive(*zip, opened, limits));
    });
    zip->errorFini(&status);
    return archive;
}

ZipArchive::~ZipArchive()
{
    zip_.discard(archive_);
}

bool ZipArchive::contains(const std::string& name) const
{
    return zip_.nameLocate(archive_, name.c_str(), 0) >= 0;
}

std::optional<std::string> ZipArchive::read(const std::string& name, std::string* error)
{
    const zip_int64_t index = zip_.nameLocate(archive_, name.c_str(), 0);
    if (index < 0) {
        *error = name + " is missing from the archive";
        return std::nullopt;
    }
    zip_file_t* file = zip_.fopenIndex(archive_, static_cast<zip_uint64_t>(index), 0);
    if (file == nullptr) {
        *error = name + " cannot be read: " + describe(zip_, *zip_.getError(archive_));
        return std::nullopt;
    }
    std::string bytes;
    std::vector<char> buffer(1 << 16);
    std::optional<std::string> result;
    for (;;) {
        // The headers' sizes may lie: what counts is what inflates.
        const zip_int64_t got = zip_.fread(file, buffer.data(), buffer.size());
        if (got < 0) {
            *error = name + " is damaged: " + describe(zip_, *zip_.fileGetError(file));
            break;
        }
        if (got == 0) {
            result = std::move(bytes);
            break;
        }
        const auto count = static_cast<std::size_t>(got);
        if (bytes.size() + count > limits_.entryBytes) {
            *error = name + " inflates to more than " + mebibytes(limits_.entryBytes) + ", the most read";
            break;
        }
        if (inflated_ + count > limits_.totalBytes) {
            *error = "the archive inflates to more than " + mebibytes(limits_.totalBytes) + ", the most read";
            break;
        }
        inflated_ += count;
        bytes.append(buffer.data(), count);
    }
    zip_.fclose(file);
    return result;
}

} // namespace narrix
