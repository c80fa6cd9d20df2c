<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>DocumentDialogs</name>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>%1 already exists.<byte value="xd"/>
Do you want to replace it?</source>
        <translation>%1 ist bereits vorhanden.<byte value="xd"/>
Möchten Sie die Datei ersetzen?</translation>
    </message>
</context>
<context>
    <name>DocumentEditor</name>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation>Änderungen an %1 speichern?</translation>
    </message>
</context>
<context>
    <name>MainActions</name>
    <message>
        <source>&amp;Scheduled Speech</source>
        <translation>&amp;Geplante Sprachausgabe</translation>
    </message>
    <message>
        <source>Follow &amp;Along</source>
        <translation>&amp;Mitlesen</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>&amp;ZIR Erevaz...</source>
        <translation>&amp;ZIR Erevaz...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;Ausschneiden</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>&amp;Find...</source>
        <translation>&amp;Suchen...</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>Alles &amp;markieren</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>&amp;Symbolleiste</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>Status&amp;leiste</translation>
    </message>
    <message>
        <source>&amp;Narrix Logo</source>
        <translation>&amp;Narrix-Logo</translation>
    </message>
    <message>
        <source>Taskbar &amp;Button</source>
        <translation>&amp;Taskleisten-Schaltfläche</translation>
    </message>
    <message>
        <source>Text &amp;Font...</source>
        <translation>Schrift&amp;art...</translation>
    </message>
    <message>
        <source>Speech P&amp;roperties...</source>
        <translation>Sprach&amp;eigenschaften...</translation>
    </message>
    <message>
        <source>Speech Properties</source>
        <translation>Spracheigenschaften</translation>
    </message>
    <message>
        <source>&amp;Options...</source>
        <translation>&amp;Optionen...</translation>
    </message>
    <message>
        <source>&amp;Add...</source>
        <translation>&amp;Hinzufügen...</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Ru&amp;n Now</source>
        <translation>&amp;Jetzt ausführen</translation>
    </message>
    <message>
        <source>Edi&amp;t...</source>
        <translation>&amp;Bearbeiten...</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>Rena&amp;me</source>
        <translation>Umbe&amp;nennen</translation>
    </message>
    <message>
        <source>Move &amp;Up</source>
        <translation>Nach &amp;oben</translation>
    </message>
    <message>
        <source>Move &amp;Down</source>
        <translation>Nach &amp;unten</translation>
    </message>
    <message>
        <source>&amp;Import List...</source>
        <translation>&amp;Liste importieren...</translation>
    </message>
    <message>
        <source>&amp;Export List...</source>
        <translation>Liste e&amp;xportieren...</translation>
    </message>
    <message>
        <source>&amp;Play</source>
        <translation>&amp;Abspielen</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Pa&amp;use</source>
        <translation>&amp;Pause</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Stopp</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Re&amp;wind</source>
        <translation>&amp;Zurückspulen</translation>
    </message>
    <message>
        <source>Rewind</source>
        <translation>Zurückspulen</translation>
    </message>
    <message>
        <source>Fast &amp;Forward</source>
        <translation>&amp;Vorspulen</translation>
    </message>
    <message>
        <source>Fast Forward</source>
        <translation>Vorspulen</translation>
    </message>
    <message>
        <source>Select Audio &amp;Device...</source>
        <translation>Audio&amp;gerät wählen...</translation>
    </message>
    <message>
        <source>&amp;Channel Update...</source>
        <translation>&amp;Kanal-Aktualisierung...</translation>
    </message>
    <message>
        <source>Channel Update</source>
        <translation>Kanal-Aktualisierung</translation>
    </message>
    <message>
        <source>&amp;Real-Time Speech</source>
        <translation>&amp;Echtzeit-Sprachausgabe</translation>
    </message>
    <message>
        <source>&amp;Clipboard Speech</source>
        <translation>&amp;Zwischenablage vorlesen</translation>
    </message>
    <message>
        <source>What&apos;s the &amp;Time?</source>
        <translation>Wie spät &amp;ist es?</translation>
    </message>
    <message>
        <source>What&apos;s the &amp;Date?</source>
        <translation>&amp;Welches Datum ist heute?</translation>
    </message>
    <message>
        <source>What&apos;s in the Clip&amp;board?</source>
        <translation>Was ist in der Zwischen&amp;ablage?</translation>
    </message>
    <message>
        <source>Channel &amp;Guide...</source>
        <translation>&amp;Kanalführer...</translation>
    </message>
    <message>
        <source>&amp;Voice Guide...</source>
        <translation>&amp;Sprachführer...</translation>
    </message>
    <message>
        <source>&amp;Contents...</source>
        <translation>&amp;Inhalt...</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>&amp;Tip of the Day...</source>
        <translation>&amp;Tipp des Tages...</translation>
    </message>
    <message>
        <source>&amp;Home Page...</source>
        <translation>&amp;Homepage...</translation>
    </message>
    <message>
        <source>Tech &amp;Support...</source>
        <translation>Technischer &amp;Support...</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>Ü&amp;ber...</translation>
    </message>
    <message>
        <source>Disconnect E-mail</source>
        <translation>E-Mail-Verbindung trennen</translation>
    </message>
