<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="cs_CZ">
<context>
    <name>QFileDialog</name>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
</context>
<context>
    <name>TAboutForm</name>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Editor kontejnerů médií .tvk</source>
        <translation>Editor of .tvk media containers</translation>
    </message>
    <message>
        <source>obrázky a zvuky pro hry</source>
        <translation>game images and sounds</translation>
    </message>
    <message>
        <source>verze 1.0</source>
        <translation>version 1.0</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TCheckWindow</name>
    <message>
        <source>Kontrola</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>Pozice</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Jméno</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Problém</source>
        <translation>Problem</translation>
    </message>
    <message>
        <source>Běhové prostředí přijme všechny položky.</source>
        <translation>The runtime will accept every entry.</translation>
    </message>
    <message>
        <source>Problémů: %1, poznámek: %2. Dvojklik přejde na položku.</source>
        <translation>Problems: %1, notes: %2. A double click goes to the entry.</translation>
    </message>
</context>
<context>
    <name>TConfigForm</name>
    <message>
        <source>Nastavení</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Vyber typ souborů</source>
        <translation>Choose the file type</translation>
    </message>
    <message>
        <source>Obrázkové</source>
        <translation>Images</translation>
    </message>
    <message>
        <source>Zvukové</source>
        <translation>Sounds</translation>
    </message>
    <message>
        <source>Přidat</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Odebrat</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>Konec</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Úroveň komprese</source>
        <translation>Compression level</translation>
    </message>
    <message>
        <source>Zádná</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Rychlá</source>
        <translation>Fast</translation>
    </message>
    <message>
        <source>Normální</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Nejlepší</source>
        <translation>Best</translation>
    </message>
    <message>
        <source>Jazyk</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Projeví se při příštím spuštění.</source>
        <translation>Takes effect at the next start.</translation>
    </message>
    <message>
        <source>Nelze vložit prázdný řetězec!</source>
        <translation>An empty text cannot be added!</translation>
    </message>
    <message>
        <source>Přípona může mít nejvýše 4 znaky za tečkou!</source>
        <translation>An extension can have at most 4 characters after the dot!</translation>
    </message>
    <message>
        <source>Seznam je prázdný!</source>
        <translation>No extension is selected!</translation>
    </message>
    <message>
        <source>Převádět při přidání</source>
        <translation>Convert when adding</translation>
    </message>
    <message>
        <source>Převzorkovat na</source>
        <translation>Resample to</translation>
    </message>
    <message>
        <source>beze změny</source>
        <translation>unchanged</translation>
    </message>
