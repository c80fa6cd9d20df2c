#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace narrix {

// Replaces the file at `path` with `bytes` so that the old file stays whole until the new one is
// complete: the bytes go to a temporary file in the same folder (created readable and writable by
// the owner only), are flushed to disk, and the temporary file is then renamed over `path`. When
// `path` is a symbolic link, the file it points to is replaced and the link kept. On failure the
// temporary file is removed, `*error` says why, and false is returned.
bool writeFileAtomically(const std::filesystem::path& path, std::string_view bytes, std::string* error);

// Starts the replacement of `path`: creates an empty temporary file ".NAME.XXXXXX" (owner only,
// close-on-exec) in the folder of the file that will be replaced, which is `path` or, for a symbolic
// link, the file it names (the link is kept). Returns the open descriptor and fills `target` (what
// to rename the temporary file to) and `temp`; -1 with errno set when the file cannot be created.
int createReplacementFile(const std::filesystem::path& path, std::filesystem::path* target,
                          std::string* temp);

// Reads a whole file. A missing file is reported through `*missing` (when given) and returns false.
bool readWholeFile(const std::filesystem::path& path, std::string* bytes, std::string* error,
                   bool* missing = nullptr, size_t sizeLimit = 64u << 20);

} // namespace narrix