</context>
<context>
    <name>MainMenus</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>Sched&amp;ule</source>
        <translation>&amp;Zeitplan</translation>
    </message>
    <message>
        <source>&amp;Speech</source>
        <translation>&amp;Sprache</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Extras</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
</context>
<context>
    <name>OkCancelRow</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>ReadingControl</name>
    <message>
        <source>Real-Time Speech</source>
        <translation>Echtzeit-Sprachausgabe</translation>
    </message>
    <message>
        <source>Clipboard Speech</source>
        <translation>Zwischenablage-Sprachausgabe</translation>
    </message>
    <message>
        <source>Date/Time Speech</source>
        <translation>Datum/Uhrzeit-Sprachausgabe</translation>
    </message>
    <message>
        <source>Document Speech</source>
        <translation>Dokument-Sprachausgabe</translation>
    </message>
    <message>
        <source>Scheduled Speech</source>
        <translation>Geplante Sprachausgabe</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
</context>
<context>
    <name>ScheduleListModel</name>
    <message>
        <source>Daily</source>
        <translation>Täglich</translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation>Wöchentlich</translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation>Monatlich</translation>
    </message>
    <message>
        <source>Yearly</source>
        <translation>Jährlich</translation>
    </message>
</context>
<context>
    <name>ScheduleMessages</name>
    <message>
        <source>Address cannot be empty.</source>
        <translation>Die Adresse darf nicht leer sein.</translation>
    </message>
    <message>
        <source>Are you sure you want to delete the selected item(s)?</source>
        <translation>Möchten Sie die ausgewählten Einträge wirklich löschen?</translation>
    </message>
    <message>
        <source>Title cannot be empty.</source>
        <translation>Der Titel darf nicht leer sein.</translation>
    </message>
    <message>
        <source>Title cannot contain &apos;]&apos;.</source>
        <translation>Der Titel darf kein &apos;]&apos; enthalten.</translation>
    </message>
    <message>
        <source>This title is already used by another item.</source>
        <translation>Dieser Titel wird schon von einem anderen Eintrag verwendet.</translation>
    </message>
</context>
<context>
    <name>SourceAvailability</name>
    <message>
        <source>Real-time speech cannot hear keys here: this Wayland session has no X11 display (XWayland).</source>
        <translation>Die Echtzeit-Sprachausgabe hört hier keine Tasten: Diese Wayland-Sitzung hat keine X11-Anzeige (XWayland).</translation>
    </message>
    <message>
        <source>Clipboard speech cannot hear what other programs copy: Wayland tells only the program in front about a new clipboard.</source>
        <translation>Das Vorlesen der Zwischenablage hört nicht, was andere Programme kopieren: Wayland meldet eine neue Zwischenablage nur dem Programm im Vordergrund.</translation>
    </message>
</context>
<context>
    <name>StatusBar</name>
    <message>
        <source> Ready</source>
        <translation> Bereit</translation>
    </message>
    <message>
        <source> Disconnected.</source>
        <translation> Verbindung getrennt.</translation>
    </message>
    <message>
        <source> Opening %1</source>
        <translation> %1 wird geöffnet</translation>
    </message>
    <message>
        <source> Please press Esc before you start a new connection.</source>
        <translation> Bitte drücken Sie Esc, bevor Sie eine neue Verbindung beginnen.</translation>
    </message>
    <message>
        <source> Checking email (%1)... (Press Esc if you want to cancel)</source>
        <translation> E-Mail wird abgerufen (%1)... (Esc bricht ab)</translation>
    </message>
    <message>
        <source> Receiving Message %1 of %2... (Press Esc if you want to cancel)</source>
        <translation> Nachricht %1 von %2 wird empfangen... (Esc bricht ab)</translation>
    </message>
    <message>
        <source> Please press Esc before checking email.</source>
        <translation> Bitte drücken Sie Esc, bevor Sie E-Mail abrufen.</translation>
    </message>
    <message>
        <source> Reading... [%1]</source>
        <translation> Vorlesen... [%1]</translation>
    </message>
    <message>
        <source> Reading... [Multiple Speeches]</source>
        <translation> Vorlesen... [Mehrere Sprachausgaben]</translation>
    </message>
    <message>
        <source> Receiving data... (%1/%2, press Esc if you want to cancel)</source>
        <translation> Daten werden empfangen... (%1/%2, Esc bricht ab)</translation>
    </message>
    <message>
        <source> Receiving data... (%1, press Esc if you want to cancel)</source>
        <translation> Daten werden empfangen... (%1, Esc bricht ab)</translation>
    </message>
    <message>
        <source> The audio device chosen is not available; speaking on the default output.</source>
        <translation> Das gewählte Audiogerät ist nicht verfügbar; die Ausgabe erfolgt auf dem Standardgerät.</translation>
    </message>
    <message>
        <source> The audio device &quot;%1&quot; is not available; speaking on the default output.</source>
        <translation> Das Audiogerät „%1“ ist nicht verfügbar; die Ausgabe erfolgt auf dem Standardgerät.</translation>
    </message>
