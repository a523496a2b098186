#pragma once

#include "info/InfoContent.h"
#include "toolkit/Controls.h"

#include <array>

// A tab control: the captions of its tabs and the one that is current.
struct TabControl : Control
{
    QStringList captions;
    int tab = 0;
};

// An image combo box: items with an index, a key, a text and a picture looked up by key.
struct ImageCombo : Control
{
    struct Item
    {
        int index;
        QString key;
        QString text;
        QString image;
    };
    QList<Item> items;
    int selected = -1; // position in items

    const Item *selectedItem() const;
};

// The product information window: the maker's catalogue, two showcase tabs, the authors and
// the home pages, with a small animation. Its controls are plain fields a view mirrors.
class prginfo
{
public:
    explicit prginfo(InfoContent content);

    Control Form;                      // the window itself: visible while shown
    std::array<PictureBox, 4> Picture; // Picture1 to Picture3 at 1..3: the portraits
    CommandButton Cloze;
    TabControl SSTab1;
    Label Label2, Label3, Label4; // captions of the portraits
    std::array<Label, 1> Label1;  // the title label
    Image Image6, Image7;
    std::array<Image, 16> Image1;                             // the animation, frames 1..15
    std::array<Image, InfoContent::CatalogueSize + 1> Image2; // the catalogue's pictures, from 1
    ImageCombo ImageCombo1;
    Label Label10, Label11;
    TextBox Text1, Text2, Text3, Text4;
    Control Frame2;
    Timer Timer1;

    QStringList descriptionTexts; // entry n at n; 0 unused
    QString authorsText;
    QString homepagesText;

    const InfoContent &content() const { return m_content; }

    // What the view shows beside the controls: a showcase tab's texts, and the names a screen
    // reader gives the pictures.
    struct Showcase
    {
        QString title, version, summary, slogan;
    };
    Showcase showcase(int tab) const;                   // tab 0 or 1
    QString entryTitle(int entry) const;                // the catalogue's entry, from 1
    int iconNumber(const ImageCombo::Item &item) const; // its picture in the image list, 1..22

    void Form_Load();
    void ReadTexts();
    void FillCatalogue();
    void ImageCombo1_Click();
    void SSTab1_Click(int PreviousTab);
    void Timer1_Timer();
    void Cloze_Click();
    void Form_Click();
    void Form_QueryUnload();
    void Form_MouseMove();
    void Cloze_MouseMove();
    void Image7_MouseMove();

private:
    void initialiseControls();
    void showEntry(const ImageCombo::Item &item);

    InfoContent m_content;
};
