#pragma once

#include "plugin/feature_services.h"
#include "plugin/plugin.h"
#include "schedule/open_document.h"
#include "settings/settings.h"

#include <memory>

class QAction;

namespace narrix {

class DroppedFiles;

class DocumentEditorController;
class FollowAlongHighlight;

// The document editor in the main window: its commands, the save-changes prompt of the close request,
// follow-along reading and its View switch ("FollowAlong" in the settings). It is also the open
// document the list commands propose when an item is added.
class DocumentEditorPlugin final : public Plugin, public DocumentService, public OpenDocument
{
public:
    DocumentEditorPlugin();
    ~DocumentEditorPlugin() override;

    void attach(PluginContext& context) override;
    void startUp() override;
    bool confirmSaveChanges() override;
    void acceptDroppedFiles(bool accept) override;
    std::optional<QString> documentText() const override;
    bool documentGrowing() const override;
    std::string title() const override;
    std::string path() const override;

    DocumentEditorController* controller() const { return controller_.get(); }
    FollowAlongHighlight* highlight() const { return highlight_.get(); }

private:
    void storeSettings();

    PluginContext* context_ = nullptr;
    DocumentFont font_; // the settings' document font, as Text Font changes it
    QAction* followSwitch_ = nullptr;
    std::unique_ptr<DocumentEditorController> controller_;
    std::unique_ptr<FollowAlongHighlight> highlight_;
    std::unique_ptr<DroppedFiles> dropped_;
};

} // namespace narrix