</context>
<context>
    <name>narrix::ChromeTray</name>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Öffnen</translation>
    </message>
    <message>
        <source>&amp;Stop Reading</source>
        <translation>Vorlesen &amp;anhalten</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
</context>
<context>
    <name>narrix::EngineSettingsDialog</name>
    <message>
        <source>Voice Settings</source>
        <translation>Stimmeinstellungen</translation>
    </message>
    <message>
        <source>&amp;Pitch:</source>
        <translation>&amp;Tonhöhe:</translation>
    </message>
    <message>
        <source>V&amp;olume:</source>
        <translation>&amp;Lautstärke:</translation>
    </message>
    <message>
        <source>&amp;Intonation:</source>
        <translation>&amp;Intonation:</translation>
    </message>
    <message>
        <source>Pause between &amp;words:</source>
        <translation>Pause zwischen &amp;Wörtern:</translation>
    </message>
</context>
<context>
    <name>narrix::FindDialog</name>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Fi&amp;nd what:</source>
        <translation>&amp;Suchen nach:</translation>
    </message>
    <message>
        <source>Match &amp;whole word only</source>
        <translation>Nur ganzes W&amp;ort</translation>
    </message>
    <message>
        <source>Match &amp;case</source>
        <translation>&amp;Groß-/Kleinschreibung beachten</translation>
    </message>
    <message>
        <source>Direction</source>
        <translation>Richtung</translation>
    </message>
    <message>
        <source>&amp;Up</source>
        <translation>&amp;Aufwärts</translation>
    </message>
    <message>
        <source>&amp;Down</source>
        <translation>A&amp;bwärts</translation>
    </message>
    <message>
        <source>&amp;Find Next</source>
        <translation>&amp;Weitersuchen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>narrix::GlobalShortcuts</name>
    <message>
        <source>Desktop-wide keys cannot work here: the desktop offers no shortcut service and this is no X11 session.</source>
        <translation>Tastenkürzel für die ganze Arbeitsumgebung gehen hier nicht: Die Arbeitsumgebung bietet keinen Dienst für Tastenkürzel, und dies ist keine X11-Sitzung.</translation>
    </message>
    <message>
        <source>Desktop-wide keys cannot work here: the X11 display could not be opened.</source>
        <translation>Tastenkürzel für die ganze Arbeitsumgebung gehen hier nicht: Die X11-Anzeige ließ sich nicht öffnen.</translation>
    </message>
    <message>
        <source>Read Clipboard</source>
        <translation>Zwischenablage vorlesen</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>Abspielen/Pause</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>The key %1 of %2 could not be registered: %3.</source>
        <translation>Die Taste %1 für %2 ließ sich nicht registrieren: %3.</translation>
    </message>
    <message>
        <source>Looking for the desktop&apos;s shortcut service...</source>
        <translation>Der Dienst der Arbeitsumgebung für Tastenkürzel wird gesucht...</translation>
    </message>
    <message>
        <source>The desktop&apos;s shortcut service registers these keys; it may ask you to confirm them.</source>
        <translation>Der Dienst der Arbeitsumgebung für Tastenkürzel registriert diese Tasten; er fragt Sie vielleicht, ob Sie sie bestätigen.</translation>
    </message>
    <message>
        <source>These keys are taken from the whole X11 desktop while Narrix runs.</source>
        <translation>Diese Tasten gelten auf der ganzen X11-Arbeitsfläche, solange Narrix läuft.</translation>
    </message>
</context>
<context>
    <name>narrix::PortalGlobalShortcuts</name>
    <message>
        <source>the desktop refused a shortcut session</source>
        <translation>die Arbeitsumgebung hat eine Tastenkürzel-Sitzung abgelehnt</translation>
    </message>
    <message>
        <source>the desktop did not take the shortcuts</source>
        <translation>die Arbeitsumgebung hat die Tastenkürzel nicht übernommen</translation>
    </message>
