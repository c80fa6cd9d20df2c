#include "plugin/main_actions.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

namespace narrix {
namespace {

QAction* make(QObject* owner, const char16_t* name, const char16_t* caption, QKeySequence shortcut = {},
              const char16_t* hint = nullptr)
{
    auto* action = new QAction(QString::fromUtf16(caption), owner);
    action->setObjectName(QString::fromUtf16(name));
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    if (hint != nullptr)
        action->setToolTip(QString::fromUtf16(hint));
    action->setEnabled(false);
    return action;
}

QAction* makeSwitch(QObject* owner, const char16_t* name, const char16_t* caption)
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
    a.actNew = make(owner, u"actNew", u"&New", K(Qt::CTRL | Qt::Key_N), u"New");
    a.actOpen = make(owner, u"actOpen", u"&Open...", K(Qt::CTRL | Qt::Key_O), u"Open");
    a.actSave = make(owner, u"actSave", u"&Save", K(Qt::CTRL | Qt::Key_S), u"Save");
    a.actSaveAs = make(owner, u"actSaveAs", u"Save &As...");
    a.actWAV = make(owner, u"actWAV", u"&ZIR Erevaz...", K(Qt::CTRL | Qt::Key_W));
    a.actExit = make(owner, u"actExit", u"E&xit");
    a.actExit->setEnabled(true);

    a.actUndo = make(owner, u"actUndo", u"&Undo", K(Qt::CTRL | Qt::Key_Z));
    a.actCut = make(owner, u"actCut", u"Cu&t", K(Qt::CTRL | Qt::Key_X));
    a.actCopy = make(owner, u"actCopy", u"&Copy", K(Qt::CTRL | Qt::Key_C));
    a.actPaste = make(owner, u"actPaste", u"&Paste", K(Qt::CTRL | Qt::Key_V));
    a.actDelete = make(owner, u"actDelete", u"&Delete", K(Qt::SHIFT | Qt::Key_Delete));
    a.actFind = make(owner, u"actFind", u"&Find...", K(Qt::CTRL | Qt::Key_F));
    a.actSelectAll = make(owner, u"actSelectAll", u"Select &All", K(Qt::CTRL | Qt::Key_A));
    for (QAction* edit : {a.actUndo, a.actCut, a.actCopy, a.actPaste, a.actDelete, a.actSelectAll})
        edit->setEnabled(true);

    a.actViewToolbar = makeSwitch(owner, u"actViewToolbar", u"&Toolbar");
    a.actViewToolbar->setShortcut(K(Qt::CTRL | Qt::Key_T));
    a.actViewStatusbar = makeSwitch(owner, u"actViewStatusbar", u"&Status Bar");
    a.actViewStatusbar->setShortcut(K(Qt::CTRL | Qt::Key_U));
    a.actNarrix = makeSwitch(owner, u"actNarrix", u"&Narrix Logo");
    a.actNarrix->setShortcut(K(Qt::CTRL | Qt::Key_L));
    a.askbarButton1 = makeSwitch(owner, u"askbarButton1", u"Taskbar &Button");
    a.actFont = make(owner, u"actFont", u"Text &Font...");
    a.actProp =
        make(owner, u"actProp", u"Speech P&roperties...", K(Qt::CTRL | Qt::Key_P), u"Speech Properties");
    a.actOptions = make(owner, u"actOptions", u"&Options...");

    a.actAdd = make(owner, u"actAdd", u"&Add...", K(Qt::CTRL | Qt::Key_D), u"Add");
    a.actRemove = make(owner, u"actRemove", u"&Remove", K(Qt::CTRL | Qt::Key_M), u"Remove");
    a.actRun = make(owner, u"actRun", u"Ru&n Now", K(Qt::CTRL | Qt::Key_R));
    a.actEdit = make(owner, u"actEdit", u"Edi&t...", K(Qt::Key_F3), u"Edit");
    a.actRename = make(owner, u"actRename", u"Rena&me", K(Qt::Key_F2));
    a.actMoveUp = make(owner, u"actMoveUp", u"Move &Up", K(Qt::CTRL | Qt::Key_Up));
    a.actMoveDown = make(owner, u"actMoveDown", u"Move &Down", K(Qt::CTRL | Qt::Key_Down));
    a.actImport = make(owner, u"actImport", u"&Import List...", K(Qt::CTRL | Qt::Key_I));
    a.actExport = make(owner, u"actExport", u"&Export List...", K(Qt::CTRL | Qt::Key_E));

