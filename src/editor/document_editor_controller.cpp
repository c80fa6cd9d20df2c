#include "editor/document_editor_controller.h"

#include "editor/find_dialog.h"
#include "plugin/main_actions.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace narrix {

DocumentEditorController::DocumentEditorController(QTextEdit& editor, const MainActions& actions,
                                                   ModalDialogs& modal, DocumentFont& font,
                                                   std::function<void(const QString&)> setTitle,
                                                   QObject* parent)
    : QObject(parent), widget_(editor), actions_(actions), view_(editor), dialogs_(modal),
      editor_(view_, dialogs_, font)
{
    view_.titleSink = std::move(setTitle);
    // After each file command, and whatever its dialogs did, typing goes into the document again.
    const auto command = [this](QAction* action, void (DocumentEditor::*run)()) {
        connect(action, &QAction::triggered, this, [this, run] {
            (editor_.*run)();
            widget_.setFocus(Qt::OtherFocusReason);
        });
    };
    command(actions.actNew, &DocumentEditor::newDocument);
    command(actions.actSave, &DocumentEditor::save);
    command(actions.actSaveAs, &DocumentEditor::saveAs);
    command(actions.actFont, &DocumentEditor::chooseTextFont);
    connect(actions.actOpen, &QAction::triggered, this, [this] {
        editor_.open();
        widget_.setFocus(Qt::OtherFocusReason);
    });
    connect(actions.actFind, &QAction::triggered, this, &DocumentEditorController::showFindDialog);
    for (QAction* action :
         {actions.actNew, actions.actOpen, actions.actSave, actions.actSaveAs, actions.actFont})
        action->setEnabled(true);
    connect(editor.document(), &QTextDocument::contentsChanged, this, [this] {
        editor_.contentChanged();
        updateActions();
    });
    connect(&view_.loading(), &EditorLoading::changed, this, &DocumentEditorController::updateActions);
    // Select All selects the whole document, also while its pieces still arrive.
    connect(actions.actSelectAll, &QAction::triggered, this, [this] {
        if (QApplication::focusWidget() != &widget_ || !(editor_.loading() || view_.loading().active()))
            return;
        completeDocument();
        widget_.selectAll();
    });
    widget_.installEventFilter(this);
    widget_.setAcceptRichText(false); // a new document is in plain-text mode until a file says otherwise
    updateActions();
}

DocumentEditorController::~DocumentEditorController() = default;

void DocumentEditorController::updateActions()
{
    actions_.actFind->setEnabled(!widget_.document()->isEmpty());
}

void DocumentEditorController::completeDocument()
{
    editor_.finishLoading();
    view_.loading().finish();
}

bool DocumentEditorController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &widget_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::SelectAll))
        completeDocument();
    return QObject::eventFilter(watched, event);
}

QRect DocumentEditorController::selectionOnScreen() const
{
    const QTextCursor selection = widget_.textCursor();
    QTextCursor start(widget_.document());
    start.setPosition(selection.selectionStart());
    QTextCursor end(widget_.document());
    end.setPosition(selection.selectionEnd());
    QRect area = widget_.cursorRect(start).united(widget_.cursorRect(end));
    // A match that runs over a line break covers the whole width between its ends.
    if (widget_.cursorRect(start).top() != widget_.cursorRect(end).top()) {
        area.setLeft(0);
        area.setRight(widget_.viewport()->width());
    }
    return QRect(widget_.viewport()->mapToGlobal(area.topLeft()), area.size());
}

void DocumentEditorController::showFindDialog()
{
    if (!findDialog_) {
        findDialog_ = new FindDialog(widget_.window());
        connect(findDialog_, &FindDialog::findNext, this,
                [this](const QString& what, FindOptions options, bool down) {
                    if (editor_.findNext(what, options, down))
                        findDialog_->keepClearOf(selectionOnScreen());
                });
    }
    findDialog_->show();
    findDialog_->raise();
    findDialog_->activateWindow();
}

} // namespace narrix
