#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace narrix {

// Who may read the file that writeFileAtomically leaves.
enum class FileAccess {
    OwnerOnly, // read and write for the owner only: files that hold passwords
    Document,  // a user's own file: the permissions of the file it replaces, else 0666 less the umask
};

// Replaces the file at `path` with `bytes` so that the old file stays whole until the new one is
// complete: the bytes go to a temporary file in the same folder (created readable and writable by
// the owner only, then given the permissions `access` asks for); every write, the sync and the close are
// checked, the temporary file is read back and compared, and only then renamed over `path`. When `path` is a
// symbolic link, the file it points to is replaced and the link kept. A target that exists but is not a
// regular file (a device, a pipe, a folder) is refused and left alone. On failure the temporary file is
// removed, `*error` says why, and false is returned.
bool writeFileAtomically(const std::filesystem::path& path, std::string_view bytes, std::string* error,
                         FileAccess access = FileAccess::OwnerOnly);

// Starts the replacement of `path`: creates an empty temporary file ".NAME.XXXXXX" (owner only,
// close-on-exec) in the folder of the file that will be replaced, which is `path` or, for a symbolic
// link, the file it names (the link is kept). Returns the open descriptor and fills `target` (what
// to rename the temporary file to) and `temp`; -1 with errno set when the file cannot be created.
int createReplacementFile(const std::filesystem::path& path, std::filesystem::path* target,
                          std::string* temp);

// Removes the temporary files writeFileAtomically leaves behind when the program dies while writing
// `path` (".NAME.XXXXXX" beside it, regular files of this user not changed in the last minute, which
// could belong to a save still running). Returns how many were removed.
size_t removeStaleTemporaries(const std::filesystem::path& path);

// No size limit for readWholeFile.
inline constexpr size_t kNoSizeLimit = static_cast<size_t>(-1);

// Reads a whole regular file. A missing file is reported through `*missing` (when given) and returns
// false. A pipe, a device or a folder is refused without blocking on it.
bool readWholeFile(const std::filesystem::path& path, std::string* bytes, std::string* error,
                   bool* missing = nullptr, size_t sizeLimit = 64u << 20);

} // namespace narrix
