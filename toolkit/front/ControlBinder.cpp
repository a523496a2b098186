#include "toolkit/front/ControlBinder.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QTimer>

namespace {

const QColor disabledText(0x8a, 0x94, 0xa6);
const QColor disabledBoxText(0x6d, 0x6d, 0x6d);
const QColor disabledBoxField(0xd4, 0xd0, 0xc8);

// Qt guesses whether a tooltip is markup; a text that looks like markup is escaped instead.
QString plainToolTip(const QString &text)
{
    if (!Qt::mightBeRichText(text))
        return text;
    return QStringLiteral("<span>") + text.toHtmlEscaped() + QStringLiteral("</span>");
}

// Qt gives a label that can take the focus a whole text document for its text, as though the
// text could be selected, and makes it when the label is polished and at each new text. A
// clickable caption is plain and never selectable: it takes those two steps as an unfocusable
// label, which spares a document each (0.7 MiB in all) and the slow paint through them.
template<typename Step>
void asUnfocusable(QWidget *widget, Step step)
{
    const Qt::FocusPolicy focus = widget->focusPolicy();
    widget->setFocusPolicy(Qt::NoFocus);
    step();
    widget->setFocusPolicy(focus);
}

} // namespace

ControlBinder::ControlBinder(QObject *parent)
    : QObject(parent)
{
}

QColor ControlBinder::toQColor(ColorValue value, const QPalette &palette)
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

void ControlBinder::bind(QWidget *widget, Control *control)
{
    if (auto *label = qobject_cast<QLabel *>(widget))
        label->setTextFormat(Qt::PlainText); // a caption may hold the user's own words
    // What the user types is what the box shows: a handler that writes another text back is
    // then seen as a change, even when it writes the text rendered last.
    const std::size_t index = m_bindings.size();
    if (auto *edit = qobject_cast<QLineEdit *>(widget))
        connect(edit, &QLineEdit::textEdited, this, [this, control, index](const QString &text) {
            control->text = text;
            m_bindings[index].shown.text = text;
        });
    m_bindings.push_back({widget, control, {}, true});
}

void ControlBinder::bindList(QComboBox *widget, ComboBox *control)
{
    connect(widget, &QComboBox::activated, this, [control](int index) { control->listIndex = index; });
    m_lists.push_back({widget, control, {}, true});
}

void ControlBinder::setDispatcher(Dispatcher *dispatcher, Handler renderWindow)
{
    m_dispatcher = dispatcher;
    m_renderWindow = std::move(renderWindow);
}

void ControlBinder::bindTimer(QTimer *timer, const Timer *control, Kind kind, Handler handler)
{
    // Never early, and in the order they were started: the countdown's tick at a whole second
    // after Yes then finds that second already counted, instead of ringing a tick later. A
    // coarse timer may fire up to 5% early and reorder timers that fall due together.
    timer->setTimerType(Qt::PreciseTimer);
    const size_t index = m_timers.size();
    connect(timer, &QTimer::timeout, this, [this, index, kind, control, handler = std::move(handler)] {
        TimerBinding &t = m_timers[index];
        if (t.firstPending) {
            t.firstPending = false;
            t.timer->start(control->interval);
        }
        run(kind, handler, control);
    });
    m_timers.push_back({timer, control});
}

void ControlBinder::run(Kind kind, const Handler &handler, const void *source)
{
    if (m_dispatcher && m_dispatcher->run(kind, handler, source) && m_renderWindow)
        m_renderWindow();
}

void ControlBinder::onClick(QWidget *widget, Handler handler, Kind kind)
{
    widget->setCursor(Qt::PointingHandCursor);
    // Reachable with Tab, and used from the keyboard: Space or Enter acts as the click.
    widget->setFocusPolicy(Qt::StrongFocus);
    widget->installEventFilter(this);
    if (!handler)
        return;
    if (auto *button = qobject_cast<QPushButton *>(widget)) {
        connect(button, &QPushButton::clicked, this, [this, handler, kind] { run(kind, handler); });
        return;
    }
    m_clicks.insert(widget, {std::move(handler), kind});
}

// A button draws its own focus; a label or picture gets a dotted frame, painted over it here
// rather than by a style sheet of its own, which would give every such control a style of its own.
bool ControlBinder::paintedWithFocusFrame(QWidget *widget, QEvent *paint)
{
    if (!widget->hasFocus() || qobject_cast<QPushButton *>(widget))
        return false;
    static_cast<QObject *>(widget)->event(paint);
    QPainter painter(widget);
    painter.setPen(QPen(widget->palette().color(QPalette::Highlight), 1, Qt::DotLine));
    painter.drawRect(widget->rect().adjusted(0, 0, -1, -1));
    return true;
}

