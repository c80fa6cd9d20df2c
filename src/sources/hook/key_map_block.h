#pragma once

// The shared block nxKeyMap: 4 bytes holding the handle of the program's message port (the write end of
// a pipe, little-endian), created by the program before HookOn and read by the library in HookOn. It is a
// file under the user's runtime folder (the one the program was given, else /dev/shm), mapped shared,
// named after the process as well, so that parallel runs and several programs in one runtime folder
// never see each other's block. Plain C++, shared by the library and the program.
//
// The library does not read the environment to find the block: it runs inside the program that loaded
// it, so it looks for the block among the files that process has mapped (/proc/self/maps). The
// program alone decides where the block lives, and HookOn keeps its two-entry-point interface.

#include <cstdint>
#include <optional>
#include <string>

namespace narrix::hook {

constexpr std::size_t kKeyMapSize = 4;

// The block's path for this process under `runtimeFolder` (empty: /dev/shm, with the user in the name).
std::string keyMapPath(const std::string& runtimeFolder);

// The program's side: creates the block, stores the handle, keeps the mapping until closed.
class KeyMapBlock
{
public:
    KeyMapBlock() = default;
    ~KeyMapBlock() { close(); }
    KeyMapBlock(const KeyMapBlock&) = delete;
    KeyMapBlock& operator=(const KeyMapBlock&) = delete;

    // Creates the block under `runtimeFolder` (replacing a stale one of a process that had this id) and
    // writes `handle` into it. False when it cannot be created or mapped; `error` then says why.
    bool create(const std::string& runtimeFolder, std::int32_t handle, std::string* error);
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

// The library's side: the path of the block this process has mapped, found in `maps` (the text of
// /proc/self/maps), or nothing when it has none. Linear in the text.
std::optional<std::string> findMappedKeyMap(const std::string& maps);
// The library's side: the handle stored in this process's mapped block, or nothing when there is none.
std::optional<std::int32_t> readKeyMap();

} // namespace narrix::hook
