#pragma once

#include "base/text_encoding.h"
#include "documents/archive_members.h"
#include "documents/document_reader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

// Feeds one document reader. An input that starts as a zip ("PK") is read as the whole archive;
// any other input is cut at each "\n@@\n" into the members named in `names`, in that order, so the
// XML readers see mutated XML instead of failing at the zip layer. Either way: no crash, a reason
// for every failure, valid UTF-8 for every success.
inline int fuzzDocumentReader(const uint8_t* data, size_t size, narrix::DocumentFormat format,
                              const std::vector<std::string>& names)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    narrix::DocumentText text;
    std::string error;
    bool ok = false;
    if (input.starts_with("PK")) {
        narrix::ZipLimits limits;
        limits.entryBytes = std::size_t{4} << 20;
        limits.totalBytes = std::size_t{8} << 20;
        ok = narrix::readZipDocument(input, format, limits, &text, &error);
    } else {
        std::map<std::string, std::string> members;
        std::size_t from = 0;
        for (const std::string& name : names) {
            if (from > input.size())
                break;
            const std::size_t cut = input.find("\n@@\n", from);
            members[name] = std::string(input.substr(from, cut == std::string_view::npos ? cut : cut - from));
            from = cut == std::string_view::npos ? input.size() + 1 : cut + 4;
        }
        narrix::MemoryMembers archive(std::move(members));
        ok = narrix::readArchiveDocument(archive, format, &text, &error);
    }
    if (!ok && error.empty())
        std::abort();
    if (ok && !narrix::isValidUtf8(text.rich.plainText()))
        std::abort();
    return 0;
}
