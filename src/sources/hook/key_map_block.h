#pragma once

// The shared block nxKeyMap: 4 bytes holding the handle of the program's message port (the write end of
// a pipe, little-endian), created by the program before HookOn and read by the library in HookOn. It is a
// file under the user's runtime folder (XDG_RUNTIME_DIR, else /dev/shm), mapped shared, named after the
// process as well, so that parallel runs and several programs in one runtime folder never see each
// other's block. Plain C++, shared by the library and the program.

#include <cstdint>
#include <optional>
#include <string>

namespace narrix::hook {

constexpr std::size_t kKeyMapSize = 4;

// The block's path for this process.
std::string keyMapPath();

// The program's side: creates the block, stores the handle, keeps the mapping until closed.
class KeyMapBlock
{
public:
    KeyMapBlock() = default;
    ~KeyMapBlock() { close(); }
    KeyMapBlock(const KeyMapBlock&) = delete;
    KeyMapBlock& operator=(const KeyMapBlock&) = delete;

    // Creates the block (replacing a stale one of a process that had this id) and writes `handle` into
    // it. False when it cannot be created or mapped; `error` then says why.
    bool create(std::int32_t handle, std::string* error);
    // Unmaps and removes the block; harmless when it was never created.
    void close();
    bool isOpen() const { return view_ != nullptr; }

private:
    void* view_ = nullptr;
    std::string path_;
};

// Reserves `size` bytes of storage for the open file `fd`: 0, or the error number. The program uses
// posix_fallocate; tests put a failing one in its place (nullptr restores it).
using ReserveStorage = int (*)(int fd, std::size_t size);
void setReserveStorageForTests(ReserveStorage reserve);

// The library's side: the handle stored in this process's block, or nothing when there is none.
std::optional<std::int32_t> readKeyMap();

} // namespace narrix::hook
