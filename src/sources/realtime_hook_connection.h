#pragma once

#include "sources/hook/key_map_block.h"

#include <QObject>
#include <QString>
#include <memory>
#include <thread>

class QSocketNotifier;

namespace narrix {

// The program's side of the keyboard-hook library: loads librealtime.so, creates the shared block
// nxKeyMap holding the program's message port (under the runtime folder start-up was given) and calls
// HookOn. The message port is a pipe whose write
// end the library's thread writes one report per key event into; its read end is watched on the UI
// thread by a socket notifier, so reports arrive through the event loop in order, and nothing wakes the
// program while no key moves.
class RealtimeHookConnection : public QObject
{
    Q_OBJECT
public:
    explicit RealtimeHookConnection(QObject* parent = nullptr);
    ~RealtimeHookConnection() override;

    // The library's file name; the program loads it from its own folder or its private library folder.
    static constexpr const char* kLibraryName = "librealtime.so";
    static QString defaultLibraryPath();

    // Connects in the order of loading, looking up HookOn and HookOff, creating the block, storing the
    // port, calling HookOn. Throws std::runtime_error with the program's message when the library is
    // missing, damaged, or the block cannot be created; what was done stays until disconnectHook().
    // HookOn runs on a thread of its own: it opens two display connections and waits until the server
    // records keys (up to 2 s), which a slow or remote X server would otherwise add to the start-up.
    void connectHook(const QString& libraryPath);
    // Returns once the HookOn of the last connectHook has returned: keys typed from then on are reported.
    void waitUntilHookedOn();
    // Calls HookOff if it was found, unloads the library if it was loaded, removes the block and closes
    // the port. Harmless when nothing is connected.
    void disconnectHook();

    static constexpr const char* kNotFound = "REALTIME.DLL not found.\r\nExit and run Setup again.";
    static constexpr const char* kDamaged = "REALTIME.DLL is damaged.\r\nExit and run Setup again.";
    static constexpr const char* kNoMapFile = "Cannot create map file.\r\nPlease retry later.";

Q_SIGNALS:
    // One key report of the library: the virtual-key code and the keystroke flags.
    void keyReport(quint32 key, quint32 flags);

private:
    bool openPort();
    void closePort();
    void readReports();

    void* library_ = nullptr;
    void (*hookOn_)() = nullptr;
    void (*hookOff_)() = nullptr;
    std::thread hookingOn_;
    hook::KeyMapBlock block_;
    int readEnd_ = -1;
    int writeEnd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace narrix
