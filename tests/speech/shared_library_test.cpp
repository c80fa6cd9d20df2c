// The client libraries opened with dlopen: every function of their tables is found in the installed
// library, and a missing library or function gives a reason that names it.
#include "platform/shared_library.h"
#include "speech/pulse_library.h"
#include "speech/speechd_library.h"

#include <gtest/gtest.h>

#include <string>

namespace narrix {
namespace {

TEST(SharedLibrary, ResolvesOrSaysWhatIsMissing)
{
    struct Case
    {
        const char* library;
        const char* function;
        bool found;
        const char* reasonNames; // part of the reason when not found
    };
    const Case cases[] = {
        {"libpulse.so.0", "pa_strerror", true, ""},
        {"libpulse.so.0", "pa_no_such_function", false, "libpulse.so.0 has no pa_no_such_function"},
        {"libnarrix-absent.so.0", "pa_strerror", false, "libnarrix-absent.so.0"},
    };
    for (const Case& c : cases) {
        std::string error;
        SharedLibrary library(c.library, &error);
        decltype(&pa_strerror) function = nullptr;
        EXPECT_EQ(library.resolve(c.function, function), c.found) << c.library << " " << c.function;
        EXPECT_EQ(function != nullptr, c.found);
        EXPECT_NE(error.find(c.reasonNames), std::string::npos) << error;
        EXPECT_EQ(error.empty(), c.found) << error;
    }
}

TEST(SharedLibrary, TheClientLibrariesHaveEveryFunctionTheProgramCalls)
{
    std::string error;
    const PulseLibrary* pulse = PulseLibrary::open(&error);
    ASSERT_NE(pulse, nullptr) << error;
    EXPECT_STREQ(pulse->strerror(0), "OK");
    const SpeechdLibrary* speechd = SpeechdLibrary::open(&error);
    EXPECT_NE(speechd, nullptr) << error;
}

} // namespace
} // namespace narrix
