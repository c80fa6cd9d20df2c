#pragma once

// Drives modal dialogs from a test as a user would: keys go to the widget that has the focus.
#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace narrix::testing {

// Runs `steps` on the next dialog shown modally (not the one shown now, if any), once it is active.
inline void whenModal(std::function<void(QDialog&)> steps,
                      QWidget* shownNow = QApplication::activeModalWidget(), int triesLeft = 2000)
{
    QTimer::singleShot(triesLeft == 2000 ? 0 : 5, qApp,
                       [steps = std::move(steps), shownNow, triesLeft]() mutable {
                           auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                           if (dialog == nullptr || dialog == shownNow) {
                               ASSERT_GT(triesLeft, 0) << "no modal dialog was shown";
                               whenModal(std::move(steps), shownNow, triesLeft - 1);
                               return;
                           }
                           // Keys go where the focus is once the window is active, as they would for a user.
                           EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
                           steps(*dialog);
                       });
}

inline QWidget* focused(QWidget& window)
{
    // When a dialog opened from this one has closed, the window system gives the activation back
    // (there is no window manager offscreen to do it).
    if (!window.isActiveWindow()) {
        window.activateWindow();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(window.isActiveWindow());
    }
    QWidget* widget = window.focusWidget();
    return widget != nullptr ? widget : &window;
}

inline void type(QWidget& window, const QString& text)
{
    QTest::keyClicks(focused(window), text);
}

inline void press(QWidget& window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(focused(window), key, modifiers);
}

inline QString focusedName(QWidget& window)
{
    return focused(window)->objectName();
}

} // namespace narrix::testing

QT_BEGIN_NAMESPACE
// Readable QString values in test failures.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE
