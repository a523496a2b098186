#pragma once

#include "toolkit/front/ControlBinder.h"
#include "toolkit/Controls.h"
#include "toolkit/WindowHost.h"

#include <QIcon>
#include <QWidget>

class AlarmMain;
class QLabel;
class QPushButton;

// The alarm window on screen: one widget per control at its place, mirrored from the logic
// after every handler.
class AlarmWindow : public QWidget
{
    Q_OBJECT

public:
    AlarmWindow();

    // Builds the controls' widgets over the logic's fields and starts routing events.
    void attach(AlarmMain &logic, Dispatcher &dispatcher);
    // An event of this window from outside it (the tray's messages, start-up), then a render.
    void run(Dispatcher::Kind kind, const Dispatcher::Handler &handler);
    void render();

    QIcon iconFor(WindowIcon icon) const;
    // iconFor, for the services that show the window's icons (the frame, the tray).
    std::function<QIcon(WindowIcon)> icons() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    using Kind = Dispatcher::Kind;
    enum class Lines { AsTheyCome, One };
    QLabel *label(Label &control, const char *name, int x, int y, int w, int h,
                  Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter, Lines lines = Lines::AsTheyCome);
    QLabel *picture(Image &control, const char *name, const char *file, int x, int y, int w = 0, int h = 0);
    void textBox(TextBox &control, const char *name, int x, int y, const QString &accessibleName);
    void list(ComboBox &control, const char *name, int x, int y, int w, const QString &accessibleName);
    QPushButton *button(CommandButton &control, const char *name, const char *file, int x, int y);
    void timer(const Timer &control, const char *name, Kind kind, ControlBinder::Handler handler);
    void buildControls(AlarmMain &logic);
    void createTitleBar(AlarmMain &a);
    void createClock(AlarmMain &a);
    void createTimeBoxes(AlarmMain &a);
    void createArming(AlarmMain &a);
    void createToneList(AlarmMain &a);
    void createCounters(AlarmMain &a);
    void createDateAndExits(AlarmMain &a);
    void createTimers(AlarmMain &a);

    const QIcon m_icons[3]; // the program's, then the blink's two
    ControlBinder m_binder;
    std::function<void()> m_closedByUser; // the frame's close: the logic hears of it
};
