#include "editor/document_editor_plugin.h"

#include "desktop/dropped_files.h"
#include "editor/document_editor_controller.h"
#include "editor/editor_loading.h"
#include "editor/follow_along_highlight.h"
#include "plugin/main_actions.h"
#include "plugin/plugin_context.h"
#include "speech/reading_control.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTextEdit>

namespace narrix {

DocumentEditorPlugin::DocumentEditorPlugin() = default;
DocumentEditorPlugin::~DocumentEditorPlugin() = default;

void DocumentEditorPlugin::attach(PluginContext& context)
{
    context_ = &context;
    font_ = context.settings().documentFont;
    const MainActions& actions = context.actions();
    controller_ = std::make_unique<DocumentEditorController>(
        *context.editor(), actions, context.modal(), font_,
        [&context](const QString& title) { context.setDocumentTitle(title); });
    // A file dropped on the window opens here, after the save-changes prompt.
    dropped_ = std::make_unique<DroppedFiles>(
        context.window(),
        DroppedFiles::Handlers{[this] { return controller_->logic().ConfirmSaveChanges(); },
                               [this](const QString& path) { controller_->logic().openPath(path); },
                               [] { QApplication::beep(); }});
    // Reading aloud goes on into the pieces of a document that arrive after Play.
    controller_->logic().onPieceAppended = [this](const QString& piece) {
        context_->reading().growSpeech(SpeechSource::Document,
                                       EditorLoading::asEditorText(piece).toStdString());
    };
    controller_->logic().onPiecesEnded = [this] {
        context_->reading().endGrowingSpeech(SpeechSource::Document);
    };
    // Text Font changes the settings' document font.
    QObject::connect(actions.actFont, &QAction::triggered, controller_.get(), [this] { storeSettings(); });

    followSwitch_ =
        new QAction(QCoreApplication::translate("MainActions", "Follow &Along"), &context.window());
    followSwitch_->setObjectName(QStringLiteral("actFollowAlong"));
    followSwitch_->setCheckable(true);
    context.window().addAction(followSwitch_);
    if (auto* view = context.window().findChild<QMenu*>(QStringLiteral("mnuView"))) {
        const QList<QAction*> items = view->actions();
        const qsizetype font = items.indexOf(actions.actFont);
        view->insertAction(font >= 0 && font + 1 < items.size() ? items[font + 1] : nullptr, followSwitch_);
    }
    highlight_ = std::make_unique<FollowAlongHighlight>(*context.editor(), context.reading().followAlong(),
                                                        *followSwitch_);
    QObject::connect(followSwitch_, &QAction::toggled, controller_.get(), [this] { storeSettings(); });
}

void DocumentEditorPlugin::startUp()
{
    if (!context_)
        return;
    font_ = context_->settings().documentFont;
    followSwitch_->setChecked(context_->settings().followAlong);
    context_->reading().followAlong().setEnabled(context_->settings().followAlong);
}

void DocumentEditorPlugin::acceptDroppedFiles(bool accept)
{
    if (dropped_)
        dropped_->setAccepting(accept);
}

std::optional<QString> DocumentEditorPlugin::documentText() const
{
    if (!controller_)
        return std::nullopt;
    return controller_->view().plainText();
}

bool DocumentEditorPlugin::documentGrowing() const
{
    return controller_ && controller_->logic().loading();
}

bool DocumentEditorPlugin::confirmSaveChanges()
{
    return !controller_ || controller_->logic().ConfirmSaveChanges();
}

void DocumentEditorPlugin::storeSettings()
{
    Settings settings = context_->settings();
    settings.documentFont = font_;
    settings.followAlong = followSwitch_->isChecked();
    if (!(settings == context_->settings()))
        context_->changeSettings(settings);
}

std::string DocumentEditorPlugin::title() const
{
    return controller_ ? controller_->logic().state().title.toStdString() : UntitledDocument().title();
}

std::string DocumentEditorPlugin::path() const
{
    return controller_ ? controller_->logic().state().path.toStdString() : std::string();
}

} // namespace narrix
