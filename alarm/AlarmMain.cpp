// The alarm window's own members: its making, and its controls as they stand before start-up runs.
#include "alarm/AlarmMain.h"

#include "sound/ToneCatalogue.h"

namespace {

Label caption(const char *text, const char *tooltip = "")
{
    Label label;
    label.text = QString::fromUtf8(text);
    label.tooltip = QString::fromUtf8(tooltip);
    label.foreColor = Colors::White;
    return label;
}

Label opaque(Label label, ColorValue fore, ColorValue back)
{
    label.foreColor = fore;
    label.backColor = back;
    label.opaque = true;
    return label;
}

TextBox box(const char *text)
{
    TextBox t;
    t.text = QString::fromLatin1(text);
    t.backColor = Colors::White;
    t.opaque = true;
    return t;
}

} // namespace

AlarmMain::AlarmMain(AlarmServices services)
    : trayIcon(services.notifyArea, services.window)
    , m_services(std::move(services))
{
    initialiseControls();
}

void AlarmMain::Answered(const std::function<void()> &handler)
{
    if (m_services.whenAnswered)
        m_services.whenAnswered(handler);
    else
        handler();
}

void AlarmMain::initialiseControls()
{
    initialiseTimeControls();
    initialiseArmingControls();
    initialiseToneList();
    initialiseWaysOut();
    initialiseBoldCaptions();
}

void AlarmMain::initialiseTimeControls()
{
    Label15 = caption("Current Date :");
    Label16 = caption("Date");
    Label5 = caption("Current Time :");
    Label2 = {caption("23"), caption("59"), caption("59"), caption("sec"), caption("min:"), caption("Hr:")};

    Label4 = caption("Duration");
    Label3 = caption("Set Time");
    Label1 = caption("< Set Time >");
    Label9 = {caption("H"), caption("H"), caption("M"), caption("M"), caption("S"), caption("S")};
    Text2 = {box("0"), box("0"), box("10")};
    Text1 = {box("0"), box("0"), box("0")};
    ShowMode();

    Label13 = caption("Set Alarm Date");
    for (ComboBox &c : Combo2) {
        c.backColor = Colors::White;
        c.opaque = true;
    }
}

void AlarmMain::initialiseArmingControls()
{
    constexpr ColorValue darkBlue = Colors::rgb(0, 0, 0xC0);

    Orr.tooltip = QStringLiteral("Toggle between Duration AND Time Set");
    OK.tooltip = QStringLiteral("Press after setting alarm criteria");
    Stopp.tooltip = QStringLiteral("Stop Alarm Sound");
    for (CommandButton *b : {&Orr, &OK, &Stopp}) {
        b->backColor = Colors::Red;
        b->opaque = true;
    }

    Label18 = caption("Duration in sec");
    Label10 = opaque(caption("", "Time set in seconds"), Colors::White, darkBlue);
    Label11 = caption("", "Seconds elapsed since the alarm started");
    Label6[0] = opaque(caption("Meridane reminders and more at www.example.org"), Colors::White, Colors::Black);
    Label6[2] = caption("", "Seconds reamining to activate the Alarm");
    ShowCounters();
    Label14 = {caption("Remaining sec"), caption("Passed sec")};
    Label8 = opaque(caption(" 0 ", "Date & Time set to Alarm"), Colors::White, darkBlue);
    Label8.visible = false;
    Label7 = opaque(caption("", "This is your Reminder Text"), Colors::White, Colors::Black);
    Label7.text = ReminderPlaceholder;

    Timer1.setInterval(TickMs);
    Timer2.setInterval(TickMs);
    Timer3.setInterval(0);
    Timer4.setInterval(1000);
}

void AlarmMain::initialiseToneList()
{
    Label17 = caption("Select Alarm Sound");
    for (int i = 0; i < ToneCatalogue::Count; ++i)
        Label12[i] = caption(ToneCatalogue::caption(i).toUtf8().constData(), "Select Alarm Sound");
    Label12[ToneCatalogue::DefaultTone].bold = true;
}

void AlarmMain::initialiseWaysOut()
{
    static const char info[] = "Info about Meridane products";

    ImgHide.tooltip = QStringLiteral("Hide this screen");
    Image5.tooltip = QStringLiteral("Hide");
    Label19 = caption("Hide", "Hide");
    Label20 = caption("Exit", "Exit");
    Exitz = opaque(caption("Exit ", "Exit"), Colors::Black, Colors::White);
    Picture1.tooltip = QStringLiteral("Exit");

    MenuVisible.text = QStringLiteral("Show/ Hide Alarm Screen");
    MenuVisible.bold = true; // the default item
    dash.text = QStringLiteral("-");
    ExitAlarm.text = QStringLiteral("Close the Alarm Program");

    for (Image *image : {&Image1[0], &Image1[1], &Image2, &Image4})
        image->tooltip = QString::fromLatin1(info);
}

void AlarmMain::initialiseBoldCaptions()
{
    // Drawn bold by design; the tone captions are bold only while selected.
    for (Control *c : {&Label2[0], &Label2[1], &Label2[2], &Label10, &Label11, &Label6[2], &Label7, &Exitz, &Label15,
                       &Label5, &Label16, &Label17, &Label4, &Label3, &Label1, &Label13})
        c->bold = true;
    for (TextBox &t : Text2)
        t.bold = true;
    for (TextBox &t : Text1)
        t.bold = true;
}
