#pragma once

#include <deque>

namespace narrix::testing {

// The next scripted answer of a fake, or `fallback` once the script is used up.
template <typename T> T nextAnswer(std::deque<T>& script, T fallback)
{
    if (script.empty())
        return fallback;
    T value = script.front();
    script.pop_front();
    return value;
}

} // namespace narrix::testing
