// A stand-in for librealtime in tests: HookOn writes a fixed set of reports into the message port named
// by nxKeyMap at once; both entry points note their call in the file FAKE_HOOK_LOG. With
// FAKE_HOOK_ON_WAIT naming a file, HookOn first waits (up to 10 s) until that file exists, as the real
// library waits for the X server. Built without HookOff (FAKE_HOOK_DAMAGED) it is a damaged library.
#include "sources/hook/key_map_block.h"
#include "sources/hook/key_report.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

void note(const char* call)
{
    if (const char* path = std::getenv("FAKE_HOOK_LOG")) {
        if (std::FILE* log = std::fopen(path, "a")) {
            std::fputs(call, log);
            std::fclose(log);
        }
    }
}

void waitForTheGoAhead()
{
    const char* path = std::getenv("FAKE_HOOK_ON_WAIT");
    for (int tries = 0; path != nullptr && ::access(path, F_OK) != 0 && tries < 1000; ++tries)
        ::usleep(10000);
}

} // namespace

extern "C" __attribute__((visibility("default"))) void HookOn()
{
    waitForTheGoAhead();
    note("on\n");
    const auto port = narrix::hook::readKeyMap();
    if (!port)
        return;
    using narrix::hook::KeyReport;
    const KeyReport reports[] = {
        {narrix::hook::kKeyReportMessage, 0x41, 0x001E0001},
        {0x9999, 0x42, 0},
        {narrix::hook::kKeyReportMessage, 0x41, 0xC01E0001},
        {narrix::hook::kKeyReportMessage, 0x20, 0x00390001},
    };
    for (const KeyReport& report : reports)
        if (::write(*port, &report, sizeof report) != sizeof report)
            return;
}

#ifndef FAKE_HOOK_DAMAGED
extern "C" __attribute__((visibility("default"))) void HookOff()
{
    note("off\n");
}
#endif
