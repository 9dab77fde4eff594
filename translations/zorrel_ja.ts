<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>CommandLine</name>
    <message>
        <source>unexpected argument &quot;%1&quot;</source>
        <extracomment>%1 is the argument as given on the command line.</extracomment>
        <translation>予期しない引数「%1」</translation>
    </message>
    <message>
        <source>unknown option &quot;%1&quot;</source>
        <translation>不明なオプション「%1」</translation>
    </message>
    <message>
        <source>option &quot;%1&quot; needs a value</source>
        <translation>オプション「%1」には値が必要です</translation>
    </message>
    <message>
        <source>option &quot;%1&quot; takes x11 or wayland</source>
        <extracomment>Keep x11 and wayland as they are: they are the option&apos;s values.</extracomment>
        <translation>オプション「%1」には x11 か wayland を指定します</translation>
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
        <translation>使い方: zorrel [オプション]...
デスクトップを歩く、ぜんまい仕掛けの生き物です。左ボタンで押さえた
まま右ボタンをクリックするとねじが巻かれ、放すと歩き出します。

  -h, --help        このヘルプを表示して終了する
      --version     バージョンを表示して終了する
  -display NAME     $DISPLAY の代わりに X ディスプレイ NAME を使う
      --window-system=x11|wayland
                    おもちゃを X11 (Wayland セッションでは
                    Xwayland) で表示するか、$WAYLAND_DISPLAY の
                    Wayland コンポジターのレイヤーサーフェスとして
                    表示する (Linux のみ)。指定がなければ、
                    コンポジターがレイヤーシェルを提供していれば
                    レイヤーサーフェス (KWin を除く)、それ以外は
                    X11。メニューと「Zorrel について」はどちらの
                    場合も X11 に表示されるため、X ディスプレイが必要

Qt の標準オプション (-platform、-style、-geometry、-qwindowgeometry、
-reverse、-session など) は Qt にそのまま渡されます。
</translation>
    </message>
</context>
<context>
    <name>Display</name>
    <message>
        <source>lost the connection to the display</source>
        <translation>ディスプレイとの接続が切れました</translation>
    </message>
    <message>
        <source>no display (DISPLAY is not set)</source>
        <translation>ディスプレイがありません (DISPLAY が設定されていません)</translation>
    </message>
    <message>
        <source>display %1 does not answer</source>
        <translation>ディスプレイ %1 が応答しません</translation>
    </message>
    <message>
        <source>cannot open display %1</source>
        <translation>ディスプレイ %1 を開けません</translation>
    </message>
    <message>
        <source>display %1 has %2-bit colour; the toy needs at least %3 bits</source>
        <translation>ディスプレイ %1 の色数は %2 ビットです。このおもちゃには %3 ビット以上が必要です</translation>
    </message>
    <message>
        <source>no Wayland display (WAYLAND_DISPLAY is not set)</source>
        <translation>Wayland ディスプレイがありません (WAYLAND_DISPLAY が設定されていません)</translation>
    </message>
    <message>
        <source>cannot connect to Wayland display &quot;%1&quot;</source>
        <translation>Wayland ディスプレイ「%1」に接続できません</translation>
    </message>
    <message>
        <source>the Wayland display does not answer</source>
        <translation>Wayland ディスプレイが応答しません</translation>
    </message>
    <message>
        <source>the Wayland display lacks a compositor or shared memory</source>
        <translation>Wayland ディスプレイにコンポジターか共有メモリがありません</translation>
    </message>
    <message>
        <source>the Wayland compositor offers no layer shell (zwlr_layer_shell_v1)</source>
        <translation>Wayland コンポジターがレイヤーシェルを提供していません (zwlr_layer_shell_v1)</translation>
    </message>
    <message>
        <source>the Wayland compositor has no output</source>
        <translation>Wayland コンポジターに出力先の画面がありません</translation>
    </message>
    <message>
        <source>lost the connection to the Wayland display</source>
        <translation>Wayland ディスプレイとの接続が切れました</translation>
    </message>
    <message>
        <source>%1; the toy shows on X11</source>
        <extracomment>%1 is why the toy&apos;s own Wayland surface cannot be used.</extracomment>
        <translation>%1。おもちゃは X11 で表示します</translation>
    </message>
    <message>
        <source>%1; the toy&apos;s menu and about box need an X display (Xwayland)</source>
        <extracomment>%1 is why the X display cannot be used.</extracomment>
        <translation>%1。おもちゃのメニューと「Zorrel について」には X ディスプレイ (Xwayland) が必要です</translation>
    </message>
    <message>
        <source>the toy&apos;s menu needs Qt on X11 (-platform xcb)</source>
        <translation>おもちゃのメニューには X11 上の Qt が必要です (-platform xcb)</translation>
    </message>
