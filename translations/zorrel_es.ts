<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>CommandLine</name>
    <message>
        <source>unexpected argument &quot;%1&quot;</source>
        <extracomment>%1 is the argument as given on the command line.</extracomment>
        <translation>argumento inesperado «%1»</translation>
    </message>
    <message>
        <source>unknown option &quot;%1&quot;</source>
        <translation>opción desconocida «%1»</translation>
    </message>
    <message>
        <source>option &quot;%1&quot; needs a value</source>
        <translation>la opción «%1» necesita un valor</translation>
    </message>
    <message>
        <source>option &quot;%1&quot; takes x11 or wayland</source>
        <extracomment>Keep x11 and wayland as they are: they are the option&apos;s values.</extracomment>
        <translation>la opción «%1» admite x11 o wayland</translation>
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
        <translation>Uso: zorrel [OPCIÓN]...
Una criatura de cuerda para el escritorio. Sujétala con el botón izquierdo
y haz clic con el derecho para darle cuerda; suéltala y echará a andar.

  -h, --help        muestra esta ayuda y termina
      --version     muestra la versión y termina
  -display NOMBRE   usa la pantalla X NOMBRE en lugar de $DISPLAY
      --window-system=x11|wayland
                    muestra el juguete mediante X11 (Xwayland en una
                    sesión Wayland) o como superficie «layer shell» del
                    compositor Wayland que indica $WAYLAND_DISPLAY (solo
                    Linux). Sin la opción: la superficie «layer shell»
                    donde el compositor la ofrece, salvo en KWin; X11 en
                    los demás casos. El menú y la ventana «Acerca de»
                    siguen en X11 en todo caso, así que hace falta una
                    pantalla X

Las opciones estándar de Qt (-platform, -style, -geometry, -qwindowgeometry,
-reverse, -session y similares) se pasan a Qt.
</translation>
    </message>
</context>
<context>
    <name>Display</name>
    <message>
        <source>lost the connection to the display</source>
        <translation>se perdió la conexión con la pantalla</translation>
    </message>
    <message>
        <source>no display (DISPLAY is not set)</source>
        <translation>no hay pantalla (DISPLAY no está definida)</translation>
    </message>
    <message>
        <source>display %1 does not answer</source>
        <translation>la pantalla %1 no responde</translation>
    </message>
    <message>
        <source>cannot open display %1</source>
        <translation>no se puede abrir la pantalla %1</translation>
    </message>
    <message>
        <source>display %1 has %2-bit colour; the toy needs at least %3 bits</source>
        <translation>la pantalla %1 tiene color de %2 bits; el juguete necesita al menos %3 bits</translation>
    </message>
    <message>
        <source>no Wayland display (WAYLAND_DISPLAY is not set)</source>
        <translation>no hay pantalla Wayland (WAYLAND_DISPLAY no está definida)</translation>
    </message>
    <message>
        <source>cannot connect to Wayland display &quot;%1&quot;</source>
        <translation>no se puede conectar con la pantalla Wayland «%1»</translation>
    </message>
    <message>
        <source>the Wayland display does not answer</source>
        <translation>la pantalla Wayland no responde</translation>
    </message>
    <message>
        <source>the Wayland display lacks a compositor or shared memory</source>
        <translation>a la pantalla Wayland le falta un compositor o la memoria compartida</translation>
    </message>
    <message>
        <source>the Wayland compositor offers no layer shell (zwlr_layer_shell_v1)</source>
        <translation>el compositor Wayland no ofrece «layer shell» (zwlr_layer_shell_v1)</translation>
    </message>
    <message>
        <source>the Wayland compositor has no output</source>
        <translation>el compositor Wayland no tiene ninguna pantalla</translation>
    </message>
    <message>
        <source>lost the connection to the Wayland display</source>
        <translation>se perdió la conexión con la pantalla Wayland</translation>
    </message>
    <message>
        <source>%1; the toy shows on X11</source>
        <extracomment>%1 is why the toy&apos;s own Wayland surface cannot be used.</extracomment>
        <translation>%1; el juguete se muestra mediante X11</translation>
    </message>
    <message>
        <source>%1; the toy&apos;s menu and about box need an X display (Xwayland)</source>
        <extracomment>%1 is why the X display cannot be used.</extracomment>
        <translation>%1; el menú y la ventana «Acerca de» del juguete necesitan una pantalla X (Xwayland)</translation>
    </message>
    <message>
        <source>the toy&apos;s menu needs Qt on X11 (-platform xcb)</source>
        <translation>el menú del juguete necesita Qt en X11 (-platform xcb)</translation>
    </message>
