#pragma once

#include "toolkit/Controls.h"

#include <QtGlobal>
#include <vector>

// The pictures a window can carry as its icon.
enum class WindowIcon {
    Application, // the program's icon
    BlinkRed,    // first of the two blink pictures
    BlinkCyan,   // second of the two blink pictures
};

enum class WindowState { Normal, Minimized };

// The alarm window as the platform sees it.
class WindowHost
{
public:
    virtual ~WindowHost() = default;
    // How far a modeless show goes. Asked for by the user, the window takes the keyboard focus;
    // the ring never takes it from another program, where the user may be typing, and where a
    // desktop gives a window that appears the focus anyway, no control of it holds the focus, so
    // keys meant for another program press nothing.
    enum class Showing {
        Activate, // visible, in front, with the keyboard focus
        Alert,    // visible, and marked as wanting attention; the focus stays where it is
        Reveal    // visible; where it stands and the focus stay as they are
    };
    // Modeless show: a hidden window becomes visible; its window state (normal or minimized)
    // does not change.
    virtual void show(Showing how = Showing::Activate) = 0;
    virtual void hide() = 0;
    virtual bool isVisible() const = 0;
    virtual WindowState windowState() const = 0;
    virtual void setWindowState(WindowState state) = 0;
    virtual quintptr handle() const = 0;
    virtual WindowIcon icon() const = 0;
    virtual void setIcon(WindowIcon icon) = 0;
    // 1440 divided by the screen's horizontal dots per inch.
    virtual double twipsPerPixelX() const = 0;
    // A screen reader reads the text out, once, from the window's control that shows it.
    virtual void announce(const QString &text) = 0;
    // Pops a menu up at the mouse and returns at once: the item chosen, if any, comes later as
    // an event of its own, so a sound playing to its end and the ticks go on while the menu is
    // up. An item captioned "-" is a separator; a bold item is the default.
    virtual void popupMenu(const std::vector<const MenuItem *> &items) = 0;
    // Ends the program at once: no further handler runs.
    virtual void endProgram() = 0;
};
