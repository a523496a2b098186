#include "info/front/InfoWindow.h"

#include "toolkit/AppInfo.h"
#include "toolkit/Dispatcher.h"
#include "toolkit/front/DesignFont.h"
#include "toolkit/front/Pictures.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

namespace {

QString picturePath(const QString &file)
{
    return QStringLiteral(":/info/pictures/") + file;
}

const QString InfoIcon = QStringLiteral("info-icon.png"); // the window's own, and its top corner's picture

// Places are in pixels, the design's twips over 15. onTab() alone takes the design's twips, for
// a place on a tab: those count from the tab control's top, which the tab bar takes up on screen.
constexpr int TabBarHeight = 22;

// Breaks a caption wider than the width at the blank that best halves it.
QString onTwoLinesIfWide(const QString &caption, const QFontMetrics &font, int width)
{
    if (font.horizontalAdvance(caption) <= width)
        return caption;
    qsizetype best = -1;
    for (qsizetype i = caption.indexOf(u' '); i >= 0; i = caption.indexOf(u' ', i + 1))
        if (best < 0 || std::abs(caption.size() - 2 * i) < std::abs(caption.size() - 2 * best))
            best = i;
    return best < 0 ? caption : caption.left(best) + u'\n' + caption.mid(best + 1);
}

// The style draws an unselected tab's caption lower than the selected one's, by its shift, in
// a tab no taller: a second line lost its lower part to the tab's edge. Each tab gets that
// room below its caption.
class RoomBelowCaptions : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;
    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &contents,
                           const QWidget *widget) const override
    {
        QSize size = QProxyStyle::sizeFromContents(type, option, contents, widget);
        if (type == CT_TabBarTab)
            size.rheight() += 2 * pixelMetric(PM_TabBarTabShiftVertical, option, widget);
        return size;
    }
};

QRect onTab(int x, int y, int w, int h)
{
    return QRect(x / 15, y / 15 - TabBarHeight, w / 15, h / 15);
}

} // namespace

