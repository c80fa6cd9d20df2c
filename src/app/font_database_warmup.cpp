#include "app/font_database_warmup.h"

#include <QFontDatabase>
#include <QStringList>

namespace narrix {

FontDatabaseWarmUp::FontDatabaseWarmUp()
    : thread_([] {
          // Asking for the families makes Qt populate the whole database once, for every thread.
          static_cast<void>(QFontDatabase::families());
      })
{
}

FontDatabaseWarmUp::~FontDatabaseWarmUp()
{
    if (thread_.joinable())
        thread_.join();
}

} // namespace narrix
