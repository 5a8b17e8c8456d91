<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>ctallix::Bell</name>
    <message>
        <source>Refused</source>
        <translation>Abgelehnt</translation>
    </message>
</context>
<context>
    <name>ctallix::Command</name>
    <message>
        <source>Multiply</source>
        <translation>Multiplizieren</translation>
    </message>
    <message>
        <source>Takes the frame&apos;s number as the first factor, or multiplies the running result by it, and clears the frame.</source>
        <translation>Nimmt die Zahl auf dem Rechenbrett als ersten Faktor oder multipliziert das laufende Ergebnis damit, und leert das Rechenbrett.</translation>
    </message>
    <message>
        <source>Divide</source>
        <translation>Dividieren</translation>
    </message>
    <message>
        <source>Takes the frame&apos;s number as the dividend, or divides the running result by it, and clears the frame.</source>
        <translation>Nimmt die Zahl auf dem Rechenbrett als Dividenden oder teilt das laufende Ergebnis durch sie, und leert das Rechenbrett.</translation>
    </message>
    <message>
        <source>Equals</source>
        <translation>Gleich</translation>
    </message>
    <message>
        <source>Applies the last multiply or divide to the frame&apos;s number and lays the result on the beads.</source>
        <translation>Führt die letzte Multiplikation oder Division mit der Zahl auf dem Rechenbrett aus und legt das Ergebnis auf die Perlen.</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Clears the frame, the running result and the display.</source>
        <translation>Leert das Rechenbrett, das laufende Ergebnis und die Anzeige.</translation>
    </message>
</context>
<context>
    <name>ctallix::Platform</name>
    <message>
        <source>Qt&apos;s X11 platform plugin is not installed (Debian package libqt6gui6)</source>
        <translation>Qts X11-Plattform-Plugin ist nicht installiert (Debian-Paket libqt6gui6)</translation>
    </message>
    <message>
        <source>Qt&apos;s Wayland platform plugin is not installed (Debian package qt6-wayland)</source>
        <translation>Qts Wayland-Plattform-Plugin ist nicht installiert (Debian-Paket qt6-wayland)</translation>
    </message>
    <message>
        <source>Qt has no platform plugin &quot;%1&quot;</source>
        <translation>Qt hat kein Plattform-Plugin „%1“</translation>
    </message>
    <message>
        <source>no X server answers at DISPLAY=&quot;%1&quot;</source>
        <translation>kein X-Server antwortet an DISPLAY=&quot;%1&quot;</translation>
    </message>
    <message>
        <source>DISPLAY is not set</source>
        <translation>DISPLAY ist nicht gesetzt</translation>
    </message>
    <message>
        <source>no Wayland compositor answers at WAYLAND_DISPLAY=&quot;%1&quot;</source>
        <translation>kein Wayland-Compositor antwortet an WAYLAND_DISPLAY=&quot;%1&quot;</translation>
    </message>
    <message>
        <source>WAYLAND_DISPLAY is not set</source>
        <translation>WAYLAND_DISPLAY ist nicht gesetzt</translation>
    </message>
    <message>
        <source>Qt&apos;s platform &quot;%1&quot; did not start</source>
        <translation>Qts Plattform „%1“ ist nicht gestartet</translation>
    </message>
    <message>
        <source>ctallix: cannot open the display: %1</source>
        <translation>ctallix: kann die Anzeige nicht öffnen: %1</translation>
    </message>
    <message>
        <source>neither DISPLAY nor WAYLAND_DISPLAY is set</source>
        <translation>weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt</translation>
    </message>
