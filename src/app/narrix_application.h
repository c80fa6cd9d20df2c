#pragma once

#include <QApplication>

namespace narrix {

// The application object with the application-wide error hook: an exception that escapes an event
// handler ends that handler, is reported (stderr and the speech log) and is otherwise ignored.
class NarrixApplication : public QApplication
{
    Q_OBJECT
public:
    NarrixApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace narrix
