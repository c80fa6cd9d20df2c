// Reply heads as a hostile server might send them: head parsing, body framing, the cookies they
// set and the redirects they point to.
#include "net/cookie_jar.h"
#include "net/http_response_head.h"
#include "net/url.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace narrix::net;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t end = findHeadEnd(input);
    // Scanning in pieces finds the same end as scanning at once.
    size_t scanned = 0;
    size_t piecewise = std::string_view::npos;
    for (size_t cut = 1; cut <= input.size(); cut += 7) {
        piecewise = findHeadEnd(input.substr(0, cut), scanned);
        if (piecewise != std::string_view::npos)
            break;
        scanned = cut;
    }
    if (piecewise == std::string_view::npos)
        piecewise = findHeadEnd(input, scanned);
    if (piecewise != end)
        std::abort();

    const HeadParseResult parsed = parseResponseHead(input.substr(0, end));
    if (parsed.error != HeadParseError::None)
        return 0;
    if (parsed.head.status < 100 || parsed.head.status > 999)
        std::abort();
    (void)bodyFramingOf(parsed.head);
    (void)keepsAlive(parsed.head);

    const HttpUrl base = parseHttpUrl("http://www.example.com/a/b?q").value();
    CookieJar jar;
    for (const auto& field : parsed.head.fields) {
        if (narrix::equalsIgnoringAsciiCase(field.name, "Set-Cookie"))
            jar.store(field.value, base, 1'700'000'000);
        if (narrix::equalsIgnoringAsciiCase(field.name, "Location")) {
            const std::string next = resolveReference(base, field.value);
            auto url = parseHttpUrl(next);
            if (url.ok()) {
                for (const char c : url.value().target) {
                    if (static_cast<unsigned char>(c) <= 0x20 || static_cast<unsigned char>(c) >= 0x7f)
                        std::abort(); // would break the request line
                }
            }
        }
    }
    const std::string cookie = jar.headerFor(base, 1'700'000'000);
    if (cookie.find_first_of("\r\n") != std::string::npos)
        std::abort();
    return 0;
}