</context>
<context>
    <name>Files</name>
    <message>
        <source>cannot read: %1</source>
        <translation>no se puede leer: %1</translation>
    </message>
    <message>
        <source>not a regular file but %1</source>
        <extracomment>%1 says what the file is instead: &quot;a folder&quot;, &quot;a device&quot; and the like.</extracomment>
        <translation>no es un archivo normal sino %1</translation>
    </message>
    <message>
        <source>larger than %1 MiB</source>
        <translation>más de %1 MiB</translation>
    </message>
    <message>
        <source>larger than %1 bytes</source>
        <translation>más de %1 bytes</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>una carpeta</translation>
    </message>
    <message>
        <source>a fifo</source>
        <translation>una FIFO</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>un socket</translation>
    </message>
    <message>
        <source>a device</source>
        <translation>un dispositivo</translation>
    </message>
    <message>
        <source>something else</source>
        <translation>otra cosa</translation>
    </message>
    <message>
        <source>a pipe</source>
        <translation>una tubería</translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>&amp;Wind it up</source>
        <extracomment>Pop-up menu: turns the toy&apos;s winding key one step.</extracomment>
        <translation>&amp;Dar cuerda</translation>
    </message>
    <message>
        <source>&amp;Sound</source>
        <extracomment>Pop-up menu: a check item that turns the toy&apos;s sound effects on or off.</extracomment>
        <translation>&amp;Sonido</translation>
    </message>
    <message>
        <source>&amp;About Zorrel...</source>
        <extracomment>Pop-up menu: opens the about box. Zorrel is the toy&apos;s name.</extracomment>
        <translation>&amp;Acerca de Zorrel...</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <extracomment>Pop-up menu: ends the program.</extracomment>
        <translation>Sa&amp;lir</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>cannot create the folder: %1</source>
        <translation>no se puede crear la carpeta: %1</translation>
    </message>
    <message>
        <source>the folder is not a folder</source>
        <translation>la carpeta no es una carpeta</translation>
    </message>
    <message>
        <source>cannot write: %1</source>
        <translation>no se puede escribir: %1</translation>
    </message>
    <message>
        <source>no home folder to keep settings in</source>
        <translation>no hay carpeta personal donde guardar la configuración</translation>
    </message>
    <message>
        <source>the settings folder &quot;%1&quot; has a name that is not UTF-8; settings are not kept</source>
        <translation>la carpeta de configuración «%1» tiene un nombre que no es UTF-8; la configuración no se guarda</translation>
    </message>
    <message>
        <source>locked by another program</source>
        <translation>bloqueado por otro programa</translation>
    </message>
    <message>
        <source>cannot create the lock file</source>
        <translation>no se puede crear el archivo de bloqueo</translation>
    </message>
    <message>
        <source>the file would grow past %1 MiB</source>
        <translation>el archivo pasaría de %1 MiB</translation>
    </message>
    <message>
        <source>the file is read-only</source>
        <translation>el archivo es de solo lectura</translation>
    </message>
    <message>
        <source>access denied</source>
        <translation>acceso denegado</translation>
    </message>
    <message>
        <source>the sound option: %1</source>
        <translation>la opción de sonido: %1</translation>
    </message>
    <message>
        <source>cannot store %1=%2 (%3); the option holds for this run only</source>
        <extracomment>%1=%2 is the stored line, as &quot;Zorrel Sound=True&quot;: keep it as it is. %3 says what went wrong.</extracomment>
        <translation>no se puede guardar %1=%2 (%3); la opción vale solo para esta vez</translation>
    </message>
    <message>
        <source>%1; using %2=%3 for this run</source>
        <extracomment>%1 says why the settings file cannot be read; %2=%3 is the line used instead, as &quot;Zorrel Sound=True&quot;: keep it as it is.</extracomment>
        <translation>%1; por esta vez se usa %2=%3</translation>
    </message>
    <message>
        <source>unreadable value &quot;%1&quot; for %2 in [%3]; using %4 and storing it</source>
        <extracomment>%1 is the value found, %2 the key (&quot;Zorrel Sound&quot;), %3 the section (&quot;Coilwerks&quot;), %4 the value used instead (&quot;True&quot; or &quot;False&quot;).</extracomment>
        <translation>valor ilegible «%1» para %2 en [%3]; se usa %4 y se guarda</translation>
    </message>
