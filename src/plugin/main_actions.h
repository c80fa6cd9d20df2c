#pragma once

#include <QList>
#include <QString>

class QAction;
class QMenu;
class QObject;
class QWidget;

namespace narrix {

// Every command of the main window's seven menus. Object names are the program's own names, so that
// other parts and tests find them with findChild. Commands whose behaviour is not built yet are
// present and disabled.
struct MainActions
{
    // File
    QAction* actNew = nullptr;
    QAction* actOpen = nullptr;
    QAction* actSave = nullptr;
    QAction* actSaveAs = nullptr;
    QAction* actWAV = nullptr;
    QAction* actExit = nullptr;
    // Edit
    QAction* actUndo = nullptr;
    QAction* actCut = nullptr;
    QAction* actCopy = nullptr;
    QAction* actPaste = nullptr;
    QAction* actDelete = nullptr;
    QAction* actFind = nullptr;
    QAction* actSelectAll = nullptr;
    // View
    QAction* actViewToolbar = nullptr;
    QAction* actViewStatusbar = nullptr;
    QAction* actNarrix = nullptr;
    QAction* askbarButton1 = nullptr;
    QAction* actFont = nullptr;
    QAction* actProp = nullptr;
    QAction* actOptions = nullptr;
    // Schedule
    QAction* actAdd = nullptr;
    QAction* actRemove = nullptr;
    QAction* actRun = nullptr;
    QAction* actEdit = nullptr;
    QAction* actRename = nullptr;
    QAction* actMoveUp = nullptr;
    QAction* actMoveDown = nullptr;
    QAction* actImport = nullptr;
    QAction* actExport = nullptr;
    // Speech
    QAction* actPlay = nullptr;
    QAction* actPause = nullptr;
    QAction* actStop = nullptr;
    QAction* actRewind = nullptr;
    QAction* actForward = nullptr;
    QAction* actDevice = nullptr;
    QAction* actUpdate = nullptr;
    // Tools
    QAction* RealtimeSpeech3 = nullptr;
    QAction* Clip2 = nullptr;
    QAction* ScheduledSpeech3 = nullptr;
    QAction* Whatsthetime1 = nullptr;
    QAction* WhatstheDate1 = nullptr;
    QAction* WhatsintheClipboard1 = nullptr;
    QAction* NewChannels1 = nullptr;
    QAction* VoiceGuide1 = nullptr;
    // Help
    QAction* actHelp = nullptr;
    QAction* ipoftheDay1 = nullptr;
    QAction* HomePage2 = nullptr;
    QAction* Support2 = nullptr;
    QAction* About2 = nullptr;
    // Not in a menu: the e-mail disconnect run by Esc and by the close.
    QAction* actDisEmail = nullptr;

    QList<QAction*> all() const;
};

// Creates the actions as children of `owner`, with captions, shortcuts, hints and check marks.
MainActions createMainActions(QObject* owner);

// The seven menus in band order ("&File" ... "&Help"), each with its items and separators.
struct MainMenu
{
    QString caption;
    QMenu* menu = nullptr;
};
QList<MainMenu> createMainMenus(const MainActions& actions, QWidget* parent);

} // namespace narrix
