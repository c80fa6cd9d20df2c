#pragma once

#include <string>

namespace narrix {

// A system library opened with dlopen (and never closed: it stays loaded for the rest of the process), its
// functions looked up by name. The first failure (the library or a function missing) is kept in the caller's
// `error`.
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

// A library's table of functions, filled once for the process by `resolveAll(library, table)` (true
// when every function was found); `error` keeps the first failure. One table per type: call it from
// one function-local static.
template <typename Table> struct OpenedFunctions
{
    const Table* functions = nullptr;
    std::string error;
};

template <typename Table, typename ResolveAll>
OpenedFunctions<Table> openFunctions(const char* fileName, ResolveAll resolveAll)
{
    OpenedFunctions<Table> opened;
    SharedLibrary library(fileName, &opened.error);
    static Table table;
    if (resolveAll(library, table))
        opened.functions = &table;
    return opened;
}

} // namespace narrix
