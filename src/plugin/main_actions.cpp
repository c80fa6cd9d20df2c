#include "plugin/main_actions.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeySequence>
#include <QMenu>

namespace narrix {
namespace {

// Captions and hints are marked with QT_TRANSLATE_NOOP and translated here, in the one context.
QString translated(const char* text)
{
    return QCoreApplication::translate("MainActions", text);
}

QAction* make(QObject* owner, const char16_t* name, const char* caption, QKeySequence shortcut = {},
              const char* hint = nullptr)
{
    auto* action = new QAction(translated(caption), owner);
    action->setObjectName(QString::fromUtf16(name));
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    if (hint != nullptr)
        action->setToolTip(translated(hint));
    action->setEnabled(false);
    return action;
}

QAction* makeSwitch(QObject* owner, const char16_t* name, const char* caption)
{
    QAction* action = make(owner, name, caption);
    action->setCheckable(true);
    action->setChecked(true);
    action->setEnabled(true);
    return action;
}

} // namespace

QList<QAction*> MainActions::all() const
{
    return {
        actNew,          actOpen,        actSave,          actSaveAs,     actWAV,        actExit,
        actUndo,         actCut,         actCopy,          actPaste,      actDelete,     actFind,
        actSelectAll,    actViewToolbar, actViewStatusbar, actNarrix,     askbarButton1, actFont,
        actProp,         actOptions,     actAdd,           actRemove,     actRun,        actEdit,
        actRename,       actMoveUp,      actMoveDown,      actImport,     actExport,     actPlay,
        actPause,        actStop,        actRewind,        actForward,    actDevice,     actUpdate,
        RealtimeSpeech3, Clip2,          ScheduledSpeech3, Whatsthetime1, WhatstheDate1, WhatsintheClipboard1,
        NewChannels1,    VoiceGuide1,    actHelp,          ipoftheDay1,   HomePage2,     Support2,
        About2,          actDisEmail};
}

MainActions createMainActions(QObject* owner)
{
    using K = QKeySequence;
    MainActions a;
    a.actNew = make(owner, u"actNew", QT_TRANSLATE_NOOP("MainActions", "&New"), K(Qt::CTRL | Qt::Key_N),
                    QT_TRANSLATE_NOOP("MainActions", "New"));
    a.actOpen = make(owner, u"actOpen", QT_TRANSLATE_NOOP("MainActions", "&Open..."), K(Qt::CTRL | Qt::Key_O),
                     QT_TRANSLATE_NOOP("MainActions", "Open"));
    a.actSave = make(owner, u"actSave", QT_TRANSLATE_NOOP("MainActions", "&Save"), K(Qt::CTRL | Qt::Key_S),
                     QT_TRANSLATE_NOOP("MainActions", "Save"));
    a.actSaveAs = make(owner, u"actSaveAs", QT_TRANSLATE_NOOP("MainActions", "Save &As..."));
    a.actWAV =
        make(owner, u"actWAV", QT_TRANSLATE_NOOP("MainActions", "&ZIR Erevaz..."), K(Qt::CTRL | Qt::Key_W));
    a.actExit = make(owner, u"actExit", QT_TRANSLATE_NOOP("MainActions", "E&xit"));
    a.actExit->setEnabled(true);

    a.actUndo = make(owner, u"actUndo", QT_TRANSLATE_NOOP("MainActions", "&Undo"), K(Qt::CTRL | Qt::Key_Z));
    a.actCut = make(owner, u"actCut", QT_TRANSLATE_NOOP("MainActions", "Cu&t"), K(Qt::CTRL | Qt::Key_X));
    a.actCopy = make(owner, u"actCopy", QT_TRANSLATE_NOOP("MainActions", "&Copy"), K(Qt::CTRL | Qt::Key_C));
    a.actPaste =
        make(owner, u"actPaste", QT_TRANSLATE_NOOP("MainActions", "&Paste"), K(Qt::CTRL | Qt::Key_V));
    a.actDelete =
        make(owner, u"actDelete", QT_TRANSLATE_NOOP("MainActions", "&Delete"), K(Qt::SHIFT | Qt::Key_Delete));
    a.actFind =
        make(owner, u"actFind", QT_TRANSLATE_NOOP("MainActions", "&Find..."), K(Qt::CTRL | Qt::Key_F));
    a.actSelectAll = make(owner, u"actSelectAll", QT_TRANSLATE_NOOP("MainActions", "Select &All"),
                          K(Qt::CTRL | Qt::Key_A));
    for (QAction* edit : {a.actUndo, a.actCut, a.actCopy, a.actPaste, a.actDelete, a.actSelectAll})
        edit->setEnabled(true);

    a.actViewToolbar = makeSwitch(owner, u"actViewToolbar", QT_TRANSLATE_NOOP("MainActions", "&Toolbar"));
    a.actViewToolbar->setShortcut(K(Qt::CTRL | Qt::Key_T));
    a.actViewStatusbar =
        makeSwitch(owner, u"actViewStatusbar", QT_TRANSLATE_NOOP("MainActions", "&Status Bar"));
    a.actViewStatusbar->setShortcut(K(Qt::CTRL | Qt::Key_U));
    a.actNarrix = makeSwitch(owner, u"actNarrix", QT_TRANSLATE_NOOP("MainActions", "&Narrix Logo"));
    a.actNarrix->setShortcut(K(Qt::CTRL | Qt::Key_L));
    a.askbarButton1 =
        makeSwitch(owner, u"askbarButton1", QT_TRANSLATE_NOOP("MainActions", "Taskbar &Button"));
    a.actFont = make(owner, u"actFont", QT_TRANSLATE_NOOP("MainActions", "Text &Font..."));
    a.actProp = make(owner, u"actProp", QT_TRANSLATE_NOOP("MainActions", "Speech P&roperties..."),
                     K(Qt::CTRL | Qt::Key_P), QT_TRANSLATE_NOOP("MainActions", "Speech Properties"));
    a.actOptions = make(owner, u"actOptions", QT_TRANSLATE_NOOP("MainActions", "&Options..."));

    a.actAdd = make(owner, u"actAdd", QT_TRANSLATE_NOOP("MainActions", "&Add..."), K(Qt::CTRL | Qt::Key_D),
                    QT_TRANSLATE_NOOP("MainActions", "Add"));
    a.actRemove = make(owner, u"actRemove", QT_TRANSLATE_NOOP("MainActions", "&Remove"),
                       K(Qt::CTRL | Qt::Key_M), QT_TRANSLATE_NOOP("MainActions", "Remove"));
    a.actRun = make(owner, u"actRun", QT_TRANSLATE_NOOP("MainActions", "Ru&n Now"), K(Qt::CTRL | Qt::Key_R));
    a.actEdit = make(owner, u"actEdit", QT_TRANSLATE_NOOP("MainActions", "Edi&t..."), K(Qt::Key_F3),
                     QT_TRANSLATE_NOOP("MainActions", "Edit"));
    a.actRename = make(owner, u"actRename", QT_TRANSLATE_NOOP("MainActions", "Rena&me"), K(Qt::Key_F2));
    a.actMoveUp =
        make(owner, u"actMoveUp", QT_TRANSLATE_NOOP("MainActions", "Move &Up"), K(Qt::CTRL | Qt::Key_Up));
    a.actMoveDown = make(owner, u"actMoveDown", QT_TRANSLATE_NOOP("MainActions", "Move &Down"),
                         K(Qt::CTRL | Qt::Key_Down));
    a.actImport = make(owner, u"actImport", QT_TRANSLATE_NOOP("MainActions", "&Import List..."),
                       K(Qt::CTRL | Qt::Key_I));
    a.actExport = make(owner, u"actExport", QT_TRANSLATE_NOOP("MainActions", "&Export List..."),
                       K(Qt::CTRL | Qt::Key_E));

    a.actPlay = make(owner, u"actPlay", QT_TRANSLATE_NOOP("MainActions", "&Play"), K(Qt::Key_F5),
                     QT_TRANSLATE_NOOP("MainActions", "Play"));
    a.actPause = make(owner, u"actPause", QT_TRANSLATE_NOOP("MainActions", "Pa&use"), K(Qt::Key_F6),
                      QT_TRANSLATE_NOOP("MainActions", "Pause"));
    a.actStop = make(owner, u"actStop", QT_TRANSLATE_NOOP("MainActions", "&Stop"), K(Qt::Key_F7),
                     QT_TRANSLATE_NOOP("MainActions", "Stop"));
    a.actRewind = make(owner, u"actRewind", QT_TRANSLATE_NOOP("MainActions", "Re&wind"),
                       K(Qt::CTRL | Qt::Key_Left), QT_TRANSLATE_NOOP("MainActions", "Rewind"));
    a.actForward = make(owner, u"actForward", QT_TRANSLATE_NOOP("MainActions", "Fast &Forward"),
                        K(Qt::CTRL | Qt::Key_Right), QT_TRANSLATE_NOOP("MainActions", "Fast Forward"));
    a.actDevice = make(owner, u"actDevice", QT_TRANSLATE_NOOP("MainActions", "Select Audio &Device..."));
    a.actUpdate = make(owner, u"actUpdate", QT_TRANSLATE_NOOP("MainActions", "&Channel Update..."),
                       K(Qt::CTRL | Qt::Key_H), QT_TRANSLATE_NOOP("MainActions", "Channel Update"));

    a.RealtimeSpeech3 =
        makeSwitch(owner, u"RealtimeSpeech3", QT_TRANSLATE_NOOP("MainActions", "&Real-Time Speech"));
    a.Clip2 = makeSwitch(owner, u"Clip2", QT_TRANSLATE_NOOP("MainActions", "&Clipboard Speech"));
    a.ScheduledSpeech3 =
        makeSwitch(owner, u"ScheduledSpeech3", QT_TRANSLATE_NOOP("MainActions", "&Scheduled Speech"));
    a.Whatsthetime1 = make(owner, u"Whatsthetime1", QT_TRANSLATE_NOOP("MainActions", "What's the &Time?"));
    a.WhatstheDate1 = make(owner, u"WhatstheDate1", QT_TRANSLATE_NOOP("MainActions", "What's the &Date?"));
    a.WhatsintheClipboard1 =
        make(owner, u"WhatsintheClipboard1", QT_TRANSLATE_NOOP("MainActions", "What's in the Clip&board?"));
    a.NewChannels1 = make(owner, u"NewChannels1", QT_TRANSLATE_NOOP("MainActions", "Channel &Guide..."));
    a.VoiceGuide1 = make(owner, u"VoiceGuide1", QT_TRANSLATE_NOOP("MainActions", "&Voice Guide..."));

    a.actHelp = make(owner, u"actHelp", QT_TRANSLATE_NOOP("MainActions", "&Contents..."), K(Qt::Key_F1),
                     QT_TRANSLATE_NOOP("MainActions", "Help"));
    a.ipoftheDay1 = make(owner, u"ipoftheDay1", QT_TRANSLATE_NOOP("MainActions", "&Tip of the Day..."));
    a.HomePage2 = make(owner, u"HomePage2", QT_TRANSLATE_NOOP("MainActions", "&Home Page..."));
    a.Support2 = make(owner, u"Support2", QT_TRANSLATE_NOOP("MainActions", "Tech &Support..."));
    a.About2 = make(owner, u"About2", QT_TRANSLATE_NOOP("MainActions", "&About..."));

    a.actDisEmail = make(owner, u"actDisEmail", QT_TRANSLATE_NOOP("MainActions", "Disconnect E-mail"));
    a.actDisEmail->setEnabled(true);
    return a;
}

QList<MainMenu> createMainMenus(const MainActions& a, QWidget* parent)
{
    // nullptr stands for a separator line.
    const auto menu = [parent](const char16_t* name, const char* source, QList<QAction*> items) {
        const QString caption = QCoreApplication::translate("MainMenus", source);
        auto* m = new QMenu(caption, parent);
        m->setObjectName(QString::fromUtf16(name));
        for (QAction* item : items) {
            if (item == nullptr)
                m->addSeparator();
            else
                m->addAction(item);
        }
        return MainMenu{caption, m};
    };
    return {
        menu(u"mnuFile", QT_TRANSLATE_NOOP("MainMenus", "&File"),
             {a.actNew, a.actOpen, nullptr, a.actSave, a.actSaveAs, nullptr, a.actWAV, nullptr, a.actExit}),
        menu(u"mnuEdit", QT_TRANSLATE_NOOP("MainMenus", "&Edit"),
             {a.actUndo, nullptr, a.actCut, a.actCopy, a.actPaste, a.actDelete, nullptr, a.actFind, nullptr,
              a.actSelectAll}),
        menu(u"mnuView", QT_TRANSLATE_NOOP("MainMenus", "&View"),
             {a.actViewToolbar, a.actViewStatusbar, nullptr, a.actNarrix, a.askbarButton1, nullptr, a.actFont,
              nullptr, a.actProp, a.actOptions}),
        menu(u"mnuSchedule", QT_TRANSLATE_NOOP("MainMenus", "Sched&ule"),
             {a.actAdd, a.actRemove, nullptr, a.actRun, a.actEdit, a.actRename, nullptr, a.actMoveUp,
              a.actMoveDown, nullptr, a.actImport, a.actExport}),
        menu(u"mnuSpeech", QT_TRANSLATE_NOOP("MainMenus", "&Speech"),
             {a.actPlay, a.actPause, a.actStop, nullptr, a.actRewind, a.actForward, nullptr, a.actDevice,
              a.actUpdate}),
        menu(u"mnuTools", QT_TRANSLATE_NOOP("MainMenus", "&Tools"),
             {a.RealtimeSpeech3, a.Clip2, a.ScheduledSpeech3, nullptr, a.Whatsthetime1, a.WhatstheDate1,
              a.WhatsintheClipboard1, nullptr, a.NewChannels1, a.VoiceGuide1}),
        menu(u"mnuHelp", QT_TRANSLATE_NOOP("MainMenus", "&Help"),
             {a.actHelp, a.ipoftheDay1, nullptr, a.HomePage2, a.Support2, nullptr, a.About2}),
    };
}

} // namespace narrix
