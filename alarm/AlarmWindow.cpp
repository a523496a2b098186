#include "alarm/AlarmWindow.h"

#include "alarm/AlarmMain.h"
#include "toolkit/Dispatcher.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTextDocument>
#include <QTimer>

namespace {

QColor toQColor(ColorValue value, const QPalette &palette)
{
    if (Colors::isSystem(value)) {
        switch (value & 0xFF) {
        case 24: return palette.color(QPalette::ToolTipBase);
        case 5: return palette.color(QPalette::Base);
        case 8: return palette.color(QPalette::Text);
        default: return palette.color(QPalette::Button);
        }
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

QFont designFont(const char *family, double points, bool bold = false, bool italic = false)
{
    QFont f(QString::fromLatin1(family));
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

const QColor disabledText(0x8a, 0x94, 0xa6);

// Qt guesses whether a tooltip is markup; a text that looks like markup is escaped instead.
QString plainToolTip(const QString &text)
{
    if (!Qt::mightBeRichText(text))
        return text;
    return QStringLiteral("<span>") + text.toHtmlEscaped() + QStringLiteral("</span>");
}

} // namespace

AlarmWindow::AlarmWindow()
    : m_background(QStringLiteral(":/pictures/background.png"))
{
    setObjectName(QStringLiteral("AlarmMain"));
    setFixedSize(497, 435);
    // The window has no title text. Qt puts the program's name in an empty title, so a blank it is.
    setWindowTitle(QStringLiteral(" "));
    setWindowIcon(iconFor(WindowIcon::Application));
    setFont(designFont("Arial", 8.25));
}

QIcon AlarmWindow::iconFor(WindowIcon icon)
{
    switch (icon) {
    case WindowIcon::BlinkRed: return QIcon(QStringLiteral(":/pictures/blink-0.png"));
    case WindowIcon::BlinkCyan: return QIcon(QStringLiteral(":/pictures/blink-1.png"));
    case WindowIcon::Application: break;
    }
    QIcon app(QStringLiteral(":/pictures/app-icon-32.png"));
    app.addFile(QStringLiteral(":/pictures/app-icon-256.png"));
    return app;
}

void AlarmWindow::closeEvent(QCloseEvent *event)
{
    // Closing the alarm window through its frame ends the program the ordinary way.
    event->accept();
    QCoreApplication::quit();
}

void AlarmWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_background);
}

void AlarmWindow::attach(AlarmMain &logic, Dispatcher &dispatcher)
{
    m_dispatcher = &dispatcher;
    buildControls(logic);
    render();
}

void AlarmWindow::buildControls(AlarmMain &a)
{
    // Places are the design's twips divided by 15.
    picture(a.Image4, "Image4", "banner.png", 0, 1, 541, 72);
    label(a.Label20, "Label20", 9, 5, 30, 16)->setFont(designFont("Arial", 8.25));
    label(a.Label19, "Label19", 440, 6, 26, 16)->setFont(designFont("Arial", 8.25));
    picture(a.Image5, "Image5", "hide-small.png", 466, 3);
    for (QWidget *w : findChildren<QLabel *>())
        w->raise();

    label(a.Label15, "Label15", 8, 91, 90, 16);
    label(a.Label16, "Label16", 100, 91, 190, 16);
    label(a.Label5, "Label5", 8, 111, 90, 16);
    const int clockX[6] = {100, 145, 195, 215, 165, 120};
    for (int i = 0; i < 6; ++i) {
        QLabel *l = label(a.Label2[i], qPrintable(QStringLiteral("Label2(%1)").arg(i)), clockX[i], 111, i < 3 ? 20 : 28, 16);
        if (i < 3)
            l->setFont(designFont("Arial", 9.75));
    }

    label(a.Label4, "Label4", 8, 137, 66, 16);
    label(a.Label3, "Label3", 8, 189, 66, 16);
    for (int i = 0; i < 3; ++i) {
        textBox(a.Text2[i], qPrintable(QStringLiteral("Text2(%1)").arg(i)), 80 + i * 55, 134);
        textBox(a.Text1[i], qPrintable(QStringLiteral("Text1(%1)").arg(i)), 80 + i * 55, 186);
    }
    for (int i = 0; i < 6; ++i)
        label(a.Label9[i], qPrintable(QStringLiteral("Label9(%1)").arg(i)), 116 + (i / 2) * 55, i % 2 ? 189 : 137, 14, 16);
    button(a.Orr, "Orr", "button-orr.png", 39, 161);
    label(a.Label1, "Label1", 120, 164, 100, 16);

    picture(a.Image2, "Image2", "image2.png", 24, 223);
    QLabel *total = label(a.Label10, "Label10", 80, 225, 72, 18, Qt::AlignCenter);
    total->setFont(designFont("Arial", 9.75));
    label(a.Label18, "Label18", 74, 245, 84, 14, Qt::AlignCenter)->setFont(designFont("Arial", 7.5));
    button(a.OK, "OK", "button-ok.png", 157, 224);
    button(a.Stopp, "Stopp", "button-stopp.png", 207, 224);
    picture(a.Image1[0], "Image1(0)", "info-strip-0.png", 24, 261);
    picture(a.Image1[1], "Image1(1)", "info-strip-1.png", 144, 265);

    label(a.Label17, "Label17", 319, 80, 160, 18)->setFont(designFont("Arial", 9.75));
    for (int i = 0; i < 8; ++i)
        label(a.Label12[i], qPrintable(QStringLiteral("Label12(%1)").arg(i)), 301, 116 + (i * 136) / 7, 188, 17);

    QLabel *remaining = label(a.Label6[2], "Label6(2)", 8, 292, 86, 20, Qt::AlignCenter);
    remaining->setFont(designFont("Arial", 9.75));
    label(a.Label14[0], "Label14(0)", 8, 314, 86, 14, Qt::AlignCenter)->setFont(designFont("Arial", 7.5));
    QLabel *reminder = label(a.Label7, "Label7", 101, 296, 233, 22, Qt::AlignCenter);
    reminder->setFont(designFont("Comic Sans MS", 9.75));
    QLabel *passed = label(a.Label11, "Label11", 346, 293, 86, 20, Qt::AlignCenter);
    passed->setFont(designFont("Arial", 9.75));
    label(a.Label14[1], "Label14(1)", 346, 314, 86, 14, Qt::AlignCenter)->setFont(designFont("Arial", 7.5));
    label(a.Label8, "Label8", 150, 324, 190, 18, Qt::AlignCenter);
    picture(a.ImgHide, "ImgHide", "hide.png", 445, 300);

    QLabel *exitz = label(a.Exitz, "Exitz", 3, 371, 42, 22, Qt::AlignCenter);
    exitz->setFont(designFont("Arial", 12, false, true));
    label(a.Label13, "Label13", 60, 362, 96, 16);
    list(a.Combo2[0], "Combo2(0)", 158, 359, 54);
    list(a.Combo2[1], "Combo2(1)", 215, 359, 100);
    list(a.Combo2[2], "Combo2(2)", 318, 359, 64);
    label(a.Label6[0], "Label6(0)", 82, 408, 330, 18, Qt::AlignCenter)->setFont(designFont("Arial", 9.75, false, true));
    picture(a.Picture1, "Picture1", "exit.png", 4, 398);

    // The clock and the blink touch only their own controls, so they keep ticking behind a
    // modal box; the countdown's ticks wait for the box to close.
    timer(a.Timer1, "Timer1", int(Dispatcher::Kind::Tick), [&a] { a.Timer1_Timer(); });
    timer(a.Timer2, "Timer2", int(Dispatcher::Kind::OwnControlTick), [&a] { a.Timer2_Timer(); });
    timer(a.Timer3, "Timer3", int(Dispatcher::Kind::Tick), [&a] { a.Timer3_Timer(); });
    timer(a.Timer4, "Timer4", int(Dispatcher::Kind::OwnControlTick), [&a] { a.Timer4_Timer(); });

    const auto click = [this](const char *name, std::function<void()> handler) {
        clickable(findChild<QWidget *>(QString::fromLatin1(name)), std::move(handler));
    };
    click("Stopp", [&a] { a.Stopp_Click(); });
    click("Orr", [&a] { a.Orr_Click(); });
    click("OK", [&a] { a.OK_Click(); });
    click("Label7", [&a] { a.Label7_Click(); });
    for (int i = 0; i < 8; ++i)
        click(qPrintable(QStringLiteral("Label12(%1)").arg(i)), [&a, i] { a.Label12_Click(i); });
    click("ImgHide", [&a] { a.ImgHide_Click(); });
    click("Image5", [&a] { a.Image5_Click(); });
    click("Label19", [&a] { a.Label19_Click(); });
    click("Label20", [&a] { a.Label20_Click(); });
    click("Exitz", [&a] { a.Exitz_Click(); });
    click("Picture1", [&a] { a.Picture1_Click(); });
    for (const char *name : {"Image1(0)", "Image1(1)", "Image2", "Image4"})
        click(name, {});
}

QLabel *AlarmWindow::label(Label &control, const char *name, int x, int y, int w, int h, Qt::Alignment align)
{
    auto *widget = new QLabel(this);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(x, y, w, h);
    widget->setAlignment(align);
    // A caption may hold the user's own words: never read them as markup.
    widget->setTextFormat(Qt::PlainText);
    m_bindings.push_back({widget, &control, {}, true});
    return widget;
}

QLabel *AlarmWindow::picture(Image &control, const char *name, const char *file, int x, int y, int w, int h)
{
    auto *widget = new QLabel(this);
    widget->setObjectName(QString::fromLatin1(name));
    const QPixmap pixmap(QStringLiteral(":/pictures/") + QString::fromLatin1(file));
    widget->setTextFormat(Qt::PlainText);
    widget->setPixmap(pixmap);
    widget->setGeometry(x, y, w ? w : pixmap.width(), h ? h : pixmap.height());
    widget->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_bindings.push_back({widget, &control, {}, true});
    return widget;
}

QLineEdit *AlarmWindow::textBox(TextBox &control, const char *name, int x, int y)
{
    auto *widget = new QLineEdit(this);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(x, y, 34, 20);
    widget->setAlignment(Qt::AlignCenter);
    widget->setFont(designFont("MS Sans Serif", 8.25));
    connect(widget, &QLineEdit::textEdited, this, [&control](const QString &text) { control.text = text; });
    m_bindings.push_back({widget, &control, {}, true});
    return widget;
}

QComboBox *AlarmWindow::list(ComboBox &control, const char *name, int x, int y, int w)
{
    auto *widget = new QComboBox(this);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(x, y, w, 22);
    widget->setEditable(false);
    widget->setMaxVisibleItems(12);
    connect(widget, &QComboBox::activated, this, [&control](int index) { control.listIndex = index; });
    m_lists.push_back({widget, &control, {}, true});
    return widget;
}

QPushButton *AlarmWindow::button(CommandButton &control, const char *name, const char *file, int x, int y)
{
    auto *widget = new QPushButton(this);
    widget->setObjectName(QString::fromLatin1(name));
    const QPixmap pixmap(QStringLiteral(":/pictures/") + QString::fromLatin1(file));
    widget->setIcon(QIcon(pixmap));
    widget->setIconSize(pixmap.size());
    widget->setGeometry(x, y, pixmap.width() + 2, pixmap.height() + 2);
    widget->setFlat(true);
    m_bindings.push_back({widget, &control, {}, true});
    return widget;
}

void AlarmWindow::timer(const Timer &control, const char *name, int kind, std::function<void()> handler)
{
    auto *qtimer = new QTimer(this);
    qtimer->setObjectName(QString::fromLatin1(name));
    connect(qtimer, &QTimer::timeout, this, [this, kind, handler = std::move(handler)] {
        m_dispatcher->run(static_cast<Dispatcher::Kind>(kind), handler);
    });
    m_timers.push_back({qtimer, &control});
}

void AlarmWindow::clickable(QWidget *widget, std::function<void()> handler)
{
    if (!widget)
        return;
    widget->setCursor(Qt::PointingHandCursor);
    if (!handler)
        return;
    if (auto *button = qobject_cast<QPushButton *>(widget)) {
        connect(button, &QPushButton::clicked, this, [this, handler] { m_dispatcher->run(Dispatcher::Kind::UserEvent, handler); });
        return;
    }
    widget->installEventFilter(this);
    m_clicks.insert(widget, std::move(handler));
}

bool AlarmWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        auto *widget = static_cast<QWidget *>(watched);
        const auto handler = m_clicks.constFind(watched);
        if (handler != m_clicks.constEnd() && mouse->button() == Qt::LeftButton
            && widget->rect().contains(mouse->position().toPoint())) {
            const std::function<void()> run = *handler;
            m_dispatcher->run(Dispatcher::Kind::UserEvent, run);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void AlarmWindow::apply(Binding &b)
{
    const Control &c = *b.control;
    QWidget *w = b.widget;
    const bool first = b.firstRender;
    const Control &was = b.shown;

    if (first || c.text != was.text) {
        if (auto *l = qobject_cast<QLabel *>(w); l && l->pixmap().isNull())
            l->setText(c.text);
        else if (auto *e = qobject_cast<QLineEdit *>(w); e && e->text() != c.text)
            e->setText(c.text);
    }
    if (first || c.tooltip != was.tooltip)
        w->setToolTip(plainToolTip(c.tooltip));
    if (first || c.enabled != was.enabled)
        w->setEnabled(c.enabled);
    if (first || c.visible != was.visible)
        w->setVisible(c.visible);
    if (first || c.bold != was.bold) {
        QFont f = w->font();
        f.setBold(c.bold);
        w->setFont(f);
    }
    if (first || c.foreColor != was.foreColor || c.backColor != was.backColor || c.opaque != was.opaque) {
        QPalette p = w->palette();
        const QColor fore = toQColor(c.foreColor, p);
        const QColor back = toQColor(c.backColor, p);
        const bool editable = qobject_cast<QLineEdit *>(w) != nullptr;
        p.setColor(QPalette::Active, QPalette::WindowText, fore);
        p.setColor(QPalette::Inactive, QPalette::WindowText, fore);
        p.setColor(QPalette::Disabled, QPalette::WindowText, disabledText);
        p.setColor(QPalette::Window, back);
        p.setColor(QPalette::Button, back);
        if (editable) {
            p.setColor(QPalette::Text, QColor(Qt::black));
            p.setColor(QPalette::Base, back);
        }
        w->setPalette(p);
        w->setAutoFillBackground(c.opaque && !editable);
    }
    b.shown = c;
    b.firstRender = false;
}

void AlarmWindow::render()
{
    for (Binding &b : m_bindings) {
        if (b.firstRender || !(*b.control == b.shown))
            apply(b);
    }
    for (ListBinding &l : m_lists) {
        if (!l.firstRender && *l.control == l.shown)
            continue;
        if (l.firstRender || l.control->items != l.shown.items) {
            l.widget->clear();
            l.widget->addItems(l.control->items);
        }
        l.widget->setCurrentIndex(l.control->listIndex);
        l.widget->setEnabled(l.control->enabled);
        l.widget->setVisible(l.control->visible);
        l.shown = *l.control;
        l.firstRender = false;
    }
    for (const TimerBinding &t : m_timers) {
        const int interval = t.control->interval;
        if (interval <= 0)
            t.timer->stop();
        else if (!t.timer->isActive() || t.timer->interval() != interval)
            t.timer->start(interval);
    }
}
