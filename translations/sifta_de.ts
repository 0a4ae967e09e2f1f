<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>BusyRunner</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>CSettingsTexts</name>
    <message>
        <source>Error: %1. %2</source>
        <translation>Fehler: %1. %2</translation>
    </message>
</context>
<context>
    <name>Count</name>
    <message numerus="yes">
        <source>%1 match(es)</source>
        <translation>
            <numerusform>%1 Treffer</numerusform>
            <numerusform>%1 Treffer</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>A line of %1 character(s) is slow to show and scroll: the Search Text lays out a whole line at once</source>
        <translation>
            <numerusform>Eine Zeile mit %1 Zeichen lässt sich nur langsam zeigen und rollen: Der Suchtext setzt eine Zeile immer ganz</numerusform>
            <numerusform>Eine Zeile mit %1 Zeichen lässt sich nur langsam zeigen und rollen: Der Suchtext setzt eine Zeile immer ganz</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 stray byte(s)</source>
        <translation>
            <numerusform>%1 verirrtes Byte</numerusform>
            <numerusform>%1 verirrte Bytes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The file is UTF-8 but for %1 byte(s) that are not; each shows as xNN and is saved back as that byte. A pattern finds one as \uEFNN.</source>
        <translation>
            <numerusform>Die Datei ist UTF-8 bis auf %1 Byte, das es nicht ist; es erscheint als xNN und wird als dieses Byte zurückgespeichert. Ein Muster findet es als \uEFNN.</numerusform>
            <numerusform>Die Datei ist UTF-8 bis auf %1 Bytes, die es nicht sind; jedes erscheint als xNN und wird als dieses Byte zurückgespeichert. Ein Muster findet eines als \uEFNN.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 replacement(s)</source>
        <translation>
            <numerusform>%1 Ersetzung</numerusform>
            <numerusform>%1 Ersetzungen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 step(s) at position %2, of %3 allowed</source>
        <translation>
            <numerusform>%1 Schritt an Position %2, von %3 erlaubten</numerusform>
            <numerusform>%1 Schritte an Position %2, von %3 erlaubten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 step(s)</source>
        <translation>
            <numerusform>%1 Schritt</numerusform>
            <numerusform>%1 Schritte</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The first %1 step(s); the engine goes on beyond them.</source>
        <translation>
            <numerusform>Erst %1 Schritt; die Regex-Maschine macht darüber hinaus weiter.</numerusform>
            <numerusform>Die ersten %1 Schritte; die Regex-Maschine macht darüber hinaus weiter.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 character(s)</source>
        <translation>
            <numerusform>%1 Zeichen</numerusform>
            <numerusform>%1 Zeichen</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DebuggerTexts</name>
    <message>
        <source>A repeat inside a repeat: the same text can be split among the iterations in many ways, and a search that fails near it tries them all.</source>
        <translation>Eine Wiederholung in einer Wiederholung: Derselbe Text lässt sich auf viele Arten auf die Durchläufe verteilen, und eine Suche, die in ihrer Nähe scheitert, probiert sie alle aus.</translation>
    </message>
    <message>
        <source>Repeated alternatives that can match the same text: a search that fails near it tries every way of combining them.</source>
        <translation>Wiederholte Alternativen, die auf denselben Text passen können: Eine Suche, die in ihrer Nähe scheitert, probiert jede Art aus, sie zu kombinieren.</translation>
    </message>
</context>
<context>
    <name>DocumentCaptionTexts</name>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
</context>
<context>
    <name>DocumentTexts</name>
    <message>
        <source>Text Files (*.txt)|*.txt|All Files|*.*|</source>
        <translation>Textdateien (*.txt)|*.txt|Alle Dateien|*.*|</translation>
    </message>
    <message>
        <source>Text (*.txt)|*.txt|All Files|*.*|</source>
        <translation>Text (*.txt)|*.txt|Alle Dateien|*.*|</translation>
    </message>
    <message>
        <source>The text holds %1, which %2 cannot store.<byte value="xd"/>
Save &apos;%3&apos; as UTF-8 instead? Cancel leaves the file as it is.</source>
        <translation>Der Text enthält %1, das %2 nicht speichern kann.<byte value="xd"/>
&apos;%3&apos; stattdessen als UTF-8 speichern? Abbrechen lässt die Datei, wie sie ist.</translation>
    </message>
    <message>
        <source>The text in the &apos;%1&apos; file has changed.<byte value="xd"/>
Do you want to save the changes?</source>
        <translation>Der Text in der Datei &apos;%1&apos; wurde geändert.<byte value="xd"/>
Möchten Sie die Änderungen speichern?</translation>
    </message>
    <message>
        <source>Opening...</source>
        <translation>Öffnen...</translation>
    </message>
    <message>
        <source>Cannot open &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>A save of &apos;%1&apos; did not finish, so the file may hold only part of the saved text. Its text from before that save is in &apos;%2&apos;.<byte value="xd"/>
Do you want to open the text from before that save instead? It opens as an unsaved change; the file and the backup stay as they are until you save.</source>
        <translation>Ein Speichern von &apos;%1&apos; wurde nicht beendet, daher enthält die Datei vielleicht nur einen Teil des gespeicherten Textes. Ihr Text von vor diesem Speichern steht in &apos;%2&apos;.<byte value="xd"/>
Möchten Sie stattdessen den Text von vor diesem Speichern öffnen? Er öffnet sich als ungespeicherte Änderung; Datei und Sicherung bleiben, wie sie sind, bis Sie speichern.</translation>
    </message>
    <message>
        <source>Overwrite existing file?</source>
        <translation>Vorhandene Datei überschreiben?</translation>
    </message>
    <message>
        <source>Sifta cannot tell which file &apos;%1&apos; is: its name is not valid UTF-8, and another name in its folder reads the same. Rename the file to open or save it.</source>
        <translation>Sifta kann nicht erkennen, welche Datei &apos;%1&apos; ist: Ihr Name ist kein gültiges UTF-8, und ein anderer Name in ihrem Ordner liest sich gleich. Benennen Sie die Datei um, um sie zu öffnen oder zu speichern.</translation>
    </message>