</context>
<context>
    <name>TEntryPreview</name>
    <message>
        <source>1 bit</source>
        <translation>1 bit</translation>
    </message>
    <message>
        <source>%1 bity</source>
        <translation>%1 bits</translation>
    </message>
    <message>
        <source>%1 bitů</source>
        <translation>%1 bits</translation>
    </message>
    <message>
        <source>mono</source>
        <translation>mono</translation>
    </message>
    <message>
        <source>stereo</source>
        <translation>stereo</translation>
    </message>
    <message>
        <source>%1 kanálů</source>
        <translation>%1 channels</translation>
    </message>
    <message>
        <source>Náhled</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>Přizpůsobit</source>
        <translation>Fit</translation>
    </message>
    <message>
        <source>100 %</source>
        <translation>100 %</translation>
    </message>
    <message>
        <source>200 %</source>
        <translation>200 %</translation>
    </message>
    <message>
        <source>400 %</source>
        <translation>400 %</translation>
    </message>
    <message>
        <source>Zvětšení obrázku</source>
        <translation>Picture zoom</translation>
    </message>
    <message>
        <source>Mřížka snímků</source>
        <translation>Frame grid</translation>
    </message>
    <message>
        <source>Přehrát</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>Zastavit</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Přehrát snímky</source>
        <translation>Play frames</translation>
    </message>
    <message>
        <source> snímků/s</source>
        <translation> frames/s</translation>
    </message>
    <message>
        <source>Rychlost přehrávání snímků</source>
        <translation>Frame playback rate</translation>
    </message>
    <message>
        <source>Náhled není k dispozici</source>
        <translation>No preview available</translation>
    </message>
    <message>
        <source>Obrázek je prázdný.</source>
        <translation>The picture is empty.</translation>
    </message>
    <message>
        <source>%1 × %2 px, %3, %4</source>
        <translation>%1 × %2 px, %3, %4</translation>
    </message>
    <message>
        <source>hloubka neznámá</source>
        <translation>depth unknown</translation>
    </message>
    <message>
        <source>Přehrává se dokola (Looped = True).</source>
        <translation>Plays in a loop (Looped = True).</translation>
    </message>
    <message>
        <source>%1 Hz, %2, %3, %4 s</source>
        <translation>%1 Hz, %2, %3, %4 s</translation>
    </message>
    <message>
        <source>, komprimovaný (formát %1)</source>
        <translation>, compressed (format %1)</translation>
    </message>
    <message>
        <source>Snímek %1 z %2</source>
        <translation>Frame %1 of %2</translation>
    </message>
    <message>
        <source>%1 snímků %2 × %3</source>
        <translation>%1 frames %2 × %3</translation>
    </message>
    <message>
        <source>Zvukové zařízení není k dispozici.</source>
        <translation>No audio device is available.</translation>
    </message>
    <message>
        <source>Zvuk nelze přehrát: %1</source>
        <translation>The sound cannot be played: %1</translation>
    </message>
    <message>
        <source>Zvuk nelze přehrát.</source>
        <translation>The sound cannot be played.</translation>
    </message>
    <message>
        <source>Běhové prostředí: %1</source>
        <translation>Runtime: %1</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source> Obrázkový soubor</source>
        <translation> Image file</translation>
    </message>
    <message>
        <source> Zvukový soubor</source>
        <translation> Sound file</translation>
    </message>
    <message>
        <source>Zvukové soubory|</source>
        <translation>Sound files|</translation>
    </message>
    <message>
        <source>Obrázkové soubory|</source>
        <translation>Image files|</translation>
    </message>
    <message>
        <source>|Všechny soubory|*.*</source>
        <translation>|All files|*.*</translation>
    </message>
    <message>
        <source>&amp;Soubor</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Nastavení</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>Ná&amp;pověda</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Úpr&amp;avy</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>Zpět</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Znovu</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Exportovat do složky</source>
        <translation>Export to folder</translation>
    </message>
    <message>
        <source>Exportovat</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Nový</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Obrázky</source>
        <translation>Images</translation>
    </message>
    <message>
        <source>Zvuky</source>
        <translation>Sounds</translation>
    </message>
    <message>
        <source>Otevřít</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Uložit</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Přídat</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Odebrat</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>Konec</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Nápověda</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Přidat</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Přidat soubory na konec seznamu</source>
        <translation>Add files at the end of the list</translation>
    </message>
    <message>
        <source>Odebrat položky označené hvězdičkou (označíte je klepnutím na jméno)</source>
        <translation>Remove the entries marked with an asterisk (click a name to mark it)</translation>
    </message>
    <message>
        <source>Nahoru</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>Posunout aktuální položku o místo výš</source>
        <translation>Move the current entry one place up</translation>
    </message>
    <message>
        <source>Dolů</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>Posunout aktuální položku o místo níž</source>
        <translation>Move the current entry one place down</translation>
    </message>
    <message>
        <source>Aktualizovat</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>Nahradit data aktuální položky jiným souborem</source>
        <translation>Replace the current entry&apos;s data with another file</translation>
    </message>
    <message>
        <source>Zapnutí / vypnutí náhledu</source>
        <translation>Preview on / off</translation>
    </message>
    <message>
        <source>Náhled není k dispozici</source>
        <translation>No preview available</translation>
    </message>
    <message>
        <source>Náhled:</source>
        <translation>Preview:</translation>
    </message>
    <message>
        <source>Přizpůsobit oknu</source>
        <translation>Scale to fit</translation>
    </message>
    <message>
        <source>Zalamování řádků</source>
        <translation>Word wrap</translation>
    </message>
    <message>
        <source>Nenalezen soubor s nápovědou!</source>
        <translation>The help file was not found!</translation>
    </message>
    <message>
        <source>Uložit změny?</source>
        <translation>Save the changes?</translation>
    </message>
    <message>
        <source>Neukládat</source>
        <translation>Don&apos;t save</translation>
    </message>
    <message>
        <source>Zrušit</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Soubor %s už neexistuje; ze seznamu naposledy otevřených byl odebrán.</source>
        <translation>File %s no longer exists; it was removed from the recent files.</translation>
    </message>
    <message>
        <source>Uložit jako…</source>
        <translation>Save as…</translation>
    </message>
    <message>
        <source>Exportovat…</source>
        <translation>Export…</translation>
    </message>
    <message>
        <source>Vyplnit výběr</source>
        <translation>Fill selection</translation>
    </message>
    <message>
        <source>Přejmenovat…</source>
        <translation>Rename…</translation>
    </message>
    <message>
        <source>Označit k odebrání</source>
        <translation>Mark for removal</translation>
    </message>
    <message>
        <source>Přejmenovat položku</source>
        <translation>Rename entry</translation>
    </message>
    <message>
        <source>Nové jméno (přípona %1 zůstane):</source>
        <translation>New name (the extension %1 stays):</translation>
    </message>
    <message>
        <source>Přejmenovat</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>&amp;Zobrazit</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>Zobrazit náhled</source>
        <translation>Show preview</translation>
    </message>
    <message>
        <source>Obnovit rozvržení</source>
        <translation>Reset layout</translation>
    </message>
    <message>
        <source>Označené položky skryté filtrem (%1) zůstaly v seznamu.</source>
        <translation>Marked entries hidden by the filter (%1) stay in the list.</translation>
    </message>
    <message>
        <source>&amp;Hledat:</source>
        <translation>&amp;Find:</translation>
    </message>
    <message>
        <source>Zobrazí jen položky, jejichž jméno s příponou obsahuje text (* a ? zastupují znaky)</source>
        <translation>Shows only the entries whose name with extension contains the text (* and ? stand for characters)</translation>
    </message>
    <message>
        <source>Zkontrolovat</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>Záznam pro obnovení nelze zapsat: %1</source>
        <translation>The recovery record cannot be written: %1</translation>
    </message>
    <message>
        <source>Soubor %1 má neuložené změny v jiném okně editoru, nebo čekají na obnovení při příštím spuštění.</source>
        <translation>File %1 has unsaved changes in another editor window, or they wait to be recovered at the next start.</translation>
    </message>
    <message>
        <source>Tovrik|*.tvk|Manifest|*.toml|Všechny soubory|*.*</source>
        <translation>Tovrik|*.tvk|Manifest|*.toml|All files|*.*</translation>
    </message>
    <message>
        <source>Uložit manifest…</source>
        <translation>Save manifest…</translation>
    </message>
    <message>
        <source>Aktualizovat změněné</source>
        <translation>Update changed</translation>
    </message>
    <message>
        <source>Manifest|*.toml</source>
        <translation>Manifest|*.toml</translation>
    </message>
    <message>
        <source>Načteno znovu: %1</source>
        <translation>Read again: %1</translation>
    </message>
    <message>
        <source>Žádný zdrojový soubor se nezměnil.</source>
        <translation>No source file has changed.</translation>
    </message>
