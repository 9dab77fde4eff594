<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>CommandLine</name>
    <message>
        <source>unexpected argument &quot;%1&quot;</source>
        <extracomment>%1 is the argument as given on the command line.</extracomment>
        <translation>unerwartetes Argument „%1“</translation>
    </message>
    <message>
        <source>unknown option &quot;%1&quot;</source>
        <translation>unbekannte Option „%1“</translation>
    </message>
    <message>
        <source>option &quot;%1&quot; needs a value</source>
        <translation>Option „%1“ braucht einen Wert</translation>
    </message>
    <message>
        <source>option &quot;%1&quot; takes x11 or wayland</source>
        <extracomment>Keep x11 and wayland as they are: they are the option&apos;s values.</extracomment>
        <translation>Option „%1“ erwartet x11 oder wayland</translation>
    </message>
    <message>
        <source>Usage: zorrel [OPTION]...
A clockwork creature for the desktop. Hold it with the left button and
click the right button to wind it; let go and it walks.

  -h, --help        show this help and exit
      --version     show the version and exit
  -display NAME     use the X display NAME instead of $DISPLAY
      --window-system=x11|wayland
                    show the toy through X11 (Xwayland in a Wayland
                    session) or as a layer surface of the Wayland
                    compositor named by $WAYLAND_DISPLAY (Linux only).
                    Without it: the layer surface where the compositor
                    offers the layer shell, except on KWin; X11
                    elsewhere. The menu and about box stay on X11
                    either way, so an X display is needed

Qt&apos;s standard options (-platform, -style, -geometry, -qwindowgeometry,
-reverse, -session and the like) are passed on to Qt.
</source>
        <extracomment>The text of --help. Keep &quot;zorrel&quot;, the option names, $DISPLAY and $WAYLAND_DISPLAY as they are, the lines under 80 columns, and the descriptions lined up.</extracomment>
        <translation>Aufruf: zorrel [OPTION]...
Ein Uhrwerk-Wesen für den Desktop. Halte es mit der linken Maustaste und
klicke mit der rechten, um es aufzuziehen; lass es los, und es läuft.

  -h, --help        diese Hilfe zeigen und beenden
      --version     die Version zeigen und beenden
  -display NAME     das X-Display NAME statt $DISPLAY verwenden
      --window-system=x11|wayland
                    das Spielzeug über X11 zeigen (Xwayland in einer
                    Wayland-Sitzung) oder als Layer-Surface des
                    Wayland-Compositors aus $WAYLAND_DISPLAY (nur Linux).
                    Ohne die Option: die Layer-Surface, wo der Compositor
                    die Layer-Shell anbietet, außer unter KWin; sonst
                    X11. Menü und „Über Zorrel“ bleiben in jedem Fall auf
                    X11, daher wird ein X-Display gebraucht

Die Standardoptionen von Qt (-platform, -style, -geometry, -qwindowgeometry,
-reverse, -session und ähnliche) werden an Qt weitergegeben.
</translation>
    </message>
</context>
<context>
    <name>Display</name>
    <message>
        <source>lost the connection to the display</source>
        <translation>Verbindung zum Display verloren</translation>
    </message>
    <message>
        <source>no display (DISPLAY is not set)</source>
        <translation>kein Display (DISPLAY ist nicht gesetzt)</translation>
    </message>
    <message>
        <source>display %1 does not answer</source>
        <translation>Display %1 antwortet nicht</translation>
    </message>
    <message>
        <source>cannot open display %1</source>
        <translation>Display %1 lässt sich nicht öffnen</translation>
    </message>
    <message>
        <source>display %1 has %2-bit colour; the toy needs at least %3 bits</source>
        <translation>Display %1 hat %2-Bit-Farbe; das Spielzeug braucht mindestens %3 Bit</translation>
    </message>
    <message>
        <source>no Wayland display (WAYLAND_DISPLAY is not set)</source>
        <translation>kein Wayland-Display (WAYLAND_DISPLAY ist nicht gesetzt)</translation>
    </message>
    <message>
        <source>cannot connect to Wayland display &quot;%1&quot;</source>
        <translation>keine Verbindung zum Wayland-Display „%1“</translation>
    </message>
    <message>
        <source>the Wayland display does not answer</source>
        <translation>das Wayland-Display antwortet nicht</translation>
    </message>
    <message>
        <source>the Wayland display lacks a compositor or shared memory</source>
        <translation>dem Wayland-Display fehlen Compositor oder gemeinsamer Speicher</translation>
    </message>
    <message>
        <source>the Wayland compositor offers no layer shell (zwlr_layer_shell_v1)</source>
        <translation>der Wayland-Compositor bietet keine Layer-Shell an (zwlr_layer_shell_v1)</translation>
    </message>
    <message>
        <source>the Wayland compositor has no output</source>
        <translation>der Wayland-Compositor hat keinen Bildschirm</translation>
    </message>
    <message>
        <source>lost the connection to the Wayland display</source>
        <translation>Verbindung zum Wayland-Display verloren</translation>
    </message>
    <message>
        <source>%1; the toy shows on X11</source>
        <extracomment>%1 is why the toy&apos;s own Wayland surface cannot be used.</extracomment>
        <translation>%1; das Spielzeug erscheint über X11</translation>
    </message>
    <message>
        <source>%1; the toy&apos;s menu and about box need an X display (Xwayland)</source>
        <extracomment>%1 is why the X display cannot be used.</extracomment>
        <translation>%1; Menü und „Über Zorrel“ des Spielzeugs brauchen ein X-Display (Xwayland)</translation>
    </message>
    <message>
        <source>the toy&apos;s menu needs Qt on X11 (-platform xcb)</source>
        <translation>das Menü des Spielzeugs braucht Qt auf X11 (-platform xcb)</translation>
    </message>
