// Times saving and loading a schedule list of many items, then measures time and memory of loading
// lists of bare sections ("[name]" lines only): the largest list accepted, and one far above it.
// Usage: bench_schedule_list [ITEMS] [REPETITIONS] [FOLDER]
#include "schedule/schedule_list_file.h"
#include "schedule/schedule_list_model.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

void report(const char* name, int repetitions, const std::function<void()>& run)
{
    std::vector<double> ms;
    for (int i = 0; i < repetitions; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-34s min %8.2f ms  median %8.2f ms\n", name, ms.front(), ms[ms.size() / 2]);
}

void check(bool ok, const std::string& error)
{
    if (!ok) {
        std::fprintf(stderr, "%s\n", error.c_str());
        std::exit(1);
    }
}

// A /proc/self/status value in KiB (VmRSS, VmHWM).
long statusKib(const char* name)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(name) + ":";
    while (std::getline(status, line))
        if (line.rfind(prefix, 0) == 0)
            return std::atol(line.c_str() + prefix.size());
    return -1;
}

// Lets VmHWM start again from the current resident size.
void resetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

void writeBareSections(const std::filesystem::path& path, size_t sections)
{
    std::ofstream out(path, std::ios::binary);
    for (size_t i = 0; i < sections; ++i)
        out << "[s" << i << "]\r\n";
}

// Loads a list of `sections` bare sections into an empty list; prints time, peak and kept memory.
void measureBareSections(const std::filesystem::path& path, size_t sections)
{
    using namespace narrix;
    writeBareSections(path, sections);
    const auto bytes = std::filesystem::file_size(path);
    std::string error;
    {
        ScheduleListModel list;
        const long before = statusKib("VmRSS");
        resetPeak();
        const auto start = std::chrono::steady_clock::now();
        const bool ok = LoadScheduleList(list, path, ":", &error);
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        const long peak = statusKib("VmHWM") - before;
        const long kept = statusKib("VmRSS") - before;
        std::printf("%zu bare sections (%ju bytes): %s in %.1f ms, peak +%ld KiB, kept +%ld KiB\n", sections,
                    static_cast<std::uintmax_t>(bytes), ok ? "loaded" : "refused", ms, peak, kept);
        if (!ok)
            std::printf("  %s\n", error.c_str());
        if (ok) {
            const auto saveStart = std::chrono::steady_clock::now();
            check(SaveScheduleList(list, path, &error), error);
            std::printf(
                "  saved as %ju bytes in %.1f ms\n",
                static_cast<std::uintmax_t>(std::filesystem::file_size(path)),
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - saveStart)
                    .count());
        }
    }
    std::filesystem::remove(path);
}

} // namespace

int main(int argc, char** argv)
{
    using namespace narrix;
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
    const int repetitions = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    const std::filesystem::path folder = argc > 3 ? argv[3] : std::filesystem::temp_directory_path();
    const std::filesystem::path path = folder / ("bench-schedule-" + std::to_string(::getpid()) + ".nxl");

    ScheduleListModel list;
    std::vector<ScheduleItem> items;
    for (int i = 0; i < count; ++i) {
        ScheduleItem item;
        item.title = "Channel number " + std::to_string(i);
        item.general = "07:30 - Daily";
        item.fileName = "http://news.example.org/section/" + std::to_string(i) + "/index.html";
        item.frequence = std::to_string(i % 4);
        item.time = "07:30";
        item.day = std::to_string(i % 7);
        item.date = std::to_string(1 + i % 31);
        item.month = std::to_string(i % 12);
        item.lastRun = "Never";
        item.checked = "True";
        item.leadKey = "Top stories";
        item.trailKey = "Sports";
        item.leadInc = "False";
        item.trailInc = "False";
        item.ticked = i % 3 != 0;
        items.push_back(std::move(item));
    }
    list.setItems(items);
    std::string error;
    check(SaveScheduleList(list, path, &error), error);
    std::printf("%d items, %ju bytes in %s\n", count,
                static_cast<std::uintmax_t>(std::filesystem::file_size(path)), path.c_str());

    report("SaveScheduleList", repetitions, [&] { check(SaveScheduleList(list, path, &error), error); });
    report("LoadScheduleList into an empty list", repetitions, [&] {
        ScheduleListModel fresh;
        check(LoadScheduleList(fresh, path, ":", &error), error);
        if (fresh.size() != count)
            check(false, "wrong item count");
    });
    report("LoadScheduleList over the same list", repetitions, [&] {
        ScheduleListModel full;
        full.setItems(items);
        check(LoadScheduleList(full, path, ":", &error), error);
        if (full.size() != count)
            check(false, "wrong item count");
    });
    std::filesystem::remove(path);

    measureBareSections(path, kScheduleListMaxItems);
    measureBareSections(path, 1400000);
    return 0;
}
