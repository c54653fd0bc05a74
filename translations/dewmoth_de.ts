<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>QObject</name>
    <message>
        <source>%1 could not be opened: nothing on this computer opens web addresses.</source>
        <translation>%1 konnte nicht geöffnet werden: Auf diesem Computer öffnet nichts Webadressen.</translation>
    </message>
</context>
<context>
    <name>dewmoth</name>
    <message>
        <source>The display could not be reached to show the window on; try dewmoth --print</source>
        <translation>Die Anzeige für das Fenster ist nicht erreichbar; versuchen Sie dewmoth --print</translation>
    </message>
    <message>
        <source>The text could not be written.</source>
        <translation>Der Text konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>The saying was cut after %1 characters; the file holds more.</source>
        <translation>Der Spruch wurde nach %1 Zeichen abgeschnitten; die Datei enthält mehr.</translation>
    </message>
    <message>
        <source>a folder on its path does not exist</source>
        <translation>ein Ordner auf dem Pfad existiert nicht</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>Zugriff verweigert</translation>
    </message>
    <message>
        <source>the disk is read-only</source>
        <translation>der Datenträger ist schreibgeschützt</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>der Datenträger ist voll</translation>
    </message>
    <message>
        <source>it is too large</source>
        <translation>sie ist zu groß</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>es ist keine normale Datei</translation>
    </message>
    <message>
        <source>the program's path cannot be written into a start-up entry</source>
        <translation>der Pfad des Programms lässt sich nicht in einen Starteintrag schreiben</translation>
    </message>
    <message>
        <source>the desktop did not take it</source>
        <translation>die Arbeitsumgebung hat es nicht übernommen</translation>
    </message>
    <message>
        <source>another program is using it</source>
        <translation>ein anderes Programm verwendet sie</translation>
    </message>
    <message>
        <source>there is not enough memory</source>
        <translation>es ist nicht genug Speicher frei</translation>
    </message>
    <message>
        <source>the system reported an unexpected error</source>
        <translation>das System meldete einen unerwarteten Fehler</translation>
    </message>
    <message>
        <source>Shows one short saying at a time, picked at random from the quote file.</source>
        <translation>Zeigt jeweils einen kurzen Spruch, zufällig aus der Spruchdatei gewählt.</translation>
    </message>
    <message>
        <source>Write one saying to standard output and end, without opening a window.</source>
        <translation>Einen Spruch auf die Standardausgabe schreiben und enden, ohne Fenster.</translation>
    </message>
    <message>
        <source>Unexpected argument '%1'.</source>
        <translation>Unerwartetes Argument „%1“.</translation>
    </message>
    <message>
        <source>There is no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is set); try dewmoth --print</source>
        <translation>Es gibt keine Anzeige für das Fenster (weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt); versuchen Sie dewmoth --print</translation>
    </message>
    <message>
        <source>There is no quote file at %1.</source>
        <translation>Unter %1 gibt es keine Spruchdatei.</translation>
    </message>
    <message>
        <source>The quote file %1 could not be read: %2.</source>
        <translation>Die Spruchdatei %1 konnte nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>The quote file %1 holds no sayings.</source>
        <translation>Die Spruchdatei %1 enthält keine Sprüche.</translation>
    </message>
    <message>
        <source>The saying could not be written.</source>
        <translation>Der Spruch konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>an index, not sayings</source>
        <translation>ein Index, keine Sprüche</translation>
    </message>
    <message>
        <source>its twin ending in .u8 is read instead</source>
        <translation>stattdessen wird sein Zwilling auf .u8 gelesen</translation>
    </message>
    <message>
        <source>the same file as one read already</source>
        <translation>dieselbe Datei wie eine schon gelesene</translation>
    </message>
    <message>
        <source>not a file (a FIFO, device or socket)</source>
        <translation>keine Datei (ein FIFO, Gerät oder Socket)</translation>
    </message>
    <message>
        <source>a folder more than one level down</source>
        <translation>ein Ordner mehr als eine Ebene tiefer</translation>
    </message>
    <message>
        <source>cannot be reached</source>
        <translation>nicht erreichbar</translation>
    </message>
    <message>
        <source>passed over: %1</source>
        <translation>übergangen: %1</translation>
    </message>
    <message>
        <source>sayings: %1 (fortune file)</source>
        <translation>Sprüche: %1 (Fortune-Datei)</translation>
    </message>
    <message>
        <source>sayings: %1 (one per line)</source>
        <translation>Sprüche: %1 (einer pro Zeile)</translation>
    </message>
    <message>
        <source>not found</source>
        <translation>nicht gefunden</translation>
    </message>
    <message>
        <source>sayings in all: %1</source>
        <translation>Sprüche insgesamt: %1</translation>
    </message>
    <message>
        <source>it holds no text</source>
        <translation>sie enthält keinen Text</translation>
    </message>
    <message>
        <source>Read the sayings of this file or folder instead of the quote files; may be given more than once.</source>
        <translation>Die Sprüche aus dieser Datei oder diesem Ordner statt aus den Spruchdateien lesen; mehrfach möglich.</translation>
    </message>
    <message>
        <source>path</source>
        <translation>Pfad</translation>
    </message>
    <message>
        <source>List the files the sayings are read from, with how many each holds and why any is passed over, and end.</source>
        <translation>Die Dateien auflisten, aus denen die Sprüche gelesen werden, mit der Zahl der Sprüche in jeder und dem Grund, warum eine übergangen wird, und beenden.</translation>
    </message>