</context>
<context>
    <name>Files</name>
    <message>
        <source>cannot read: %1</source>
        <translation>nicht lesbar: %1</translation>
    </message>
    <message>
        <source>not a regular file but %1</source>
        <extracomment>%1 says what the file is instead: &quot;a folder&quot;, &quot;a device&quot; and the like.</extracomment>
        <translation>keine normale Datei, sondern %1</translation>
    </message>
    <message>
        <source>larger than %1 MiB</source>
        <translation>größer als %1 MiB</translation>
    </message>
    <message>
        <source>larger than %1 bytes</source>
        <translation>größer als %1 Byte</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>ein Ordner</translation>
    </message>
    <message>
        <source>a fifo</source>
        <translation>eine FIFO</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>ein Socket</translation>
    </message>
    <message>
        <source>a device</source>
        <translation>ein Gerät</translation>
    </message>
    <message>
        <source>something else</source>
        <translation>etwas anderes</translation>
    </message>
    <message>
        <source>a pipe</source>
        <translation>eine Pipe</translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>&amp;Wind it up</source>
        <extracomment>Pop-up menu: turns the toy&apos;s winding key one step.</extracomment>
        <translation>&amp;Aufziehen</translation>
    </message>
    <message>
        <source>&amp;Sound</source>
        <extracomment>Pop-up menu: a check item that turns the toy&apos;s sound effects on or off.</extracomment>
        <translation>&amp;Ton</translation>
    </message>
    <message>
        <source>&amp;About Zorrel...</source>
        <extracomment>Pop-up menu: opens the about box. Zorrel is the toy&apos;s name.</extracomment>
        <translation>&amp;Über Zorrel...</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <extracomment>Pop-up menu: ends the program.</extracomment>
        <translation>&amp;Beenden</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>cannot create the folder: %1</source>
        <translation>Ordner kann nicht angelegt werden: %1</translation>
    </message>
    <message>
        <source>the folder is not a folder</source>
        <translation>der Ordner ist kein Ordner</translation>
    </message>
    <message>
        <source>cannot write: %1</source>
        <translation>Schreiben nicht möglich: %1</translation>
    </message>
    <message>
        <source>no home folder to keep settings in</source>
        <translation>kein Home-Verzeichnis für die Einstellungen</translation>
    </message>
    <message>
        <source>the settings folder &quot;%1&quot; has a name that is not UTF-8; settings are not kept</source>
        <translation>der Einstellungsordner „%1“ hat einen Namen, der kein UTF-8 ist; Einstellungen werden nicht gespeichert</translation>
    </message>
    <message>
        <source>locked by another program</source>
        <translation>von einem anderen Programm gesperrt</translation>
    </message>
    <message>
        <source>cannot create the lock file</source>
        <translation>Sperrdatei kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>the file would grow past %1 MiB</source>
        <translation>die Datei würde größer als %1 MiB</translation>
    </message>
    <message>
        <source>the file is read-only</source>
        <translation>die Datei ist schreibgeschützt</translation>
    </message>
    <message>
        <source>access denied</source>
        <translation>Zugriff verweigert</translation>
    </message>
    <message>
        <source>the sound option: %1</source>
        <translation>die Ton-Einstellung: %1</translation>
    </message>
    <message>
        <source>cannot store %1=%2 (%3); the option holds for this run only</source>
        <extracomment>%1=%2 is the stored line, as &quot;Zorrel Sound=True&quot;: keep it as it is. %3 says what went wrong.</extracomment>
        <translation>%1=%2 kann nicht gespeichert werden (%3); die Einstellung gilt nur für diesen Lauf</translation>
    </message>
    <message>
        <source>%1; using %2=%3 for this run</source>
        <extracomment>%1 says why the settings file cannot be read; %2=%3 is the line used instead, as &quot;Zorrel Sound=True&quot;: keep it as it is.</extracomment>
        <translation>%1; für diesen Lauf gilt %2=%3</translation>
    </message>
    <message>
        <source>unreadable value &quot;%1&quot; for %2 in [%3]; using %4 and storing it</source>
        <extracomment>%1 is the value found, %2 the key (&quot;Zorrel Sound&quot;), %3 the section (&quot;Coilwerks&quot;), %4 the value used instead (&quot;True&quot; or &quot;False&quot;).</extracomment>
        <translation>unlesbarer Wert „%1“ für %2 in [%3]; %4 wird verwendet und gespeichert</translation>
    </message>
