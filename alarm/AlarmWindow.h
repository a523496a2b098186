#pragma once

#include "toolkit/ControlBinder.h"
#include "toolkit/Controls.h"
#include "toolkit/WindowHost.h"

#include <QWidget>

class AlarmMain;
class Dispatcher;
class QLabel;

// The alarm window on screen: one widget per control at its place, mirrored from the logic
// after every handler.
class AlarmWindow : public QWidget
{
    Q_OBJECT

public:
    AlarmWindow();

    // Builds the controls' widgets over the logic's fields and starts routing events.
    // showProgramInfo opens the information window.
    void attach(AlarmMain &logic, Dispatcher &dispatcher);
    void render();

    static QIcon iconFor(WindowIcon icon);

protected:
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    enum class Lines { AsTheyCome, One };
    QLabel *label(Label &control, const char *name, int x, int y, int w, int h,
                  Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter, Lines lines = Lines::AsTheyCome);
    QLabel *picture(Image &control, const char *name, const char *file, int x, int y, int w = 0, int h = 0);
    void textBox(TextBox &control, const char *name, int x, int y, const QString &accessibleName);
    void list(ComboBox &control, const char *name, int x, int y, int w, const QString &accessibleName);
    void button(CommandButton &control, const char *name, const char *file, int x, int y);
    void timer(const Timer &control, const char *name, int kind, std::function<void()> handler);
    void click(const char *name, std::function<void()> handler, int kind = 0);
    void buildControls(AlarmMain &logic);

    AlarmMain *m_logic = nullptr;
    ControlBinder m_binder;
};
