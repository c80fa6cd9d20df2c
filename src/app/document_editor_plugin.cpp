#include "app/document_editor_plugin.h"

#include "app/document_editor_controller.h"
#include "app/follow_along_highlight.h"
#include "app/main_actions.h"
#include "app/tf_main.h"
#include "desktop/dropped_files.h"
#include "speech/reading_control.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTextEdit>

namespace narrix {

DocumentEditorPlugin::DocumentEditorPlugin() = default;
DocumentEditorPlugin::~DocumentEditorPlugin() = default;

void DocumentEditorPlugin::attach(TfMain& window)
{
    window_ = &window;
    font_ = window.settings().documentFont;
    const MainActions& actions = window.actions();
    controller_ = std::make_unique<DocumentEditorController>(
        *window.editor(), actions, window.modal(), font_,
        [&window](const QString& title) { window.setDocumentTitle(title); });
    // A file dropped on the window opens here, after the save-changes prompt.
    dropped_ = std::make_unique<DroppedFiles>(
        window, DroppedFiles::Handlers{[this] { return controller_->logic().ConfirmSaveChanges(); },
                                       [this](const QString& path) { controller_->logic().openPath(path); },
                                       [] { QApplication::beep(); }});
    // Text Font changes the settings' document font.
    QObject::connect(actions.actFont, &QAction::triggered, controller_.get(), [this] { storeSettings(); });

    followSwitch_ = new QAction(QStringLiteral("Follow &Along"), &window);
    followSwitch_->setObjectName(QStringLiteral("actFollowAlong"));
    followSwitch_->setCheckable(true);
    window.addAction(followSwitch_);
    if (auto* view = window.findChild<QMenu*>(QStringLiteral("mnuView"))) {
        const QList<QAction*> items = view->actions();
        const qsizetype font = items.indexOf(actions.actFont);
        view->insertAction(font >= 0 && font + 1 < items.size() ? items[font + 1] : nullptr, followSwitch_);
    }
    highlight_ = std::make_unique<FollowAlongHighlight>(*window.editor(), window.reading().followAlong(),
                                                        *followSwitch_);
    QObject::connect(followSwitch_, &QAction::toggled, controller_.get(), [this] { storeSettings(); });
}

void DocumentEditorPlugin::startUp()
{
    if (!window_)
        return;
    font_ = window_->settings().documentFont;
    followSwitch_->setChecked(window_->settings().followAlong);
    window_->reading().followAlong().setEnabled(window_->settings().followAlong);
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

bool DocumentEditorPlugin::confirmSaveChanges()
{
    return !controller_ || controller_->logic().ConfirmSaveChanges();
}

void DocumentEditorPlugin::storeSettings()
{
    Settings settings = window_->settings();
    settings.documentFont = font_;
    settings.followAlong = followSwitch_->isChecked();
    if (!(settings == window_->settings()))
        window_->applySettings(settings);
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
