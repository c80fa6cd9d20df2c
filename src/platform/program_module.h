#pragma once

#include <QString>
#include <QStringList>

// The factory function a module exports: its one entry, found by name after the module is opened.
#define NARRIX_MODULE_FACTORY extern "C" __attribute__((visibility("default")))

namespace narrix {

// The program's own loadable modules: libnarrix_NAME.so links a library that only a later moment
// needs (poppler for the first PDF, the sound libraries for the first audio), so that the start does
// not load and relocate it. The module exports one factory function (NARRIX_MODULE_FACTORY), which
// the program resolves by name after opening the module.

// libnarrix_NAME.so
QString programModuleFileName(const QString& name);

// Where modules are looked for, in order: the private library folders of the program at
// `executablePath` (beside it, then lib/<multiarch>/narrix of its prefix), then, for a program of a
// build folder (the nearest folder above it that holds CMakeCache.txt), that folder's lib/narrix,
// where the build writes them. No path of the build is compiled in.
QStringList programModuleFolders(const QString& executablePath);

// The folders above for the running program.
QStringList programModuleFolders();

// Opens libnarrix_<name>.so from programModuleFolders() once per process and resolves `factory` in it;
// later calls, from any thread, give the first call's outcome. Null, with the reason in `error` (and
// logged once), when the module is in none of the folders, cannot be loaded, or lacks the factory.
void* programModuleSymbol(const QString& name, const char* factory, QString* error);

// The same, typed: `Factory` is the factory's function type.
template <typename Factory>
Factory* programModuleFactory(const QString& name, const char* factory, QString* error)
{
    return reinterpret_cast<Factory*>(programModuleSymbol(name, factory, error));
}

} // namespace narrix
