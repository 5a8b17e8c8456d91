<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name>ctallix::Bell</name>
    <message>
        <source>Refused</source>
        <translation>拒絕</translation>
    </message>
</context>
<context>
    <name>ctallix::Command</name>
    <message>
        <source>Multiply</source>
        <translation>乘</translation>
    </message>
    <message>
        <source>Takes the frame&apos;s number as the first factor, or multiplies the running result by it, and clears the frame.</source>
        <translation>把算盤上的數作為第一個因數，或用它乘目前結果，然後清盤。</translation>
    </message>
    <message>
        <source>Divide</source>
        <translation>除</translation>
    </message>
    <message>
        <source>Takes the frame&apos;s number as the dividend, or divides the running result by it, and clears the frame.</source>
        <translation>把算盤上的數作為被除數，或用它除目前結果，然後清盤。</translation>
    </message>
    <message>
        <source>Equals</source>
        <translation>等於</translation>
    </message>
    <message>
        <source>Applies the last multiply or divide to the frame&apos;s number and lays the result on the beads.</source>
        <translation>用算盤上的數完成最後一次乘或除，並把結果撥在算珠上。</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>Clears the frame, the running result and the display.</source>
        <translation>清除算盤、目前結果和顯示。</translation>
    </message>
</context>
<context>
    <name>ctallix::Platform</name>
    <message>
        <source>Qt&apos;s X11 platform plugin is not installed (Debian package libqt6gui6)</source>
        <translation>未安裝 Qt 的 X11 平台外掛（Debian 套件 libqt6gui6）</translation>
    </message>
    <message>
        <source>Qt&apos;s Wayland platform plugin is not installed (Debian package qt6-wayland)</source>
        <translation>未安裝 Qt 的 Wayland 平台外掛（Debian 套件 qt6-wayland）</translation>
    </message>
    <message>
        <source>Qt has no platform plugin &quot;%1&quot;</source>
        <translation>Qt 沒有平台外掛「%1」</translation>
    </message>
    <message>
        <source>no X server answers at DISPLAY=&quot;%1&quot;</source>
        <translation>DISPLAY=&quot;%1&quot; 上沒有 X 伺服器回應</translation>
    </message>
    <message>
        <source>DISPLAY is not set</source>
        <translation>DISPLAY 未設定</translation>
    </message>
    <message>
        <source>no Wayland compositor answers at WAYLAND_DISPLAY=&quot;%1&quot;</source>
        <translation>WAYLAND_DISPLAY=&quot;%1&quot; 上沒有 Wayland 合成器回應</translation>
    </message>
    <message>
        <source>WAYLAND_DISPLAY is not set</source>
        <translation>WAYLAND_DISPLAY 未設定</translation>
    </message>
    <message>
        <source>Qt&apos;s platform &quot;%1&quot; did not start</source>
        <translation>Qt 平台「%1」未能啟動</translation>
    </message>
    <message>
        <source>ctallix: cannot open the display: %1</source>
        <translation>ctallix: 無法開啟顯示：%1</translation>
    </message>
    <message>
        <source>neither DISPLAY nor WAYLAND_DISPLAY is set</source>
        <translation>DISPLAY 和 WAYLAND_DISPLAY 都未設定</translation>
    </message>
</context>
<context>
    <name>ctallix::Speech</name>
    <message>
        <source>Column %1, lower slot %2: gap</source>
        <translation>第%1檔 下方第%2格：空位</translation>
    </message>
    <message>
        <source>Column %1, lower slot %2: bead</source>
        <translation>第%1檔 下方第%2格：下珠</translation>
    </message>
    <message>
        <source>Column %1, upper slot away from the beam: gap</source>
        <translation>第%1檔 上方離梁的格：空位</translation>
    </message>
    <message>
        <source>Column %1, upper slot away from the beam: bead</source>
        <translation>第%1檔 上方離梁的格：上珠</translation>
    </message>
    <message>
        <source>Column %1, upper slot next to the beam: gap</source>
        <translation>第%1檔 上方靠梁的格：空位</translation>
    </message>
    <message>
        <source>Column %1, upper slot next to the beam: bead</source>
        <translation>第%1檔 上方靠梁的格：上珠</translation>
    </message>
    <message>
        <source>Top rail: show the digit hints</source>
        <translation>上框：顯示數字提示</translation>
    </message>
    <message>
        <source>Bottom rail: show the digit hints</source>
        <translation>下框：顯示數字提示</translation>
    </message>
    <message>
        <source>Beam: the frame reads %1</source>
        <translation>梁：算盤上的數是 %1</translation>
    </message>
    <message>
        <source>Column %1: %2</source>
        <translation>第%1檔：%2</translation>
    </message>
    <message>
        <source>Hint under column %1: blank</source>
        <translation>第%1檔提示：空</translation>
    </message>
    <message>
        <source>Hint under column %1: %2</source>
        <translation>第%1檔提示：%2</translation>
    </message>
    <message>
        <source>Press: the column&apos;s lower beads count %1. Press with the right button: the upper bead adds 5 as well.</source>
        <translation>按下：本檔下珠計為%1。用右鍵按下：上珠再加5。</translation>
    </message>
    <message>
        <source>Click: the upper bead moves against the beam and adds 5 to the column.</source>
        <translation>按一下：上珠靠梁，本檔加5。</translation>
    </message>
    <message>
        <source>Click: the upper bead moves away from the beam and takes 5 from the column.</source>
        <translation>按一下：上珠離梁，本檔減5。</translation>
    </message>
    <message>
        <source>Click: the digits of the last result show under the columns.</source>
        <translation>按一下：在各檔下方顯示上次結果的數字。</translation>
    </message>
    <message>
        <source>Click: every column goes back to zero.</source>
        <translation>按一下：清盤，各檔歸零。</translation>
    </message>
    <message>
        <source>Click: the decimal point goes after column 0, with no decimal places.</source>
        <translation>按一下：小數點放在第0檔之後，沒有小數位。</translation>
    </message>
    <message>
        <source>Click: the decimal point goes after column %1; the %1 columns to its right hold decimal places.</source>
        <translation>按一下：小數點放在第%1檔之後，其右邊%1檔為小數位。</translation>
    </message>
    <message>
        <source>The result&apos;s digit in column %1. Click: the hints hide.</source>
        <translation>第%1檔的結果數字。按一下：隱藏提示。</translation>
    </message>
    <message>
        <source>Result: %1</source>
        <translation>結果：%1</translation>
    </message>
    <message>
        <source>Refused. Everything is cleared.</source>
        <translation>無法計算，已全部清除。</translation>
    </message>
    <message>
        <source>%1; the column reads %2</source>
        <translation>%1；本檔為 %2</translation>
    </message>
    <message>
        <source>Decimal point after column %1; the frame reads %2</source>
        <translation>小數點在第%1檔之後；算盤上的數是 %2</translation>
    </message>
    <message>
        <source>The frame reads %1</source>
        <translation>算盤上的數是 %1</translation>
    </message>
    <message>
        <source>Hints shown</source>
        <translation>已顯示提示</translation>
    </message>
    <message>
        <source>Hints hidden</source>
        <translation>已隱藏提示</translation>
    </message>
    <message>
        <source>Everything is cleared.</source>
        <translation>已全部清除。</translation>
    </message>
    <message>
        <source>Running result: %1</source>
        <translation>中間結果：%1</translation>
    </message>
</context>
</TS>