</context>
<context>
    <name>narrix::ScheduleListModel</name>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Schedule</source>
        <translation>Zeitplan</translation>
    </message>
</context>
<context>
    <name>narrix::ScheduleListPlugin</name>
    <message>
        <source>Lists (*.nxl)</source>
        <translation>Listen (*.nxl)</translation>
    </message>
    <message>
        <source>Import List</source>
        <translation>Liste importieren</translation>
    </message>
    <message>
        <source>Export List</source>
        <translation>Liste exportieren</translation>
    </message>
</context>
<context>
    <name>narrix::ShortcutsGroup</name>
    <message>
        <source> Shortcuts </source>
        <translation> Tastenkürzel </translation>
    </message>
    <message>
        <source>Read &amp;Clipboard:</source>
        <translation>&amp;Zwischenablage vorlesen:</translation>
    </message>
    <message>
        <source>Play/Pa&amp;use:</source>
        <translation>Abspielen/Pa&amp;use:</translation>
    </message>
    <message>
        <source>S&amp;top:</source>
        <translation>S&amp;topp:</translation>
    </message>
    <message>
        <source>Read Clipboard</source>
        <translation>Zwischenablage vorlesen</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>Abspielen/Pause</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Desktop-wide key of %1</source>
        <translation>Taste für %1 in der ganzen Arbeitsumgebung</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Clear the key of %1</source>
        <translation>Die Taste für %1 löschen</translation>
    </message>
</context>
<context>
    <name>narrix::TfMain</name>
    <message>
        <source>Scheduled Speeches</source>
        <translation>Geplante Sprachausgaben</translation>
    </message>
    <message>
        <source>Real-Time Buffer</source>
        <translation>Echtzeit-Puffer</translation>
    </message>
    <message>
        <source>Narrix Update</source>
        <translation>Narrix-Aktualisierung</translation>
    </message>
    <message>
        <source>Some of the Narrix channels installed may need updates.<byte value="xd"/>
It is recommended that you update your channels after installation.<byte value="xd"/>
<byte value="xd"/>
Do you want to update channels now? (Internet required)</source>
        <translation>Einige der installierten Narrix-Kanäle brauchen vielleicht Aktualisierungen.<byte value="xd"/>
Es wird empfohlen, die Kanäle nach der Installation zu aktualisieren.<byte value="xd"/>
<byte value="xd"/>
Möchten Sie die Kanäle jetzt aktualisieren? (Internet erforderlich)</translation>
    </message>
    <message>
        <source>female </source>
        <translation>weibliche </translation>
    </message>
    <message>
        <source>male </source>
        <translation>männliche </translation>
    </message>
    <message>
        <source>Narrix comes with one %1voice, %2.<byte value="xd"/>
Several additional voices are available for download!<byte value="xd"/>
<byte value="xd"/>
Do you want to download them now? (FREE!)</source>
        <translation>Narrix enthält eine %1Stimme, %2.<byte value="xd"/>
Weitere Stimmen stehen zum Herunterladen bereit!<byte value="xd"/>
<byte value="xd"/>
Möchten Sie sie jetzt herunterladen? (KOSTENLOS!)</translation>
    </message>
</context>
<context>
    <name>narrix::TfrmAbout</name>
    <message>
        <source>About Narrix</source>
        <translation>Über Narrix</translation>
    </message>
    <message>
        <source>Reads documents, typing, the clipboard, the time and your channels aloud.</source>
        <translation>Liest Dokumente, Getipptes, die Zwischenablage, die Uhrzeit und Ihre Kanäle vor.</translation>
    </message>
    <message>
        <source>Quillmark, 2026</source>
        <translation>Quillmark, 2026</translation>
    </message>
    <message>
        <source>Click here to visit our website!</source>
        <translation>Hier klicken, um unsere Website zu besuchen!</translation>
    </message>
    <message>
        <source>Technical Support</source>
        <translation>Technischer Support</translation>
    </message>
    <message>
        <source>Click here to send us an email!</source>
        <translation>Hier klicken, um uns eine E-Mail zu schreiben!</translation>
    </message>
    <message>
        <source>Build: </source>
        <translation>Build: </translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>narrix::TfrmDevice</name>
    <message>
        <source>WARNING:<byte value="xd"/>
<byte value="xd"/>
Selecting a wrong device may cause problems.<byte value="xd"/>
<byte value="xd"/>
If Narrix doesn&apos;t work properly,<byte value="xd"/>
please switch back to the previous device.</source>
        <translation>ACHTUNG:<byte value="xd"/>
