// The information window on a real desktop: opened from each of the alarm window's four
// information images, every tab shown, closed and opened again.
#include "RealAlarmWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QFrame>
#include <QTabBar>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

InfoWindow *openWith(RealAlarmWindow &w, const char *image)
{
    clickWithMouse(w.widget(image));
    runEventsUntil(3000, [&] { return w.programInfo.window() && w.programInfo.window()->isVisible(); });
    return w.programInfo.window();
}

} // namespace

TEST(InfoWindowOnTheDesktop, EachImageOpensTheOneWindow)
{
    RealAlarmWindow w;
    runEventsUntil(500);
    InfoWindow *first = openWith(w, "Image1(0)");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->windowTitle(), QStringLiteral(" Program Informations"));
    EXPECT_EQ(first->parentWidget(), nullptr); // no owner window
    for (const char *image : {"Image1(1)", "Image2", "Image4"}) {
        // Close, clicked: the window hides at once, not at its animation's next tick. The
        // animation is stopped here (and stays stopped whatever renders), so only the click's
        // own handling can hide the window.
        first->logic().Timer1.interval = 0;
        first->findChild<QTimer *>(QStringLiteral("Timer1"))->stop();
        // Clicked once the window manager has placed it, where the X server has it.
        ASSERT_TRUE(runEventsUntil(3000, [&] { return viewable(first); }));
        runEventsUntil(300);
        clickWithMouse(first->findChild<QWidget *>(QStringLiteral("Cloze")));
        ASSERT_TRUE(runEventsUntil(2000, [&] { return !first->isVisible(); })) << "Close did not hide the window";
        w.window.raise();
        runEventsUntil(200);
        EXPECT_EQ(openWith(w, image), first) << image;
        EXPECT_TRUE(first->isVisible()) << image;
    }
    EXPECT_EQ(openWith(w, "Image4"), first); // asked again while visible: the same window
    EXPECT_TRUE(w.window.isVisible());
}

TEST(InfoWindowOnTheDesktop, ItsClicksActWhileAnOwnFilePlays)
{
    RealAlarmWindow w;
    runEventsUntil(300);
    w.programInfo.show();
    InfoWindow *info = w.programInfo.window();
    ASSERT_TRUE(runEventsUntil(2000, [&] { return viewable(info); }));
    runEventsUntil(300);
    auto *tabs = info->findChild<QTabWidget *>(QStringLiteral("SSTab1"));
    const int other = (info->logic().SSTab1.tab + 1) % tabs->count();
    // A play holds the alarm window's handler as an own file does, while a real click picks a tab.
    bool played = false;
    QTimer::singleShot(200, [&] {
        const QRect place = tabs->tabBar()->tabRect(other);
        QWidget probe(tabs->tabBar());
        probe.setGeometry(place);
        clickWithMouse(&probe);
        QTimer::singleShot(800, [&] { played = true; });
    });
    w.dispatcher.run(Dispatcher::Kind::Tick, [&] { w.dispatcher.waitWhilePlaying([&] { return played; }); });
    EXPECT_EQ(info->logic().SSTab1.tab, other) << "the click was not acted on";
    EXPECT_EQ(tabs->currentIndex(), other) << "the tab shown and the state differ";
}

