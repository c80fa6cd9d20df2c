// A module for the loader's test: one factory that answers a fixed greeting.
#include "platform/program_module.h"

NARRIX_MODULE_FACTORY const char* narrix_test_greeting()
{
    return "hello from a module";
}
