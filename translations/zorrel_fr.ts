<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>CommandLine</name>
    <message>
        <source>unexpected argument &quot;%1&quot;</source>
        <extracomment>%1 is the argument as given on the command line.</extracomment>
        <translation>argument inattendu « %1 »</translation>
    </message>
    <message>
        <source>unknown option &quot;%1&quot;</source>
        <translation>option inconnue « %1 »</translation>
    </message>
    <message>
        <source>option &quot;%1&quot; needs a value</source>
        <translation>l’option « %1 » demande une valeur</translation>
    </message>
    <message>
        <source>option &quot;%1&quot; takes x11 or wayland</source>
        <extracomment>Keep x11 and wayland as they are: they are the option&apos;s values.</extracomment>
        <translation>l’option « %1 » attend x11 ou wayland</translation>
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
        <translation>Utilisation : zorrel [OPTION]...
Une créature mécanique pour le bureau. Tenez-la avec le bouton gauche et
cliquez avec le bouton droit pour la remonter ; lâchez-la et elle marche.

  -h, --help        afficher cette aide et quitter
      --version     afficher la version et quitter
  -display NOM      utiliser l’affichage X NOM au lieu de $DISPLAY
      --window-system=x11|wayland
                    afficher le jouet par X11 (Xwayland dans une session
                    Wayland) ou comme surface « layer shell » du
                    compositeur Wayland désigné par $WAYLAND_DISPLAY
                    (Linux seulement). Sans l’option : la surface « layer
                    shell » là où le compositeur la propose, sauf sous
                    KWin ; X11 ailleurs. Le menu et la fenêtre « À
                    propos » restent sur X11 dans tous les cas : il faut
                    donc un affichage X

Les options standard de Qt (-platform, -style, -geometry, -qwindowgeometry,
-reverse, -session, etc.) sont transmises à Qt.
</translation>
    </message>
</context>
<context>
    <name>Display</name>
    <message>
        <source>lost the connection to the display</source>
        <translation>connexion à l’affichage perdue</translation>
    </message>
    <message>
        <source>no display (DISPLAY is not set)</source>
        <translation>pas d’affichage (DISPLAY n’est pas défini)</translation>
    </message>
    <message>
        <source>display %1 does not answer</source>
        <translation>l’affichage %1 ne répond pas</translation>
    </message>
    <message>
        <source>cannot open display %1</source>
        <translation>impossible d’ouvrir l’affichage %1</translation>
    </message>
    <message>
        <source>display %1 has %2-bit colour; the toy needs at least %3 bits</source>
        <translation>l’affichage %1 a des couleurs sur %2 bits ; le jouet en demande au moins %3</translation>
    </message>
    <message>
        <source>no Wayland display (WAYLAND_DISPLAY is not set)</source>
        <translation>pas d’affichage Wayland (WAYLAND_DISPLAY n’est pas défini)</translation>
    </message>
    <message>
        <source>cannot connect to Wayland display &quot;%1&quot;</source>
        <translation>impossible de se connecter à l’affichage Wayland « %1 »</translation>
    </message>
    <message>
        <source>the Wayland display does not answer</source>
        <translation>l’affichage Wayland ne répond pas</translation>
    </message>
    <message>
        <source>the Wayland display lacks a compositor or shared memory</source>
        <translation>il manque à l’affichage Wayland un compositeur ou la mémoire partagée</translation>
    </message>
    <message>
        <source>the Wayland compositor offers no layer shell (zwlr_layer_shell_v1)</source>
        <translation>le compositeur Wayland n’offre pas de « layer shell » (zwlr_layer_shell_v1)</translation>
    </message>
    <message>
        <source>the Wayland compositor has no output</source>
        <translation>le compositeur Wayland n’a aucun écran</translation>
    </message>
    <message>
        <source>lost the connection to the Wayland display</source>
        <translation>connexion à l’affichage Wayland perdue</translation>
    </message>
    <message>
        <source>%1; the toy shows on X11</source>
        <extracomment>%1 is why the toy&apos;s own Wayland surface cannot be used.</extracomment>
        <translation>%1 ; le jouet s’affiche par X11</translation>
    </message>
    <message>
        <source>%1; the toy&apos;s menu and about box need an X display (Xwayland)</source>
        <extracomment>%1 is why the X display cannot be used.</extracomment>
        <translation>%1 ; le menu et la fenêtre « À propos » du jouet ont besoin d’un affichage X (Xwayland)</translation>
    </message>
    <message>
        <source>the toy&apos;s menu needs Qt on X11 (-platform xcb)</source>
        <translation>le menu du jouet a besoin de Qt sur X11 (-platform xcb)</translation>
    </message>
