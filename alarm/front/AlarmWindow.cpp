#include "alarm/front/AlarmWindow.h"

#include "alarm/AlarmMain.h"
#include "toolkit/AppInfo.h"
#include "toolkit/Dispatcher.h"
#include "toolkit/front/DesignFont.h"
#include "toolkit/front/OneLineLabel.h"
#include "toolkit/front/Pictures.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

AlarmWindow::AlarmWindow()
    // Made once, and gone with the window, before the application: a new QIcon at every blink
    // would get a new cache key each second, and Qt's pixmap cache would fill with copies of
    // the same two pictures. The window and tray want small pictures; the large one is for the
    // desktop's menus only.
    : m_icons{pngIcon(QStringLiteral(":/pictures/app-icon-32.png")), pngIcon(QStringLiteral(":/pictures/blink-0.png")),
              pngIcon(QStringLiteral(":/pictures/blink-1.png"))}
    , m_binder(this)
{
    setObjectName(QStringLiteral("AlarmMain"));
    setFixedSize(AppInfo::WindowWidth, AppInfo::WindowHeight);
    // The window has no title text. Qt puts the program's name in an empty title, so a blank it is.
    setWindowTitle(QStringLiteral(" "));
    setWindowIcon(iconFor(WindowIcon::Application));
    setFont(designFont("Arial", 8.25));
}

QIcon AlarmWindow::iconFor(WindowIcon icon) const
{
    switch (icon) {
    case WindowIcon::BlinkRed: return m_icons[1];
    case WindowIcon::BlinkCyan: return m_icons[2];
    case WindowIcon::Application: break;
    }
    return m_icons[0];
}

std::function<QIcon(WindowIcon)> AlarmWindow::icons() const
{
    return [this](WindowIcon icon) { return iconFor(icon); };
}

void AlarmWindow::closeEvent(QCloseEvent *event)
{
    // Closing the alarm window through its frame ends the program the ordinary way. Only the
    // window system's close is the user's: a quit (a signal at logout) closes the window too.
    if (event->spontaneous() && m_closedByUser)
        m_closedByUser();
    event->accept();
    QCoreApplication::quit();
}

void AlarmWindow::paintEvent(QPaintEvent *)
{
    // A deep blue evening with a faint glow, and the lines that frame the groups. Painted, not
    // loaded: decoding a picture this size was most of the start-up's work, and a megabyte kept.
    QPainter painter(this);
    QLinearGradient evening(0, 0, 0, height());
    evening.setColorAt(0, QColor(0x16, 0x32, 0x5c));
    evening.setColorAt(1, QColor(0x06, 0x10, 0x1f));
    painter.fillRect(rect(), evening);
    QRadialGradient glow(rect().center(), width() / 2.0);
    glow.setColorAt(0, QColor(0x2f, 0x6f, 0x9f, 115));
    glow.setColorAt(1, QColor(0x2f, 0x6f, 0x9f, 0));
    painter.fillRect(rect(), glow);
    painter.setPen(QColor(0x8f, 0xb8, 0xde));
    painter.drawLine(6, 84, 290, 84);
    painter.drawLine(6, 212, 290, 212);
    painter.drawLine(296, 76, 296, 282);
    painter.drawLine(6, 286, 490, 286);
    painter.drawLine(6, 352, 490, 352);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawRoundedRect(QRectF(298.5, 74.5, 192, 206), 6, 6);
}

void AlarmWindow::attach(AlarmMain &logic, Dispatcher &dispatcher)
{
    m_binder.setDispatcher(&dispatcher, [this] { render(); });
    // Straight to the logic, also behind a box: it only drops what is kept, and the end follows.
    m_closedByUser = [&logic] { logic.Form_Unload(); };
    buildControls(logic);
    render();
}

void AlarmWindow::run(Dispatcher::Kind kind, const Dispatcher::Handler &handler)
{
    m_binder.run(kind, handler);
}

// Places are the design's twips divided by 15. Stop and the ways out are urgent: they get through
// while a sound plays. Made in the design's order, which is the order of the keyboard's focus.
void AlarmWindow::buildControls(AlarmMain &a)
{
    createTitleBar(a);
    createClock(a);
    createTimeBoxes(a);
    createArming(a);
    createToneList(a);
    createCounters(a);
    createDateAndExits(a);
    createTimers(a);
}

void AlarmWindow::createTitleBar(AlarmMain &a)
{
    m_binder.onClick(picture(a.Image4, "Image4", "banner.png", 0, 1, 541, 72), [&a] { a.Image4_Click(); });
    m_binder.onClick(
        label(a.Label20, "Label20", 9, 5, 30, 16), [&a] { a.Label20_Click(); }, Kind::UrgentEvent);
    m_binder.onClick(label(a.Label19, "Label19", 446, 6, 26, 16), [&a] { a.Label19_Click(); });
    // The layout puts the picture at 463, over the end of "Hide" in this font: it stands just
    // clear of the caption instead.
    m_binder.onClick(picture(a.Image5, "Image5", "hide-small.png", 472, 3), [&a] { a.Image5_Click(); });
    for (QWidget *w : findChildren<QLabel *>())
        w->raise();
}

