#pragma once

#include "toolkit/Controls.h"

#include <QHash>
#include <QObject>
#include <functional>
#include <vector>

class Dispatcher;
class QComboBox;
class QTimer;
class QWidget;

// Mirrors control models onto Qt widgets: after every handler, render() copies each control's
// state onto its widget (only what changed), starts and stops timers by their interval, and
// routes clicks and ticks to handlers through the dispatcher. Typing and list choices flow back.
class ControlBinder : public QObject
{
public:
    explicit ControlBinder(QObject *parent = nullptr);

    void setDispatcher(Dispatcher *dispatcher) { m_dispatcher = dispatcher; }

    // A label, picture, text box (single or multi-line) or button showing control.
    void bind(QWidget *widget, Control *control);
    void bindList(QComboBox *widget, ComboBox *control);
    // The timer ticks the handler through the dispatcher as a tick of the given kind.
    void bindTimer(QTimer *timer, const Timer *control, int kind, std::function<void()> handler);
    // A hand cursor, and the handler on a left click (nothing more when there is none), run as
    // an event of the given kind (Stop and the exits are urgent: they pass during a play).
    void onClick(QWidget *widget, std::function<void()> handler, int kind = 0);
    void run(int kind, const std::function<void()> &handler, const void *source = nullptr);

    void render();

    static QColor toQColor(ColorValue value, const QPalette &palette);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Binding
    {
        QWidget *widget;
        Control *control;
        Control shown;
        bool firstRender = true;
    };
    struct ListBinding
    {
        QComboBox *widget;
        ComboBox *control;
        ComboBox shown;
        bool firstRender = true;
    };
    struct TimerBinding
    {
        QTimer *timer;
        const Timer *control;
        unsigned settingsShown = 0;
    };

    static void apply(Binding &binding);

    Dispatcher *m_dispatcher = nullptr;
    std::vector<Binding> m_bindings;
    std::vector<ListBinding> m_lists;
    std::vector<TimerBinding> m_timers;
    struct Click
    {
        std::function<void()> handler;
        int kind;
    };
    QHash<QObject *, Click> m_clicks;
};
