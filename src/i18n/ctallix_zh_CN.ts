<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>ctallix::Bell</name>
    <message>
        <source>Refused</source>
        <translation>拒绝</translation>
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
        <translation>把算盘上的数作为第一个因数，或用它乘当前结果，然后清盘。</translation>
    </message>
    <message>
        <source>Divide</source>
        <translation>除</translation>
    </message>
    <message>
        <source>Takes the frame&apos;s number as the dividend, or divides the running result by it, and clears the frame.</source>
        <translation>把算盘上的数作为被除数，或用它除当前结果，然后清盘。</translation>
    </message>
    <message>
        <source>Equals</source>
        <translation>等于</translation>
    </message>
    <message>
        <source>Applies the last multiply or divide to the frame&apos;s number and lays the result on the beads.</source>
        <translation>用算盘上的数完成最后一次乘或除，并把结果拨在算珠上。</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>Clears the frame, the running result and the display.</source>
        <translation>清除算盘、当前结果和显示。</translation>
    </message>
</context>
<context>
    <name>ctallix::Platform</name>
    <message>
        <source>Qt&apos;s X11 platform plugin is not installed (Debian package libqt6gui6)</source>
        <translation>未安装 Qt 的 X11 平台插件（Debian 软件包 libqt6gui6）</translation>
    </message>
    <message>
        <source>Qt&apos;s Wayland platform plugin is not installed (Debian package qt6-wayland)</source>
        <translation>未安装 Qt 的 Wayland 平台插件（Debian 软件包 qt6-wayland）</translation>
    </message>
    <message>
        <source>Qt has no platform plugin &quot;%1&quot;</source>
        <translation>Qt 没有平台插件“%1”</translation>
    </message>
    <message>
        <source>no X server answers at DISPLAY=&quot;%1&quot;</source>
        <translation>DISPLAY=&quot;%1&quot; 上没有 X 服务器应答</translation>
    </message>
    <message>
        <source>DISPLAY is not set</source>
        <translation>DISPLAY 未设置</translation>
    </message>
    <message>
        <source>no Wayland compositor answers at WAYLAND_DISPLAY=&quot;%1&quot;</source>
        <translation>WAYLAND_DISPLAY=&quot;%1&quot; 上没有 Wayland 合成器应答</translation>
    </message>
    <message>
        <source>WAYLAND_DISPLAY is not set</source>
        <translation>WAYLAND_DISPLAY 未设置</translation>
    </message>
    <message>
        <source>Qt&apos;s platform &quot;%1&quot; did not start</source>
        <translation>Qt 平台“%1”未能启动</translation>
    </message>
    <message>
        <source>ctallix: cannot open the display: %1</source>
        <translation>ctallix: 无法打开显示：%1</translation>
    </message>
    <message>
        <source>neither DISPLAY nor WAYLAND_DISPLAY is set</source>
        <translation>DISPLAY 和 WAYLAND_DISPLAY 都未设置</translation>
    </message>
</context>
<context>
    <name>ctallix::Speech</name>
    <message>
        <source>Column %1, lower slot %2: gap</source>
        <translation>第%1档 下方第%2格：空位</translation>
    </message>
    <message>
        <source>Column %1, lower slot %2: bead</source>
        <translation>第%1档 下方第%2格：下珠</translation>
    </message>
    <message>
        <source>Column %1, upper slot away from the beam: gap</source>
        <translation>第%1档 上方离梁的格：空位</translation>
    </message>
    <message>
        <source>Column %1, upper slot away from the beam: bead</source>
        <translation>第%1档 上方离梁的格：上珠</translation>
    </message>
    <message>
        <source>Column %1, upper slot next to the beam: gap</source>
        <translation>第%1档 上方靠梁的格：空位</translation>
    </message>
    <message>
        <source>Column %1, upper slot next to the beam: bead</source>
        <translation>第%1档 上方靠梁的格：上珠</translation>
    </message>
    <message>
        <source>Top rail: show the digit hints</source>
        <translation>上框：显示数字提示</translation>
    </message>
    <message>
        <source>Bottom rail: show the digit hints</source>
        <translation>下框：显示数字提示</translation>
    </message>
    <message>
        <source>Beam: the frame reads %1</source>
        <translation>梁：算盘上的数是 %1</translation>
    </message>
    <message>
        <source>Column %1: %2</source>
        <translation>第%1档：%2</translation>
    </message>
    <message>
        <source>Hint under column %1: blank</source>
        <translation>第%1档提示：空</translation>
    </message>
    <message>
        <source>Hint under column %1: %2</source>
        <translation>第%1档提示：%2</translation>
    </message>
    <message>
        <source>Press: the column&apos;s lower beads count %1. Press with the right button: the upper bead adds 5 as well.</source>
        <translation>按下：本档下珠计为%1。用右键按下：上珠再加5。</translation>
    </message>
    <message>
        <source>Click: the upper bead moves against the beam and adds 5 to the column.</source>
        <translation>单击：上珠靠梁，本档加5。</translation>
    </message>
    <message>
        <source>Click: the upper bead moves away from the beam and takes 5 from the column.</source>
        <translation>单击：上珠离梁，本档减5。</translation>
    </message>
    <message>
        <source>Click: the digits of the last result show under the columns.</source>
        <translation>单击：在各档下方显示上次结果的数字。</translation>
    </message>
    <message>
        <source>Click: every column goes back to zero.</source>
        <translation>单击：清盘，各档归零。</translation>
    </message>
    <message>
        <source>Click: the decimal point goes after column 0, with no decimal places.</source>
        <translation>单击：小数点放在第0档之后，没有小数位。</translation>
    </message>
    <message>
        <source>Click: the decimal point goes after column %1; the %1 columns to its right hold decimal places.</source>
        <translation>单击：小数点放在第%1档之后，其右边%1档为小数位。</translation>
    </message>
    <message>
        <source>The result&apos;s digit in column %1. Click: the hints hide.</source>
        <translation>第%1档的结果数字。单击：隐藏提示。</translation>
    </message>
    <message>
        <source>Result: %1</source>
        <translation>结果：%1</translation>
    </message>
    <message>
        <source>Refused. Everything is cleared.</source>
        <translation>无法计算，已全部清除。</translation>
    </message>
    <message>
        <source>%1; the column reads %2</source>
        <translation>%1；本档为 %2</translation>
    </message>
    <message>
        <source>Decimal point after column %1; the frame reads %2</source>
        <translation>小数点在第%1档之后；算盘上的数是 %2</translation>
    </message>
    <message>
        <source>The frame reads %1</source>
        <translation>算盘上的数是 %1</translation>
    </message>
    <message>
        <source>Hints shown</source>
        <translation>已显示提示</translation>
    </message>
    <message>
        <source>Hints hidden</source>
        <translation>已隐藏提示</translation>
    </message>
    <message>
        <source>Everything is cleared.</source>
        <translation>已全部清除。</translation>
    </message>
    <message>
        <source>Running result: %1</source>
        <translation>中间结果：%1</translation>
    </message>
</context>
</TS>
