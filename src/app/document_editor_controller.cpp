#include "app/document_editor_controller.h"

#include "app/find_dialog.h"
#include "app/main_actions.h"

#include <QAction>
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
    connect(actions.actNew, &QAction::triggered, this, [this] { editor_.newDocument(); });
    connect(actions.actOpen, &QAction::triggered, this, [this] { editor_.open(); });
    connect(actions.actSave, &QAction::triggered, this, [this] { editor_.save(); });
    connect(actions.actSaveAs, &QAction::triggered, this, [this] { editor_.saveAs(); });
    connect(actions.actFont, &QAction::triggered, this, [this] { editor_.chooseTextFont(); });
    connect(actions.actFind, &QAction::triggered, this, &DocumentEditorController::showFindDialog);
    for (QAction* action :
         {actions.actNew, actions.actOpen, actions.actSave, actions.actSaveAs, actions.actFont})
        action->setEnabled(true);
    connect(editor.document(), &QTextDocument::contentsChanged, this, [this] {
        editor_.contentChanged();
        updateActions();
    });
    connect(&view_.loading(), &EditorLoading::changed, this, &DocumentEditorController::updateActions);
    widget_.setAcceptRichText(false); // a new document is in plain-text mode until a file says otherwise
    updateActions();
}

DocumentEditorController::~DocumentEditorController() = default;

void DocumentEditorController::updateActions()
{
    actions_.actFind->setEnabled(!widget_.document()->isEmpty());
}

void DocumentEditorController::showFindDialog()
{
    if (!findDialog_) {
        findDialog_ = new FindDialog(widget_.window());
        connect(findDialog_, &FindDialog::findNext, this,
                [this](const QString& what, FindOptions options, bool down) {
                    editor_.findNext(what, options, down);
                });
    }
    findDialog_->show();
    findDialog_->raise();
    findDialog_->activateWindow();
}

} // namespace narrix
