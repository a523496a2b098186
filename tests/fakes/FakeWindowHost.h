#pragma once

#include "toolkit/WindowHost.h"

#include <QList>
#include <QStringList>
#include <functional>

// The alarm window's platform side as a test sees it: visibility, state and icon as fields.
class FakeWindowHost : public WindowHost
{
public:
    void show(Showing how = Showing::Activate) override;
    void hide() override { visible = false; }
    bool isVisible() const override { return visible; }
    WindowState windowState() const override { return state; }
    void setWindowState(WindowState s) override { state = s; }
    quintptr handle() const override { return 0x5A17; }
    WindowIcon icon() const override { return currentIcon; }
    void setIcon(WindowIcon i) override { currentIcon = i; }
    double twipsPerPixelX() const override { return twipsPerPixel; }
    void announce(const QString &text) override { announcements << text; }
    void popupMenu(const std::vector<const MenuItem *> &items) override;
    void endProgram() override { ended = true; }

    // The menus popped up, each as its items' captions ("*" before the default).
    QList<QStringList> menus;

    bool visible = false;
    WindowState state = WindowState::Normal;
    QList<Showing> showings; // how each show went
    QStringList announcements;
    bool ended = false;
    double twipsPerPixel = 15.0;
    WindowIcon currentIcon = WindowIcon::Application;
};