</context>
<context>
    <name>ctallix::Speech</name>
    <message>
        <source>Column %1, lower slot %2: gap</source>
        <translation>Stab %1, unteres Feld %2: Lücke</translation>
    </message>
    <message>
        <source>Column %1, lower slot %2: bead</source>
        <translation>Stab %1, unteres Feld %2: Perle</translation>
    </message>
    <message>
        <source>Column %1, upper slot away from the beam: gap</source>
        <translation>Stab %1, oberes Feld fern vom Balken: Lücke</translation>
    </message>
    <message>
        <source>Column %1, upper slot away from the beam: bead</source>
        <translation>Stab %1, oberes Feld fern vom Balken: Perle</translation>
    </message>
    <message>
        <source>Column %1, upper slot next to the beam: gap</source>
        <translation>Stab %1, oberes Feld am Balken: Lücke</translation>
    </message>
    <message>
        <source>Column %1, upper slot next to the beam: bead</source>
        <translation>Stab %1, oberes Feld am Balken: Perle</translation>
    </message>
    <message>
        <source>Top rail: show the digit hints</source>
        <translation>Oberer Rahmen: Ziffernhilfe zeigen</translation>
    </message>
    <message>
        <source>Bottom rail: show the digit hints</source>
        <translation>Unterer Rahmen: Ziffernhilfe zeigen</translation>
    </message>
    <message>
        <source>Beam: the frame reads %1</source>
        <translation>Balken: das Rechenbrett zeigt %1</translation>
    </message>
    <message>
        <source>Column %1: %2</source>
        <translation>Stab %1: %2</translation>
    </message>
    <message>
        <source>Hint under column %1: blank</source>
        <translation>Hilfe unter Stab %1: leer</translation>
    </message>
    <message>
        <source>Hint under column %1: %2</source>
        <translation>Hilfe unter Stab %1: %2</translation>
    </message>
    <message>
        <source>Press: the column&apos;s lower beads count %1. Press with the right button: the upper bead adds 5 as well.</source>
        <translation>Drücken: die unteren Perlen des Stabs zählen %1. Mit der rechten Taste: die obere Perle zählt 5 dazu.</translation>
    </message>
    <message>
        <source>Click: the upper bead moves against the beam and adds 5 to the column.</source>
        <translation>Klicken: die obere Perle rückt an den Balken und zählt 5 zum Stab dazu.</translation>
    </message>
    <message>
        <source>Click: the upper bead moves away from the beam and takes 5 from the column.</source>
        <translation>Klicken: die obere Perle rückt vom Balken weg und nimmt dem Stab 5 weg.</translation>
    </message>
    <message>
        <source>Click: the digits of the last result show under the columns.</source>
        <translation>Klicken: die Ziffern des letzten Ergebnisses erscheinen unter den Stäben.</translation>
    </message>
    <message>
        <source>Click: every column goes back to zero.</source>
        <translation>Klicken: alle Stäbe gehen auf null zurück.</translation>
    </message>
    <message>
        <source>Click: the decimal point goes after column 0, with no decimal places.</source>
        <translation>Klicken: das Komma steht hinter Stab 0, ohne Nachkommastellen.</translation>
    </message>
    <message>
        <source>Click: the decimal point goes after column %1; the %1 columns to its right hold decimal places.</source>
        <translation>Klicken: das Komma steht hinter Stab %1; die %1 Stäbe rechts davon sind Nachkommastellen.</translation>
    </message>
    <message>
        <source>The result&apos;s digit in column %1. Click: the hints hide.</source>
        <translation>Die Ziffer des Ergebnisses in Stab %1. Klicken: die Hilfen verschwinden.</translation>
    </message>
    <message>
        <source>Result: %1</source>
        <translation>Ergebnis: %1</translation>
    </message>
    <message>
        <source>Refused. Everything is cleared.</source>
        <translation>Abgelehnt. Alles ist gelöscht.</translation>
    </message>
    <message>
        <source>%1; the column reads %2</source>
        <translation>%1; der Stab zeigt %2</translation>
    </message>
    <message>
        <source>Decimal point after column %1; the frame reads %2</source>
        <translation>Komma nach Stab %1; das Rechenbrett zeigt %2</translation>
    </message>
    <message>
        <source>The frame reads %1</source>
        <translation>Das Rechenbrett zeigt %1</translation>
    </message>
    <message>
        <source>Hints shown</source>
        <translation>Ziffernhilfe gezeigt</translation>
    </message>
    <message>
        <source>Hints hidden</source>
        <translation>Ziffernhilfe verborgen</translation>
    </message>
    <message>
        <source>Everything is cleared.</source>
        <translation>Alles ist gelöscht.</translation>
    </message>
    <message>
        <source>Running result: %1</source>
        <translation>Zwischenergebnis: %1</translation>
    </message>
</context>
</TS>
