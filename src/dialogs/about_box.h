#pragma once

#include <QDialog>

namespace narrix {

class DesktopOpener;

// "About Narrix": the program's name and version, what it does, a link to our home page, a link that
// writes to our support, the build and the program's picture.
class TfrmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmAbout(DesktopOpener& desktop, QWidget* parent = nullptr);
};

// "Narrix v" and the version this program was built as.
QString programTitle();
// The build: the source revision it was built from, or "local" when that was not known.
QString programBuild();

} // namespace narrix
