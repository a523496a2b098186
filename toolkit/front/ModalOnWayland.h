#pragma once

class QDialog;

// On a Wayland compositor that reads GNOME's shell extension (GNOME Shell, Phosh), marks a box
// modal to its window when it first shows: the compositor then places it over the window,
// keeps it there, and a click on the window gives the keyboard to the box rather than to the
// window behind it, where Qt would drop the keys. Wayland itself has no word for "modal", and
// without this GNOME takes a box for one more window of the program. There the box also draws
// its own title bar, as Qt's frame has buttons a box must not have. Elsewhere it does nothing.
void markModalOnWayland(QDialog &box);
// Asks the compositor, without waiting, which extensions it has; call once, at start.
void prepareModalOnWayland();
