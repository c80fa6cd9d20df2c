// Program entry: the application object with its error hook, the real engine, settings and dialogs,
// the main window and its start-up, the message loop, then the shutdown sequence.
#include "app/installed_files.h"
#include "app/narrix_application.h"
#include "app/startup/environment_setup.h"
#include "app/startup/font_database_warmup.h"
#include "app/startup/startup_probe.h"
#include "app/startup/tool_bar_extension_icon_style.h"
#include "app/tf_main.h"
#include "base/diagnostics.h"
#include "channels/channel_update_command.h"
#include "channels/channels_plugin.h"
#include "channels/schedule_list_plugin.h"
#include "desktop/autostart_entry.h"
#include "desktop/chrome_tray.h"
#include "desktop/global_shortcuts.h"
#include "desktop/instance_hand_over.h"
#include "desktop/launch_request.h"
#include "desktop/mpris_player.h"
#include "desktop/single_instance.h"
#include "editor/document_editor_controller.h"
#include "editor/document_editor_plugin.h"
#include "help/help_commands.h"
#include "options/options_command.h"
#include "platform/clock.h"
#include "platform/desktop_notifier.h"
#include "platform/environment.h"
#include "platform/interface_language.h"
#include "platform/locale_adapter.h"
#include "platform/shipped_files.h"
#include "platform/unix_signal_watcher.h"
#include "platform/x11_keyboard_state.h"
#include "schedule/time_separator.h"
#include "settings/settings_store.h"
#include "sources/source_availability.h"
#include "speech/engine_factory.h"
#include "speech/engine_settings_dialog.h"
#include "speech_sources/speech_sources_plugin.h"
#include "ui/desktop_opener.h"
#include "ui/prompter.h"
#include "voices/voices_plugin.h"

#include <QGuiApplication>
#include <QLocale>
#include <QScopeGuard>

#include <csignal>
#include <cstdio>

