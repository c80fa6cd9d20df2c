#include "platform/shared_library.h"

#include <dlfcn.h>

namespace narrix {

// Bound lazily, as at a program's start: binding every symbol of the library and of what it brings
// at once costs several times more.
SharedLibrary::SharedLibrary(const char* fileName, std::string* error)
    : fileName_(fileName), handle_(dlopen(fileName, RTLD_LAZY | RTLD_LOCAL)), error_(error)
{
    if (handle_ == nullptr) {
        const char* reason = dlerror();
        *error_ = reason != nullptr ? reason : fileName;
    }
}

void* SharedLibrary::symbol(const char* name)
{
    if (handle_ == nullptr)
        return nullptr;
    void* found = dlsym(handle_, name);
    if (found == nullptr)
        *error_ = std::string(fileName_) + " has no " + name;
    return found;
}

} // namespace narrix
