#include "platform/program_module.h"

#include "base/diagnostics.h"
#include "platform/install_layout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <dlfcn.h>
#include <map>
#include <mutex>
#include <utility>

namespace narrix {
namespace {

// What one opening or one look-up gave: the handle or the function, else why not.
struct Outcome
{
    void* address = nullptr;
    QString error;
};

// Every module opened and factory resolved so far. Modules stay loaded for the rest of the process:
// objects they made may live until its end.
struct OpenedModules
{
    std::mutex mutex;
    std::map<QString, Outcome> modules;                          // by module name
    std::map<std::pair<QString, QByteArray>, Outcome> factories; // by module and factory name
};

OpenedModules& openedModules()
{
    static OpenedModules opened;
    return opened;
}

QString dlopenError(const QString& fallback)
{
    const char* reason = dlerror();
    return reason != nullptr ? QString::fromLocal8Bit(reason) : fallback;
}

Outcome openModule(const QString& name)
{
    Outcome outcome;
    const QString fileName = programModuleFileName(name);
    const QStringList folders = programModuleFolders();
    for (const QString& folder : folders) {
        const QString path = QDir(folder).filePath(fileName);
        if (!QFileInfo(path).isFile())
            continue;
        outcome.address = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
        if (outcome.address == nullptr)
            outcome.error = QStringLiteral("%1 cannot be loaded: %2").arg(path, dlopenError(path));
        return outcome;
    }
    outcome.error = QStringLiteral("%1 is in none of the module folders (%2)")
                        .arg(fileName, folders.join(QStringLiteral(", ")));
    return outcome;
}

Outcome resolveFactory(OpenedModules& opened, const QString& name, const char* factory)
{
    auto module = opened.modules.find(name);
    if (module == opened.modules.end())
        module = opened.modules.emplace(name, openModule(name)).first;
    if (module->second.address == nullptr)
        return {nullptr, module->second.error};
    dlerror();
    void* address = dlsym(module->second.address, factory);
    if (address == nullptr)
        return {nullptr, QStringLiteral("%1 has no function %2")
                             .arg(programModuleFileName(name), QString::fromLatin1(factory))};
    return {address, {}};
}

} // namespace

QString programModuleFileName(const QString& name)
{
    return QStringLiteral("libnarrix_%1.so").arg(name);
}

QStringList programModuleFolders(const QString& executablePath)
{
    const QFileInfo executable(executablePath);
    QStringList folders = privateLibraryFolders(executable.absolutePath());
    // A build folder's programs are at most a few levels below its top (src/app/narrix, tests/x/test).
    constexpr int kBuildTreeDepth = 3;
    QDir folder = executable.absoluteDir();
    for (int level = 0; level <= kBuildTreeDepth; ++level) {
        if (QFileInfo(folder.filePath(QStringLiteral("CMakeCache.txt"))).isFile()) {
            folders << QDir::cleanPath(folder.filePath(QStringLiteral(NARRIX_BUILD_MODULE_SUBDIR)));
            break;
        }
        if (!folder.cdUp())
            break;
    }
    folders.removeDuplicates();
    return folders;
}

QStringList programModuleFolders()
{
    return programModuleFolders(QFile::symLinkTarget(QStringLiteral("/proc/self/exe")));
}

void* programModuleSymbol(const QString& name, const char* factory, QString* error)
{
    OpenedModules& opened = openedModules();
    std::lock_guard lock(opened.mutex);
    const auto key = std::make_pair(name, QByteArray(factory));
    auto found = opened.factories.find(key);
    if (found == opened.factories.end()) {
        found = opened.factories.emplace(key, resolveFactory(opened, name, factory)).first;
        if (found->second.address == nullptr)
            qCWarning(lcNarrix).noquote() << "module" << name << "unavailable:" << found->second.error;
    }
    if (found->second.address == nullptr && error != nullptr)
        *error = found->second.error;
    return found->second.address;
}

} // namespace narrix
