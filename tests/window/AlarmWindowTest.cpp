// The real alarm window on a real X server: widgets at their places, showing the logic's state.
#include "QtPrinters.h"
#include "RealAlarmWindow.h"
#include "toolkit/AppInfo.h"
#include "toolkit/DateText.h"
#include "toolkit/front/OneLineLabel.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {
void runEventsFor(int ms)
{
    runEventsUntil(ms);
}
} // namespace

TEST(AlarmWindowOnScreen, EveryControlStandsAtItsPlaceWithItsLoadState)
{
    RealAlarmWindow w;
    runEventsFor(300);
    ASSERT_TRUE(w.window.isVisible());
    EXPECT_EQ(w.window.size(), QSize(AppInfo::WindowWidth, AppInfo::WindowHeight));
    EXPECT_EQ(w.window.minimumSize(), w.window.maximumSize());
    EXPECT_TRUE(w.window.windowTitle().trimmed().isEmpty());

    const QRect client = w.window.rect();
    const char *controls[] = {"Label15",    "Label16",   "Label5",    "Label2(0)",  "Label2(1)",  "Label2(2)",
                              "Label2(3)",  "Label2(4)", "Label2(5)", "Label4",     "Label3",     "Label1",
                              "Label9(0)",  "Label9(5)", "Text2(0)",  "Text2(2)",   "Text1(0)",   "Text1(2)",
                              "Label13",    "Combo2(0)", "Combo2(1)", "Combo2(2)",  "Orr",        "OK",
                              "Stopp",      "Label18",   "Label10",   "Label11",    "Label6(2)",  "Label14(0)",
                              "Label14(1)", "Label7",    "Label17",   "Label12(0)", "Label12(7)", "ImgHide",
                              "Image5",     "Label19",   "Label20",   "Exitz",      "Picture1",   "Image1(0)",
                              "Image1(1)",  "Image2",    "Label6(0)"};
    for (const char *name : controls) {
        QWidget *widget = w.widget(name);
        ASSERT_NE(widget, nullptr) << name;
        EXPECT_TRUE(widget->isVisible()) << name;
        EXPECT_TRUE(client.contains(widget->geometry())) << name << " lies outside the window";
    }
    EXPECT_FALSE(w.widget("Label8")->isVisible());
    EXPECT_TRUE(w.widget("Image4")->isVisible());

    // What the logic holds at start-up (its spelling is checked in the unit tests), shown as it is.
    const AlarmMain &a = w.alarm;
    const std::pair<const char *, const Control *> captions[] = {{"Label7", &a.Label7},
                                                                 {"Label11", &a.Label11},
                                                                 {"Label6(2)", &a.Label6[2]},
                                                                 {"Label10", &a.Label10}};
    for (const auto &[name, control] : captions)
        EXPECT_EQ(w.widget<QLabel>(name)->text(), control->text) << name;
    EXPECT_EQ(w.widget<QLineEdit>("Text2(2)")->text(), a.Text2[2].text);
    EXPECT_FALSE(w.widget("Text1(0)")->isEnabled());
    EXPECT_FALSE(w.widget("Label3")->isEnabled());
    EXPECT_TRUE(w.widget("Label12(4)")->font().bold());
    EXPECT_FALSE(w.widget("Label12(3)")->font().bold());
    EXPECT_FALSE(w.widget("Label19")->font().bold());
    EXPECT_FALSE(w.widget("Label20")->font().bold());
    EXPECT_DOUBLE_EQ(w.widget("Label19")->font().pointSizeF(), 8.25);
    // Where the layout puts them, clear of their neighbours.
    const std::pair<const char *, int> lefts[] = {{"Label10", 94},  {"Label8", 200}, {"Label11", 354}, {"Label19", 446},
                                                  {"ImgHide", 438}, {"Image5", 472}, {"Label6(2)", 11}};
    for (const auto &[name, x] : lefts)
        EXPECT_EQ(w.widget(name)->x(), x) << name;
    const std::pair<const char *, const char *> neighbours[] = {{"Label10", "OK"},
                                                                {"Label11", "ImgHide"},
                                                                {"Label6(2)", "Label7"},
                                                                {"Label8", "ImgHide"},
                                                                {"Label19", "Image5"}};
    for (const auto &[one, other] : neighbours)
        EXPECT_FALSE(w.widget(one)->geometry().intersects(w.widget(other)->geometry())) << one << " overlaps " << other;
    for (const char *name : {"Label19", "Label20", "Label10", "Label11", "Label6(2)"}) {
        auto *label = w.widget<QLabel>(name);
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width()) << name << " cuts its caption";
    }
    EXPECT_EQ(w.widget("Stopp")->toolTip(), a.Stopp.tooltip);
    EXPECT_EQ(w.widget("Label8")->toolTip(), a.Label8.tooltip);

    for (const char *name : {"Orr", "OK", "Stopp", "Label7", "Label12(0)", "Label12(7)", "ImgHide", "Image5", "Label19",
                             "Label20", "Exitz", "Picture1", "Image1(0)", "Image1(1)", "Image2", "Image4"})
        EXPECT_EQ(w.widget(name)->cursor().shape(), Qt::PointingHandCursor) << name;
    for (QLabel *label : w.window.findChildren<QLabel *>())
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();

    const QDate today = QDate::currentDate();
    EXPECT_EQ(w.widget<QComboBox>("Combo2(0)")->currentText(), QString::number(today.day()));
    EXPECT_EQ(w.widget<QComboBox>("Combo2(1)")->currentText(), DateText::monthName(QLocale::system(), today.month()));
    EXPECT_EQ(w.widget<QComboBox>("Combo2(2)")->currentText(), QString::number(today.year()));
    EXPECT_EQ(w.widget<QComboBox>("Combo2(1)")->count(), 12);

    EXPECT_TRUE(w.window.grab().save(screenshotPath("alarm-window.png")));
}