bool ControlBinder::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Polish && qobject_cast<QLabel *>(watched)) {
        asUnfocusable(static_cast<QWidget *>(watched), [watched, event] { watched->event(event); });
        return true;
    }
    if (event->type() == QEvent::Paint && watched->isWidgetType())
        return paintedWithFocusFrame(static_cast<QWidget *>(watched), event);
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (auto *button = qobject_cast<QPushButton *>(watched)) {
                button->click();
                return true;
            }
            const auto click = m_clicks.constFind(watched);
            if (click != m_clicks.constEnd()) {
                const Click copy = *click;
                run(copy.kind, copy.handler);
                return true;
            }
        }
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        auto *widget = static_cast<QWidget *>(watched);
        const auto click = m_clicks.constFind(watched);
        if (click != m_clicks.constEnd() && mouse->button() == Qt::LeftButton
            && widget->rect().contains(mouse->position().toPoint())) {
            const Click copy = *click;
            run(copy.kind, copy.handler);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

namespace {

void showText(QWidget *w, const QString &text)
{
    if (auto *l = qobject_cast<QLabel *>(w); l && l->pixmap().isNull())
        asUnfocusable(l, [l, &text] { l->setText(text); });
    else if (auto *e = qobject_cast<QLineEdit *>(w); e && e->text() != text)
        e->setText(text);
    else if (auto *p = qobject_cast<QPlainTextEdit *>(w))
        p->setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    else if (auto *button = qobject_cast<QPushButton *>(w); button && button->icon().isNull())
        button->setText(text);
}

// A screen reader reads the caption, or for a picture its tooltip, and the tooltip besides.
void nameForScreenReaders(QWidget *w, const Control &c)
{
    if (!qobject_cast<QLabel *>(w) && !qobject_cast<QPushButton *>(w))
        return;
    const QString caption = c.text.trimmed();
    // A picture with neither keeps the name its window gave it.
    if (!caption.isEmpty() || !c.tooltip.isEmpty())
        w->setAccessibleName(caption.isEmpty() ? c.tooltip : caption);
    w->setAccessibleDescription(c.tooltip);
}

void showColours(QWidget *w, const Control &c)
{
    QPalette p = w->palette();
    const QColor fore = ControlBinder::toQColor(c.foreColor, p);
    const QColor back = ControlBinder::toQColor(c.backColor, p);
    const bool editable = qobject_cast<QLineEdit *>(w) || qobject_cast<QPlainTextEdit *>(w);
    p.setColor(QPalette::Active, QPalette::WindowText, fore);
    p.setColor(QPalette::Inactive, QPalette::WindowText, fore);
    p.setColor(QPalette::Disabled, QPalette::WindowText, disabledText);
    p.setColor(QPalette::Window, back);
    p.setColor(QPalette::Button, back);
    if (editable) {
        p.setColor(QPalette::Active, QPalette::Text, QColor(Qt::black));
        p.setColor(QPalette::Inactive, QPalette::Text, QColor(Qt::black));
        p.setColor(QPalette::Active, QPalette::Base, back);
        p.setColor(QPalette::Inactive, QPalette::Base, back);
        // A disabled box is drawn as the desktop draws one: grey text on a grey field.
        p.setColor(QPalette::Disabled, QPalette::Text, disabledBoxText);
        p.setColor(QPalette::Disabled, QPalette::Base, disabledBoxField);
    }
    w->setPalette(p);
    w->setAutoFillBackground(c.opaque && !editable);
}

} // namespace

void ControlBinder::apply(Binding &b)
{
    const Control &c = *b.control;
    QWidget *w = b.widget;
    const bool first = b.firstRender;
    const Control &was = b.shown;

    // The font before the text: a caption laid out in the font it is about to leave would load
    // that font's face for nothing.
    if (first || c.bold != was.bold) {
        QFont f = w->font();
        f.setBold(c.bold);
        w->setFont(f);
    }
    if (first || c.text != was.text)
        showText(w, c.text);
    if (first || c.tooltip != was.tooltip)
        w->setToolTip(plainToolTip(c.tooltip));
    if (first || c.text != was.text || c.tooltip != was.tooltip)
        nameForScreenReaders(w, c);
    if (first || c.enabled != was.enabled)
        w->setEnabled(c.enabled);
    if (first || c.visible != was.visible)
        w->setVisible(c.visible);
    if (first || c.foreColor != was.foreColor || c.backColor != was.backColor || c.opaque != was.opaque)
        showColours(w, c);
    b.shown = c;
    b.firstRender = false;
}

void ControlBinder::render()
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
    for (TimerBinding &t : m_timers) {
        const Timer &c = *t.control;
        if (c.interval <= 0) {
            t.timer->stop();
            t.firstPending = false;
        } else if (t.settingsShown != c.settings) {
            t.firstPending = c.firstAfter > 0;
            t.timer->start(t.firstPending ? c.firstAfter : c.interval);
        } else if (!t.firstPending && (!t.timer->isActive() || t.timer->interval() != c.interval)) {
            t.timer->start(c.interval);
        }
        t.settingsShown = t.control->settings;
    }
}