<byte value="xd"/>
Die Wahl eines falschen Geräts kann Probleme verursachen.<byte value="xd"/>
<byte value="xd"/>
Wenn Narrix nicht richtig funktioniert,<byte value="xd"/>
wechseln Sie bitte zum vorherigen Gerät zurück.</translation>
    </message>
    <message>
        <source>Select Audio Device</source>
        <translation>Audiogerät wählen</translation>
    </message>
    <message>
        <source>Please &amp;select an audio device below:</source>
        <translation>Bitte wählen Sie unten ein &amp;Audiogerät:</translation>
    </message>
</context>
<context>
    <name>narrix::TfrmEmail</name>
    <message>
        <source>Email Reader</source>
        <translation>E-Mail-Vorleser</translation>
    </message>
    <message>
        <source>Also read message &amp;bodies</source>
        <translation>Auch den &amp;Text der Nachrichten vorlesen</translation>
    </message>
    <message>
        <source>Email Reader can read your emails aloud for you.</source>
        <translation>Der E-Mail-Vorleser kann Ihnen Ihre E-Mails vorlesen.</translation>
    </message>
    <message>
        <source>&amp;Email address:</source>
        <translation>&amp;E-Mail-Adresse:</translation>
    </message>
    <message>
        <source>POP3 &amp;server:</source>
        <translation>POP3-&amp;Server:</translation>
    </message>
    <message>
        <source>Por&amp;t:</source>
        <translation>&amp;Port:</translation>
    </message>
    <message>
        <source>&amp;User name:</source>
        <translation>&amp;Benutzername:</translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation>Pass&amp;wort:</translation>
    </message>
    <message>
        <source>The password is kept in the schedule list file, which only you can read.</source>
        <translation>Das Passwort steht in der Datei der Zeitplanliste, die nur Sie lesen können.</translation>
    </message>
</context>
<context>
    <name>narrix::TfrmGuide</name>
    <message>
        <source>Quick Start Guide</source>
        <translation>Schnellstart</translation>
    </message>
    <message>
        <source>What do you want to hear now?</source>
        <translation>Was möchten Sie jetzt hören?</translation>
    </message>
    <message>
        <source>Open and read a text document for me!</source>
        <translation>Öffne ein Textdokument und lies es mir vor!</translation>
    </message>
    <message>
        <source>Select a random channel and play it!</source>
        <translation>Wähle einen zufälligen Kanal und spiel ihn ab!</translation>
    </message>
    <message>
        <source>Tell me the current time!</source>
        <translation>Sag mir die aktuelle Uhrzeit!</translation>
    </message>
    <message>
        <source>Tell me the current date!</source>
        <translation>Sag mir das heutige Datum!</translation>
    </message>
    <message>
        <source>What&apos;s in the Clipboard?</source>
        <translation>Was ist in der Zwischenablage?</translation>
    </message>
    <message>
        <source>Open the Help file and learn MORE!</source>
        <translation>Öffne die Hilfe und erfahre MEHR!</translation>
    </message>
