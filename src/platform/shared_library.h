#pragma once

#include <string>

namespace narrix {

// A system library opened with dlopen for the rest of the process, its functions looked up by name.
// The first failure (the library or a function missing) is kept in the caller's `error`.
class SharedLibrary
{
public:
    SharedLibrary(const char* fileName, std::string* error);

    // False, with the reason kept, when the library did not open or has no such function.
    template <typename Function> bool resolve(const char* name, Function& function)
    {
        function = reinterpret_cast<Function>(symbol(name));
        return function != nullptr;
    }

private:
    void* symbol(const char* name);

    const char* fileName_;
    void* handle_;
    std::string* error_;
};

} // namespace narrix