</context>
<context>
    <name>Files</name>
    <message>
        <source>cannot read: %1</source>
        <translation>lecture impossible : %1</translation>
    </message>
    <message>
        <source>not a regular file but %1</source>
        <extracomment>%1 says what the file is instead: &quot;a folder&quot;, &quot;a device&quot; and the like.</extracomment>
        <translation>pas un fichier ordinaire mais %1</translation>
    </message>
    <message>
        <source>larger than %1 MiB</source>
        <translation>plus de %1 Mio</translation>
    </message>
    <message>
        <source>larger than %1 bytes</source>
        <translation>plus de %1 octets</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>un dossier</translation>
    </message>
    <message>
        <source>a fifo</source>
        <translation>une FIFO</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>un socket</translation>
    </message>
    <message>
        <source>a device</source>
        <translation>un périphérique</translation>
    </message>
    <message>
        <source>something else</source>
        <translation>autre chose</translation>
    </message>
    <message>
        <source>a pipe</source>
        <translation>un tube</translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>&amp;Wind it up</source>
        <extracomment>Pop-up menu: turns the toy&apos;s winding key one step.</extracomment>
        <translation>&amp;Remonter</translation>
    </message>
    <message>
        <source>&amp;Sound</source>
        <extracomment>Pop-up menu: a check item that turns the toy&apos;s sound effects on or off.</extracomment>
        <translation>&amp;Son</translation>
    </message>
    <message>
        <source>&amp;About Zorrel...</source>
        <extracomment>Pop-up menu: opens the about box. Zorrel is the toy&apos;s name.</extracomment>
        <translation>À &amp;propos de Zorrel...</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <extracomment>Pop-up menu: ends the program.</extracomment>
        <translation>&amp;Quitter</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>cannot create the folder: %1</source>
        <translation>impossible de créer le dossier : %1</translation>
    </message>
    <message>
        <source>the folder is not a folder</source>
        <translation>le dossier n’est pas un dossier</translation>
    </message>
    <message>
        <source>cannot write: %1</source>
        <translation>écriture impossible : %1</translation>
    </message>
    <message>
        <source>no home folder to keep settings in</source>
        <translation>aucun dossier personnel où garder les réglages</translation>
    </message>
    <message>
        <source>the settings folder &quot;%1&quot; has a name that is not UTF-8; settings are not kept</source>
        <translation>le dossier des réglages « %1 » a un nom qui n’est pas en UTF-8 ; les réglages ne sont pas conservés</translation>
    </message>
    <message>
        <source>locked by another program</source>
        <translation>verrouillé par un autre programme</translation>
    </message>
    <message>
        <source>cannot create the lock file</source>
        <translation>impossible de créer le fichier de verrou</translation>
    </message>
    <message>
        <source>the file would grow past %1 MiB</source>
        <translation>le fichier dépasserait %1 Mio</translation>
    </message>
    <message>
        <source>the file is read-only</source>
        <translation>le fichier est en lecture seule</translation>
    </message>
    <message>
        <source>access denied</source>
        <translation>accès refusé</translation>
    </message>
    <message>
        <source>the sound option: %1</source>
        <translation>l’option du son : %1</translation>
    </message>
    <message>
        <source>cannot store %1=%2 (%3); the option holds for this run only</source>
        <extracomment>%1=%2 is the stored line, as &quot;Zorrel Sound=True&quot;: keep it as it is. %3 says what went wrong.</extracomment>
        <translation>impossible d’enregistrer %1=%2 (%3) ; l’option ne vaut que pour cette fois</translation>
    </message>
    <message>
        <source>%1; using %2=%3 for this run</source>
        <extracomment>%1 says why the settings file cannot be read; %2=%3 is the line used instead, as &quot;Zorrel Sound=True&quot;: keep it as it is.</extracomment>
        <translation>%1 ; %2=%3 pour cette fois</translation>
    </message>
    <message>
        <source>unreadable value &quot;%1&quot; for %2 in [%3]; using %4 and storing it</source>
        <extracomment>%1 is the value found, %2 the key (&quot;Zorrel Sound&quot;), %3 the section (&quot;Coilwerks&quot;), %4 the value used instead (&quot;True&quot; or &quot;False&quot;).</extracomment>
        <translation>valeur illisible « %1 » pour %2 dans [%3] ; %4 est utilisé et enregistré</translation>
    </message>