// Light to draw: a clickable caption takes the focus without the text document Qt would give a
// focusable label, also once its text changes; and the design's fonts draw Latin text unshaped.
TEST(AlarmWindowOnScreen, CaptionsAreDrawnWithoutATextDocumentOrShaping)
{
    RealAlarmWindow w;
    runEventsFor(300);
    const auto documents = [&w] {
        int count = 0;
        for (QLabel *label : w.window.findChildren<QLabel *>())
            for (const QObject *child : label->children())
                count += qstrcmp(child->metaObject()->className(), "QWidgetTextControl") == 0;
        return count;
    };
    auto *caption = w.widget<QLabel>("Label19");
    ASSERT_EQ(caption->focusPolicy(), Qt::StrongFocus);
    EXPECT_EQ(documents(), 0);
    caption->setFocus();
    w.alarm.Label19.text = QStringLiteral("Away");
    w.window.render();
    runEventsFor(100);
    EXPECT_EQ(caption->text(), QStringLiteral("Away"));
    EXPECT_TRUE(caption->hasFocus());
    EXPECT_EQ(caption->focusPolicy(), Qt::StrongFocus);
    EXPECT_EQ(documents(), 0);

    for (QWidget *widget : w.window.findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        EXPECT_TRUE(widget->font().styleStrategy() & QFont::PreferNoShaping) << widget->objectName().toStdString();
}

TEST(AlarmWindowOnScreen, TheClockMovesOnScreen)
{
    RealAlarmWindow w;
    runEventsFor(700);
    const QString firstSeconds = w.widget<QLabel>("Label2(2)")->text();
    const QImage first = w.window.grab().toImage();
    // The next second, given time on a machine under load.
    runEventsUntil(3000, [&] { return w.widget<QLabel>("Label2(2)")->text() != firstSeconds; });
    const QString secondSeconds = w.widget<QLabel>("Label2(2)")->text();
    const QImage second = w.window.grab().toImage();
    first.save(screenshotPath("clock-1.png"));
    second.save(screenshotPath("clock-2.png"));

    EXPECT_NE(firstSeconds, secondSeconds);
    EXPECT_NE(first, second);
    const QRect seconds = w.widget("Label2(2)")->geometry();
    EXPECT_NE(first.copy(seconds), second.copy(seconds)) << "the seconds digits did not change on screen";
    EXPECT_EQ(w.widget<QLabel>("Label16")->text(), DateText::dayMonthYear(QLocale::system(), QDate::currentDate()));
}

TEST(AlarmWindowOnScreen, MonthNamesFollowTheUsersLanguage)
{
    const QString expectedJanuary = qEnvironmentVariable("EXPECT_JANUARY", QStringLiteral("January"));
    RealAlarmWindow w;
    runEventsFor(100);
    EXPECT_EQ(w.widget<QComboBox>("Combo2(1)")->itemText(0), expectedJanuary);
    const QString thisMonth = QLocale::system().monthName(QDate::currentDate().month());
    EXPECT_TRUE(w.widget<QLabel>("Label16")->text().contains(thisMonth));
}

TEST(AlarmWindowOnScreen, BoxesLookLikeTheirStateAndShowWhatTheLogicHolds)
{
    RealAlarmWindow w;
    runEventsFor(300);
    auto *duration = w.widget<QLineEdit>("Text2(2)");
    auto *timeOfDay = w.widget<QLineEdit>("Text1(2)");
    ASSERT_TRUE(duration->isEnabled());
    ASSERT_FALSE(timeOfDay->isEnabled());
    // The field inside each box, left of its digits: a disabled box is drawn another colour.
    const QImage shot = w.window.grab().toImage();
    shot.save(screenshotPath("boxes-enabled-and-disabled.png"));
    const auto field = [&](QWidget *box) {
        return shot.pixelColor(box->geometry().topLeft() + QPoint(4, box->height() / 2));
    };
    EXPECT_EQ(field(duration), QColor(Qt::white));
    EXPECT_NE(field(timeOfDay), field(duration)) << "the disabled time box is drawn like the enabled duration box";
    EXPECT_NE(timeOfDay->palette().color(QPalette::Disabled, QPalette::Text),
              duration->palette().color(QPalette::Active, QPalette::Text));

    // Typed over, then written back by a handler to the text it showed before: the box shows
    // the handler's text, as the logic holds it. The mode toggle writes 0, 0 and 10.
    clickWithMouse(duration);
    runEventsFor(100);
    xdotool({QStringLiteral("key"), QStringLiteral("ctrl+a")});
    xdotool({QStringLiteral("type"), QStringLiteral("5")});
    runEventsUntil(1000, [&] { return duration->text() == QStringLiteral("5"); });
    ASSERT_EQ(w.alarm.Text2[2].text, QStringLiteral("5"));
    clickWithMouse(w.widget("Orr"));
    runEventsUntil(1000, [&] { return w.alarm.Label3.enabled; });
    runEventsFor(100);
    EXPECT_EQ(w.alarm.Text2[2].text, QStringLiteral("10"));
    EXPECT_EQ(duration->text(), QStringLiteral("10")) << "the box kept the typed text the handler replaced";
    w.window.grab().save(screenshotPath("boxes-after-the-toggle.png"));
}

TEST(AlarmWindowOnScreen, ALongOrMultiLineReminderShowsOneLineEndingInAnEllipsis)
{
    RealAlarmWindow w;
    runEventsFor(200);
    auto *reminder = dynamic_cast<OneLineLabel *>(w.widget<QLabel>("Label7"));
    ASSERT_NE(reminder, nullptr);
    const auto painted = [&](const QString &text) {
        w.alarm.Label7.text = text;
        w.window.render();
        return reminder->grab().toImage();
    };
    // What the label paints for a text is what it paints for the one line it should show.
    const QString twoLines = QStringLiteral(" Buy milk\r\nand bread ");
    EXPECT_EQ(painted(twoLines), painted(QStringLiteral(" Buy milk") + QChar(0x2026))) << "the second line is painted";
    const QString longWord = QStringLiteral(" ") + QString(10000, u'w') + QStringLiteral("end ");
    const QImage cut = painted(longWord);
    const QString shown = reminder->shownText();
    EXPECT_TRUE(shown.startsWith(QStringLiteral(" wwww")) && shown.endsWith(QChar(0x2026))) << shown.toStdString();
    EXPECT_LE(reminder->fontMetrics().horizontalAdvance(shown), reminder->contentsRect().width());
    EXPECT_EQ(cut, painted(shown)) << "the long text is not painted as its cut line";
    painted(longWord);
    EXPECT_EQ(reminder->text(), longWord) << "the caption itself is cut";
    w.window.grab().save(screenshotPath("reminder-one-line.png"));
}