</context>
<context>
    <name>narrix::TfrmOptions</name>
    <message>
        <source>Fear</source>
        <translation>Angst</translation>
    </message>
    <message>
        <source>Fool</source>
        <translation>Narr</translation>
    </message>
    <message>
        <source>Funny</source>
        <translation>Lustig</translation>
    </message>
    <message>
        <source>Happy</source>
        <translation>Fröhlich</translation>
    </message>
    <message>
        <source>Love</source>
        <translation>Liebe</translation>
    </message>
    <message>
        <source>Robot</source>
        <translation>Roboter</translation>
    </message>
    <message>
        <source>Sad</source>
        <translation>Traurig</translation>
    </message>
    <message>
        <source>Wag</source>
        <translation>Spaßvogel</translation>
    </message>
    <message>
        <source>Wink</source>
        <translation>Zwinkern</translation>
    </message>
    <message>
        <source>User-Defined</source>
        <translation>Benutzerdefiniert</translation>
    </message>
    <message>
        <source>Icons (*.ico *.png *.svg *.xpm)</source>
        <translation>Symbole (*.ico *.png *.svg *.xpm)</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Real-Time</source>
        <translation>Echtzeit</translation>
    </message>
    <message>
        <source>Date/Time</source>
        <translation>Datum/Uhrzeit</translation>
    </message>
    <message>
        <source>Themes</source>
        <translation>Motive</translation>
    </message>
    <message>
        <source>Misc</source>
        <translation>Sonstiges</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source> Real-time Speech </source>
        <translation> Echtzeit-Sprachausgabe </translation>
    </message>
    <message>
        <source>Speak when any &amp;word is typed.</source>
        <translation>Nach jedem getippten &amp;Wort sprechen.</translation>
    </message>
    <message>
        <source>Speak when any &amp;sentence is typed.</source>
        <translation>Nach jedem getippten &amp;Satz sprechen.</translation>
    </message>
    <message>
        <source>Speak when one of these &amp;keywords is typed:</source>
        <translation>Sprechen, wenn eines dieser S&amp;tichwörter getippt wird:</translation>
    </message>
    <message>
        <source>&amp;Add...</source>
        <translation>&amp;Hinzufügen...</translation>
    </message>
    <message>
        <source>Re&amp;move</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source> Frequency </source>
        <translation> Häufigkeit </translation>
    </message>
    <message>
        <source>Tell the time &amp;hourly</source>
        <translation>&amp;Stündlich die Uhrzeit sagen</translation>
    </message>
    <message>
        <source>Tell the time h&amp;alf-hourly</source>
        <translation>&amp;Halbstündlich die Uhrzeit sagen</translation>
    </message>
    <message>
        <source>&amp;Never tell the time</source>
        <translation>&amp;Nie die Uhrzeit sagen</translation>
    </message>
    <message>
        <source> Style </source>
        <translation> Stil </translation>
    </message>
    <message>
        <source>24-hour time &amp;format</source>
        <translation>24-Stunden-&amp;Format</translation>
    </message>
    <message>
        <source>The mark &apos;#&apos; denotes the current date or time.</source>
        <translation>Das Zeichen &apos;#&apos; steht für das aktuelle Datum oder die Uhrzeit.</translation>
    </message>
    <message>
        <source>&amp;Date telling style:</source>
        <translation>Ansage des &amp;Datums:</translation>
    </message>
    <message>
        <source>&amp;Time telling style:</source>
        <translation>Ansage der &amp;Uhrzeit:</translation>
    </message>
    <message>
        <source> Animated Themes </source>
        <translation> Animierte Motive </translation>
    </message>
    <message>
        <source>&amp;Theme:</source>
        <translation>&amp;Motiv:</translation>
    </message>
    <message>
        <source>&amp;Browse icon #1...</source>
        <translation>Symbol #&amp;1 wählen...</translation>
    </message>
    <message>
        <source>B&amp;rowse icon #2...</source>
        <translation>Symbol #&amp;2 wählen...</translation>
    </message>
    <message>
        <source>Br&amp;owse icon #3...</source>
        <translation>Symbol #&amp;3 wählen...</translation>
    </message>
    <message>
        <source>Icon #%1:</source>
        <translation>Symbol #%1:</translation>
    </message>
    <message>
        <source>Get the newest themes!</source>
        <translation>Die neuesten Motive holen!</translation>
    </message>
    <message>
        <source>Check out the newest themes and download them!</source>
        <translation>Sehen Sie sich die neuesten Motive an und laden Sie sie herunter!</translation>
    </message>
    <message>
        <source> HTTP Proxy Server </source>
        <translation> HTTP-Proxyserver </translation>
    </message>
    <message>
        <source>&amp;Proxy:</source>
        <translation>&amp;Proxy:</translation>
    </message>
    <message>
        <source>P&amp;ort:</source>
        <translation>P&amp;ort:</translation>
    </message>
    <message>
        <source>(Leave them blank if you do not use proxies.)</source>
        <translation>(Leer lassen, wenn Sie keinen Proxy verwenden.)</translation>
    </message>
    <message>
        <source> Startup </source>
        <translation> Start </translation>
    </message>
    <message>
        <source>Start &amp;minimized</source>
        <translation>&amp;Minimiert starten</translation>
    </message>
    <message>
        <source>Start with the &amp;session</source>
        <translation>Mit der &amp;Sitzung starten</translation>
    </message>
    <message>
        <source>&amp;Greetings when Narrix is started:</source>
        <translation>&amp;Begrüßung beim Start von Narrix:</translation>
    </message>
    <message>
        <source>Add New Word</source>
        <translation>Neues Wort hinzufügen</translation>
    </message>
    <message>
        <source>Enter new word below:</source>
        <translation>Geben Sie unten das neue Wort ein:</translation>
    </message>
