// The hook library's translation of X11 keys into virtual-key codes and keystroke flags, and the shared
// block that names the program's message port.
#include "sources/hook/key_map_block.h"
#include "sources/hook/key_report.h"
#include "sources/hook/virtual_keys.h"

#include <X11/XF86keysym.h>
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <sys/mount.h>
#include <sys/stat.h>

namespace narrix::hook {
namespace {

TEST(VirtualKeys, KeysymsOfAUsKeyboard)
{
    struct Row
    {
        unsigned long unshifted;
        unsigned long shifted;
        bool numLock;
        std::uint32_t key;
    };
    const Row rows[] = {
        {XK_a, XK_A, false, 0x41},
        {XK_z, XK_Z, false, 0x5A},
        {XK_0, XK_parenright, false, 0x30},
        {XK_2, XK_at, false, 0x32},
        {XK_BackSpace, 0, false, 0x08},
        {XK_Tab, XK_ISO_Left_Tab, false, 0x09},
        {XK_Return, 0, false, 0x0D},
        {XK_KP_Enter, 0, false, 0x0D},
        {XK_space, 0, false, 0x20},
        {XK_Shift_L, 0, false, 0x10},
        {XK_Shift_R, 0, false, 0x10},
        {XK_Control_L, 0, false, 0x11},
        {XK_Control_R, 0, false, 0x11},
        {XK_Alt_L, XK_Meta_L, false, 0x12},
        {XK_ISO_Level3_Shift, 0, false, 0x12},
        {XK_Caps_Lock, 0, false, 0x14},
        {XK_Escape, 0, false, 0x1B},
        {XK_Left, 0, false, 0x25},
        {XK_Down, 0, false, 0x28},
        {XK_Delete, 0, false, 0x2E},
        {XK_F1, 0, false, 0x70},
        {XK_F12, 0, false, 0x7B},
        {XK_Super_L, 0, false, 0x5B},
        {XK_Menu, 0, false, 0x5D},
        {XK_KP_Insert, XK_KP_0, true, 0x60},
        {XK_KP_Begin, XK_KP_5, true, 0x65},
        {XK_KP_Begin, XK_KP_5, false, 0x0C},
        {XK_KP_Home, XK_KP_7, false, 0x24},
        {XK_KP_Delete, XK_KP_Decimal, true, 0x6E},
        {XK_KP_Delete, XK_KP_Decimal, false, 0x2E},
        {XK_KP_Multiply, XK_KP_Multiply, true, 0x6A},
        {XK_KP_Add, XK_KP_Add, false, 0x6B},
        {XK_KP_Subtract, 0, false, 0x6D},
        {XK_KP_Divide, 0, true, 0x6F},
        {XK_semicolon, XK_colon, false, 0xBA},
        {XK_equal, XK_plus, false, 0xBB},
        {XK_comma, XK_less, false, 0xBC},
        {XK_minus, XK_underscore, false, 0xBD},
        {XK_period, XK_greater, false, 0xBE},
        {XK_slash, XK_question, false, 0xBF},
        {XK_grave, XK_asciitilde, false, 0xC0},
        {XK_bracketleft, 0, false, 0xDB},
        {XK_backslash, XK_bar, false, 0xDC},
        {XK_bracketright, 0, false, 0xDD},
        {XK_apostrophe, XK_quotedbl, false, 0xDE},
        {XK_less, XK_greater, false, 0xE2},
        {XF86XK_AudioPlay, 0, false, 0xB3},
        {XK_odiaeresis, 0, false, kNoVirtualKey},
        {0, 0, false, kNoVirtualKey},
    };
    for (const Row& row : rows)
        EXPECT_EQ(virtualKeyOf(row.unshifted, row.shifted, row.numLock), row.key)
            << std::hex << "keysym 0x" << row.unshifted;
}

TEST(VirtualKeys, KeystrokeFlags)
{
    struct Row
    {
        unsigned keycode;
        bool released;
        bool wasDown;
        std::uint32_t flags;
    };
    const Row rows[] = {
        {38, false, false, 0x001E0001},                             // 'a' pressed
        {38, false, true, 0x001E0001 | kKeyWasDown},                // auto-repeat
        {38, true, true, 0x001E0001 | kKeyWasDown | kKeyReleased},  // released
        {38, true, false, 0x001E0001 | kKeyWasDown | kKeyReleased}, // released: always down before
        {113, false, false, 0x004B0001 | kExtendedKey},             // Left arrow
        {105, true, true, 0x001D0001 | kExtendedKey | kKeyWasDown | kKeyReleased}, // right Control
        {255, false, false, 0x00000001},                                           // beyond the PC keyboard
        {0, false, false, 0x00000001},
    };
    for (const Row& row : rows)
        EXPECT_EQ(keystrokeFlags(row.keycode, row.released, row.wasDown), row.flags)
            << "keycode " << row.keycode;
}

TEST(KeyMapBlock, HoldsFourLittleEndianBytesUnderTheRuntimeFolderAndGoesAway)
{
    QTemporaryDir runtime;
    const std::string folder = QFile::encodeName(runtime.path()).toStdString();
    const std::string path = keyMapPath(folder);
    EXPECT_EQ(path, runtime.path().toStdString() + "/nxKeyMap." + std::to_string(::getpid()));
    EXPECT_FALSE(readKeyMap().has_value());
    {
        KeyMapBlock block;
        std::string error;
        ASSERT_TRUE(block.create(folder, 0x01020304, &error)) << error;
        struct stat info = {};
        ASSERT_EQ(::stat(path.c_str(), &info), 0);
        EXPECT_EQ(info.st_size, 4);
        EXPECT_EQ(info.st_mode & 0777, 0600u);
        QFile file(QString::fromStdString(path));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), QByteArray("\x04\x03\x02\x01", 4));
        EXPECT_EQ(readKeyMap(), 0x01020304);
        // A second creation replaces the block.
        ASSERT_TRUE(block.create(folder, -7, &error));
        EXPECT_EQ(readKeyMap(), -7);
    }
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path)));
    EXPECT_FALSE(readKeyMap().has_value());

    // A file of the block's name that this process has not mapped is no block of the program's.
    {
        QFile stale(QString::fromStdString(path));
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
        stale.write(QByteArray("\x04\x03\x02\x01", 4));
    }
    EXPECT_FALSE(readKeyMap().has_value());
    QFile::remove(QString::fromStdString(path));

    KeyMapBlock block;
    std::string error;
    EXPECT_FALSE(block.create(folder + "/missing", 5, &error));
    EXPECT_NE(error.find("nxKeyMap"), std::string::npos);

    // A full runtime folder: the storage cannot be reserved, so the block is refused before it is
    // mapped (a mapped sparse file would fault at the first write) and nothing is left behind.
    setReserveStorageForTests([](int, std::size_t) { return ENOSPC; });
    error.clear();
    EXPECT_FALSE(block.create(folder, 5, &error));
    setReserveStorageForTests(nullptr);
    EXPECT_NE(error.find(std::strerror(ENOSPC)), std::string::npos) << error;
    EXPECT_FALSE(block.isOpen());
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path)));
}

