#include "documents/zip_library.h"

#include <dlfcn.h>

namespace narrix {
namespace {

constexpr const char* kLibraryName = "libzip.so.4";

struct Opened
{
    const ZipLibrary* library = nullptr;
    std::string error;
};

template <typename Function> bool resolve(void* library, const char* name, Function& function, Opened& opened)
{
    function = reinterpret_cast<Function>(dlsym(library, name));
    if (function == nullptr)
        opened.error = std::string(kLibraryName) + " has no " + name;
    return function != nullptr;
}

Opened openLibrary()
{
    Opened opened;
    // The library stays loaded for the rest of the process.
    void* library = dlopen(kLibraryName, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        const char* reason = dlerror();
        opened.error = reason != nullptr ? reason : kLibraryName;
        return opened;
    }
    static ZipLibrary functions;
    const bool complete =
        resolve(library, "zip_error_init", functions.errorInit, opened) &&
        resolve(library, "zip_error_fini", functions.errorFini, opened) &&
        resolve(library, "zip_error_code_zip", functions.errorCodeZip, opened) &&
        resolve(library, "zip_error_strerror", functions.errorStrerror, opened) &&
        resolve(library, "zip_source_file_create", functions.sourceFileCreate, opened) &&
        resolve(library, "zip_source_buffer_create", functions.sourceBufferCreate, opened) &&
        resolve(library, "zip_source_free", functions.sourceFree, opened) &&
        resolve(library, "zip_open_from_source", functions.openFromSource, opened) &&
        resolve(library, "zip_discard", functions.discard, opened) &&
        resolve(library, "zip_name_locate", functions.nameLocate, opened) &&
        resolve(library, "zip_fopen_index", functions.fopenIndex, opened) &&
        resolve(library, "zip_get_error", functions.getError, opened) &&
        resolve(library, "zip_fread", functions.fread, opened) &&
        resolve(library, "zip_file_get_error", functions.fileGetError, opened) &&
        resolve(library, "zip_fclose", functions.fclose, opened);
    if (complete)
        opened.library = &functions;
    return opened;
}

} // namespace

const ZipLibrary* ZipLibrary::open(std::string* error)
{
    static const Opened opened = openLibrary();
    if (opened.library == nullptr && error != nullptr)
        *error = "the zip library cannot be loaded: " + opened.error;
    return opened.library;
}

} // namespace narrix
