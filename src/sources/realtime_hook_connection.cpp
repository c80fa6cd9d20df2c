#include "sources/realtime_hook_connection.h"

#include "base/diagnostics.h"
#include "platform/data_folder.h"
#include "platform/install_layout.h"
#include "sources/hook/key_report.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSocketNotifier>

#include <cerrno>
#include <dlfcn.h>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

namespace narrix {

RealtimeHookConnection::RealtimeHookConnection(QObject* parent) : QObject(parent) {}

RealtimeHookConnection::~RealtimeHookConnection()
{
    disconnectHook();
}

QString RealtimeHookConnection::defaultLibraryPath()
{
    return findPrivateLibrary(QString::fromLatin1(kLibraryName), QCoreApplication::applicationDirPath());
}

void RealtimeHookConnection::connectHook(const QString& libraryPath)
{
    disconnectHook();
    library_ = ::dlopen(QFile::encodeName(libraryPath).constData(), RTLD_NOW | RTLD_LOCAL);
    if (library_ == nullptr)
        throw std::runtime_error(kNotFound);
    hookOn_ = reinterpret_cast<void (*)()>(::dlsym(library_, "HookOn"));
    hookOff_ = reinterpret_cast<void (*)()>(::dlsym(library_, "HookOff"));
    if (hookOn_ == nullptr || hookOff_ == nullptr)
        throw std::runtime_error(kDamaged);
    std::string error = "no message port";
    const std::string runtimeFolder = QFile::encodeName(givenRuntimeFolder()).toStdString();
    if (!openPort() || !block_.create(runtimeFolder, writeEnd_, &error)) {
        qCWarning(lcNarrix, "real-time speech: %s", error.c_str());
        throw std::runtime_error(kNoMapFile);
    }
    // The block and the port stay until disconnectHook(), which waits for this thread first.
    hookingOn_ = std::thread(hookOn_);
}

void RealtimeHookConnection::waitUntilHookedOn()
{
    if (hookingOn_.joinable())
        hookingOn_.join();
}

void RealtimeHookConnection::disconnectHook()
{
    waitUntilHookedOn();
    if (hookOff_ != nullptr)
        hookOff_();
    hookOn_ = hookOff_ = nullptr;
    if (library_ != nullptr) {
        ::dlclose(library_);
        library_ = nullptr;
    }
    block_.close();
    closePort();
}

bool RealtimeHookConnection::openPort()
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    readEnd_ = ends[0];
    writeEnd_ = ends[1];
    notifier_ = std::make_unique<QSocketNotifier>(readEnd_, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &RealtimeHookConnection::readReports);
    return true;
}

void RealtimeHookConnection::closePort()
{
    notifier_.reset();
    for (int* end : {&readEnd_, &writeEnd_}) {
        if (*end >= 0)
            ::close(*end);
        *end = -1;
    }
}

void RealtimeHookConnection::readReports()
{
    // Whole reports only: every write is one 12-byte report, so a read of a multiple of 12 bytes never
    // splits one.
    hook::KeyReport reports[256];
    for (;;) {
        const ssize_t got = ::read(readEnd_, reports, sizeof reports);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return;
        const auto count = static_cast<std::size_t>(got) / sizeof(hook::KeyReport);
        for (std::size_t i = 0; i < count; ++i) {
            if (reports[i].message == hook::kKeyReportMessage)
                Q_EMIT keyReport(reports[i].key, reports[i].flags);
            // A handler may have disconnected the hook.
            if (readEnd_ < 0)
                return;
        }
        if (static_cast<std::size_t>(got) < sizeof reports)
            return;
    }
}

} // namespace narrix