int main(int argc, char** argv)
{
    // The fonts load while the application object is made, the engine starts and the window is built.
    narrix::FontDatabaseWarmUp fonts;
    narrix::NarrixApplication app(argc, argv);
    const narrix::Environment environment = narrix::Environment::fromProcess();
    if (environment.reportFiles) {
        std::fputs(narrix::installedFilesReport(narrix::locateInstalledFiles()).toLocal8Bit().constData(),
                   stdout);
        fonts.finish();
        return 0;
    }
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    QString argumentError;
    const std::optional<narrix::LaunchRequest> request =
        narrix::parseLaunchArguments(arguments, &argumentError);
    if (!request) {
        qCCritical(narrix::lcNarrix, "%s", qUtf8Printable(argumentError));
        fonts.finish();
        return 2;
    }
    fonts.applicationCreated();
    narrix::applyEnvironment(environment);
    // Before the first widget: the tool bars' arrows without loading every image format plugin.
    narrix::useToolBarExtensionIconStyle();
    // Menus, dialogs and Qt's standard buttons in the user's language, before anything is built.
    const narrix::InterfaceLanguage language(
        narrix::interfaceTranslationNames(environment.messagesLocale, QLocale::system().uiLanguages()),
        narrix::interfaceTranslationFolders(QCoreApplication::applicationDirPath()));
    // The thread touches Qt's font database: it ends before the application object does.
    const auto fontsDone = qScopeGuard([&fonts] { fonts.finish(); });
    // SIGHUP too: a session that ends under a terminal hangs it up.
    narrix::UnixSignalWatcher signals({SIGTERM, SIGINT, SIGHUP});
    // Until the window's start-up is over a signal ends the program at once: the start-up may wait
    // (a slow disk, the command-line transfer) and has nothing to save yet.
    narrix::UnixSignalWatcher::setEndsProcessAtOnce(true);

    // The one owner of the engines' shared speed and settings dialog.
    narrix::SpeechEngineFactory engines(narrix::AudioSinkOptions::fromSetting(environment.audio));
    auto engine = engines.create();
    narrix::QSettingsStore store;
    narrix::WidgetPrompter prompter;
    narrix::SystemLocale locale;
    // Detects a running instance before the window is built.
    narrix::TQMInstances instances;
    narrix::ChromeTray tray;
    narrix::InstanceHandOver handOver(instances, store, tray);
    handOver.setLaunchRequest(*request);
    narrix::X11KeyboardState keyboard;
    narrix::SystemClock clock;
    // The subsystems that plug into the window.
    narrix::DocumentEditorPlugin documentEditor;
    narrix::SpeechSourcesPlugin speechSources(keyboard, clock);
    // Under Wayland typing speech hears keys only through XWayland, clipboard speech none in the background.
    speechSources.setAvailability(narrix::sourceAvailability(QGuiApplication::platformName(), environment));
    // Scheduled speeches: the scheduler, channel retrieval and e-mail reading.
    narrix::DBusDesktopNotifier notifier(environment.sessionBus);
    narrix::ChannelsPlugin channels(clock, notifier);
    narrix::ScheduleListPlugin listCommands(narrix::timeSeparatorOf(QLocale::system()));
    // Help, tips and options.
    narrix::QtDesktopOpener desktop;
    narrix::HelpCommands help(desktop, store);
    narrix::OptionsCommand options(desktop, [&speechSources] { speechSources.resetAnnouncementMemory(); });
    const narrix::AutostartEntry autostart = narrix::AutostartEntry::forUser();
    options.setAutostart(&autostart);
    // Desktop-wide keys for Read Clipboard, Play/Pause and Stop, as Options sets them.
    narrix::GlobalShortcuts globalShortcuts(narrix::GlobalShortcuts::ofThisSession(environment.sessionBus));
    options.setGlobalShortcuts(&globalShortcuts);
    // Voices and the audio device.
    narrix::VoicesPlugin voices(
        [&engines] { return std::unique_ptr<narrix::SpeechEngine>(engines.create()); },
        [&desktop](const QUrl& url) { desktop.open(url.toString()); });
    // Media keys and the desktop's media widget play the document.
    narrix::MprisPlayer mediaPlayer(environment.sessionBus, documentEditor);
    const QString starterList = narrix::findShippedFile(QStringLiteral("channels.nxl"));
    narrix::ChannelUpdateCommand channelUpdate({}, starterList);
    listCommands.setDocument(&documentEditor);
    // --open and --import: the editor's open after the save-changes prompt, and the Import command's merge.
    handOver.setFileHandlers({[&documentEditor](const QString& path) {
                                  auto* editor = documentEditor.controller();
                                  if (editor != nullptr && editor->logic().ConfirmSaveChanges() &&
                                      editor->logic().openPath(path))
                                      qCDebug(narrix::lcNarrix, "opened %s in the editor", qPrintable(path));
                              },
                              [&listCommands](const QString& path) {
                                  if (listCommands.commands().importListFrom(path.toStdString()))
                                      qCDebug(narrix::lcNarrix, "imported %s", qPrintable(path));
                              }});
    narrix::MainServices services;
    services.document = &documentEditor;
    services.tray = &tray;
    services.singleInstance = &handOver;
    services.realtimeHook = &speechSources;
    services.transfers = &channels;
    services.tips = &help;
    services.starterList = starterList;
    // The tray comes after the plugins whose switches have tray twins (it shares their twins).
    services.plugins = {&documentEditor, &speechSources, &channels,      &listCommands, &help,
                        &options,        &voices,        &channelUpdate, &mediaPlayer,  &globalShortcuts};
    services.windowParts = {&tray, &handOver};
    // The window's widgets need fonts from here on.
    fonts.waitForConfiguration();
    narrix::TfMain window(*engine, store, prompter, locale, services);

    // The engine's settings dialog is shown through the window's dialog seam.
    engines.setSettingsDialog(
        narrix::engineSettingsDialog([&window](QDialog& dialog) { return window.modal().exec(dialog); }));

    QObject::connect(&signals, &narrix::UnixSignalWatcher::received, &window,
                     [&window](int) { window.TerminationRequested(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, [&window] { window.FormDestroy(); });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     [&window](QSessionManager&) { window.CommitSessionData(); });

    // The window is shown before the greeting is synthesised.
    window.setGreetingAfterFirstShow(true);
    window.FormCreate(request->startUpArguments());
    narrix::UnixSignalWatcher::setEndsProcessAtOnce(false);
    if (window.state().earlyExit) {
        window.FormDestroy();
        return 0;
    }
    if (environment.startupProbe)
        narrix::installStartupProbe(window);
    window.show();
    return QApplication::exec();
}