</context>
<context>
    <name>Files</name>
    <message>
        <source>cannot read: %1</source>
        <translation>読み込めません: %1</translation>
    </message>
    <message>
        <source>not a regular file but %1</source>
        <extracomment>%1 says what the file is instead: &quot;a folder&quot;, &quot;a device&quot; and the like.</extracomment>
        <translation>通常のファイルではなく、%1です</translation>
    </message>
    <message>
        <source>larger than %1 MiB</source>
        <translation>%1 MiB を超えています</translation>
    </message>
    <message>
        <source>larger than %1 bytes</source>
        <translation>%1 バイトを超えています</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>フォルダー</translation>
    </message>
    <message>
        <source>a fifo</source>
        <translation>FIFO</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>ソケット</translation>
    </message>
    <message>
        <source>a device</source>
        <translation>デバイス</translation>
    </message>
    <message>
        <source>something else</source>
        <translation>その他のもの</translation>
    </message>
    <message>
        <source>a pipe</source>
        <translation>パイプ</translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>&amp;Wind it up</source>
        <extracomment>Pop-up menu: turns the toy&apos;s winding key one step.</extracomment>
        <translation>ねじを巻く(&amp;W)</translation>
    </message>
    <message>
        <source>&amp;Sound</source>
        <extracomment>Pop-up menu: a check item that turns the toy&apos;s sound effects on or off.</extracomment>
        <translation>サウンド(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;About Zorrel...</source>
        <extracomment>Pop-up menu: opens the about box. Zorrel is the toy&apos;s name.</extracomment>
        <translation>Zorrel について(&amp;A)...</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <extracomment>Pop-up menu: ends the program.</extracomment>
        <translation>終了(&amp;X)</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>cannot create the folder: %1</source>
        <translation>フォルダーを作成できません: %1</translation>
    </message>
    <message>
        <source>the folder is not a folder</source>
        <translation>フォルダーがフォルダーではありません</translation>
    </message>
    <message>
        <source>cannot write: %1</source>
        <translation>書き込めません: %1</translation>
    </message>
    <message>
        <source>no home folder to keep settings in</source>
        <translation>設定を保存するホームフォルダーがありません</translation>
    </message>
    <message>
        <source>the settings folder &quot;%1&quot; has a name that is not UTF-8; settings are not kept</source>
        <translation>設定フォルダー「%1」の名前が UTF-8 ではないため、設定は保存されません</translation>
    </message>
    <message>
        <source>locked by another program</source>
        <translation>別のプログラムがロックしています</translation>
    </message>
    <message>
        <source>cannot create the lock file</source>
        <translation>ロックファイルを作成できません</translation>
    </message>
    <message>
        <source>the file would grow past %1 MiB</source>
        <translation>ファイルが %1 MiB を超えてしまいます</translation>
    </message>
    <message>
        <source>the file is read-only</source>
        <translation>ファイルは読み取り専用です</translation>
    </message>
    <message>
        <source>access denied</source>
        <translation>アクセスが拒否されました</translation>
    </message>
    <message>
        <source>the sound option: %1</source>
        <translation>サウンドの設定: %1</translation>
    </message>
    <message>
        <source>cannot store %1=%2 (%3); the option holds for this run only</source>
        <extracomment>%1=%2 is the stored line, as &quot;Zorrel Sound=True&quot;: keep it as it is. %3 says what went wrong.</extracomment>
        <translation>%1=%2 を保存できません (%3)。この設定は今回だけ有効です</translation>
    </message>
    <message>
        <source>%1; using %2=%3 for this run</source>
        <extracomment>%1 says why the settings file cannot be read; %2=%3 is the line used instead, as &quot;Zorrel Sound=True&quot;: keep it as it is.</extracomment>
        <translation>%1。今回は %2=%3 を使います</translation>
    </message>
    <message>
        <source>unreadable value &quot;%1&quot; for %2 in [%3]; using %4 and storing it</source>
        <extracomment>%1 is the value found, %2 the key (&quot;Zorrel Sound&quot;), %3 the section (&quot;Coilwerks&quot;), %4 the value used instead (&quot;True&quot; or &quot;False&quot;).</extracomment>
        <translation>[%3] の %2 の値「%1」を読み取れません。%4 を使い、保存します</translation>
    </message>
</context>
<context>
    <name>Sound</name>
    <message>
        <source>cannot play %1: %2</source>
        <translation>%1 を再生できません: %2</translation>
    </message>
    <message>
        <source>cannot play sound effects (%1); they are silent until sound works again</source>
        <translation>効果音を再生できません (%1)。サウンドが再び使えるようになるまで鳴りません</translation>
    </message>
    <message>
        <source>sound effects are off: no %1 in %2</source>
        <translation>効果音はオフです: %2 に %1 がありません</translation>
    </message>
    <message>
        <source> or </source>
        <extracomment>Between the folders searched, as &quot;/a or /b&quot;.</extracomment>
        <translation> または </translation>
    </message>
    <message>
        <source>sound effects are off: %1</source>
        <translation>効果音はオフです: %1</translation>
    </message>
    <message>
        <source>cannot play sound effects: no application object</source>
        <translation>効果音を再生できません: アプリケーションオブジェクトがありません</translation>
    </message>
    <message>
        <source>no sound file %1 in %2; effects without their file are silent</source>
        <translation>%2 にサウンドファイル %1 がありません。ファイルのない効果音は鳴りません</translation>
    </message>
    <message>
        <source>the sound thread did not stop in time</source>
        <translation>サウンドのスレッドが時間内に止まりませんでした</translation>
    </message>
    <message>
        <source>not a RIFF WAVE file</source>
        <translation>RIFF WAVE ファイルではありません</translation>
    </message>
    <message>
        <source>damaged format chunk</source>
        <translation>フォーマットチャンクが壊れています</translation>
    </message>
    <message>
        <source>unsupported sample format (code %1, %2-bit, %3-channel)</source>
        <translation>対応していないサンプル形式です (コード %1、%2 ビット、%3 チャンネル)</translation>
    </message>
    <message>
        <source>sound data before the format chunk</source>
        <translation>フォーマットチャンクより前にサウンドデータがあります</translation>
    </message>
    <message>
        <source>no sound data</source>
        <translation>サウンドデータがありません</translation>
    </message>
    <message>
        <source>cannot start the sound server connection</source>
        <translation>サウンドサーバーへの接続を開始できません</translation>
    </message>
    <message>
        <source>no sound server: %1</source>
        <translation>サウンドサーバーがありません: %1</translation>
    </message>
    <message>
        <source>the sound server does not answer</source>
        <translation>サウンドサーバーが応答しません</translation>
    </message>
    <message>
        <source>the sound server refused a stream: %1</source>
        <translation>サウンドサーバーがストリームを拒否しました: %1</translation>
    </message>
    <message>
        <source>lost the sound server</source>
        <translation>サウンドサーバーとの接続が切れました</translation>
    </message>
    <message>
        <source>lost the sound server: %1</source>
        <translation>サウンドサーバーとの接続が切れました: %1</translation>
    </message>
    <message>
        <source>audio error %1</source>
        <translation>オーディオエラー %1</translation>
    </message>
</context>
<context>
    <name>zorrel::about::AboutBox</name>
    <message>
        <source>by the Zorrel team</source>
        <extracomment>The about box&apos;s credit line, under the name Zorrel.</extracomment>
        <translation>制作: Zorrel チーム</translation>
    </message>
    <message>
        <source>Wind it up and it walks across the desktop.
To wind it up, move the mouse cursor to the 
body, press and hold the left mouse button, 
click the right mouse button. Release the 
left mouse button when finished.
</source>
        <extracomment>The about box&apos;s help text. Each line is one line of the box: break the lines where they read well, about as long as these.</extracomment>
        <translation>ねじを巻くと、デスクトップを歩きます。
ねじを巻くには、マウスカーソルを胴体に
合わせ、左ボタンを押したまま右ボタンを
クリックします。巻き終わったら左ボタン
を放してください。
</translation>
    </message>
    <message>
        <source>About Zorrel</source>
        <extracomment>The about box&apos;s title. Zorrel is the toy&apos;s name.</extracomment>
        <translation>Zorrel について</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>OK</translation>
    </message>
</context>
</TS>
