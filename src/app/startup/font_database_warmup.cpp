#include "app/startup/font_database_warmup.h"

#include <QFontDatabase>
#include <QStringList>

#include <fontconfig/fontconfig.h>

namespace narrix {

FontDatabaseWarmUp::FontDatabaseWarmUp() : thread_([this] { run(); }) {}

FontDatabaseWarmUp::~FontDatabaseWarmUp()
{
    finish();
}

void FontDatabaseWarmUp::applicationCreated()
{
    {
        std::lock_guard lock(mutex_);
        applicationCreated_ = true;
    }
    changed_.notify_all();
}

void FontDatabaseWarmUp::waitForConfiguration()
{
    std::unique_lock lock(mutex_);
    // fontconfig builds its configuration on whichever thread asks first and does not wait for
    // another thread that is building it: a widget made now would parse the whole configuration a
    // second time on this thread.
    changed_.wait(lock, [this] { return fontconfigReady_; });
}

void FontDatabaseWarmUp::finish()
{
    {
        std::lock_guard lock(mutex_);
        finishing_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

void FontDatabaseWarmUp::run()
{
    // Parses fontconfig's configuration and reads its cache into the process-wide default
    // configuration, the one Qt's font database uses.
    FcInit();
    {
        std::unique_lock lock(mutex_);
        fontconfigReady_ = true;
        changed_.notify_all();
        changed_.wait(lock, [this] { return applicationCreated_ || finishing_; });
        if (!applicationCreated_)
            return;
    }
    // Asking for the families makes Qt fill its whole database once, for every thread.
    static_cast<void>(QFontDatabase::families());
}

} // namespace narrix