</context>
<context>
    <name>narrix::TfrmPicker</name>
    <message>
        <source>Text Picker</source>
        <translation>Textauswahl</translation>
    </message>
    <message>
        <source>&amp;Include the leading keyword</source>
        <translation>&amp;Anfangsstichwort einschließen</translation>
    </message>
    <message>
        <source>I&amp;nclude the trailing keyword</source>
        <translation>&amp;Endstichwort einschließen</translation>
    </message>
    <message>
        <source>&amp;Leading keyword:</source>
        <translation>A&amp;nfangsstichwort:</translation>
    </message>
    <message>
        <source>&amp;Trailing keyword:</source>
        <translation>En&amp;dstichwort:</translation>
    </message>
    <message>
        <source>&amp;Get Page Text</source>
        <translation>Seiten&amp;text holen</translation>
    </message>
    <message>
        <source>Show the text of the page at the address, to pick the keywords from</source>
        <translation>Zeigt den Text der Seite unter der Adresse, um daraus die Stichwörter zu wählen</translation>
    </message>
    <message>
        <source>Page text</source>
        <translation>Seitentext</translation>
    </message>
    <message>
        <source>Selection as Lea&amp;ding Keyword</source>
        <translation>Auswahl als Anfan&amp;gsstichwort</translation>
    </message>
    <message>
        <source>Selection as T&amp;railing Keyword</source>
        <translation>Auswahl als Endst&amp;ichwort</translation>
    </message>
    <message>
        <source> Connecting... (Press Esc if you want to cancel)</source>
        <translation> Verbindung wird aufgebaut... (Esc bricht ab)</translation>
    </message>
    <message>
        <source> A local file is spoken whole: the keywords cut web pages only.</source>
        <translation> Eine lokale Datei wird ganz gesprochen: Die Stichwörter schneiden nur Webseiten zu.</translation>
    </message>
    <message>
        <source> Select words in the page text and take them as a keyword.</source>
        <translation> Wählen Sie Wörter im Seitentext und übernehmen Sie sie als Stichwort.</translation>
    </message>
    <message>
        <source> Disconnected.</source>
        <translation> Verbindung getrennt.</translation>
    </message>
    <message>
        <source> Cannot read the page: </source>
        <translation> Die Seite kann nicht gelesen werden: </translation>
    </message>
    <message>
        <source> Select some words in the page text first.</source>
        <translation> Wählen Sie zuerst einige Wörter im Seitentext.</translation>
    </message>
</context>
<context>
    <name>narrix::TfrmProp</name>
    <message>
        <source>Speech Properties</source>
        <translation>Spracheigenschaften</translation>
    </message>
    <message>
        <source>&amp;Voice:</source>
        <translation>&amp;Stimme:</translation>
    </message>
    <message>
        <source> Voice Information </source>
        <translation> Angaben zur Stimme </translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>Sprache:</translation>
    </message>
    <message>
        <source>Gender:</source>
        <translation>Geschlecht:</translation>
    </message>
    <message>
        <source>Age:</source>
        <translation>Alter:</translation>
    </message>
    <message>
        <source> Advanced </source>
        <translation> Erweitert </translation>
    </message>
    <message>
        <source>A&amp;dvanced...</source>
        <translation>&amp;Erweitert...</translation>
    </message>
    <message>
        <source>Note: Not every voice provides an Advanced Option.</source>
        <translation>Hinweis: Nicht jede Stimme bietet erweiterte Einstellungen.</translation>
    </message>
    <message>
        <source> Voice Speed </source>
        <translation> Sprechgeschwindigkeit </translation>
    </message>
    <message>
        <source>&amp;Slow</source>
        <translation>&amp;Langsam</translation>
    </message>
    <message>
        <source>&amp;Fast</source>
        <translation>Sc&amp;hnell</translation>
    </message>
    <message>
        <source>Get More!!!</source>
        <translation>Mehr holen!!!</translation>
    </message>
    <message>
        <source>Get more voices and languages!</source>
        <translation>Weitere Stimmen und Sprachen holen!</translation>
    </message>
    <message>
        <source>&amp;Rescan</source>
        <translation>&amp;Neu suchen</translation>
    </message>
    <message>
        <source>&amp;Preview</source>
        <translation>&amp;Probehören</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>Schl&amp;ießen</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Andere</translation>
    </message>
    <message>
        <source>All languages</source>
        <translation>Alle Sprachen</translation>
    </message>
    <message>
        <source>&amp;Language:</source>
        <translation>Sp&amp;rache:</translation>
    </message>
    <message>
        <source>%1 words per minute</source>
        <translation>%1 Wörter pro Minute</translation>
    </message>
