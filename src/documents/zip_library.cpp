#include "documents/zip_library.h"

#include "platform/shared_library.h"

namespace narrix {
namespace {

constexpr const char* kLibraryName = "libzip.so.4";

bool resolveAll(SharedLibrary& library, ZipLibrary& functions)
{
    return library.resolve("zip_error_init", functions.errorInit) &&
           library.resolve("zip_error_fini", functions.errorFini) &&
           library.resolve("zip_error_code_zip", functions.errorCodeZip) &&
           library.resolve("zip_error_strerror", functions.errorStrerror) &&
           library.resolve("zip_source_file_create", functions.sourceFileCreate) &&
           library.resolve("zip_source_buffer_create", functions.sourceBufferCreate) &&
           library.resolve("zip_source_free", functions.sourceFree) &&
           library.resolve("zip_open_from_source", functions.openFromSource) &&
           library.resolve("zip_discard", functions.discard) &&
           library.resolve("zip_name_locate", functions.nameLocate) &&
           library.resolve("zip_fopen_index", functions.fopenIndex) &&
           library.resolve("zip_get_error", functions.getError) &&
           library.resolve("zip_fread", functions.fread) &&
           library.resolve("zip_file_get_error", functions.fileGetError) &&
           library.resolve("zip_fclose", functions.fclose);
}

} // namespace

const ZipLibrary* ZipLibrary::open(std::string* error)
{
    static const OpenedFunctions<ZipLibrary> opened = openFunctions<ZipLibrary>(kLibraryName, resolveAll);
    if (opened.functions == nullptr && error != nullptr)
        *error = "the zip library cannot be loaded: " + opened.error;
    return opened.functions;
}

} // namespace narrix
