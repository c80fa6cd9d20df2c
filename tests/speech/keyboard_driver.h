#pragma once

// Drives a modal dialog by keyboard alone: the keys are pressed once the dialog runs.
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace narrix::testing {

// Presses Tab until the widget named `name` has the focus; false when it never gets it.
inline bool tabTo(QWidget& dialog, const QString& name)
{
    for (int i = 0; i < 30; ++i) {
        QWidget* focus = QApplication::focusWidget();
        if (focus && focus->objectName() == name)
            return true;
        QTest::keyClick(focus ? focus : &dialog, Qt::Key_Tab);
    }
    return false;
}

inline void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* focus = QApplication::focusWidget();
    QWidget* target = focus ? focus : QApplication::activeModalWidget();
    QTest::keyClick(target, key, modifiers);
}

// Runs `keys` as soon as the next modal dialog is up.
inline void whenModal(std::function<void(QWidget&)> keys)
{
    QTimer::singleShot(0, qApp, [keys = std::move(keys)] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog == nullptr) {
            whenModal(keys);
            return;
        }
        dialog->activateWindow();
        (void)QTest::qWaitForWindowActive(dialog, 2000);
        keys(*dialog);
    });
}

} // namespace narrix::testing
