#include "AlarmHarness.h"
#include "info/prginfo.h"
#include "toolkit/UserError.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

struct Info : testing::Test
{
    Info() { info.Form_Load(); }

    QList<int> visiblePictures() const
    {
        QList<int> shown;
        for (int i = 1; i <= 19; ++i)
            if (info.Image2[i].visible)
                shown << i;
        return shown;
    }
    QList<int> visibleFrames() const
    {
        QList<int> shown;
        for (int i = 1; i <= 15; ++i)
            if (info.Image1[i].visible)
                shown << i;
        return shown;
    }
    QString description(int n) const { return info.content().catalogue[n - 1].paragraphs.join(CrLf); }
    void pick(int n)
    {
        info.ImageCombo1.selected = n - 1;
        info.ImageCombo1_Click();
    }
    void goToTab(int tab)
    {
        const int previous = info.SSTab1.tab;
        info.SSTab1.tab = tab;
        info.SSTab1_Click(previous);
    }
    bool authorsShown() const
    {
        const bool all = info.Picture[1].visible && info.Picture[2].visible && info.Picture[3].visible
            && info.Label2.visible && info.Label3.visible && info.Label4.visible;
        const bool none = !info.Picture[1].visible && !info.Picture[2].visible && !info.Picture[3].visible
            && !info.Label2.visible && !info.Label3.visible && !info.Label4.visible;
        EXPECT_TRUE(all || none) << "the portraits and captions go together";
        EXPECT_NE(all, info.Label1[0].visible) << "the title label stands in their place";
        return all;
    }

    prginfo info{InfoContent::embedded()};
};

} // namespace

TEST_F(Info, LoadsOnTheFeaturedEntry)
{
    EXPECT_EQ(info.Form.text, QStringLiteral(" Program Informations"));
    EXPECT_EQ(info.SSTab1.tab, 0);
    EXPECT_EQ(info.SSTab1.captions.size(), 5);
    EXPECT_EQ(info.SSTab1.captions[2], QStringLiteral("From Meridane"));
    ASSERT_EQ(info.ImageCombo1.items.size(), 19);
    for (int n = 1; n <= 19; ++n) {
        const ImageCombo::Item &item = info.ImageCombo1.items[n - 1];
        EXPECT_EQ(item.index, n);
        EXPECT_EQ(item.key, item.text);
        EXPECT_EQ(item.image, item.text);
        EXPECT_TRUE(info.content().imageKeys.contains(item.image));
    }
    EXPECT_EQ(info.ImageCombo1.selectedItem()->index, 18);
    EXPECT_EQ(visiblePictures(), QList<int>{18});
    const QString title = info.content().catalogue[17].title;
    EXPECT_EQ(title, QStringLiteral("Meridane Chimewell"));
    EXPECT_EQ(info.Label10.text, title);
    EXPECT_EQ(info.Label11.text, QStringLiteral("Utility of Meridane Chimewell:"));
    EXPECT_EQ(info.Text2.text, description(18));
    EXPECT_EQ(info.Text1.text, description(18));
    EXPECT_EQ(info.Text3.text, info.content().authorsParagraphs.join(CrLf));
    EXPECT_EQ(info.Text4.text, info.content().homepagesParagraphs.join(CrLf));
    const std::initializer_list<const Control *> faces = {&info.Text1, &info.Text2,  &info.Text3,
                                                          &info.Text4, &info.Frame2, &info.SSTab1};
    for (const Control *c : faces)
        EXPECT_EQ(c->backColor, Colors::ButtonFace);
    EXPECT_EQ(visibleFrames().size(), 15);
    EXPECT_FALSE(authorsShown());
    EXPECT_EQ(info.Label2.text, QStringLiteral(" Our Hon. GUIDE "));
    EXPECT_EQ(info.Timer1.interval, 500);
}

TEST_F(Info, PickingAnEntryShowsItAndTheFourthStartsWithAnEmptyLine)
{
    pick(4);
    EXPECT_EQ(visiblePictures(), QList<int>{4});
    EXPECT_EQ(info.Text2.text, CrLf + description(4));
    EXPECT_EQ(info.Label11.text, QStringLiteral("Utility of ") + info.content().catalogue[3].title + u':');
    pick(4);
    EXPECT_EQ(visiblePictures(), QList<int>{4});
    EXPECT_EQ(info.Text2.text, CrLf + description(4));
    for (int n : {1, 3, 19}) {
        pick(n);
        EXPECT_EQ(visiblePictures(), QList<int>{n});
        EXPECT_EQ(info.Text2.text, description(n));
    }
    EXPECT_EQ(info.Text1.text, description(18)); // the showcase tab keeps its entry
}