</context>
<context>
    <name>narrix::TfrmSche</name>
    <message>
        <source>Add/Edit Scheduled Speech</source>
        <translation>Geplante Sprachausgabe hinzufügen/bearbeiten</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Höher</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Niedriger</translation>
    </message>
    <message>
        <source>Browse Local File...</source>
        <translation>Lokale Datei suchen...</translation>
    </message>
    <message>
        <source>Text Picker...</source>
        <translation>Textauswahl...</translation>
    </message>
    <message>
        <source>Email Reader...</source>
        <translation>E-Mail-Vorleser...</translation>
    </message>
    <message>
        <source>Daily</source>
        <translation>Täglich</translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation>Wöchentlich</translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation>Monatlich</translation>
    </message>
    <message>
        <source>Yearly</source>
        <translation>Jährlich</translation>
    </message>
    <message>
        <source>Minute</source>
        <translation>Minute</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>Sonntag</translation>
    </message>
    <message>
        <source>Monday</source>
        <translation>Montag</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>Dienstag</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>Mittwoch</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>Donnerstag</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>Freitag</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>Samstag</translation>
    </message>
    <message>
        <source>January</source>
        <translation>Januar</translation>
    </message>
    <message>
        <source>February</source>
        <translation>Februar</translation>
    </message>
    <message>
        <source>March</source>
        <translation>März</translation>
    </message>
    <message>
        <source>April</source>
        <translation>April</translation>
    </message>
    <message>
        <source>May</source>
        <translation>Mai</translation>
    </message>
    <message>
        <source>June</source>
        <translation>Juni</translation>
    </message>
    <message>
        <source>July</source>
        <translation>Juli</translation>
    </message>
    <message>
        <source>August</source>
        <translation>August</translation>
    </message>
    <message>
        <source>September</source>
        <translation>September</translation>
    </message>
    <message>
        <source>October</source>
        <translation>Oktober</translation>
    </message>
    <message>
        <source>November</source>
        <translation>November</translation>
    </message>
    <message>
        <source>December</source>
        <translation>Dezember</translation>
    </message>
    <message>
        <source>&amp;Title:</source>
        <translation>&amp;Titel:</translation>
    </message>
    <message>
        <source>A&amp;ddress:</source>
        <translation>&amp;Adresse:</translation>
    </message>
    <message>
        <source>F&amp;requency:</source>
        <translation>&amp;Häufigkeit:</translation>
    </message>
    <message>
        <source>(HH:MM)</source>
        <translation>(HH:MM)</translation>
    </message>
    <message>
        <source>T&amp;ime:</source>
        <translation>&amp;Uhrzeit:</translation>
    </message>
    <message>
        <source>Da&amp;y:</source>
        <translation>&amp;Wochentag:</translation>
    </message>
    <message>
        <source>D&amp;ate:</source>
        <translation>&amp;Datum:</translation>
    </message>
    <message>
        <source>&amp;Month:</source>
        <translation>&amp;Monat:</translation>
    </message>
    <message>
        <source>Browse Local File</source>
        <translation>Lokale Datei suchen</translation>
    </message>
</context>
<context>
    <name>narrix::TfrmTOD</name>
    <message>
        <source>Tip of the Day</source>
        <translation>Tipp des Tages</translation>
    </message>
    <message>
        <source>Did you know...</source>
        <translation>Wussten Sie schon...</translation>
    </message>
    <message>
        <source>Show Tips at Startup</source>
        <translation>Tipps beim Start zeigen</translation>
    </message>
    <message>
        <source>Next &amp;Tip</source>
        <translation>&amp;Nächster Tipp</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>narrix::TfrmUpdate</name>
    <message>
        <source>Receive</source>
        <translation>Empfangen</translation>
    </message>
    <message>
        <source>Failed. Check your Internet connection and try later.</source>
        <translation>Fehlgeschlagen. Prüfen Sie Ihre Internetverbindung und versuchen Sie es später noch einmal.</translation>
    </message>
    <message>
        <source>Channel Update</source>
        <translation>Kanal-Aktualisierung</translation>
    </message>
    <message>
        <source>Click Receive to start receiving channel updates.</source>
        <translation>Klicken Sie auf „Empfangen“, um Kanal-Aktualisierungen zu empfangen.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Receiving updates...</source>
        <translation>Aktualisierungen werden empfangen...</translation>
    </message>
    <message>
        <source>Select your favorite updates below:</source>
        <translation>Wählen Sie unten die gewünschten Aktualisierungen:</translation>
    </message>
    <message>
        <source>Update!</source>
        <translation>Aktualisieren!</translation>
    </message>
    <message>
        <source>Narrix could not download the channel list.</source>
        <translation>Narrix konnte die Kanalliste nicht herunterladen.</translation>
    </message>
    <message>
        <source><byte value="xd"/>
<byte value="xd"/>
Do you want to choose from the channels installed with Narrix instead?</source>
        <translation><byte value="xd"/>
<byte value="xd"/>
Möchten Sie stattdessen aus den mit Narrix installierten Kanälen wählen?</translation>
    </message>
    <message>
        <source>You already have the latest channels!</source>
        <translation>Sie haben bereits die neuesten Kanäle!</translation>
    </message>
    <message>
        <source>Downloading... (%1)</source>
        <translation>Wird heruntergeladen... (%1)</translation>
    </message>
</context>
<context>
    <name>narrix::X11KeyGrabs</name>
    <message>
        <source>no key of this keyboard gives it</source>
        <translation>keine Taste dieser Tastatur erzeugt es</translation>
    </message>
    <message>
        <source>another program already uses this key</source>
        <translation>ein anderes Programm verwendet diese Taste bereits</translation>
    </message>
</context>
</TS>
