// A base file that reads the environment and prints to stderr itself: the one-place check must
// reject both.
#include <cstdio>
#include <cstdlib>

const char* home()
{
    const char* home = std::getenv("HOME");
    std::fprintf(stderr, "home: %s\n", home);
    return home;
}
