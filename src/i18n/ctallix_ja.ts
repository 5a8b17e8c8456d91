<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>ctallix::Bell</name>
    <message>
        <source>Refused</source>
        <translation>拒否</translation>
    </message>
</context>
<context>
    <name>ctallix::Command</name>
    <message>
        <source>Multiply</source>
        <translation>掛け算</translation>
    </message>
    <message>
        <source>Takes the frame&apos;s number as the first factor, or multiplies the running result by it, and clears the frame.</source>
        <translation>そろばんの数を最初の数として取るか、途中の答えに掛けて、そろばんを払います。</translation>
    </message>
    <message>
        <source>Divide</source>
        <translation>割り算</translation>
    </message>
    <message>
        <source>Takes the frame&apos;s number as the dividend, or divides the running result by it, and clears the frame.</source>
        <translation>そろばんの数を割られる数として取るか、途中の答えをそれで割って、そろばんを払います。</translation>
    </message>
    <message>
        <source>Equals</source>
        <translation>イコール</translation>
    </message>
    <message>
        <source>Applies the last multiply or divide to the frame&apos;s number and lays the result on the beads.</source>
        <translation>最後の掛け算か割り算をそろばんの数で行い、答えを珠に置きます。</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>クリア</translation>
    </message>
    <message>
        <source>Clears the frame, the running result and the display.</source>
        <translation>そろばん、途中の答え、表示をすべて消します。</translation>
    </message>
</context>
<context>
    <name>ctallix::Platform</name>
    <message>
        <source>Qt&apos;s X11 platform plugin is not installed (Debian package libqt6gui6)</source>
        <translation>Qt の X11 プラットフォームプラグインがインストールされていません（Debian パッケージ libqt6gui6）</translation>
    </message>
    <message>
        <source>Qt&apos;s Wayland platform plugin is not installed (Debian package qt6-wayland)</source>
        <translation>Qt の Wayland プラットフォームプラグインがインストールされていません（Debian パッケージ qt6-wayland）</translation>
    </message>
    <message>
        <source>Qt has no platform plugin &quot;%1&quot;</source>
        <translation>Qt にプラットフォームプラグイン「%1」がありません</translation>
    </message>
    <message>
        <source>no X server answers at DISPLAY=&quot;%1&quot;</source>
        <translation>DISPLAY=&quot;%1&quot; の X サーバーが応答しません</translation>
    </message>
    <message>
        <source>DISPLAY is not set</source>
        <translation>DISPLAY が設定されていません</translation>
    </message>
    <message>
        <source>no Wayland compositor answers at WAYLAND_DISPLAY=&quot;%1&quot;</source>
        <translation>WAYLAND_DISPLAY=&quot;%1&quot; の Wayland コンポジターが応答しません</translation>
    </message>
    <message>
        <source>WAYLAND_DISPLAY is not set</source>
        <translation>WAYLAND_DISPLAY が設定されていません</translation>
    </message>
    <message>
        <source>Qt&apos;s platform &quot;%1&quot; did not start</source>
        <translation>Qt のプラットフォーム「%1」を開始できませんでした</translation>
    </message>
    <message>
        <source>ctallix: cannot open the display: %1</source>
        <translation>ctallix: 画面を開けません: %1</translation>
    </message>
    <message>
        <source>neither DISPLAY nor WAYLAND_DISPLAY is set</source>
        <translation>DISPLAY も WAYLAND_DISPLAY も設定されていません</translation>
    </message>