</context>
<context>
    <name>Sound</name>
    <message>
        <source>cannot play %1: %2</source>
        <translation>impossible de jouer %1 : %2</translation>
    </message>
    <message>
        <source>cannot play sound effects (%1); they are silent until sound works again</source>
        <translation>impossible de jouer les effets sonores (%1) ; ils restent muets jusqu’à ce que le son refonctionne</translation>
    </message>
    <message>
        <source>sound effects are off: no %1 in %2</source>
        <translation>effets sonores désactivés : pas de %1 dans %2</translation>
    </message>
    <message>
        <source> or </source>
        <extracomment>Between the folders searched, as &quot;/a or /b&quot;.</extracomment>
        <translation> ou </translation>
    </message>
    <message>
        <source>sound effects are off: %1</source>
        <translation>effets sonores désactivés : %1</translation>
    </message>
    <message>
        <source>cannot play sound effects: no application object</source>
        <translation>impossible de jouer les effets sonores : pas d’objet application</translation>
    </message>
    <message>
        <source>no sound file %1 in %2; effects without their file are silent</source>
        <translation>pas de fichier son %1 dans %2 ; les effets sans leur fichier restent muets</translation>
    </message>
    <message>
        <source>the sound thread did not stop in time</source>
        <translation>le fil d’exécution du son ne s’est pas arrêté à temps</translation>
    </message>
    <message>
        <source>not a RIFF WAVE file</source>
        <translation>pas un fichier RIFF WAVE</translation>
    </message>
    <message>
        <source>damaged format chunk</source>
        <translation>bloc de format endommagé</translation>
    </message>
    <message>
        <source>unsupported sample format (code %1, %2-bit, %3-channel)</source>
        <translation>format d’échantillons non pris en charge (code %1, %2 bits, %3 canaux)</translation>
    </message>
    <message>
        <source>sound data before the format chunk</source>
        <translation>données sonores avant le bloc de format</translation>
    </message>
    <message>
        <source>no sound data</source>
        <translation>aucune donnée sonore</translation>
    </message>
    <message>
        <source>cannot start the sound server connection</source>
        <translation>impossible d’établir la connexion au serveur de son</translation>
    </message>
    <message>
        <source>no sound server: %1</source>
        <translation>pas de serveur de son : %1</translation>
    </message>
    <message>
        <source>the sound server does not answer</source>
        <translation>le serveur de son ne répond pas</translation>
    </message>
    <message>
        <source>the sound server refused a stream: %1</source>
        <translation>le serveur de son a refusé un flux : %1</translation>
    </message>
    <message>
        <source>lost the sound server</source>
        <translation>serveur de son perdu</translation>
    </message>
    <message>
        <source>lost the sound server: %1</source>
        <translation>serveur de son perdu : %1</translation>
    </message>
    <message>
        <source>audio error %1</source>
        <translation>erreur audio %1</translation>
    </message>
</context>
<context>
    <name>zorrel::about::AboutBox</name>
    <message>
        <source>by the Zorrel team</source>
        <extracomment>The about box&apos;s credit line, under the name Zorrel.</extracomment>
        <translation>par l’équipe Zorrel</translation>
    </message>
    <message>
        <source>Wind it up and it walks across the desktop.
To wind it up, move the mouse cursor to the 
body, press and hold the left mouse button, 
click the right mouse button. Release the 
left mouse button when finished.
</source>
        <extracomment>The about box&apos;s help text. Each line is one line of the box: break the lines where they read well, about as long as these.</extracomment>
        <translation>Remontez-le et il traverse le bureau.
Pour le remonter, placez le pointeur de
la souris sur son corps, maintenez le
bouton gauche enfoncé et cliquez avec le
bouton droit. Relâchez le bouton gauche
quand vous avez fini.
</translation>
    </message>
    <message>
        <source>About Zorrel</source>
        <extracomment>The about box&apos;s title. Zorrel is the toy&apos;s name.</extracomment>
        <translation>À propos de Zorrel</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
</context>
</TS>