void AlarmWindow::createClock(AlarmMain &a)
{
    label(a.Label15, "Label15", 8, 91, 90, 16);
    label(a.Label16, "Label16", 100, 91, 190, 16);
    label(a.Label5, "Label5", 8, 111, 90, 16);
    const int clockX[6] = {100, 145, 195, 215, 165, 120};
    for (int i = 0; i < 6; ++i) {
        QLabel *l =
            label(a.Label2[i], qPrintable(QStringLiteral("Label2(%1)").arg(i)), clockX[i], 111, i < 3 ? 20 : 28, 16);
        if (i < 3)
            l->setFont(designFont("Arial", 9.75));
    }
}

void AlarmWindow::createTimeBoxes(AlarmMain &a)
{
    label(a.Label4, "Label4", 8, 137, 66, 16);
    label(a.Label3, "Label3", 8, 189, 66, 16);
    const char *units[] = {"hours", "minutes", "seconds"};
    for (int i = 0; i < 3; ++i) {
        textBox(a.Text2[i], qPrintable(QStringLiteral("Text2(%1)").arg(i)), 80 + i * 55, 134,
                QStringLiteral("Duration %1").arg(QLatin1String(units[i])));
        textBox(a.Text1[i], qPrintable(QStringLiteral("Text1(%1)").arg(i)), 80 + i * 55, 186,
                QStringLiteral("Alarm time %1").arg(QLatin1String(units[i])));
    }
    for (int i = 0; i < 6; ++i)
        label(a.Label9[i], qPrintable(QStringLiteral("Label9(%1)").arg(i)), 116 + (i / 2) * 55, i % 2 ? 189 : 137, 14,
              16);
    m_binder.onClick(button(a.Orr, "Orr", "button-orr.png", 39, 161), [&a] { a.Orr_Click(); });
    label(a.Label1, "Label1", 120, 164, 100, 16);
}

void AlarmWindow::createArming(AlarmMain &a)
{
    m_binder.onClick(picture(a.Image2, "Image2", "image2.png", 24, 223), [&a] { a.Image2_Click(); });
    QLabel *total = label(a.Label10, "Label10", 94, 225, 62, 18, Qt::AlignCenter);
    total->setFont(designFont("Arial", 9.75));
    label(a.Label18, "Label18", 74, 245, 84, 14, Qt::AlignCenter)->setFont(designFont("Arial", 7.5));
    m_binder.onClick(button(a.OK, "OK", "button-ok.png", 157, 224), [&a] { a.OK_Click(); });
    m_binder.onClick(
        button(a.Stopp, "Stopp", "button-stopp.png", 207, 224), [&a] { a.Stopp_Click(); }, Kind::UrgentEvent);
    m_binder.onClick(picture(a.Image1[0], "Image1(0)", "info-strip-0.png", 24, 261), [&a] { a.Image1_Click(0); });
    m_binder.onClick(picture(a.Image1[1], "Image1(1)", "info-strip-1.png", 144, 265), [&a] { a.Image1_Click(1); });
}

void AlarmWindow::createToneList(AlarmMain &a)
{
    label(a.Label17, "Label17", 319, 80, 160, 18)->setFont(designFont("Arial", 9.75));
    // The tones' captions share the list's height, the first at its top and the last at its foot.
    const int tones = int(a.Label12.size());
    for (int i = 0; i < tones; ++i) {
        QLabel *tone = label(a.Label12[i], qPrintable(QStringLiteral("Label12(%1)").arg(i)), 301,
                             116 + (i * 136) / (tones - 1), 188, 17);
        m_binder.onClick(tone, [&a, i] { a.Label12_Click(i); });
    }
}

void AlarmWindow::createCounters(AlarmMain &a)
{
    QLabel *remaining = label(a.Label6[2], "Label6(2)", 11, 292, 86, 20, Qt::AlignCenter);
    remaining->setFont(designFont("Arial", 9.75));
    label(a.Label14[0], "Label14(0)", 8, 314, 86, 14, Qt::AlignCenter)->setFont(designFont("Arial", 7.5));
    // The reminder may be long or hold line breaks: its one line ends in an ellipsis then.
    QLabel *reminder = label(a.Label7, "Label7", 101, 296, 233, 22, Qt::AlignCenter, Lines::One);
    reminder->setFont(designFont("Comic Sans MS", 9.75));
    m_binder.onClick(reminder, [&a] { a.Label7_Click(); });
    QLabel *passed = label(a.Label11, "Label11", 354, 293, 80, 20, Qt::AlignCenter);
    passed->setFont(designFont("Arial", 9.75));
    label(a.Label14[1], "Label14(1)", 346, 314, 86, 14, Qt::AlignCenter)->setFont(designFont("Arial", 7.5));
    label(a.Label8, "Label8", 200, 324, 190, 18, Qt::AlignCenter);
    m_binder.onClick(picture(a.ImgHide, "ImgHide", "hide.png", 438, 300), [&a] { a.ImgHide_Click(); });
}

