// POP3 replies from a hostile server: line splitting, reply classes, STAT counts, unstuffing.
#include "net/pop3_reply.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace narrix::net;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    LineSplitter splitter(64);
    std::string line;
    size_t total = 0;
    for (size_t pos = 0; pos < input.size(); pos += 5) {
        splitter.append(input.substr(pos, 5));
        while (splitter.next(line)) {
            total += line.size();
            if (line.find('\n') != std::string::npos)
                std::abort();
            (void)classifyPop3Reply(line);
            if (auto count = parseStatCount(line); count && *count < 0)
                std::abort();
            std::string_view unstuffed;
            if (unstuffPop3Line(line, unstuffed) == Pop3Line::Data && unstuffed.size() + 1 < line.size())
                std::abort();
        }
        if (splitter.overlong())
            break;
    }
    if (total > input.size())
        std::abort();
    return 0;
}
