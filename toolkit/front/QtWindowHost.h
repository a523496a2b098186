#pragma once

#include "toolkit/WindowHost.h"

#include <QIcon>
#include <QPointer>
#include <functional>

class QWidget;

// The alarm window's platform side, over a real top-level QWidget.
class QtWindowHost : public WindowHost
{
public:
    using IconSource = std::function<QIcon(WindowIcon)>;
    // Receives the index of the item chosen in a menu popped up.
    using MenuChoice = std::function<void(int index)>;

    QtWindowHost(QWidget *window, IconSource icons);
    void setMenuChoice(MenuChoice chosen) { m_menuChoice = std::move(chosen); }

    void show(Showing how = Showing::Activate) override;
    void hide() override;
    bool isVisible() const override;
    WindowState windowState() const override;
    void setWindowState(WindowState state) override;
    quintptr handle() const override;
    WindowIcon icon() const override;
    void setIcon(WindowIcon icon) override;
    double twipsPerPixelX() const override;
    void announce(const QString &text) override;
    void popupMenu(const std::vector<const MenuItem *> &items) override;
    void endProgram() override;

private:
    void parkFocus();
    void unparkFocus();

    QWidget *m_window;
    IconSource m_icons;
    MenuChoice m_menuChoice;
    WindowIcon m_icon = WindowIcon::Application;
    QPointer<QWidget> m_parkedFocus; // the control that had the focus before the window held it
};