void AlarmWindow::createDateAndExits(AlarmMain &a)
{
    QLabel *exitz = label(a.Exitz, "Exitz", 3, 371, 42, 22, Qt::AlignCenter);
    exitz->setFont(designFont("Arial", 12, Slant::Italic));
    m_binder.onClick(
        exitz, [&a] { a.Exitz_Click(); }, Kind::UrgentEvent);
    label(a.Label13, "Label13", 60, 362, 96, 16);
    list(a.Combo2[0], "Combo2(0)", 158, 359, 54, QStringLiteral("Alarm day"));
    list(a.Combo2[1], "Combo2(1)", 215, 359, 100, QStringLiteral("Alarm month"));
    list(a.Combo2[2], "Combo2(2)", 318, 359, 64, QStringLiteral("Alarm year"));
    label(a.Label6[0], "Label6(0)", 82, 408, 330, 18, Qt::AlignCenter)
        ->setFont(designFont("Arial", 9.75, Slant::Italic));
    m_binder.onClick(
        picture(a.Picture1, "Picture1", "exit.png", 4, 398), [&a] { a.Picture1_Click(); }, Kind::UrgentEvent);
}

void AlarmWindow::createTimers(AlarmMain &a)
{
    // The clock and the blink touch only their own controls, so they keep ticking behind a
    // modal box and through a play; the countdown's ticks run behind a box, held through a play.
    timer(a.Timer1, "Timer1", Kind::Tick, [&a] { a.Timer1_Timer(); });
    timer(a.Timer2, "Timer2", Kind::OwnControlTick, [&a] { a.Timer2_Timer(); });
    timer(a.Timer3, "Timer3", Kind::Tick, [&a] { a.Timer3_Timer(); });
    timer(a.Timer4, "Timer4", Kind::OwnControlTick, [&a] { a.Timer4_Timer(); });
}

QLabel *AlarmWindow::label(Label &control, const char *name, int x, int y, int w, int h, Qt::Alignment align,
                           Lines lines)
{
    auto *widget = lines == Lines::One ? new OneLineLabel(this) : new QLabel(this);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(x, y, w, h);
    widget->setAlignment(align);
    m_binder.bind(widget, &control);
    return widget;
}

QLabel *AlarmWindow::picture(Image &control, const char *name, const char *file, int x, int y, int w, int h)
{
    auto *widget = new QLabel(this);
    widget->setObjectName(QString::fromLatin1(name));
    const QPixmap pixmap = pngPicture(QStringLiteral(":/pictures/") + QString::fromLatin1(file));
    widget->setPixmap(pixmap);
    widget->setGeometry(x, y, w ? w : pixmap.width(), h ? h : pixmap.height());
    widget->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_binder.bind(widget, &control);
    return widget;
}

void AlarmWindow::textBox(TextBox &control, const char *name, int x, int y, const QString &accessibleName)
{
    auto *widget = new QLineEdit(this);
    widget->setAccessibleName(accessibleName);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(x, y, 34, 20);
    widget->setAlignment(Qt::AlignCenter);
    // MS Sans Serif is not on Linux; DejaVu Sans is what it falls back to, named to save the search.
    widget->setFont(designFont("DejaVu Sans", 8.25));
    m_binder.bind(widget, &control);
}

void AlarmWindow::list(ComboBox &control, const char *name, int x, int y, int w, const QString &accessibleName)
{
    auto *widget = new QComboBox(this);
    widget->setAccessibleName(accessibleName);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(x, y, w, 22);
    widget->setEditable(false);
    widget->setMaxVisibleItems(12);
    m_binder.bindList(widget, &control);
}

QPushButton *AlarmWindow::button(CommandButton &control, const char *name, const char *file, int x, int y)
{
    auto *widget = new QPushButton(this);
    widget->setObjectName(QString::fromLatin1(name));
    const QPixmap pixmap = pngPicture(QStringLiteral(":/pictures/") + QString::fromLatin1(file));
    widget->setIcon(QIcon(pixmap));
    widget->setIconSize(pixmap.size());
    widget->setGeometry(x, y, pixmap.width() + 2, pixmap.height() + 2);
    widget->setFlat(true);
    m_binder.bind(widget, &control);
    return widget;
}

void AlarmWindow::timer(const Timer &control, const char *name, Kind kind, ControlBinder::Handler handler)
{
    auto *qtimer = new QTimer(this);
    qtimer->setObjectName(QString::fromLatin1(name));
    m_binder.bindTimer(qtimer, &control, kind, std::move(handler));
}

void AlarmWindow::render()
{
    m_binder.render();
}