</context>
<context>
    <name>Sound</name>
    <message>
        <source>cannot play %1: %2</source>
        <translation>%1 kann nicht abgespielt werden: %2</translation>
    </message>
    <message>
        <source>cannot play sound effects (%1); they are silent until sound works again</source>
        <translation>Toneffekte können nicht abgespielt werden (%1); sie bleiben stumm, bis der Ton wieder funktioniert</translation>
    </message>
    <message>
        <source>sound effects are off: no %1 in %2</source>
        <translation>Toneffekte sind aus: kein %1 in %2</translation>
    </message>
    <message>
        <source> or </source>
        <extracomment>Between the folders searched, as &quot;/a or /b&quot;.</extracomment>
        <translation> oder </translation>
    </message>
    <message>
        <source>sound effects are off: %1</source>
        <translation>Toneffekte sind aus: %1</translation>
    </message>
    <message>
        <source>cannot play sound effects: no application object</source>
        <translation>Toneffekte können nicht abgespielt werden: kein Anwendungsobjekt</translation>
    </message>
    <message>
        <source>no sound file %1 in %2; effects without their file are silent</source>
        <translation>keine Tondatei %1 in %2; Effekte ohne ihre Datei bleiben stumm</translation>
    </message>
    <message>
        <source>the sound thread did not stop in time</source>
        <translation>der Ton-Thread hat nicht rechtzeitig angehalten</translation>
    </message>
    <message>
        <source>not a RIFF WAVE file</source>
        <translation>keine RIFF-WAVE-Datei</translation>
    </message>
    <message>
        <source>damaged format chunk</source>
        <translation>beschädigter Format-Chunk</translation>
    </message>
    <message>
        <source>unsupported sample format (code %1, %2-bit, %3-channel)</source>
        <translation>nicht unterstütztes Sample-Format (Code %1, %2 Bit, %3 Kanäle)</translation>
    </message>
    <message>
        <source>sound data before the format chunk</source>
        <translation>Tondaten vor dem Format-Chunk</translation>
    </message>
    <message>
        <source>no sound data</source>
        <translation>keine Tondaten</translation>
    </message>
    <message>
        <source>cannot start the sound server connection</source>
        <translation>Verbindung zum Soundserver kann nicht aufgebaut werden</translation>
    </message>
    <message>
        <source>no sound server: %1</source>
        <translation>kein Soundserver: %1</translation>
    </message>
    <message>
        <source>the sound server does not answer</source>
        <translation>der Soundserver antwortet nicht</translation>
    </message>
    <message>
        <source>the sound server refused a stream: %1</source>
        <translation>der Soundserver hat einen Stream abgelehnt: %1</translation>
    </message>
    <message>
        <source>lost the sound server</source>
        <translation>Verbindung zum Soundserver verloren</translation>
    </message>
    <message>
        <source>lost the sound server: %1</source>
        <translation>Verbindung zum Soundserver verloren: %1</translation>
    </message>
    <message>
        <source>audio error %1</source>
        <translation>Audiofehler %1</translation>
    </message>
</context>
<context>
    <name>zorrel::about::AboutBox</name>
    <message>
        <source>by the Zorrel team</source>
        <extracomment>The about box&apos;s credit line, under the name Zorrel.</extracomment>
        <translation>vom Zorrel-Team</translation>
    </message>
    <message>
        <source>Wind it up and it walks across the desktop.
To wind it up, move the mouse cursor to the 
body, press and hold the left mouse button, 
click the right mouse button. Release the 
left mouse button when finished.
</source>
        <extracomment>The about box&apos;s help text. Each line is one line of the box: break the lines where they read well, about as long as these.</extracomment>
        <translation>Zieh es auf, und es läuft über den Desktop.
Zum Aufziehen den Mauszeiger auf den
Körper bewegen, die linke Maustaste
gedrückt halten und die rechte Maustaste
klicken. Danach die linke Maustaste
wieder loslassen.
</translation>
    </message>
    <message>
        <source>About Zorrel</source>
        <extracomment>The about box&apos;s title. Zorrel is the toy&apos;s name.</extracomment>
        <translation>Über Zorrel</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
</context>
</TS>