    a.actPlay = make(owner, u"actPlay", u"&Play", K(Qt::Key_F5), u"Play");
    a.actPause = make(owner, u"actPause", u"Pa&use", K(Qt::Key_F6), u"Pause");
    a.actStop = make(owner, u"actStop", u"&Stop", K(Qt::Key_F7), u"Stop");
    a.actRewind = make(owner, u"actRewind", u"Re&wind", K(Qt::CTRL | Qt::Key_Left), u"Rewind");
    a.actForward = make(owner, u"actForward", u"Fast &Forward", K(Qt::CTRL | Qt::Key_Right), u"Fast Forward");
    a.actDevice = make(owner, u"actDevice", u"Select Audio &Device...");
    a.actUpdate =
        make(owner, u"actUpdate", u"&Channel Update...", K(Qt::CTRL | Qt::Key_H), u"Channel Update");

    a.RealtimeSpeech3 = makeSwitch(owner, u"RealtimeSpeech3", u"&Real-Time Speech");
    a.Clip2 = makeSwitch(owner, u"Clip2", u"&Clipboard Speech");
    a.ScheduledSpeech3 = makeSwitch(owner, u"ScheduledSpeech3", u"&Scheduled Speech");
    a.Whatsthetime1 = make(owner, u"Whatsthetime1", u"What's the &Time?");
    a.WhatstheDate1 = make(owner, u"WhatstheDate1", u"What's the &Date?");
    a.WhatsintheClipboard1 = make(owner, u"WhatsintheClipboard1", u"What's in the Clip&board?");
    a.NewChannels1 = make(owner, u"NewChannels1", u"Channel &Guide...");
    a.VoiceGuide1 = make(owner, u"VoiceGuide1", u"&Voice Guide...");

    a.actHelp = make(owner, u"actHelp", u"&Contents...", K(Qt::Key_F1), u"Help");
    a.ipoftheDay1 = make(owner, u"ipoftheDay1", u"&Tip of the Day...");
    a.HomePage2 = make(owner, u"HomePage2", u"&Home Page...");
    a.Support2 = make(owner, u"Support2", u"Tech &Support...");
    a.About2 = make(owner, u"About2", u"&About...");

    a.actDisEmail = make(owner, u"actDisEmail", u"Disconnect E-mail");
    a.actDisEmail->setEnabled(true);
    return a;
}

QList<MainMenu> createMainMenus(const MainActions& a, QWidget* parent)
{
    // nullptr stands for a separator line.
    const auto menu = [parent](const char16_t* name, const char16_t* caption, QList<QAction*> items) {
        auto* m = new QMenu(QString::fromUtf16(caption), parent);
        m->setObjectName(QString::fromUtf16(name));
        for (QAction* item : items) {
            if (item == nullptr)
                m->addSeparator();
            else
                m->addAction(item);
        }
        return MainMenu{QString::fromUtf16(caption), m};
    };
    return {
        menu(u"mnuFile", u"&File",
             {a.actNew, a.actOpen, nullptr, a.actSave, a.actSaveAs, nullptr, a.actWAV, nullptr, a.actExit}),
        menu(u"mnuEdit", u"&Edit",
             {a.actUndo, nullptr, a.actCut, a.actCopy, a.actPaste, a.actDelete, nullptr, a.actFind, nullptr,
              a.actSelectAll}),
        menu(u"mnuView", u"&View",
             {a.actViewToolbar, a.actViewStatusbar, nullptr, a.actNarrix, a.askbarButton1, nullptr, a.actFont,
              nullptr, a.actProp, a.actOptions}),
        menu(u"mnuSchedule", u"Sched&ule",
             {a.actAdd, a.actRemove, nullptr, a.actRun, a.actEdit, a.actRename, nullptr, a.actMoveUp,
              a.actMoveDown, nullptr, a.actImport, a.actExport}),
        menu(u"mnuSpeech", u"&Speech",
             {a.actPlay, a.actPause, a.actStop, nullptr, a.actRewind, a.actForward, nullptr, a.actDevice,
              a.actUpdate}),
        menu(u"mnuTools", u"&Tools",
             {a.RealtimeSpeech3, a.Clip2, a.ScheduledSpeech3, nullptr, a.Whatsthetime1, a.WhatstheDate1,
              a.WhatsintheClipboard1, nullptr, a.NewChannels1, a.VoiceGuide1}),
        menu(u"mnuHelp", u"&Help",
             {a.actHelp, a.ipoftheDay1, nullptr, a.HomePage2, a.Support2, nullptr, a.About2}),
    };
}

} // namespace narrix