</context>
<context>
    <name>THelpWindow</name>
    <message>
        <source>Nápověda</source>
        <translation>Help</translation>
    </message>
</context>
<context>
    <name>TMessagePrompt</name>
    <message>
        <source>Upozornění</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Ano všem</source>
        <translation>Yes to all</translation>
    </message>
    <message>
        <source>Zrušit</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Chyba</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Ano</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Ne</source>
        <translation>No</translation>
    </message>
    <message>
        <source>nový dokument</source>
        <translation>new document</translation>
    </message>
    <message>
        <source>d. M. yyyy H:mm:ss</source>
        <translation>yyyy-MM-dd HH:mm:ss</translation>
    </message>
    <message>
        <source>Obnovit neuložené změny?</source>
        <translation>Recover unsaved changes?</translation>
    </message>
    <message>
        <source>Dokument: %1
Poslední změna: %2
Počet položek: %3</source>
        <translation>Document: %1
Last change: %2
Entries: %3</translation>
    </message>
    <message>
        <source>Obnovit</source>
        <translation>Recover</translation>
    </message>
    <message>
        <source>Zahodit</source>
        <translation>Discard</translation>
    </message>
    <message>
        <source>Později</source>
        <translation>Later</translation>
    </message>
</context>
<context>
    <name>TProgressForm</name>
    <message>
        <source>Prosím čekejte</source>
        <translation>Please wait</translation>
    </message>
    <message>
        <source>Přerušit</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TRecentFilesMenu</name>
    <message>
        <source>Naposledy otevřené</source>
        <translation>Recent files</translation>
    </message>
    <message>
        <source>(žádné)</source>
        <translation>(none)</translation>
    </message>
</context>
<context>
    <name>TSourceWatch</name>
    <message>
        <source>1 zdrojový soubor se změnil</source>
        <translation>1 source file has changed</translation>
    </message>
    <message>
        <source>%1 zdrojové soubory se změnily</source>
        <translation>%1 source files have changed</translation>
    </message>
    <message>
        <source>%1 zdrojových souborů se změnilo</source>
        <translation>%1 source files have changed</translation>
    </message>
</context>
<context>
    <name>TStatusPanels</name>
    <message>
        <source>1 položka</source>
        <translation>1 entry</translation>
    </message>
    <message>
        <source>%1 položky</source>
        <translation>%1 entries</translation>
    </message>
    <message>
        <source>%1 položek</source>
        <translation>%1 entries</translation>
    </message>
    <message>
        <source> Položka %1 z %2</source>
        <translation> Entry %1 of %2</translation>
    </message>
    <message>
        <source>Zobrazeno %1 z %2 položek</source>
        <translation>Showing %1 of %2 entries</translation>
    </message>
</context>
</TS>