TEST(InfoWindowOnTheDesktop, EveryTabOnScreen)
{
    RealAlarmWindow w;
    runEventsUntil(300);
    w.programInfo.show();
    InfoWindow *info = w.programInfo.window();
    ASSERT_TRUE(runEventsUntil(2000, [&] { return info->isVisible(); }));
    auto *tabs = info->findChild<QTabWidget *>(QStringLiteral("SSTab1"));
    ASSERT_EQ(tabs->count(), 5);
    // Each caption whole, on one line or two: the view breaks a line, it never shortens one.
    const auto caption = [&](int tab) { return tabs->tabText(tab).replace(u'\n', u' '); };
    EXPECT_EQ(caption(2), QStringLiteral("From Meridane"));
    EXPECT_EQ(caption(3), QStringLiteral("Authors"));
    EXPECT_EQ(caption(4), QStringLiteral("Homepages"));
    EXPECT_EQ(caption(1), QStringLiteral("Meridane Chimewell"));
    EXPECT_EQ(tabs->elideMode(), Qt::ElideNone);
    const QFontMetrics tabFont(tabs->tabBar()->font());
    for (int tab = 0; tab < 5; ++tab) {
        const QRect place = tabs->tabBar()->tabRect(tab);
        EXPECT_TRUE(tabs->rect().contains(place.translated(tabs->tabBar()->pos()))) << "tab " << tab << " lies outside";
        const QStringList lines = tabs->tabText(tab).split(u'\n');
        for (const QString &line : lines)
            EXPECT_LT(tabFont.horizontalAdvance(line), place.width()) << line.toStdString() << " does not fit its tab";
        // An unselected tab draws its caption lower by the style's shift; its last line's
        // letters still end above the tab's lower edge.
        const int shift =
            tabs->tabBar()->style()->pixelMetric(QStyle::PM_TabBarTabShiftVertical, nullptr, tabs->tabBar());
        const int textHeight = int(lines.size()) * tabFont.lineSpacing();
        EXPECT_LE((place.height() + textHeight) / 2 + shift, place.height() - 1)
            << caption(tab).toStdString() << ": " << lines.size() << " lines in a tab " << place.height() << " high";
    }
    EXPECT_NE(info->findChild<QFrame *>(QStringLiteral("Frame1")), nullptr);
    EXPECT_NE(info->findChild<QFrame *>(QStringLiteral("Frame2")), nullptr);

    auto *combo = info->findChild<QComboBox *>(QStringLiteral("ImageCombo1"));
    EXPECT_EQ(combo->count(), 19);
    EXPECT_EQ(combo->currentIndex(), 17);
    EXPECT_FALSE(combo->itemIcon(0).isNull());

    for (int tab = 0; tab < 5; ++tab) {
        tabs->setCurrentIndex(tab);
        runEventsUntil(600);
        EXPECT_EQ(info->logic().SSTab1.tab, tab);
        info->grab().save(screenshotPath(qPrintable(QStringLiteral("info-tab-%1.png").arg(tab))));
    }
    tabs->setCurrentIndex(2);
    runEventsUntil(200);
    for (const char *name : {"Label10", "Label11"}) {
        auto *label = info->findChild<QLabel *>(QString::fromLatin1(name));
        EXPECT_EQ(label->size(), label->sizeHint()) << name << " does not size itself to its text";
        EXPECT_LT(label->height(), 2 * label->fontMetrics().height()) << name << " is on more than one line";
        EXPECT_TRUE(label->text().contains(QStringLiteral("Meridane Chimewell"))) << name;
    }
    tabs->setCurrentIndex(3);
    runEventsUntil(200);
    EXPECT_TRUE(info->findChild<QWidget *>(QStringLiteral("Picture1"))->isVisible());
    EXPECT_FALSE(info->findChild<QWidget *>(QStringLiteral("Label1(0)"))->isVisible());
}

TEST(InfoWindowOnTheDesktop, CloseKeepsItFrameCloseLoadsItAfresh)
{
    RealAlarmWindow w;
    runEventsUntil(300);
    w.programInfo.show();
    InfoWindow *info = w.programInfo.window();
    runEventsUntil(300);
    auto *tabs = info->findChild<QTabWidget *>(QStringLiteral("SSTab1"));
    tabs->setCurrentIndex(2);
    auto *combo = info->findChild<QComboBox *>(QStringLiteral("ImageCombo1"));
    combo->setCurrentIndex(3);
    emit combo->activated(3);
    runEventsUntil(200);
    EXPECT_EQ(info->logic().Label10.text, info->logic().content().catalogue[3].title);
    EXPECT_TRUE(info->findChild<QPlainTextEdit *>(QStringLiteral("Text2"))->toPlainText().startsWith(u'\n'));

    clickWithMouse(info->findChild<QWidget *>(QStringLiteral("Cloze")));
    ASSERT_TRUE(runEventsUntil(2000, [&] { return !info->isVisible(); }));
    w.programInfo.show();
    runEventsUntil(300);
    EXPECT_EQ(w.programInfo.window(), info);
    EXPECT_EQ(tabs->currentIndex(), 2);
    EXPECT_EQ(combo->currentIndex(), 3);

    info->close(); // through the frame
    runEventsUntil(300);
    EXPECT_EQ(w.programInfo.window(), nullptr);
    w.programInfo.show();
    runEventsUntil(300);
    InfoWindow *fresh = w.programInfo.window();
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(fresh->findChild<QTabWidget *>(QStringLiteral("SSTab1"))->currentIndex(), 0);
    EXPECT_EQ(fresh->findChild<QComboBox *>(QStringLiteral("ImageCombo1"))->currentIndex(), 17);
    EXPECT_TRUE(w.window.isVisible()); // closing the information window never ends the program
}