</context>
<context>
    <name>ExplainTexts</name>
    <message>
        <source>the null character (U+0000)</source>
        <translation>das Nullzeichen (U+0000)</translation>
    </message>
    <message>
        <source>backspace (U+0008)</source>
        <translation>Rückschritt (U+0008)</translation>
    </message>
    <message>
        <source>tab (U+0009)</source>
        <translation>Tabulator (U+0009)</translation>
    </message>
    <message>
        <source>line feed (U+000A)</source>
        <translation>Zeilenvorschub (U+000A)</translation>
    </message>
    <message>
        <source>vertical tab (U+000B)</source>
        <translation>vertikaler Tabulator (U+000B)</translation>
    </message>
    <message>
        <source>form feed (U+000C)</source>
        <translation>Seitenvorschub (U+000C)</translation>
    </message>
    <message>
        <source>carriage return (U+000D)</source>
        <translation>Wagenrücklauf (U+000D)</translation>
    </message>
    <message>
        <source>space (U+0020)</source>
        <translation>Leerzeichen (U+0020)</translation>
    </message>
    <message>
        <source>A digit (0-9)</source>
        <translation>Eine Ziffer (0-9)</translation>
    </message>
    <message>
        <source>Any character but a digit</source>
        <translation>Jedes Zeichen außer einer Ziffer</translation>
    </message>
    <message>
        <source>A word character (a-z, A-Z, 0-9 or _)</source>
        <translation>Ein Wortzeichen (a-z, A-Z, 0-9 oder _)</translation>
    </message>
    <message>
        <source>Any character but a word character</source>
        <translation>Jedes Zeichen außer einem Wortzeichen</translation>
    </message>
    <message>
        <source>White space: a space, tab, line break, vertical tab or form feed</source>
        <translation>Leerraum: Leerzeichen, Tabulator, Zeilenumbruch, vertikaler Tabulator oder Seitenvorschub</translation>
    </message>
    <message>
        <source>Any character but white space</source>
        <translation>Jedes Zeichen außer Leerraum</translation>
    </message>
    <message>
        <source>Start of a line: the start of the text or just after a line break</source>
        <translation>Zeilenanfang: der Anfang des Textes oder direkt nach einem Zeilenumbruch</translation>
    </message>
    <message>
        <source>End of a line: the end of the text or just before a line break</source>
        <translation>Zeilenende: das Ende des Textes oder direkt vor einem Zeilenumbruch</translation>
    </message>
    <message>
        <source>Word boundary: between a word character (a-z, A-Z, 0-9 or _) and another character or either end of the text</source>
        <translation>Wortgrenze: zwischen einem Wortzeichen (a-z, A-Z, 0-9 oder _) und einem anderen Zeichen oder einem Ende des Textes</translation>
    </message>
    <message>
        <source>Not a word boundary</source>
        <translation>Keine Wortgrenze</translation>
    </message>
    <message>
        <source>Group %1 (capturing): its text becomes sub-match %1</source>
        <translation>Gruppe %1 (erfassend): ihr Text wird Teiltreffer %1</translation>
    </message>
    <message>
        <source>Non-capturing group: groups its parts without capturing</source>
        <translation>Nicht erfassende Gruppe: fasst ihre Teile zusammen, ohne sie zu erfassen</translation>
    </message>
    <message>
        <source>Lookahead: the text ahead must match its parts; takes no text</source>
        <translation>Vorausschau: der folgende Text muss zu ihren Teilen passen; nimmt keinen Text</translation>
    </message>
    <message>
        <source>Negative lookahead: the text ahead must not match its parts; takes no text</source>
        <translation>Negative Vorausschau: der folgende Text darf nicht zu ihren Teilen passen; nimmt keinen Text</translation>
    </message>
    <message>
        <source>Repeated exactly zero times</source>
        <translation>Genau null Mal wiederholt</translation>
    </message>
    <message>
        <source>Repeated exactly once</source>
        <translation>Genau einmal wiederholt</translation>
    </message>
    <message>
        <source>Repeated exactly %1 times</source>
        <translation>Genau %1 Mal wiederholt</translation>
    </message>
    <message>
        <source>%1 (the lazy mark changes nothing)</source>
        <translation>%1 (das genügsame Zeichen ändert nichts)</translation>
    </message>
    <message>
        <source>Optional: once or not at all, preferring not at all (lazy)</source>
        <translation>Optional: einmal oder gar nicht, lieber gar nicht (genügsam)</translation>
    </message>
    <message>
        <source>Optional: once or not at all, preferring once (greedy)</source>
        <translation>Optional: einmal oder gar nicht, lieber einmal (gierig)</translation>
    </message>
    <message>
        <source>%1 to %2 times</source>
        <translation>%1 bis %2 Mal</translation>
    </message>
    <message>
        <source>zero or more times</source>
        <translation>null oder mehr Mal</translation>
    </message>
    <message>
        <source>one or more times</source>
        <translation>ein oder mehr Mal</translation>
    </message>
    <message>
        <source>%1 or more times</source>
        <translation>%1 oder mehr Mal</translation>
    </message>
    <message>
        <source>Repeated %1, as few times as possible (lazy)</source>
        <translation>%1 wiederholt, so selten wie möglich (genügsam)</translation>
    </message>
    <message>
        <source>Repeated %1, as many times as possible (greedy)</source>
        <translation>%1 wiederholt, so oft wie möglich (gierig)</translation>
    </message>
    <message>
        <source>Negated class: one character that is none of its members</source>
        <translation>Negierte Klasse: ein Zeichen, das keines ihrer Elemente ist</translation>
    </message>
    <message>
        <source>Class: one character from its members</source>
        <translation>Klasse: ein Zeichen aus ihren Elementen</translation>
    </message>
    <message>
        <source>Any character but a line break (carriage return or line feed)</source>
        <translation>Jedes Zeichen außer einem Zeilenumbruch (Wagenrücklauf oder Zeilenvorschub)</translation>
    </message>
    <message>
        <source>Back-reference to group %1, which has not closed here: matches empty text</source>
        <translation>Rückverweis auf Gruppe %1, die hier noch nicht geschlossen ist: passt auf leeren Text</translation>
    </message>
    <message>
        <source>Back-reference to group %1: the text that group %1 matched</source>
        <translation>Rückverweis auf Gruppe %1: der Text, auf den Gruppe %1 gepasst hat</translation>
    </message>
    <message>
        <source>Range: one character from %1 to %2</source>
        <translation>Bereich: ein Zeichen von %1 bis %2</translation>
    </message>
    <message>
        <source>The character %1</source>
        <translation>Das Zeichen %1</translation>
    </message>
    <message>
        <source>A backslash: \c without a letter after it stands for a backslash</source>
        <translation>Ein Backslash: \c ohne folgenden Buchstaben steht für einen Backslash</translation>
    </message>
    <message>
        <source>Hex escape: %1</source>
        <translation>Hex-Escape: %1</translation>
    </message>
    <message>
        <source>The letter &apos;x&apos;: \x without two hex digits after it</source>
        <translation>Der Buchstabe &apos;x&apos;: \x ohne zwei folgende Hex-Ziffern</translation>
    </message>
    <message>
        <source>Unicode escape: %1</source>
        <translation>Unicode-Escape: %1</translation>
    </message>
    <message>
        <source>The letter &apos;u&apos;: \u without four hex digits after it</source>
        <translation>Der Buchstabe &apos;u&apos;: \u ohne vier folgende Hex-Ziffern</translation>
    </message>
    <message>
        <source>Control escape: %1</source>
        <translation>Steuerzeichen-Escape: %1</translation>
    </message>
    <message>
        <source>; a class has no back-references</source>
        <translation>; eine Klasse hat keine Rückverweise</translation>
    </message>
    <message>
        <source>; not a back-reference, as %1</source>
        <translation>; kein Rückverweis, da %1</translation>
    </message>
    <message>
        <source>The digit &apos;%1&apos;%2</source>
        <translation>Die Ziffer &apos;%1&apos;%2</translation>
    </message>
    <message>
        <source>Octal escape: %1%2</source>
        <translation>Oktal-Escape: %1%2</translation>
    </message>
    <message>
        <source>the pattern has no groups</source>
        <translation>das Muster keine Gruppen hat</translation>
    </message>
    <message>
        <source>the pattern has only 1 group</source>
        <translation>das Muster nur 1 Gruppe hat</translation>
    </message>
    <message>
        <source>the pattern has only %1 groups</source>
        <translation>das Muster nur %1 Gruppen hat</translation>
    </message>
    <message>
        <source>The text &quot;%1&quot;</source>
        <translation>Der Text „%1“</translation>
    </message>
    <message>
        <source>Alternative %1 of %2</source>
        <translation>Alternative %1 von %2</translation>
    </message>
    <message>
        <source>Alternative %1 of %2: empty, matches without taking any text</source>
        <translation>Alternative %1 von %2: leer, passt, ohne Text zu nehmen</translation>
    </message>
</context>
<context>
    <name>FileErrorTexts</name>
    <message>
        <source>Not a regular file</source>
        <translation>Keine reguläre Datei</translation>
    </message>