</context>
<context>
    <name>Sound</name>
    <message>
        <source>cannot play %1: %2</source>
        <translation>no se puede reproducir %1: %2</translation>
    </message>
    <message>
        <source>cannot play sound effects (%1); they are silent until sound works again</source>
        <translation>no se pueden reproducir los efectos de sonido (%1); quedan en silencio hasta que el sonido vuelva a funcionar</translation>
    </message>
    <message>
        <source>sound effects are off: no %1 in %2</source>
        <translation>efectos de sonido desactivados: no hay %1 en %2</translation>
    </message>
    <message>
        <source> or </source>
        <extracomment>Between the folders searched, as &quot;/a or /b&quot;.</extracomment>
        <translation> o </translation>
    </message>
    <message>
        <source>sound effects are off: %1</source>
        <translation>efectos de sonido desactivados: %1</translation>
    </message>
    <message>
        <source>cannot play sound effects: no application object</source>
        <translation>no se pueden reproducir los efectos de sonido: no hay objeto de aplicación</translation>
    </message>
    <message>
        <source>no sound file %1 in %2; effects without their file are silent</source>
        <translation>no hay archivo de sonido %1 en %2; los efectos sin su archivo quedan en silencio</translation>
    </message>
    <message>
        <source>the sound thread did not stop in time</source>
        <translation>el hilo de sonido no se detuvo a tiempo</translation>
    </message>
    <message>
        <source>not a RIFF WAVE file</source>
        <translation>no es un archivo RIFF WAVE</translation>
    </message>
    <message>
        <source>damaged format chunk</source>
        <translation>bloque de formato dañado</translation>
    </message>
    <message>
        <source>unsupported sample format (code %1, %2-bit, %3-channel)</source>
        <translation>formato de muestras no admitido (código %1, %2 bits, %3 canales)</translation>
    </message>
    <message>
        <source>sound data before the format chunk</source>
        <translation>datos de sonido antes del bloque de formato</translation>
    </message>
    <message>
        <source>no sound data</source>
        <translation>no hay datos de sonido</translation>
    </message>
    <message>
        <source>cannot start the sound server connection</source>
        <translation>no se puede iniciar la conexión con el servidor de sonido</translation>
    </message>
    <message>
        <source>no sound server: %1</source>
        <translation>no hay servidor de sonido: %1</translation>
    </message>
    <message>
        <source>the sound server does not answer</source>
        <translation>el servidor de sonido no responde</translation>
    </message>
    <message>
        <source>the sound server refused a stream: %1</source>
        <translation>el servidor de sonido rechazó un flujo: %1</translation>
    </message>
    <message>
        <source>lost the sound server</source>
        <translation>se perdió el servidor de sonido</translation>
    </message>
    <message>
        <source>lost the sound server: %1</source>
        <translation>se perdió el servidor de sonido: %1</translation>
    </message>
    <message>
        <source>audio error %1</source>
        <translation>error de audio %1</translation>
    </message>
</context>
<context>
    <name>zorrel::about::AboutBox</name>
    <message>
        <source>by the Zorrel team</source>
        <extracomment>The about box&apos;s credit line, under the name Zorrel.</extracomment>
        <translation>por el equipo de Zorrel</translation>
    </message>
    <message>
        <source>Wind it up and it walks across the desktop.
To wind it up, move the mouse cursor to the 
body, press and hold the left mouse button, 
click the right mouse button. Release the 
left mouse button when finished.
</source>
        <extracomment>The about box&apos;s help text. Each line is one line of the box: break the lines where they read well, about as long as these.</extracomment>
        <translation>Dale cuerda y caminará por el escritorio.
Para darle cuerda, coloca el puntero del
ratón sobre el cuerpo, mantén pulsado el
botón izquierdo y haz clic con el derecho.
Suelta el botón izquierdo al terminar.
</translation>
    </message>
    <message>
        <source>About Zorrel</source>
        <extracomment>The about box&apos;s title. Zorrel is the toy&apos;s name.</extracomment>
        <translation>Acerca de Zorrel</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;Aceptar</translation>
    </message>
</context>
</TS>