// The library finds the block among the files the process has mapped: in a runtime folder or, without
// one, in /dev/shm; never a block of another process, a removed one or a path that only contains the
// name.
TEST(KeyMapBlock, FoundAmongTheProcessMappings)
{
    const std::string pid = std::to_string(::getpid());
    const std::string inShm = keyMapPath({});
    struct Row
    {
        std::string maps;
        std::optional<std::string> found;
    };
    const Row rows[] = {
        {"7f00-7f01 rw-s 00000000 00:1a 42   /run/user/1000/nxKeyMap." + pid + "\n",
         "/run/user/1000/nxKeyMap." + pid},
        {"5600-5700 r-xp 00000000 08:01 7 /usr/bin/narrix\n7f00-7f01 rw-p 00000000 00:00 0\n"
         "7f02-7f03 rw-s 00000000 00:1a 43 /tmp/a b/nxKeyMap." +
             pid,
         "/tmp/a b/nxKeyMap." + pid},
        {"7f00-7f01 rw-s 00000000 00:1a 44 " + inShm + "\n", inShm},
        {"7f00-7f01 rw-s 00000000 00:1a 45 /run/user/1000/nxKeyMap." + pid + "0\n", std::nullopt},
        {"7f00-7f01 rw-s 00000000 00:1a 46 /run/user/1000/nxKeyMap." + pid + " (deleted)\n", std::nullopt},
        {"7f00-7f01 rw-s 00000000 00:1a 47 /nxKeyMap." + pid + "/lib.so\n", std::nullopt},
        {"7f00-7f01 rw-p 00000000 00:00 0 [heap]\n", std::nullopt},
        {"", std::nullopt},
    };
    for (const Row& row : rows)
        EXPECT_EQ(findMappedKeyMap(row.maps), row.found) << row.maps;
}

// The same on a real tmpfs with a few KiB free, where only root may mount one.
TEST(KeyMapBlock, AFullTmpfsGivesAnErrorNotABusError)
{
    QTemporaryDir root;
    const QByteArray mountPoint = QFile::encodeName(root.path());
    if (::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=8k") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(errno);
    {
        // Leave less than a page free.
        QFile filler(root.filePath(QStringLiteral("filler")));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        filler.write(QByteArray(8192, 'x'));
        filler.close();
    }
    KeyMapBlock block;
    std::string error;
    const bool created = block.create(mountPoint.toStdString(), 0x01020304, &error);
    EXPECT_FALSE(created);
    EXPECT_NE(error.find(std::strerror(ENOSPC)), std::string::npos) << error;
    block.close();
    ::umount(mountPoint.constData());
}

} // namespace
} // namespace narrix::hook