</context>
<context>
    <name>dewmoth::about::frmAbout</name>
    <message>
        <source>Orlan Vesty Readings gathers short sayings for readers who like to start the day with a thought to carry along, and sends a new selection every season.</source>
        <translation>Orlan Vesty Readings sammelt kurze Sprüche für alle, die den Tag mit einem Gedanken beginnen, und verschickt jede Saison eine neue Auswahl.</translation>
    </message>
    <message>
        <source>This program was written to bring one of those sayings to your desktop each day. Its companion, a collection of the complete readings, is in the making.</source>
        <translation>Dieses Programm bringt jeden Tag einen dieser Sprüche auf Ihren Desktop. Eine Sammlung aller Texte ist in Arbeit.</translation>
    </message>
    <message>
        <source>We hope that these few words, passed from one screen to the next, help to spread Orlan Vesty's message of patience and quiet courage to all who need it.</source>
        <translation>Mögen diese Worte, von Bildschirm zu Bildschirm, Orlan Vestys Botschaft von Geduld und stillem Mut zu allen tragen, die sie brauchen.</translation>
    </message>
    <message>
        <source>The companion collection is being prepared with the generous help of the Friends of the Vesty Readings, a circle of volunteers devoted to keeping his notes and archive alive.</source>
        <translation>Die Sammlung entsteht mit der großzügigen Hilfe der Freunde der Vesty Readings, die seine Notizen und sein Archiv pflegen.</translation>
    </message>
    <message>
        <source>Interested in learning more about Orlan Vesty?  Do you want to see the complete collection of his readings?  Please visit us at:</source>
        <translation>Mehr über Orlan Vesty erfahren?  Die vollständige Sammlung seiner Texte sehen?  Besuchen Sie uns unter:</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Copyright © 2026 Orlan Vesty Readings Circle</source>
        <translation>Copyright © 2026 Orlan Vesty Readings Circle</translation>
    </message>
    <message>
        <source>The background picture of this program appears with the kind permission of the Friends of the Vesty Readings, who hold all rights to it. It may be shown as part of this program but may not be copied, changed or used on its own in any other work or product without their written consent. Please ask them before you reuse it anywhere else.</source>
        <translation>Das Hintergrundbild erscheint mit freundlicher Erlaubnis der Freunde der Vesty Readings, die alle Rechte daran halten. Es darf nur als Teil dieses Programms gezeigt, aber ohne ihre schriftliche Zustimmung nicht kopiert, verändert oder anderswo verwendet werden.</translation>
    </message>
    <message>
        <source>Orlan Vesty's sayings are protected by copyright and are shown here for personal reading. Please name him when you share them.</source>
        <translation>Orlan Vestys Sprüche sind urheberrechtlich geschützt und hier zum persönlichen Lesen. Nennen Sie ihn, wenn Sie sie teilen.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;System Info...</source>
        <translation>&amp;Systeminfo...</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>Über %1</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>System Information Is Unavailable At This Time</source>
        <translation>Systeminformationen sind zurzeit nicht verfügbar</translation>
    </message>
</context>
<context>
    <name>dewmoth::quote_window::frmTip</name>
    <message>
        <source>&amp;Previous Tip</source>
        <translation>&amp;Vorheriger Tipp</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>The quote file %1 holds no sayings. Write one saying on each line of it.</source>
        <translation>Die Spruchdatei %1 enthält keine Sprüche. Schreiben Sie je einen Spruch in jede Zeile.</translation>
    </message>
    <message>
        <source>%1 could not be set to start at logon: %2.</source>
        <translation>%1 konnte nicht für den Start bei der Anmeldung eingerichtet werden: %2.</translation>
    </message>
    <message>
        <source>%1 could not be kept from starting at logon: %2.</source>
        <translation>Der Start von %1 bei der Anmeldung konnte nicht abgeschaltet werden: %2.</translation>
    </message>
    <message>
        <source>Interested in learning more about Orlan Vesty?  Do you want to see the complete collection of his readings?  Please visit us at:</source>
        <translation>Mehr über Orlan Vesty erfahren?  Die vollständige Sammlung seiner Texte sehen?  Besuchen Sie uns unter:</translation>
    </message>
    <message>
        <source>&amp;Show at Startup</source>
        <translation>Beim &amp;Start zeigen</translation>
    </message>
    <message>
        <source>Did you know...</source>
        <translation>Wussten Sie...</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Next Tip</source>
        <translation>&amp;Nächster</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>Ü&amp;ber</translation>
    </message>
    <message>
        <source>&amp;Show Tips at Startup</source>
        <translation>Beim &amp;Start zeigen</translation>
    </message>
    <message>
        <source>That the %1 file was not found? </source>
        <translation>Die Datei %1 wurde nicht gefunden. </translation>
    </message>
    <message>
        <source>Create a text file named %1 using NotePad with 1 tip per line. </source>
        <translation>Legen Sie mit einem Texteditor eine Datei %1 an, mit einem Spruch pro Zeile. </translation>
    </message>
    <message>
        <source>Then place it in the same directory as the application. </source>
        <translation>Legen Sie sie dann in den Ordner des Programms. </translation>
    </message>
    <message>
        <source>The quote file %1 could not be read: %2.</source>
        <translation>Die Spruchdatei %1 konnte nicht gelesen werden: %2.</translation>
    </message>
</context>
</TS>