</context>
<context>
    <name>IniFileTexts</name>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>The name &quot;%1&quot; cannot be a key of a settings file.</source>
        <translation>Der Name „%1“ kann kein Schlüssel einer Einstellungsdatei sein.</translation>
    </message>
    <message>
        <source>The value of &quot;%1&quot; holds a broken character, which a settings file cannot keep.</source>
        <translation>Der Wert von „%1“ enthält ein defektes Zeichen, das eine Einstellungsdatei nicht aufnehmen kann.</translation>
    </message>
</context>
<context>
    <name>IniLockTexts</name>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>%1 is %2, not a lock file: remove it so that the settings can be saved</source>
        <translation>%1 ist %2, keine Sperrdatei: Entfernen Sie sie, damit die Einstellungen gespeichert werden können</translation>
    </message>
    <message>
        <source>Cannot create %1</source>
        <translation>%1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>Another program holds %1</source>
        <translation>Ein anderes Programm hält %1</translation>
    </message>
    <message>
        <source>a file that holds no lock</source>
        <translation>eine Datei ohne Sperre</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>ein Ordner</translation>
    </message>
    <message>
        <source>no regular file</source>
        <translation>keine reguläre Datei</translation>
    </message>
    <message>
        <source>%1 cannot be read (%2): remove it so that the settings can be saved</source>
        <translation>%1 kann nicht gelesen werden (%2): Entfernen Sie sie, damit die Einstellungen gespeichert werden können</translation>
    </message>
</context>
<context>
    <name>JournalTexts</name>
    <message>
        <source>Unsaved text cannot be kept for recovery: the folder %1 cannot be used.</source>
        <translation>Ungespeicherter Text kann nicht zur Wiederherstellung aufbewahrt werden: Der Ordner %1 ist nicht verwendbar.</translation>
    </message>
    <message>
        <source>Unsaved text cannot be kept for recovery: %1. It is kept again once the journal can be written.</source>
        <translation>Ungespeicherter Text kann nicht zur Wiederherstellung aufbewahrt werden: %1. Er wird wieder aufbewahrt, sobald das Journal geschrieben werden kann.</translation>
    </message>
    <message>
        <source>The recovery journal &apos;%1&apos; cannot be read. It was left as it is.</source>
        <translation>Das Wiederherstellungsjournal &apos;%1&apos; kann nicht gelesen werden. Es wurde unverändert gelassen.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a Sifta recovery journal, or it is damaged. It was left as it is.</source>
        <translation>&apos;%1&apos; ist kein Wiederherstellungsjournal von Sifta, oder es ist beschädigt. Es wurde unverändert gelassen.</translation>
    </message>
    <message>
        <source>The recovery journal &apos;%1&apos; was written by a newer version of Sifta, so this one cannot read it. It was left as it is.</source>
        <translation>Das Wiederherstellungsjournal &apos;%1&apos; wurde von einer neueren Version von Sifta geschrieben, daher kann diese es nicht lesen. Es wurde unverändert gelassen.</translation>
    </message>
    <message>
        <source>The recovery journal &apos;%1&apos; holds no text that can be restored. It was left as it is.</source>
        <translation>Das Wiederherstellungsjournal &apos;%1&apos; enthält keinen Text, der wiederhergestellt werden kann. Es wurde unverändert gelassen.</translation>
    </message>
</context>
<context>
    <name>LiveCountTexts</name>
    <message>
        <source>%1 of %2 in the selection</source>
        <translation>%1 von %2 in der Auswahl</translation>
    </message>
</context>
<context>
    <name>MainMenu</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Öffnen...</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
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
        <source>Select &amp;All</source>
        <translation>Alles &amp;markieren</translation>
    </message>
    <message>
        <source>&amp;Find...</source>
        <translation>&amp;Suchen...</translation>
    </message>
    <message>
        <source>Find &amp;Next</source>
        <translation>&amp;Weitersuchen</translation>
    </message>
    <message>
        <source>Find Pre&amp;vious</source>
        <translation>&amp;Rückwärts suchen</translation>
    </message>
    <message>
        <source>&amp;Replace...</source>
        <translation>E&amp;rsetzen...</translation>
    </message>
    <message>
        <source>&amp;Format</source>
        <translation>&amp;Format</translation>
    </message>
    <message>
        <source>&amp;Wordwrap</source>
        <translation>&amp;Zeilenumbruch</translation>
    </message>
    <message>
        <source>&amp;Proportional Font</source>
        <translation>&amp;Proportionalschrift</translation>
    </message>
    <message>
        <source>&amp;Highlight Matches</source>
        <translation>Treffer &amp;hervorheben</translation>
    </message>
    <message>
        <source>&amp;Group Colours</source>
        <translation>&amp;Gruppenfarben</translation>
    </message>
    <message>
        <source>Group Colours in &amp;Every Match</source>
        <translation>Gruppenfarben in &amp;jedem Treffer</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>&amp;Show Syntax</source>
        <translation>&amp;Syntax anzeigen</translation>
    </message>
    <message>
        <source>Save Settings to &amp;INI File</source>
        <translation>Einstellungen in &amp;INI-Datei speichern</translation>
    </message>
    <message>
        <source>Save Settings to &amp;Registry</source>
        <translation>Einstellungen in der &amp;Registry speichern</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>E&amp;xtras</translation>
    </message>
    <message>
        <source>Replace and Find &amp;Next</source>
        <translation>Ersetzen und &amp;weitersuchen</translation>
    </message>
    <message>
        <source>&amp;Use Selection as Pattern</source>
        <translation>Auswahl als &amp;Muster verwenden</translation>
    </message>
    <message>
        <source>Search in &amp;Selection</source>
        <translation>In &amp;Auswahl suchen</translation>
    </message>
    <message>
        <source>&amp;Matches Window</source>
        <translation>&amp;Trefferfenster</translation>
    </message>
    <message>
        <source>Pre&amp;view Replace All...</source>
        <translation>&amp;Vorschau für Alle ersetzen...</translation>
    </message>
    <message>
        <source>&amp;Explain Pattern</source>
        <translation>Muster &amp;erklären</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>Ü&amp;ber...</translation>
    </message>
    <message>
        <source>&amp;Keep Unsaved Text for Recovery</source>
        <translation>Ungespeicherten Text zur &amp;Wiederherstellung aufbewahren</translation>
    </message>
    <message>
        <source>&amp;Case Conversion in Replacements</source>
        <translation>&amp;Groß-/Kleinschreibung in Ersetzungen</translation>
    </message>
    <message>
        <source>&amp;Test Cases</source>
        <translation>Test&amp;fälle</translation>
    </message>
    <message>
        <source>&amp;Debug Pattern</source>
        <translation>Muster &amp;debuggen</translation>
    </message>
</context>
<context>
    <name>MatchRowsTexts</name>
    <message>
        <source>Match</source>
        <translation>Treffer</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Zeile</translation>
    </message>
    <message>
        <source>Column</source>
        <translation>Spalte</translation>
    </message>
    <message>
        <source>Index</source>
        <translation>Index</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Länge</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
</context>
<context>
    <name>MatchesTexts</name>
    <message>
        <source>CSV Files (*.csv)|*.csv|All Files|*.*|</source>
        <translation>CSV-Dateien (*.csv)|*.csv|Alle Dateien|*.*|</translation>
    </message>
    <message>
        <source>JSON Lines (*.jsonl)|*.jsonl|All Files|*.*|</source>
        <translation>JSON Lines (*.jsonl)|*.jsonl|Alle Dateien|*.*|</translation>
    </message>
    <message>
        <source>Copying...</source>
        <translation>Kopieren...</translation>
    </message>
    <message>
        <source>Export Matches</source>
        <translation>Treffer exportieren</translation>
    </message>
    <message>
        <source>Exporting...</source>
        <translation>Exportieren...</translation>
    </message>
