#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

namespace narrix {

// Loads the fonts on a thread of its own while the program starts, so that the main window's widgets
// find them ready instead of loading them on the main thread while they are built: first fontconfig's
// configuration and font cache (most of the cost, and possible before the application object exists),
// then, once the application object exists, Qt's font database. QFontDatabase is thread-safe; a widget
// that needs a font before the thread is done waits for it inside Qt.
class FontDatabaseWarmUp
{
public:
    // Create it before the application object.
    FontDatabaseWarmUp();
    // Joins the thread (see finish()).
    ~FontDatabaseWarmUp();

    FontDatabaseWarmUp(const FontDatabaseWarmUp&) = delete;
    FontDatabaseWarmUp& operator=(const FontDatabaseWarmUp&) = delete;

    // The application object exists: the thread may fill Qt's font database once fontconfig's
    // configuration is loaded. Returns at once.
    void applicationCreated();
    // Returns once fontconfig's configuration is loaded: call it before the first widget asks for a
    // font. The work before it (which needs no font) overlaps the loading.
    void waitForConfiguration();
    // Waits for the thread; call it before the application object goes. Without applicationCreated()
    // the thread ends after fontconfig's part.
    void finish();

private:
    void run();

    std::mutex mutex_;
    std::condition_variable changed_;
    bool applicationCreated_ = false;
    bool fontconfigReady_ = false;
    bool finishing_ = false;
    std::thread thread_; // last: starts after everything above exists
};

} // namespace narrix
