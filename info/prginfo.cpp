#include "info/prginfo.h"

namespace {

constexpr ColorValue Purple = Colors::rgb(128, 0, 128);
constexpr ColorValue HoverRed = Colors::rgb(255, 15, 0); // 4095
constexpr int FeaturedEntry = 18;
constexpr int Frames = 15;
constexpr int Entries = InfoContent::CatalogueSize;

const QString CrLf = QStringLiteral("\r\n");

} // namespace

const ImageCombo::Item *ImageCombo::selectedItem() const
{
    return selected >= 0 && selected < items.size() ? &items[selected] : nullptr;
}

prginfo::prginfo(InfoContent content)
    : m_content(std::move(content))
{
    initialiseControls();
}

void prginfo::initialiseControls()
{
    Form.text = QStringLiteral(" Program Informations");
    Form.visible = false; // until the first show request
    for (int i = 1; i <= 3; ++i)
        Picture[i].visible = false;
    Picture[0].visible = false; // there is no Picture0

    Cloze.text = QStringLiteral("Close");
    Cloze.backColor = Colors::rgb(255, 192, 192);
    Cloze.opaque = true;

    const InfoContent &c = m_content;
    SSTab1.captions = {showcase(0).title, showcase(1).title, QStringLiteral("From Meridane"), QStringLiteral("Authors"),
                       QStringLiteral("Homepages")};

    Label *portraits[] = {&Label2, &Label3, &Label4};
    for (int i = 0; i < 3; ++i) {
        portraits[i]->text = c.portraitCaptions[i];
        portraits[i]->foreColor = Purple;
        portraits[i]->bold = true;
        portraits[i]->visible = false;
    }
    Label1[0].text = QStringLiteral("Informations About programs and Authors");
    Label1[0].foreColor = Colors::Blue;
    Label1[0].bold = true;

    Image2[0].visible = false;
    for (int i = 1; i <= Entries; ++i)
        Image2[i].visible = false;
    Image1[0].visible = false;
    Label10.foreColor = Purple;
    Label10.bold = true;
    Label11.text = QStringLiteral("Utility");
    Label11.bold = true;
    for (TextBox *t : {&Text1, &Text2, &Text3, &Text4})
        t->backColor = Colors::InfoBackground;
    Image6.tooltip = Image7.tooltip = QString();
    Timer1.setInterval(TickMs);
}

prginfo::Showcase prginfo::showcase(int tab) const
{
    const InfoContent::Featured &f = m_content.featured[tab];
    return {entryTitle(f.entry), f.version, f.summary, f.slogan};
}

QString prginfo::entryTitle(int entry) const
{
    return m_content.catalogue[entry - 1].title;
}

int prginfo::iconNumber(const ImageCombo::Item &item) const
{
    return int(m_content.imageKeys.indexOf(item.image)) + 1;
}

void prginfo::Form_Load()
{
    for (Control *c : {static_cast<Control *>(&SSTab1), static_cast<Control *>(&Text1), static_cast<Control *>(&Text2),
                       static_cast<Control *>(&Text3), static_cast<Control *>(&Text4), &Frame2})
        c->backColor = Colors::ButtonFace;
    ReadTexts();
    FillCatalogue();
    Text1.text = descriptionTexts[FeaturedEntry];
    Text3.text = authorsText;
    Text4.text = homepagesText;
}

void prginfo::ReadTexts()
{
    descriptionTexts = {QString()};
    for (const InfoContent::Entry &e : m_content.catalogue)
        descriptionTexts << e.paragraphs.join(CrLf);
    authorsText = m_content.authorsParagraphs.join(CrLf);
    homepagesText = m_content.homepagesParagraphs.join(CrLf);
}

void prginfo::FillCatalogue()
{
    ImageCombo1.items.clear();
    for (int n = 1; n <= Entries; ++n) {
        const QString &title = m_content.catalogue[n - 1].title;
        ImageCombo1.items.append({n, title, title, title});
    }
    ImageCombo1.selected = FeaturedEntry - 1;
    Image2[FeaturedEntry].visible = true;
    const ImageCombo::Item &item = *ImageCombo1.selectedItem();
    Label10.text = item.text;
    Label11.text = QStringLiteral("Utility of ") + item.text + u':';
    Text2.text = descriptionTexts[FeaturedEntry];
}

void prginfo::ImageCombo1_Click()
{
    for (int i = 1; i <= Entries; ++i)
        Image2[i].visible = false;
    if (const ImageCombo::Item *item = ImageCombo1.selectedItem())
        showEntry(*item);
}

void prginfo::showEntry(const ImageCombo::Item &item)
{
    const int n = item.index;
    if (n < 1 || n > Entries)
        return;
    Image2[n].visible = true;
    Label10.text = item.text;
    Label11.text = QStringLiteral("Utility of ") + item.text + u':';
    // The fourth entry's description opens with an empty line.
    Text2.text = n == 4 ? CrLf + descriptionTexts[n] : descriptionTexts[n];
}

void prginfo::SSTab1_Click(int /*PreviousTab*/)
{
    const bool authors = SSTab1.tab == 3;
    for (Control *c :
         {static_cast<Control *>(&Picture[1]), static_cast<Control *>(&Picture[2]), static_cast<Control *>(&Label2),
          static_cast<Control *>(&Label3), static_cast<Control *>(&Picture[3]), static_cast<Control *>(&Label4)})
        c->visible = authors;
    Label1[0].visible = !authors;
}

void prginfo::Timer1_Timer()
{
    int lowest = 0;
    for (int i = 1; i <= Frames && lowest == 0; ++i)
        if (Image1[i].visible)
            lowest = i;
    if (lowest == 0)
        return;
    if (lowest < Frames) {
        Image1[lowest + 1].visible = true;
        Image1[lowest].visible = false;
    } else {
        Image1[Frames].visible = false;
        Image1[1].visible = true;
    }
}

void prginfo::Cloze_Click()
{
    Form.visible = false;
}

void prginfo::Form_Click()
{
    Form.visible = false;
}

void prginfo::Form_QueryUnload()
{
    Form.visible = false;
}

void prginfo::Form_MouseMove()
{
    Frame2.backColor = Colors::ButtonFace;
    Label1[0].foreColor = Colors::Blue;
    Cloze.bold = false;
    Image7.visible = true;
}

void prginfo::Cloze_MouseMove()
{
    Label1[0].foreColor = HoverRed;
    Cloze.bold = true;
}

void prginfo::Image7_MouseMove()
{
    Image7.visible = false;
}