</context>
<context>
    <name>PatternMarks</name>
    <message>
        <source>Steps: %1</source>
        <translation>Schritte: %1</translation>
    </message>
</context>
<context>
    <name>RecoveryTexts</name>
    <message>
        <source>untitled</source>
        <translation>unbenannt</translation>
    </message>
    <message>
        <source>Sifta ended without saving a text: %1, %2, last changed %3.</source>
        <translation>Sifta wurde beendet, ohne einen Text zu speichern: %1, %2, zuletzt geändert %3.</translation>
    </message>
    <message>
        <source> The end of its journal is damaged; the text is as it was at the last change that could be read.</source>
        <translation> Das Ende seines Journals ist beschädigt; der Text ist so, wie er bei der letzten lesbaren Änderung war.</translation>
    </message>
    <message>
        <source><byte value="xd"/>
Do you want to restore it? Yes restores it, No discards it, Cancel asks again at the next start.</source>
        <translation><byte value="xd"/>
Möchten Sie ihn wiederherstellen? Ja stellt ihn wieder her, Nein verwirft ihn, Abbrechen fragt beim nächsten Start erneut.</translation>
    </message>
</context>
<context>
    <name>RegExpErrorTexts</name>
    <message>
        <source>Syntax error in regular expression</source>
        <translation>Syntaxfehler im regulären Ausdruck</translation>
    </message>
    <message>
        <source>Unexpected quantifier</source>
        <translation>Unerwarteter Quantifizierer</translation>
    </message>
    <message>
        <source>Expected &apos;]&apos; in regular expression</source>
        <translation>&apos;]&apos; im regulären Ausdruck erwartet</translation>
    </message>
    <message>
        <source>Expected &apos;)&apos; in regular expression</source>
        <translation>&apos;)&apos; im regulären Ausdruck erwartet</translation>
    </message>
    <message>
        <source>Invalid range in character set</source>
        <translation>Ungültiger Bereich in der Zeichenmenge</translation>
    </message>
    <message>
        <source>The regular expression backtracks too much on this text; simplify it, for example avoid nested repeats such as (a+)+</source>
        <translation>Der reguläre Ausdruck geht auf diesem Text zu oft zurück; vereinfachen Sie ihn, vermeiden Sie zum Beispiel verschachtelte Wiederholungen wie (a+)+</translation>
    </message>
    <message>
        <source>The regular expression is too large or too complex</source>
        <translation>Der reguläre Ausdruck ist zu groß oder zu komplex</translation>
    </message>
    <message>
        <source>The result of the replacement would be too long</source>
        <translation>Das Ergebnis der Ersetzung wäre zu lang</translation>
    </message>
    <message>
        <source>The search was cancelled</source>
        <translation>Die Suche wurde abgebrochen</translation>
    </message>
    <message>
        <source>The text is too long to search</source>
        <translation>Der Text ist zu lang zum Durchsuchen</translation>
    </message>
    <message>
        <source>The regular expression repeats a group too many times for this text</source>
        <translation>Der reguläre Ausdruck wiederholt eine Gruppe für diesen Text zu oft</translation>
    </message>
    <message>
        <source>Unexpected error in the regular-expression engine</source>
        <translation>Unerwarteter Fehler in der Regex-Maschine</translation>
    </message>
    <message>
        <source>Error: </source>
        <translation>Fehler: </translation>
    </message>
</context>
<context>
    <name>ReplacePreviewModel</name>
    <message>
        <source>Match</source>
        <translation>Treffer</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Zeile</translation>
    </message>
    <message>
        <source>Column</source>
        <translation>Spalte</translation>
    </message>
    <message>
        <source>Before</source>
        <translation>Vorher</translation>
    </message>
    <message>
        <source>After</source>
        <translation>Nachher</translation>
    </message>
</context>
<context>
    <name>SearchEngineTexts</name>
    <message>
        <source>Match %1 of %2</source>
        <translation>Treffer %1 von %2</translation>
    </message>
    <message>
        <source>Sub-Matches</source>
        <translation>Teiltreffer</translation>
    </message>
    <message>
        <source>Sub-Matches (%1)</source>
        <translation>Teiltreffer (%1)</translation>
    </message>
</context>
<context>
    <name>SearchTexts</name>
    <message>
        <source>Select the text to search in, or switch Search in Selection off in the Tools menu.</source>
        <translation>Markieren Sie den Text, in dem gesucht werden soll, oder schalten Sie „In Auswahl suchen“ im Menü Extras aus.</translation>
    </message>
    <message>
        <source>Search in Selection is off: the text it searched in is gone.</source>
        <translation>„In Auswahl suchen“ ist aus: Der Text, in dem gesucht wurde, ist weg.</translation>
    </message>
    <message>
        <source>Replacing...</source>
        <translation>Ersetzen...</translation>
    </message>
    <message>
        <source>No matches found</source>
        <translation>Keine Treffer gefunden</translation>
    </message>
    <message>
        <source>Searching...</source>
        <translation>Suchen...</translation>
    </message>
    <message>
        <source>Search in Selection is off: nothing is left of the text it searched in.</source>
        <translation>„In Auswahl suchen“ ist aus: Vom Text, in dem gesucht wurde, ist nichts übrig.</translation>
    </message>
    <message>
        <source>Search in Selection: the next search works in the text selected then.</source>
        <translation>In Auswahl suchen: Die nächste Suche arbeitet im dann markierten Text.</translation>
    </message>
</context>
<context>
    <name>StatusLine</name>
    <message>
        <source>Line: %1    Col: %2    Len: %3</source>
        <translation>Zeile: %1    Spalte: %2    Länge: %3</translation>
    </message>
    <message>
        <source>Counting...</source>
        <translation>Zählen...</translation>
    </message>
    <message>
        <source>Wrapped around to the end</source>
        <translation>Am Ende fortgesetzt</translation>
    </message>
    <message>
        <source>Wrapped around to the start</source>
        <translation>Am Anfang fortgesetzt</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>%1 with BOM</source>
        <translation>%1 mit BOM</translation>
    </message>
    <message>
        <source>The file is saved back in %1, as it was read.</source>
        <translation>Die Datei wird in %1 zurückgespeichert, wie sie gelesen wurde.</translation>
    </message>
