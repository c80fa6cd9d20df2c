#include "platform/program_module.h"

#include "base/diagnostics.h"
#include "platform/install_layout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <dlfcn.h>
#include <map>
#include <memory>
#include <mutex>

namespace narrix {
namespace {

// What one opening or one look-up gave: the handle or the function, else why not.
struct Outcome
{
    void* address = nullptr;
    QString error;
};

// One module: opened once (a module loading on one thread does not hold up another module), and
// the factories resolved in it.
struct OpenedModule
{
    std::once_flag opening;
    Outcome library;
    std::mutex factoriesMutex;
    std::map<QByteArray, Outcome> factories;
};

// Every module asked for so far, kept for the rest of the process (never destroyed, so a thread that
// asks while the process ends finds it): the modules stay loaded, since objects they made may live
// until the end.
OpenedModule& openedModule(const QString& name)
{
    struct Modules
    {
        std::mutex mutex;
        std::map<QString, std::unique_ptr<OpenedModule>> byName;
    };
    static Modules* const modules = new Modules;
    std::lock_guard lock(modules->mutex);
    std::unique_ptr<OpenedModule>& module = modules->byName[name];
    if (!module)
        module = std::make_unique<OpenedModule>();
    return *module;
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

Outcome resolveFactory(void* library, const QString& name, const char* factory)
{
    if (void* address = dlsym(library, factory))
        return {address, {}};
    return {nullptr, QStringLiteral("%1 has no function %2")
                         .arg(programModuleFileName(name), QString::fromLatin1(factory))};
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
    OpenedModule& module = openedModule(name);
    std::call_once(module.opening, [&] {
        module.library = openModule(name);
        if (module.library.address == nullptr)
            qCWarning(lcNarrix).noquote() << "module" << name << "unavailable:" << module.library.error;
    });
    if (module.library.address == nullptr) {
        if (error != nullptr)
            *error = module.library.error;
        return nullptr;
    }
    std::lock_guard lock(module.factoriesMutex);
    auto found = module.factories.find(QByteArray(factory));
    if (found == module.factories.end()) {
        found = module.factories
                    .emplace(QByteArray(factory), resolveFactory(module.library.address, name, factory))
                    .first;
        if (found->second.address == nullptr)
            qCWarning(lcNarrix).noquote() << "module" << name << "unavailable:" << found->second.error;
    }
    if (found->second.address == nullptr && error != nullptr)
        *error = found->second.error;
    return found->second.address;
}

} // namespace narrix
