#pragma once

#include <QPixmap>

namespace narrix {

// The pictures of the small dialogs, drawn rather than shipped as files.
// A light bulb, for the tip of the day.
QPixmap lightBulbPicture(int size);
// The program's picture: a speech balloon with sound waves, for the about box.
QPixmap programPicture(int size);

} // namespace narrix
