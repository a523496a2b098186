#pragma once

#include "toolkit/Controls.h"
#include "toolkit/WindowHost.h"

#include <QHash>
#include <QPixmap>
#include <QWidget>
#include <functional>
#include <vector>

class AlarmMain;
class Dispatcher;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

// The alarm window on screen: one widget per control at its place. After every handler the
// whole state is copied onto the widgets; widgets feed typing and list choices back.
class AlarmWindow : public QWidget
{
    Q_OBJECT

public:
    AlarmWindow();

    // Builds the controls' widgets over the logic's fields and starts routing events.
    void attach(AlarmMain &logic, Dispatcher &dispatcher);
    void render();

    static QIcon iconFor(WindowIcon icon);

protected:
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Binding
    {
        QWidget *widget;
        Control *control;
        Control shown; // what the widget shows now; compared to skip untouched widgets
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
    };

    QLabel *label(Label &control, const char *name, int x, int y, int w, int h, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);
    QLabel *picture(Image &control, const char *name, const char *file, int x, int y, int w = 0, int h = 0);
    QLineEdit *textBox(TextBox &control, const char *name, int x, int y);
    QComboBox *list(ComboBox &control, const char *name, int x, int y, int w);
    QPushButton *button(CommandButton &control, const char *name, const char *file, int x, int y);
    void timer(const Timer &control, const char *name, int kind, std::function<void()> handler);
    void clickable(QWidget *widget, std::function<void()> handler);

    void buildControls(AlarmMain &logic);
    static void apply(Binding &binding);

    Dispatcher *m_dispatcher = nullptr;
    QPixmap m_background;
    std::vector<Binding> m_bindings;
    std::vector<ListBinding> m_lists;
    std::vector<TimerBinding> m_timers;
    QHash<QObject *, std::function<void()>> m_clicks;
};
