#pragma once

#include "dialogs/options_values.h"

#include <QDialog>
#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace narrix {

class DesktopOpener;
class Prompter;
class ShortcutsGroup;

// "Options": the real-time speech mode and keywords, time telling, the tray icon theme, the proxy, the
// greeting, starting minimised, starting with the session and the desktop-wide shortcuts (the Misc
// page). Filled from OptionsValues; values() gives what
// OK accepted (the caller keeps its own values after Cancel). The "Add New Word" box and the icon file dialog
// go through the prompter.
class TfrmOptions : public QDialog
{
    Q_OBJECT
public:
    TfrmOptions(const OptionsValues& values, Prompter& prompter, DesktopOpener& desktop,
                QWidget* parent = nullptr);

    OptionsValues values() const;

private:
    void addPageKeys();
    QWidget* buildRealTimeTab();
    QWidget* buildDateTimeTab();
    QWidget* buildThemesTab(DesktopOpener& desktop);
    QWidget* buildMiscTab();
    void load(const OptionsValues& values);

    void updateKeywordControls();
    void addKeyword();
    void removeKeyword();
    void themeChanged();
    void browseIcon(int index);
    void showIcon(int index);
    void keepPortDigits();
    QStringList keywords() const;

    Prompter& prompter_;
    QTabWidget* pages_ = nullptr;
    QRadioButton* rbWord = nullptr;
    QRadioButton* rbSent = nullptr;
    QRadioButton* rbCustom = nullptr;
    QListWidget* keywordList_ = nullptr;
    QPushButton* addKeywordButton_ = nullptr;
    QPushButton* removeKeywordButton_ = nullptr;
    QRadioButton* rbHour = nullptr;
    QRadioButton* rbHalfHour = nullptr;
    QRadioButton* rbNever = nullptr;
    QLineEdit* edDate = nullptr;
    QLineEdit* edTime = nullptr;
    QCheckBox* cbHour = nullptr;
    QComboBox* cbTheme = nullptr;
    std::array<QLabel*, 3> iconLabels_{};
    std::array<QLabel*, 3> iconPreviews_{};
    std::array<QPushButton*, 3> browseButtons_{};
    std::array<QString, 3> iconPaths_;
    QLineEdit* edProxy = nullptr;
    QLineEdit* edPort = nullptr;
    QLineEdit* edGreet = nullptr;
    QCheckBox* cbMin = nullptr;
    QCheckBox* startWithSession_ = nullptr;
    ShortcutsGroup* shortcuts_ = nullptr;
};

} // namespace narrix
