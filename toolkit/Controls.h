#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// The state of the desktop controls, kept in plain fields the logic reads back and a view
// mirrors. Captions and texts, flags, colours and intervals read back what was last written.

// A 32-bit colour value written &HBBGGRR (red in the lowest byte). With the top bit set it
// names a system colour by the index in its low byte.
using ColorValue = quint32;

namespace Colors {
constexpr ColorValue Black = 0x000000;
constexpr ColorValue White = 0xFFFFFF;
constexpr ColorValue Blue = 0xFF0000;
constexpr ColorValue Red = 0x0000FF;
constexpr ColorValue SystemFlag = 0x80000000;
constexpr ColorValue ButtonFace = SystemFlag | 15;
constexpr ColorValue InfoBackground = SystemFlag | 24;

constexpr ColorValue rgb(int r, int g, int b)
{
    return ColorValue(r & 0xFF) | ColorValue(g & 0xFF) << 8 | ColorValue(b & 0xFF) << 16;
}
constexpr bool isSystem(ColorValue c)
{
    return (c & SystemFlag) != 0;
}
} // namespace Colors

// A label, text box, image, picture box, command button or menu item: "text" is the caption
// of those that have one and the contents of a text box.
struct Control
{
    QString text;
    QString tooltip;
    bool enabled = true;
    bool visible = true;
    bool bold = false;
    ColorValue foreColor = Colors::Black;
    ColorValue backColor = Colors::ButtonFace;
    bool opaque = false; // a label paints its back colour; otherwise the window shows through

    bool operator==(const Control &) const = default;
};

using Label = Control;
using TextBox = Control;
using Image = Control;
using PictureBox = Control;
using CommandButton = Control;
using MenuItem = Control;

// A drop-down list that only takes a choice from its items.
struct ComboBox : Control
{
    QStringList items;
    int listIndex = -1;

    bool operator==(const ComboBox &) const = default;

    QString selectedText() const;
    // Selects the item with exactly this text; false (nothing changed) when there is none.
    bool selectText(const QString &itemText);
};

// The windows' half-second tick: the clock, the counters and the ring's steps run at it.
constexpr int TickMs = 500;

// A timer ticks on the window thread every interval milliseconds; 0 means it does not tick.
struct Timer
{
    int interval = 0;
    // The first tick this many milliseconds after the setting, the next ones an interval apart
    // (0: the first an interval after it too).
    int firstAfter = 0;
    // Setting the interval starts its count afresh, also to the value it had: the view restarts
    // the timer whenever this count moves.
    unsigned settings = 0;
    void setInterval(int ms, int firstAfterMs = 0)
    {
        interval = ms;
        firstAfter = firstAfterMs;
        ++settings;
    }
};

// A 16-bit boolean as the alarm's state record keeps it: -1 true, 0 false.
using Flag16 = qint16;
constexpr Flag16 FlagTrue = -1;
constexpr Flag16 FlagFalse = 0;