</context>
<context>
    <name>ctallix::Speech</name>
    <message>
        <source>Column %1, lower slot %2: gap</source>
        <translation>第%1桁 下の%2番: すき間</translation>
    </message>
    <message>
        <source>Column %1, lower slot %2: bead</source>
        <translation>第%1桁 下の%2番: 一珠</translation>
    </message>
    <message>
        <source>Column %1, upper slot away from the beam: gap</source>
        <translation>第%1桁 上の梁から遠い位置: すき間</translation>
    </message>
    <message>
        <source>Column %1, upper slot away from the beam: bead</source>
        <translation>第%1桁 上の梁から遠い位置: 五珠</translation>
    </message>
    <message>
        <source>Column %1, upper slot next to the beam: gap</source>
        <translation>第%1桁 上の梁側の位置: すき間</translation>
    </message>
    <message>
        <source>Column %1, upper slot next to the beam: bead</source>
        <translation>第%1桁 上の梁側の位置: 五珠</translation>
    </message>
    <message>
        <source>Top rail: show the digit hints</source>
        <translation>上枠: 数字のヒントを表示</translation>
    </message>
    <message>
        <source>Bottom rail: show the digit hints</source>
        <translation>下枠: 数字のヒントを表示</translation>
    </message>
    <message>
        <source>Beam: the frame reads %1</source>
        <translation>梁: そろばんの数は %1</translation>
    </message>
    <message>
        <source>Column %1: %2</source>
        <translation>第%1桁: %2</translation>
    </message>
    <message>
        <source>Hint under column %1: blank</source>
        <translation>第%1桁のヒント: なし</translation>
    </message>
    <message>
        <source>Hint under column %1: %2</source>
        <translation>第%1桁のヒント: %2</translation>
    </message>
    <message>
        <source>Press: the column&apos;s lower beads count %1. Press with the right button: the upper bead adds 5 as well.</source>
        <translation>押す: この桁の一珠が%1になります。右ボタンで押すと五珠の5も加わります。</translation>
    </message>
    <message>
        <source>Click: the upper bead moves against the beam and adds 5 to the column.</source>
        <translation>クリック: 五珠が梁に寄り、この桁に5が加わります。</translation>
    </message>
    <message>
        <source>Click: the upper bead moves away from the beam and takes 5 from the column.</source>
        <translation>クリック: 五珠が梁から離れ、この桁から5が引かれます。</translation>
    </message>
    <message>
        <source>Click: the digits of the last result show under the columns.</source>
        <translation>クリック: 最後の答えの数字が各桁の下に出ます。</translation>
    </message>
    <message>
        <source>Click: every column goes back to zero.</source>
        <translation>クリック: ご破算。すべての桁が0に戻ります。</translation>
    </message>
    <message>
        <source>Click: the decimal point goes after column 0, with no decimal places.</source>
        <translation>クリック: 小数点を第0桁の後ろに置きます（小数なし）。</translation>
    </message>
    <message>
        <source>Click: the decimal point goes after column %1; the %1 columns to its right hold decimal places.</source>
        <translation>クリック: 小数点を第%1桁の後ろに置きます。右側の%1桁が小数です。</translation>
    </message>
    <message>
        <source>The result&apos;s digit in column %1. Click: the hints hide.</source>
        <translation>第%1桁の答えの数字。クリック: ヒントを隠します。</translation>
    </message>
    <message>
        <source>Result: %1</source>
        <translation>答え: %1</translation>
    </message>
    <message>
        <source>Refused. Everything is cleared.</source>
        <translation>できません。すべてクリアしました。</translation>
    </message>
    <message>
        <source>%1; the column reads %2</source>
        <translation>%1。この桁は %2</translation>
    </message>
    <message>
        <source>Decimal point after column %1; the frame reads %2</source>
        <translation>小数点は第%1桁の後。そろばんの数は %2</translation>
    </message>
    <message>
        <source>The frame reads %1</source>
        <translation>そろばんの数は %1</translation>
    </message>
    <message>
        <source>Hints shown</source>
        <translation>ヒントを表示</translation>
    </message>
    <message>
        <source>Hints hidden</source>
        <translation>ヒントを非表示</translation>
    </message>
    <message>
        <source>Everything is cleared.</source>
        <translation>すべてクリアしました。</translation>
    </message>
    <message>
        <source>Running result: %1</source>
        <translation>途中の答え: %1</translation>
    </message>
</context>
</TS>