</context>
<context>
    <name>SyntaxText</name>
    <message>
        <source>Literal Characters</source>
        <translation>Literale Zeichen</translation>
    </message>
    <message>
        <source>All characters are literal except [ \ ^ $ . | ? * + ( )</source>
        <translation>Alle Zeichen sind literal außer [ \ ^ $ . | ? * + ( )</translation>
    </message>
    <message>
        <source>Treat next special char as literal</source>
        <translation>Nächstes Sonderzeichen literal nehmen</translation>
    </message>
    <message>
        <source>Character Classes/Sets</source>
        <translation>Zeichenklassen/-mengen</translation>
    </message>
    <message>
        <source>Any char of the char set. Cannot contain submatches or back references but can have ASCII codes.</source>
        <translation>Ein Zeichen der Menge. Kann keine Teiltreffer oder Rückverweise enthalten, aber ASCII-Codes.</translation>
    </message>
    <message>
        <source>Any char except those of the char set</source>
        <translation>Jedes Zeichen außer denen der Menge</translation>
    </message>
    <message>
        <source>Any char in the specified range (if - is the first char, it is literal)</source>
        <translation>Ein Zeichen im angegebenen Bereich (ist - das erste Zeichen, ist es literal)</translation>
    </message>
    <message>
        <source>Any char except those in the specified range</source>
        <translation>Jedes Zeichen außer denen im angegebenen Bereich</translation>
    </message>
    <message>
        <source>Match any single char except newline. Use [\s\S] to match _any_ single char</source>
        <translation>Ein beliebiges Zeichen außer Zeilenumbruch. [\s\S] passt auf _jedes_ Zeichen</translation>
    </message>
    <message>
        <source>Digit character. Equivalent to [0-9]</source>
        <translation>Ziffer. Gleich [0-9]</translation>
    </message>
    <message>
        <source>Form-feed character</source>
        <translation>Seitenvorschub</translation>
    </message>
    <message>
        <source>Carriage return character (usually \r\n)</source>
        <translation>Wagenrücklauf (meist \r\n)</translation>
    </message>
    <message>
        <source>Newline (linefeed) character</source>
        <translation>Zeilenvorschub</translation>
    </message>
    <message>
        <source>Any white space including space, tab, form-feed, etc. Equivalent to [ \f\n\r\t\v] </source>
        <translation>Jeder Leerraum: Leerzeichen, Tabulator, Seitenvorschub usw. Gleich [ \f\n\r\t\v] </translation>
    </message>
    <message>
        <source>Any nonwhite space character. Equivalent to [^ \f\n\r\t\v]</source>
        <translation>Jedes Zeichen außer Leerraum. Gleich [^ \f\n\r\t\v]</translation>
    </message>
    <message>
        <source>Tab character</source>
        <translation>Tabulator</translation>
    </message>
    <message>
        <source>Vertical tab character</source>
        <translation>Vertikaler Tabulator</translation>
    </message>
    <message>
        <source>Any word character including underscore. Equivalent to [A-Za-z0-9_]</source>
        <translation>Jedes Wortzeichen samt Unterstrich. Gleich [A-Za-z0-9_]</translation>
    </message>
    <message>
        <source>Matches any non-word character. Equivalent to [^A-Za-z0-9_]</source>
        <translation>Jedes Zeichen außer Wortzeichen. Gleich [^A-Za-z0-9_]</translation>
    </message>
    <message>
        <source>Matches oct, where oct is an ASCII code (0-256) in octal</source>
        <translation>Zeichen oct, wobei oct ein ASCII-Code (0-256) in Oktal ist</translation>
    </message>
    <message>
        <source>Anchors</source>
        <translation>Anker</translation>
    </message>
    <message>
        <source>Start of document or line</source>
        <translation>Anfang des Dokuments oder der Zeile</translation>
    </message>
    <message>
        <source>End of document or line</source>
        <translation>Ende des Dokuments oder der Zeile</translation>
    </message>
    <message>
        <source>Word boundary (beginning or end of an alphanumeric sequence)</source>
        <translation>Wortgrenze (Anfang oder Ende einer alphanumerischen Folge)</translation>
    </message>
    <message>
        <source>Matches between chars not at a word boundary</source>
        <translation>Zwischen Zeichen, nicht an einer Wortgrenze</translation>
    </message>
    <message>
        <source>Alternation</source>
        <translation>Alternativen</translation>
    </message>
    <message>
        <source>Matches x or y. Use (x|y) to avoid conflicts with remaining expression</source>
        <translation>x oder y. (x|y) vermeidet Konflikte mit dem restlichen Ausdruck</translation>
    </message>
    <message>
        <source>Repetition</source>
        <translation>Wiederholung</translation>
    </message>
    <message>
        <source>Preceeding token is optional</source>
        <translation>Vorangehendes Element ist optional</translation>
    </message>
    <message>
        <source>? following any repetition operator makes it lazy (match least number of times possible)</source>
        <translation>? nach einem Wiederholungsoperator macht ihn genügsam (so wenige Wiederholungen wie möglich)</translation>
    </message>
    <message>
        <source>Match preceeding char &gt;= 0 times</source>
        <translation>Vorangehendes Zeichen &gt;= 0 Mal</translation>
    </message>
    <message>
        <source>Match preceeding char &gt;= 1 times</source>
        <translation>Vorangehendes Zeichen &gt;= 1 Mal</translation>
    </message>
    <message>
        <source>Matches n times</source>
        <translation>Genau n Mal</translation>
    </message>
    <message>
        <source>Matches &gt;= n times</source>
        <translation>Mindestens n Mal</translation>
    </message>
    <message>
        <source>Matches n to m times</source>
        <translation>n bis m Mal</translation>
    </message>
    <message>
        <source>Grouping &amp; Backreferences</source>
        <translation>Gruppen &amp; Rückverweise</translation>
    </message>
    <message>
        <source>Matches pattern and remembers as submatch. () may be nested</source>
        <translation>Muster, als Teiltreffer gemerkt. () darf verschachtelt sein</translation>
    </message>
    <message>
        <source>Matches pattern but doesn&apos;t save as submatch</source>
        <translation>Muster, ohne Teiltreffer zu merken</translation>
    </message>
    <message>
        <source>Backreference matches submatch number num (1 to number of submatches)</source>
        <translation>Rückverweis auf Teiltreffer Nummer num (1 bis Anzahl der Teiltreffer)</translation>
    </message>
    <message>
        <source>Lookahead</source>
        <translation>Vorausschau</translation>
    </message>
    <message>
        <source>Look ahead for a match to the pattern but do not include it in the result</source>
        <translation>Vorausschauen, ob das Muster passt, ohne es ins Ergebnis zu nehmen</translation>
    </message>
    <message>
        <source>Look ahead for no match to the pattern</source>
        <translation>Vorausschauen, dass das Muster nicht passt</translation>
    </message>
    <message>
        <source>Replace All Syntax</source>
        <translation>Syntax für Alle ersetzen</translation>
    </message>
    <message>
        <source>Value of submatch n (1-99)</source>
        <translation>Wert von Teiltreffer n (1-99)</translation>
    </message>
    <message>
        <source>Entire match</source>
        <translation>Ganzer Treffer</translation>
    </message>
    <message>
        <source>Subject text to the left of the match</source>
        <translation>Text links vom Treffer</translation>
    </message>
    <message>
        <source>Subject text to the right of the match</source>
        <translation>Text rechts vom Treffer</translation>
    </message>
    <message>
        <source>Entire subject string</source>
        <translation>Ganzer durchsuchter Text</translation>
    </message>
    <message>
        <source>Highest numbered subgroup</source>
        <translation>Untergruppe mit der höchsten Nummer</translation>
    </message>
    <message>
        <source>Literal $</source>
        <translation>Literales $</translation>
    </message>
</context>
<context>
    <name>TestCaseTexts</name>
    <message>
        <source>no match</source>
        <translation>kein Treffer</translation>
    </message>
    <message>
        <source>a match at %1: %2%3</source>
        <translation>ein Treffer an Position %1: %2%3</translation>
    </message>
    <message>
        <source>%1 of %2 pass</source>
        <translation>%1 von %2 bestanden</translation>
    </message>
    <message>
        <source>expected a match, got no match</source>
        <translation>Treffer erwartet, kein Treffer erhalten</translation>
    </message>
    <message>
        <source>expected no match, got %1</source>
        <translation>kein Treffer erwartet, erhalten: %1</translation>
    </message>
    <message>
        <source>expected %1, got %2</source>
        <translation>erwartet: %1, erhalten: %2</translation>
    </message>
    <message>
        <source>a text</source>
        <translation>ein Text</translation>
    </message>
    <message>
        <source>true or false</source>
        <translation>true oder false</translation>
    </message>
    <message>
        <source>&quot;%1&quot; of %2</source>
        <translation>&quot;%1&quot; von %2</translation>
    </message>
    <message>
        <source>%1 is missing</source>
        <translation>%1 fehlt</translation>
    </message>
    <message>
        <source>%1 must be %2</source>
        <translation>%1 muss %2 sein</translation>
    </message>
    <message>
        <source>case %1</source>
        <translation>Fall %1</translation>
    </message>
    <message>
        <source>%1 must be an object</source>
        <translation>%1 muss ein Objekt sein</translation>
    </message>
    <message>
        <source>&quot;expect&quot; of %1 is &quot;%2&quot;; it must be &quot;match&quot;, &quot;no match&quot; or &quot;replace&quot;</source>
        <translation>&quot;expect&quot; von %1 ist &quot;%2&quot;; es muss &quot;match&quot;, &quot;no match&quot; oder &quot;replace&quot; sein</translation>
    </message>
    <message>
        <source>not valid JSON at line %1: %2</source>
        <translation>kein gültiges JSON in Zeile %1: %2</translation>
    </message>
    <message>
        <source>not a test-case file: the JSON is not an object</source>
        <translation>keine Testfalldatei: Das JSON ist kein Objekt</translation>
    </message>
    <message>
        <source>not a test-case file: &quot;format&quot; must be &quot;%1&quot;</source>
        <translation>keine Testfalldatei: &quot;format&quot; muss &quot;%1&quot; sein</translation>
    </message>
    <message>
        <source>&quot;version&quot; must be a whole number from 1</source>
        <translation>&quot;version&quot; muss eine ganze Zahl ab 1 sein</translation>
    </message>
    <message>
        <source>version %1 is newer than this Sifta reads (%2)</source>
        <translation>Version %1 ist neuer als die, die dieses Sifta liest (%2)</translation>
    </message>
    <message>
        <source>&quot;cases&quot; is missing</source>
        <translation>&quot;cases&quot; fehlt</translation>
    </message>
    <message>
        <source>&quot;cases&quot; must be a list</source>
        <translation>&quot;cases&quot; muss eine Liste sein</translation>
    </message>
</context>
<context>
    <name>TextFileTexts</name>
    <message>
        <source>The text holds %1, which %2 cannot store</source>
        <translation>Der Text enthält %1, das %2 nicht speichern kann</translation>
    </message>
</context>
<context>
    <name>frmDebugger</name>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Zurück</translation>
    </message>
    <message>
        <source>&amp;Forward</source>
        <translation>&amp;Vor</translation>
    </message>
    <message>
        <source>Next Back&amp;track</source>
        <translation>Nächster &amp;Rücksprung</translation>
    </message>
    <message>
        <source>&amp;Go</source>
        <translation>&amp;Gehe zu</translation>
    </message>
    <message>
        <source>Debug Pattern</source>
        <translation>Muster debuggen</translation>
    </message>
    <message>
        <source>&amp;Step:</source>
        <translation>&amp;Schritt:</translation>
    </message>
    <message>
        <source>The pattern, with the part that the selected step tries marked</source>
        <translation>Das Muster, in dem der Teil markiert ist, den der gewählte Schritt versucht</translation>
    </message>
    <message>
        <source>The text around the position of the selected step, which is marked</source>
        <translation>Der Text um die Position des gewählten Schritts, die markiert ist</translation>
    </message>
    <message>
        <source>What each group holds at the selected step</source>
        <translation>Was jede Gruppe beim gewählten Schritt enthält</translation>
    </message>
    <message>
        <source>How many steps the engine took, and how the run ended</source>
        <translation>Wie viele Schritte die Regex-Maschine gemacht hat und wie der Lauf endete</translation>
    </message>
    <message>
        <source>Steps</source>
        <translation>Schritte</translation>
    </message>
    <message>
        <source>Every step of the engine: its number, the position in the text, the part of the pattern it tries, and whether it starts anew or backtracks</source>
        <translation>Jeder Schritt der Regex-Maschine: seine Nummer, die Position im Text, der Teil des Musters, den er versucht, und ob er neu beginnt oder zurückspringt</translation>
    </message>
    <message>
        <source>Select the step before</source>
        <translation>Den vorigen Schritt wählen</translation>
    </message>
    <message>
        <source>Select the step after</source>
        <translation>Den nächsten Schritt wählen</translation>
    </message>
    <message>
        <source>Select the next step at which the engine backtracks</source>
        <translation>Den nächsten Schritt wählen, an dem die Regex-Maschine zurückspringt</translation>
    </message>
    <message>
        <source>The number of the step that Go selects</source>
        <translation>Die Nummer des Schritts, den Gehe zu wählt</translation>
    </message>
    <message>
        <source>Select the step of that number</source>
        <translation>Den Schritt mit dieser Nummer wählen</translation>
    </message>
    <message>
        <source>Pattern:</source>
        <translation>Muster:</translation>
    </message>
    <message>
        <source>Text:</source>
        <translation>Text:</translation>
    </message>
    <message>
        <source>Groups:</source>
        <translation>Gruppen:</translation>
    </message>
    <message>
        <source>Computing steps... %1</source>
        <translation>Schritte werden berechnet... %1</translation>
    </message>
    <message>
        <source>%1  at %2  %3</source>
        <translation>%1  bei %2  %3</translation>
    </message>
    <message>
        <source>(match)</source>
        <translation>(Treffer)</translation>
    </message>
    <message>
        <source>new start</source>
        <translation>neuer Start</translation>
    </message>
    <message>
        <source>backtrack</source>
        <translation>Rücksprung</translation>
    </message>
    <message>
        <source>%1; a match from %2 to %3.</source>
        <translation>%1; ein Treffer von %2 bis %3.</translation>
    </message>
    <message>
        <source>%1; no match.</source>
        <translation>%1; kein Treffer.</translation>
    </message>
    <message>
        <source>%1; stopped.</source>
        <translation>%1; angehalten.</translation>
    </message>
    <message>
        <source>%1; %2</source>
        <translation>%1; %2</translation>
    </message>
    <message>
        <source>%1: none</source>
        <translation>%1: keine</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; (%3 to %4)</source>
        <translation>%1: &quot;%2&quot; (%3 bis %4)</translation>
    </message>
    <message>
        <source>The pattern has no groups.</source>
        <translation>Das Muster hat keine Gruppen.</translation>
    </message>
</context>
<context>
    <name>frmExplain</name>
    <message>
        <source>Explain Pattern</source>
        <translation>Muster erklären</translation>
    </message>
    <message>
        <source>Part</source>
        <translation>Teil</translation>
    </message>
    <message>
        <source>Meaning</source>
        <translation>Bedeutung</translation>
    </message>
    <message>
        <source>Parts of the pattern</source>
        <translation>Teile des Musters</translation>
    </message>
    <message>
        <source>Each part of the pattern with what it matches</source>
        <translation>Jeder Teil des Musters mit dem, worauf er passt</translation>
    </message>
    <message>
        <source>The pattern is empty: it matches at every position.</source>
        <translation>Das Muster ist leer: Es passt an jeder Stelle.</translation>
    </message>
    <message>
        <source>Selecting a part selects it in the pattern box.</source>
        <translation>Ein gewählter Teil wird im Musterfeld markiert.</translation>
    </message>
    <message>
        <source>Count &amp;Steps</source>
        <translation>&amp;Schritte zählen</translation>
    </message>
    <message>
        <source>Counts the steps the engine takes on each part of the pattern, on the Search Text</source>
        <translation>Zählt die Schritte, die die Regex-Maschine im Suchtext für jeden Teil des Musters macht</translation>
    </message>
    <message>
        <source>How many steps the engine took on the Search Text</source>
        <translation>Wie viele Schritte die Regex-Maschine im Suchtext gemacht hat</translation>
    </message>
    <message>
        <source>Steps</source>
        <translation>Schritte</translation>
    </message>
    <message>
        <source>Steps: %1</source>
        <translation>Schritte: %1</translation>
    </message>
</context>
<context>
    <name>frmHelp</name>
    <message>
        <source>(built with Qt and PCRE2)</source>
        <translation>(erstellt mit Qt und PCRE2)</translation>
    </message>
    <message>
        <source>Sifta searches and optionally replaces text using regular expressions, which it matches with the PCRE2 library in the VBScript regular-expression syntax. Regular expressions search for patterns rather than just specific text. See the following for regular expression documentation:</source>
        <translation>Sifta durchsucht Text mit regulären Ausdrücken und ersetzt ihn auf Wunsch; es wendet sie mit der Bibliothek PCRE2 in der Syntax der regulären Ausdrücke von VBScript an. Reguläre Ausdrücke suchen nach Mustern statt nur nach bestimmtem Text. Dokumentation zu regulären Ausdrücken finden Sie hier:</translation>
    </message>
    <message>
        <source>Different regular expression implementations use varying syntax. The syntax that Sifta allows is shown in its main window. Use the Options menu to show or hide the syntax.</source>
        <translation>Verschiedene Umsetzungen regulärer Ausdrücke verwenden unterschiedliche Syntax. Die Syntax, die Sifta erlaubt, steht in seinem Hauptfenster. Über das Menü Optionen blenden Sie die Syntax ein oder aus.</translation>
    </message>
    <message>
        <source>Enter the text to search in the Search Text box. Use the File menu to open existing files or save to a file, or drag and drop a file into the Search Text to replace the search text with the file&apos;s contents. You will be prompted to save if the current text has not been saved. To enter a tab character, press Ctrl-Tab.</source>
        <translation>Geben Sie den zu durchsuchenden Text in das Feld Suchtext ein. Über das Menü Datei öffnen Sie vorhandene Dateien oder speichern in eine Datei; oder ziehen Sie eine Datei in den Suchtext, um ihn durch den Inhalt der Datei zu ersetzen. Ist der aktuelle Text nicht gespeichert, werden Sie zum Speichern aufgefordert. Ein Tabulatorzeichen geben Sie mit Strg-Tab ein.</translation>
    </message>
    <message>
        <source>Enter the text to search for in the Regular Expression field. Click Find Next to find the next match or Find Previous to find the previous one. Searching starts at the current cursor location in the Search Text. If the beginning or end of the text is reached, the search wraps around. The number of matches will be listed above the Find button. </source>
        <translation>Geben Sie den gesuchten Text in das Feld Regulärer Ausdruck ein. Klicken Sie auf Weitersuchen für den nächsten Treffer oder auf Rückwärts suchen für den vorigen. Die Suche beginnt an der aktuellen Cursorposition im Suchtext. Am Anfang oder Ende des Textes geht die Suche am anderen Ende weiter. Die Zahl der Treffer steht über der Schaltfläche Weitersuchen. </translation>
    </message>
    <message>
        <source>Click Replace to replace the selected text in the Search Text box with the text in the Replace With box. Use Ctrl-Enter to add a new line to the Replace text, or Ctrl-Tab to add a tab character. Click Replace All to replace all matches with the replace text. When using Replace All, the Replace text may contain special syntax. See the Replace All Syntax at the bottom of the Regular Expression Syntax documentation pane (Options menu | Show Syntax). If the regular expression uses submatches, they will be shown in the Sub-Matches list.</source>
        <translation>Klicken Sie auf Ersetzen, um den markierten Text im Suchtext durch den Text im Feld Ersetzen durch zu ersetzen. Mit Strg-Eingabe fügen Sie dem Ersetzungstext eine neue Zeile hinzu, mit Strg-Tab ein Tabulatorzeichen. Klicken Sie auf Alle ersetzen, um alle Treffer durch den Ersetzungstext zu ersetzen. Bei Alle ersetzen darf der Ersetzungstext besondere Syntax enthalten; siehe die Syntax für Alle ersetzen am Ende der Syntaxübersicht (Menü Optionen | Syntax anzeigen). Verwendet der reguläre Ausdruck Teiltreffer, stehen sie in der Liste Teiltreffer.</translation>
    </message>
    <message>
        <source>Regular expressions are case-sensitive unless the Ignore Case checkbox is selected.</source>
        <translation>Reguläre Ausdrücke unterscheiden Groß- und Kleinschreibung, außer wenn das Kontrollkästchen Groß/klein ignorieren gewählt ist.</translation>
    </message>
    <message>
        <source>The Format menu allows word-wrap mode to be enabled or disabled. Also the font can be toggled between Lucida Sans (proportional) and Lucida Console (fixed width) to line up columns of text.</source>
        <translation>Im Menü Format schalten Sie den Zeilenumbruch ein oder aus. Außerdem wechseln Sie dort die Schrift zwischen Lucida Sans (proportional) und Lucida Console (feste Breite), um Textspalten auszurichten.</translation>
    </message>
    <message>
        <source>The current options are saved to an INI file in the program directory by default. The Options menu allows saving to the registry or not saving settings.</source>
        <translation>Die aktuellen Optionen werden standardmäßig in einer INI-Datei im Programmordner gespeichert. Im Menü Optionen wählen Sie stattdessen die Registry oder gar kein Speichern.</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>%1 version %2 %3</source>
        <translation>%1 Version %2 %3</translation>
    </message>
</context>
<context>
    <name>frmMatches</name>
    <message>
        <source>Matches</source>
        <translation>Treffer</translation>
    </message>
    <message>
        <source>Every match of the pattern; activating a row selects the match in the Search Text</source>
        <translation>Alle Treffer des Musters; eine aktivierte Zeile markiert den Treffer im Suchtext</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>Export C&amp;SV...</source>
        <translation>&amp;CSV exportieren...</translation>
    </message>
    <message>
        <source>Export &amp;JSON Lines...</source>
        <translation>&amp;JSON Lines exportieren...</translation>
    </message>
</context>
<context>
    <name>frmReplacePreview</name>
    <message>
        <source>Preview Replace All</source>
        <translation>Vorschau für Alle ersetzen</translation>
    </message>
    <message>
        <source>Replacements</source>
        <translation>Ersetzungen</translation>
    </message>
    <message>
        <source>Every replacement that Replace All would make, before and after</source>
        <translation>Jede Ersetzung, die Alle ersetzen vornähme, vorher und nachher</translation>
    </message>
    <message>
        <source>Replace &amp;All</source>
        <translation>A&amp;lle ersetzen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>frmSifta</name>
    <message>
        <source>Unable to write to application folder. Settings will be saved to the registry</source>
        <translation>In den Programmordner kann nicht geschrieben werden. Die Einstellungen werden in der Registry gespeichert</translation>
    </message>
    <message>
        <source>%1 cannot be written (the disk may be full), so changes to the options cannot be kept there. The options shown are those it holds; changes will be saved to the registry.</source>
        <translation>%1 kann nicht geschrieben werden (vielleicht ist der Datenträger voll), daher können Änderungen der Optionen dort nicht bleiben. Die angezeigten Optionen sind die dort gespeicherten; Änderungen werden in der Registry gespeichert.</translation>
    </message>
    <message>
        <source>The Search Text cannot hold that much text: it holds at most %1 bytes (in UTF-8). The text was left as it was.</source>
        <translation>Der Suchtext kann nicht so viel Text aufnehmen: Er fasst höchstens %1 Bytes (in UTF-8). Der Text blieb, wie er war.</translation>
    </message>
</context>
<context>
    <name>frmSiftaControls</name>
    <message>
        <source>The text to search and edit</source>
        <translation>Der zu durchsuchende und zu bearbeitende Text</translation>
    </message>
    <message>
        <source>The pattern to search for; the list holds the patterns searched for before</source>
        <translation>Das gesuchte Muster; die Liste enthält die zuvor gesuchten Muster</translation>
    </message>
    <message>
        <source>The groups of the selected match</source>
        <translation>Die Gruppen des markierten Treffers</translation>
    </message>
    <message>
        <source>A summary of the pattern syntax</source>
        <translation>Eine Übersicht der Mustersyntax</translation>
    </message>
    <message>
        <source>Which match is selected, of how many</source>
        <translation>Welcher Treffer markiert ist, von wie vielen</translation>
    </message>
    <message>
        <source>Where the caret is, and how long the text is</source>
        <translation>Wo die Einfügemarke steht und wie lang der Text ist</translation>
    </message>
    <message>
        <source>Select the next match after the caret</source>
        <translation>Den nächsten Treffer nach der Einfügemarke markieren</translation>
    </message>
    <message>
        <source>Select the match before the caret</source>
        <translation>Den Treffer vor der Einfügemarke markieren</translation>
    </message>
    <message>
        <source>Undo the last replacement</source>
        <translation>Die letzte Ersetzung rückgängig machen</translation>
    </message>
    <message>
        <source>&amp;Search Text</source>
        <translation>&amp;Suchtext</translation>
    </message>
    <message>
        <source>Regular &amp;Expression</source>
        <translation>Regulärer &amp;Ausdruck</translation>
    </message>
    <message>
        <source>Match x of y</source>
        <translation>Treffer x von y</translation>
    </message>
    <message>
        <source>Replace &amp;With</source>
        <translation>Ersetzen dur&amp;ch</translation>
    </message>
    <message>
        <source>Enter plain text. For Replace All you may also use the Replace All Syntax listed in the syntax pane; no other regular expression syntax is understood here.</source>
        <translation>Geben Sie reinen Text ein. Für Alle ersetzen können Sie auch die Syntax für Alle ersetzen aus der Syntaxübersicht verwenden; andere Syntax regulärer Ausdrücke wird hier nicht verstanden.</translation>
    </message>
    <message>
        <source>Sub-&amp;Matches</source>
        <translation>&amp;Teiltreffer</translation>
    </message>
    <message>
        <source>Use &lt;Ctrl&gt;-Enter for new line and &lt;Ctrl&gt;-Tab for tab character.</source>
        <translation>&lt;Strg&gt;-Eingabe für neue Zeile, &lt;Strg&gt;-Tab für Tabulatorzeichen.</translation>
    </message>
    <message>
        <source>&amp;Ignore Case</source>
        <translation>Groß/&amp;klein</translation>
    </message>
    <message>
        <source>Regular Expression will match regardless of capitalization.</source>
        <translation>Der reguläre Ausdruck passt unabhängig von Groß- und Kleinschreibung.</translation>
    </message>
    <message>
        <source>&amp;Find Next</source>
        <translation>&amp;Weitersuchen</translation>
    </message>
    <message>
        <source>Find &amp;Previous</source>
        <translation>&amp;Zurücksuchen</translation>
    </message>
    <message>
        <source>&amp;Replace</source>
        <translation>&amp;Ersetzen</translation>
    </message>
    <message>
        <source>Replace the currently selected text with the Replace With text</source>
        <translation>Den markierten Text durch den Text aus Ersetzen durch ersetzen</translation>
    </message>
    <message>
        <source>Replace &amp;All</source>
        <translation>A&amp;lle ersetzen</translation>
    </message>
    <message>
        <source>Replace all matches to the Regular Expression with the Replace With text.</source>
        <translation>Alle Treffer des regulären Ausdrucks durch den Text aus Ersetzen durch ersetzen.</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>Rückgän&amp;gig</translation>
    </message>
    <message>
        <source>Regular Expression S&amp;yntax</source>
        <translation>S&amp;yntax regulärer Ausdrücke</translation>
    </message>
</context>
<context>
    <name>frmTestCases</name>
    <message>
        <source>Sifta Test Cases (*.json)</source>
        <translation>Sifta-Testfälle (*.json)</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>match</source>
        <translation>Treffer</translation>
    </message>
    <message>
        <source>no match</source>
        <translation>kein Treffer</translation>
    </message>
    <message>
        <source>Replace All gives %1</source>
        <translation>Alle ersetzen ergibt %1</translation>
    </message>
    <message>
        <source>Test Cases</source>
        <translation>Testfälle</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Hinzufügen</translation>
    </message>
    <message>
        <source>Add a case with an empty sample</source>
        <translation>Einen Fall mit leerem Beispiel hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>Remove the selected case</source>
        <translation>Den gewählten Fall entfernen</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Öffnen...</translation>
    </message>
    <message>
        <source>Open a pattern with its test cases from a file</source>
        <translation>Ein Muster mit seinen Testfällen aus einer Datei öffnen</translation>
    </message>
    <message>
        <source>&amp;Save...</source>
        <translation>&amp;Speichern...</translation>
    </message>
    <message>
        <source>Save the pattern with its test cases to a file</source>
        <translation>Das Muster mit seinen Testfällen in einer Datei speichern</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>Beispiel</translation>
    </message>
    <message>
        <source>Expects</source>
        <translation>Erwartet</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>Must match</source>
        <translation>Muss passen</translation>
    </message>
    <message>
        <source>Must not match</source>
        <translation>Darf nicht passen</translation>
    </message>
    <message>
        <source>Replace All gives</source>
        <translation>Alle ersetzen ergibt</translation>
    </message>
    <message>
        <source>Sa&amp;mple:</source>
        <translation>&amp;Beispiel:</translation>
    </message>
    <message>
        <source>E&amp;xpect:</source>
        <translation>E&amp;rwartet:</translation>
    </message>
    <message>
        <source>&amp;Gives:</source>
        <translation>Er&amp;gibt:</translation>
    </message>
    <message>
        <source>Test cases</source>
        <translation>Testfälle</translation>
    </message>
    <message>
        <source>Each sample text, what the pattern must do with it, and how it came out</source>
        <translation>Jeder Beispieltext, was das Muster damit tun muss und wie es ausging</translation>
    </message>
    <message>
        <source>The sample text of the selected case</source>
        <translation>Der Beispieltext des gewählten Falls</translation>
    </message>
    <message>
        <source>What the pattern must do with the sample</source>
        <translation>Was das Muster mit dem Beispiel tun muss</translation>
    </message>
    <message>
        <source>The text that Replace All must give on the sample</source>
        <translation>Der Text, den Alle ersetzen auf dem Beispiel ergeben muss</translation>
    </message>
    <message>
        <source>How many cases pass</source>
        <translation>Wie viele Fälle bestehen</translation>
    </message>
    <message>
        <source>Open Test Cases</source>
        <translation>Testfälle öffnen</translation>
    </message>
    <message>
        <source>%1 holds no test cases that Sifta can read: %2</source>
        <translation>%1 enthält keine Testfälle, die Sifta lesen kann: %2</translation>
    </message>
    <message>
        <source>Save Test Cases</source>
        <translation>Testfälle speichern</translation>
    </message>
    <message>
        <source>fail: %1</source>
        <translation>nicht bestanden: %1</translation>
    </message>
    <message>
        <source>pass</source>
        <translation>bestanden</translation>
    </message>
    <message>
        <source>Checking...</source>
        <translation>Wird geprüft...</translation>
    </message>
</context>
</TS>
