#pragma once

#include "toolkit/Controls.h"
#include "toolkit/Dispatcher.h"

#include <QHash>
#include <QObject>
#include <functional>
#include <vector>

class QComboBox;
class QTimer;
class QWidget;

// Mirrors one window's control models onto its Qt widgets: render() copies each control's state
// onto its widget (only what changed) and starts and stops timers by their interval. Clicks and
// ticks reach their handlers through the dispatcher, and after each handler that ran, the
// window this binder serves is rendered. Typing and list choices flow back.
class ControlBinder : public QObject
{
public:
    using Handler = Dispatcher::Handler;
    using Kind = Dispatcher::Kind;

    explicit ControlBinder(QObject *parent = nullptr);

    // renderWindow shows what a handler did: the window's render(), which calls this one's.
    void setDispatcher(Dispatcher *dispatcher, Handler renderWindow);

    // A label, picture, text box (single or multi-line) or button showing control.
    void bind(QWidget *widget, Control *control);
    void bindList(QComboBox *widget, ComboBox *control);
    // The timer ticks the handler through the dispatcher as a tick of the given kind.
    void bindTimer(QTimer *timer, const Timer *control, Kind kind, Handler handler);
    // A hand cursor, and the handler on a left click (nothing more when there is none), run as
    // an event of the given kind (Stop and the exits are urgent: they pass during a play).
    void onClick(QWidget *widget, Handler handler, Kind kind = Kind::UserEvent);
    // Runs an event of this window through the dispatcher, then renders the window.
    void run(Kind kind, const Handler &handler, const void *source = nullptr);

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
        bool firstPending = false; // started for its first tick, which comes sooner than an interval
    };

    static void apply(Binding &binding);
    static bool paintedWithFocusFrame(QWidget *widget, QEvent *paint);

    Dispatcher *m_dispatcher = nullptr;
    Handler m_renderWindow;
    std::vector<Binding> m_bindings;
    std::vector<ListBinding> m_lists;
    std::vector<TimerBinding> m_timers;
    struct Click
    {
        Handler handler;
        Kind kind;
    };
    QHash<QObject *, Click> m_clicks;
};
