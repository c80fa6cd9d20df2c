#pragma once

#include <zip.h>

#include <string>

namespace narrix {

// The functions of libzip the documents' archives call, from the library opened with dlopen when the
// first EPUB, DOCX or ODT is read: linked into the program, libzip and what it brings (OpenSSL's
// libcrypto, bzip2, xz, zstd) would be loaded and relocated at every start.
struct ZipLibrary
{
    decltype(&zip_error_init) errorInit = nullptr;
    decltype(&zip_error_fini) errorFini = nullptr;
    decltype(&zip_error_code_zip) errorCodeZip = nullptr;
    decltype(&zip_error_strerror) errorStrerror = nullptr;
    decltype(&zip_source_file_create) sourceFileCreate = nullptr;
    decltype(&zip_source_buffer_create) sourceBufferCreate = nullptr;
    decltype(&zip_source_free) sourceFree = nullptr;
    decltype(&zip_open_from_source) openFromSource = nullptr;
    decltype(&zip_discard) discard = nullptr;
    decltype(&zip_name_locate) nameLocate = nullptr;
    decltype(&zip_fopen_index) fopenIndex = nullptr;
    decltype(&zip_get_error) getError = nullptr;
    decltype(&zip_fread) fread = nullptr;
    decltype(&zip_file_get_error) fileGetError = nullptr;
    decltype(&zip_fclose) fclose = nullptr;

    // Opens the library once per process; null with the reason in `error` when it or one of its
    // functions is missing.
    static const ZipLibrary* open(std::string* error);
};

} // namespace narrix