InfoWindow::InfoWindow(Dispatcher &dispatcher, std::function<void()> unloaded)
    : m_logic(InfoContent::embedded())
    , m_unloaded(std::move(unloaded))
    , m_binder(this)
{
    setObjectName(QStringLiteral("prginfo"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFixedSize(436, 364);
    setWindowIcon(pngIcon(picturePath(InfoIcon)));
    setMouseTracking(true);
    m_binder.setDispatcher(&dispatcher, [this] { render(); });
    m_logic.Form_Load();
    build();
    render();
}

void InfoWindow::run(const Dispatcher::Handler &handler)
{
    // This window shares nothing with the alarm: its clicks act while an own file plays, rather
    // than change a tab or a list that the next render would put back.
    m_binder.run(Dispatcher::Kind::UrgentEvent, handler);
}

QLabel *InfoWindow::label(QWidget *parent, Label &control, const char *name, const QRect &place, const QFont &font,
                          Qt::Alignment align)
{
    auto *widget = new QLabel(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(place);
    widget->setFont(font);
    widget->setAlignment(align);
    widget->setWordWrap(true);
    m_binder.bind(widget, &control);
    return widget;
}

QLabel *InfoWindow::picture(QWidget *parent, Control &control, const char *name, const QString &file,
                            const QRect &place)
{
    auto *widget = new QLabel(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setPixmap(pngPicture(picturePath(file)));
    widget->setScaledContents(true);
    widget->setGeometry(place);
    m_binder.bind(widget, &control);
    return widget;
}

QPlainTextEdit *InfoWindow::textBox(QWidget *parent, TextBox &control, const char *name, const QRect &place,
                                    const char *family, const QString &accessibleName)
{
    auto *box = new QPlainTextEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setReadOnly(true);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setFont(designFont(family, 8.25));
    box->setGeometry(place);
    box->setAccessibleName(accessibleName);
    m_binder.bind(box, &control);
    return box;
}

QLabel *InfoWindow::plainText(QWidget *parent, const QString &text, const QRect &place, const QFont &font)
{
    auto *widget = new QLabel(text, parent);
    widget->setTextFormat(Qt::PlainText);
    widget->setFont(font);
    widget->setGeometry(place);
    return widget;
}

QWidget *InfoWindow::page(int tab)
{
    return m_tabs->widget(tab);
}

void InfoWindow::build()
{
    buildTop();
    buildTabs();
    buildFirstShowcase(page(0));
    buildSecondShowcase(page(1));
    buildCatalogue(page(2));
    // Tabs 3 and 4: the authors and the home pages.
    textBox(page(3), m_logic.Text3, "Text3", onTab(405, 660, 5670, 3495), "Tahoma",
            QStringLiteral("About the authors"));
    textBox(page(4), m_logic.Text4, "Text4", onTab(390, 600, 5715, 3540), "Tahoma", QStringLiteral("Home pages"));

    auto *timer = new QTimer(this);
    timer->setObjectName(QStringLiteral("Timer1"));
    m_binder.bindTimer(timer, &m_logic.Timer1, Dispatcher::Kind::OwnControlTick, [this] { m_logic.Timer1_Timer(); });
}

void InfoWindow::buildTop()
{
    prginfo &p = m_logic;
    // Along the top: the title label, or the portraits while "Authors" is current.
    const int portraitX[] = {0, 49, 167, 290};
    for (int i = 1; i <= 3; ++i) {
        QLabel *portrait = picture(this, p.Picture[i], qPrintable(QStringLiteral("Picture%1").arg(i)),
                                   QStringLiteral("portrait-%1.png").arg(i), QRect(portraitX[i], 1, 45, 60));
        portrait->setAccessibleName(QStringLiteral("Portrait of ") + p.content().portraitCaptions[i - 1].trimmed());
    }
    const QFont portraitFont = designFont("Comic Sans MS", 9.75);
    QLabel *names[] = {label(this, p.Label4, "Label4", QRect(333, 13, 72, 40), portraitFont, Qt::AlignCenter),
                       label(this, p.Label3, "Label3", QRect(213, 14, 64, 40), portraitFont, Qt::AlignCenter),
                       label(this, p.Label2, "Label2", QRect(92, 15, 68, 40), portraitFont, Qt::AlignCenter)};
    label(this, p.Label1[0], "Label1(0)", QRect(52, 21, 330, 23), designFont("Comic Sans MS", 12), Qt::AlignCenter);
    picture(this, p.Image6, "Image6", QStringLiteral("info-icon-under.png"), QRect(398, 3, 32, 32))
        ->setAccessibleName(QStringLiteral("Information"));
    m_image7 = picture(this, p.Image7, "Image7", InfoIcon, QRect(398, 3, 32, 32));
    m_image7->setAccessibleName(QStringLiteral("Information"));
    // An author's name stands above the information picture where the two overlap.
    for (QLabel *name : names)
        name->raise();
    m_image7->setMouseTracking(true);
    m_image7->installEventFilter(this);

    auto *cloze = new QPushButton(this);
    cloze->setObjectName(QStringLiteral("Cloze"));
    cloze->setGeometry(4, 17, 40, 26);
    cloze->setFont(designFont("Arial", 8.25));
    cloze->setMouseTracking(true);
    cloze->installEventFilter(this);
    m_binder.bind(cloze, &p.Cloze);
    m_binder.onClick(cloze, [&p] { p.Cloze_Click(); });
    m_cloze = cloze;
}

void InfoWindow::buildTabs()
{
    const TabControl &control = m_logic.SSTab1;
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("SSTab1"));
    m_tabs->setGeometry(6, 64, 426, 296);
    // All five tabs in one row, as the window is narrow.
    m_tabs->setUsesScrollButtons(false);
    m_tabs->tabBar()->setFont(designFont("Arial", 7.5));
    auto *roomy = new RoomBelowCaptions;
    roomy->setParent(m_tabs);
    m_tabs->tabBar()->setStyle(roomy);
    m_tabs->setElideMode(Qt::ElideNone);
    // Each caption whole: one too wide for its fifth of the row goes on two lines, as a tab
    // control with word-wrapped captions draws it. The break is the view's; the caption is not changed.
    const int tabTextWidth = m_tabs->width() / int(control.captions.size()) - 14;
    const QFontMetrics tabFont(m_tabs->tabBar()->font());
    for (const QString &caption : control.captions) {
        auto *pageWidget = new QWidget;
        pageWidget->setAutoFillBackground(true);
        const int tab = m_tabs->addTab(pageWidget, onTwoLinesIfWide(caption, tabFont, tabTextWidth));
        m_tabs->setTabToolTip(tab, caption);
    }
    m_binder.bind(m_tabs, &m_logic.SSTab1);
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int tab) {
        if (m_renderingTabs || tab == m_logic.SSTab1.tab)
            return;
        run([this, tab] {
            const int previous = m_logic.SSTab1.tab;
            m_logic.SSTab1.tab = tab;
            m_logic.SSTab1_Click(previous);
        });
    });
}

void InfoWindow::buildFirstShowcase(QWidget *tab)
{
    prginfo &p = m_logic;
    const prginfo::Showcase first = p.showcase(0);
    auto *frame = new QFrame(tab);
    frame->setObjectName(QStringLiteral("Frame2"));
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setGeometry(10, 10, 250, 110);
    m_binder.bind(frame, &p.Frame2);
    plainText(frame, first.title, QRect(10, 8, 230, 24), designFont("Comic Sans MS", 12));
    plainText(frame, first.version, QRect(10, 36, 230, 18), font());
    plainText(frame, first.summary, QRect(10, 58, 230, 44), font())->setWordWrap(true);
    // The second frame: the maker's picture and name.
    auto *makerFrame = new QFrame(tab);
    makerFrame->setObjectName(QStringLiteral("Frame1"));
    makerFrame->setFrameShape(QFrame::StyledPanel);
    makerFrame->setGeometry(270, 10, 140, 110);
    const QString maker = QString::fromLatin1(AppInfo::Organisation);
    auto *featured = new QLabel(makerFrame);
    featured->setPixmap(pngPicture(picturePath(QStringLiteral("featured-0.png"))));
    featured->setGeometry(36, 8, 68, 68);
    featured->setToolTip(maker);
    plainText(makerFrame, maker, QRect(4, 80, 132, 22), designFont("Comic Sans MS", 9.75, Slant::Italic))
        ->setAlignment(Qt::AlignCenter);
    plainText(tab, first.slogan, QRect(10, 140, 400, 24), designFont("Comic Sans MS", 9.75, Slant::Italic));
    // Lower frame numbers lie on top: raise from the last to the first.
    for (int i = 15; i >= 1; --i) {
        QLabel *frameImage = picture(tab, p.Image1[i], qPrintable(QStringLiteral("Image1(%1)").arg(i)),
                                     QStringLiteral("frame-%1.png").arg(i), onTab(4185, 3135, 480, 660));
        frameImage->setAccessibleName(QStringLiteral("Swinging bell, frame %1").arg(i));
        frameImage->raise();
    }
}

void InfoWindow::buildSecondShowcase(QWidget *tab)
{
    // The second featured program: this alarm.
    const prginfo::Showcase second = m_logic.showcase(1);
    auto *picture1 = new QLabel(tab);
    picture1->setPixmap(pngPicture(picturePath(QStringLiteral("featured-1.png"))));
    picture1->setGeometry(10, 8, 68, 68);
    plainText(tab, second.title, QRect(90, 14, 300, 24), designFont("Comic Sans MS", 12));
    plainText(tab, second.version, QRect(90, 44, 300, 18), font());
    textBox(tab, m_logic.Text1, "Text1", QRect(10, 84, 400, 180), "Verdana",
            QStringLiteral("Description of ") + second.title);
}

void InfoWindow::buildCatalogue(QWidget *tab)
{
    prginfo &p = m_logic;
    // The entry's title and its heading size themselves to their text, on one line.
    m_label10 = label(tab, p.Label10, "Label10", onTab(1785, 465, 1470, 330), designFont("Comic Sans MS", 9.75));
    m_label11 = label(tab, p.Label11, "Label11", onTab(1080, 825, 4800, 300), designFont("Verdana", 9.75));
    for (QLabel *l : {m_label10, m_label11})
        l->setWordWrap(false);
    for (int i = 1; i <= InfoContent::CatalogueSize; ++i) {
        QLabel *entryPicture = picture(tab, p.Image2[i], qPrintable(QStringLiteral("Image2(%1)").arg(i)),
                                       QStringLiteral("picture-%1.png").arg(i),
                                       i == 3 ? onTab(60, 360, 600, 600) : onTab(120, 420, 480, 480));
        entryPicture->setAccessibleName(QStringLiteral("Picture of ") + p.entryTitle(i));
    }
    m_combo = new QComboBox(tab);
    m_combo->setObjectName(QStringLiteral("ImageCombo1"));
    m_combo->setGeometry(onTab(3270, 465, 2730, 345).adjusted(0, 0, 0, 2));
    m_combo->setIconSize(QSize(16, 16));
    for (const ImageCombo::Item &item : p.ImageCombo1.items)
        m_combo->addItem(pngIcon(picturePath(QStringLiteral("icon-%1.png").arg(p.iconNumber(item)))), item.text,
                         item.key);
    m_binder.bind(m_combo, &p.ImageCombo1);
    connect(m_combo, &QComboBox::activated, this, [this](int index) {
        run([this, index] {
            m_logic.ImageCombo1.selected = index;
            m_logic.ImageCombo1_Click();
        });
    });
    textBox(tab, p.Text2, "Text2", onTab(555, 1125, 5430, 2985), "Tahoma", QStringLiteral("Description"));
}

void InfoWindow::render()
{
    m_binder.render();
    for (QLabel *l : {m_label10, m_label11})
        if (l->size() != l->sizeHint())
            l->resize(l->sizeHint());
    const prginfo &p = m_logic;
    m_renderingTabs = true;
    if (m_tabs->currentIndex() != p.SSTab1.tab)
        m_tabs->setCurrentIndex(p.SSTab1.tab);
    if (m_combo->currentIndex() != p.ImageCombo1.selected)
        m_combo->setCurrentIndex(p.ImageCombo1.selected);
    m_renderingTabs = false;
    if (windowTitle() != p.Form.text)
        setWindowTitle(p.Form.text);
    if (p.Form.visible && !isVisible()) {
        show();
    } else if (!p.Form.visible && isVisible()) {
        hide();
    }
}

bool InfoWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove) {
        if (watched == m_cloze)
            run([this] { m_logic.Cloze_MouseMove(); });
        else if (watched == m_image7)
            run([this] { m_logic.Image7_MouseMove(); });
    }
    return QWidget::eventFilter(watched, event);
}

void InfoWindow::mouseMoveEvent(QMouseEvent *event)
{
    // Only the bare background counts, not a move passed on by a child.
    if (!childAt(event->position().toPoint()))
        run([this] { m_logic.Form_MouseMove(); });
}

void InfoWindow::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && !childAt(event->position().toPoint()))
        run([this] { m_logic.Form_Click(); });
}

void InfoWindow::closeEvent(QCloseEvent *event)
{
    run([this] { m_logic.Form_QueryUnload(); });
    event->accept();
    if (m_unloaded)
        m_unloaded();
}

ProgramInfo::ProgramInfo(Dispatcher &dispatcher)
    : m_dispatcher(dispatcher)
{
}

ProgramInfo::~ProgramInfo() = default;

void ProgramInfo::show()
{
    if (!m_window) {
        m_window = std::make_unique<InfoWindow>(m_dispatcher, [this] {
            // Closed through its frame: unloaded, so the next request loads it afresh.
            m_window.release()->deleteLater();
        });
    }
    m_window->logic().Form.visible = true;
    m_window->render();
    m_window->raise();
    m_window->activateWindow();
}
