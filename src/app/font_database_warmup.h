#pragma once

#include <thread>

namespace narrix {

// Fills Qt's font database (fontconfig's configuration and font list, several milliseconds) on a
// thread of its own, so that the main window's widgets find it ready instead of loading it on the
// main thread while they are built. QFontDatabase is thread-safe; a widget that needs a font before
// the thread is done waits for it inside Qt. Create it after the application object; it joins its
// thread when it goes.
class FontDatabaseWarmUp
{
public:
    FontDatabaseWarmUp();
    ~FontDatabaseWarmUp();

    FontDatabaseWarmUp(const FontDatabaseWarmUp&) = delete;
    FontDatabaseWarmUp& operator=(const FontDatabaseWarmUp&) = delete;

private:
    std::thread thread_;
};

} // namespace narrix