TEST_F(Info, TheAuthorsTabSwapsThePortraitsForTheTitle)
{
    goToTab(3);
    EXPECT_TRUE(authorsShown());
    goToTab(4);
    EXPECT_FALSE(authorsShown());
    goToTab(1);
    goToTab(2);
    EXPECT_FALSE(authorsShown());
    goToTab(3);
    goToTab(0);
    EXPECT_FALSE(authorsShown());
}

TEST_F(Info, TheAnimationRunsFrameByFrameAndWraps)
{
    QList<int> seen; // the frame on top after each tick
    for (int tick = 1; tick <= 30; ++tick) {
        info.Timer1_Timer();
        seen << visibleFrames().first();
        if (tick >= 14) {
            EXPECT_EQ(visibleFrames().size(), 1) << tick;
        }
    }
    QList<int> expected;
    for (int i = 2; i <= 15; ++i)
        expected << i;
    for (int i = 1; i <= 15; ++i)
        expected << i;
    expected << 1;
    EXPECT_EQ(seen, expected);
}

TEST_F(Info, CloseHidesAndKeepsWhereItWas)
{
    info.Form.visible = true;
    goToTab(2);
    pick(7);
    info.Cloze_Click();
    EXPECT_FALSE(info.Form.visible);
    EXPECT_EQ(info.SSTab1.tab, 2);
    EXPECT_EQ(visiblePictures(), QList<int>{7});
    info.Form.visible = true;
    info.Form_Click();
    EXPECT_FALSE(info.Form.visible);
    info.Form.visible = true;
    info.Form_QueryUnload();
    EXPECT_FALSE(info.Form.visible);
}

TEST_F(Info, HoverEffects)
{
    info.Cloze_MouseMove();
    EXPECT_EQ(info.Label1[0].foreColor, 4095u);
    EXPECT_TRUE(info.Cloze.bold);
    info.Image7_MouseMove();
    EXPECT_FALSE(info.Image7.visible);
    info.Form_MouseMove();
    EXPECT_EQ(info.Label1[0].foreColor, Colors::rgb(0, 0, 255));
    EXPECT_FALSE(info.Cloze.bold);
    EXPECT_TRUE(info.Image7.visible);
    EXPECT_EQ(info.Frame2.backColor, 0x8000000Fu);
}

TEST(InfoContentData, NineteenEntriesOfTheirOwnWithPicturesAndParagraphs)
{
    const InfoContent c = InfoContent::embedded();
    EXPECT_EQ(c.imageKeys.size(), 22);
    EXPECT_EQ(QSet<QString>(c.imageKeys.begin(), c.imageKeys.end()).size(), 22);
    QSet<QString> titles;
    int withTabs = 0;
    for (const InfoContent::Entry &e : c.catalogue) {
        titles.insert(e.title);
        EXPECT_GE(e.paragraphs.size(), 2) << e.title.toStdString();
        withTabs += e.paragraphs.join(QString()).contains(u'\t');
    }
    EXPECT_EQ(titles.size(), 19);
    EXPECT_GT(withTabs, 0);
    EXPECT_THROW(InfoContent::fromJson("{\"catalogue\": []}"), UserError);
    EXPECT_THROW(InfoContent::fromJson("not json"), UserError);
}

TEST(InfoImages, EachOfTheFourOpensTheInformationWindow)
{
    AlarmHarness h{QDateTime(QDate(2026, 12, 7), QTime(9, 0, 0))};
    h.alarm.Form_Load();
    // One request per click and nothing else: no box, no sound, nothing armed, the window kept.
    // That a request opens one window, the same one each time, is the window test's to show.
    const std::function<void()> clicks[] = {[&] { h.alarm.Image1_Click(0); }, [&] { h.alarm.Image1_Click(1); },
                                            [&] { h.alarm.Image2_Click(); }, [&] { h.alarm.Image4_Click(); }};
    int expected = 0;
    for (const auto &click : clicks) {
        h.click(click);
        EXPECT_EQ(h.infoRequests, ++expected);
    }
    EXPECT_TRUE(h.dialogs.messages.isEmpty());
    EXPECT_TRUE(h.audio.tones.isEmpty());
    EXPECT_EQ(h.alarm.state.alarmArmed, FlagFalse);
    EXPECT_EQ(h.alarm.Timer3.interval, 0);
}
