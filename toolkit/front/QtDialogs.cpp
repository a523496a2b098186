#include "toolkit/front/QtDialogs.h"

#include "toolkit/AppInfo.h"
#include "toolkit/front/ModalOnWayland.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGridLayout>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>

namespace {

// A word longer than this gets invisible break points, so a long unbroken reminder still wraps.
constexpr int LongestUnbrokenRun = 40;

QString breakableText(const QString &text)
{
    QString out;
    out.reserve(text.size() + text.size() / LongestUnbrokenRun);
    int run = 0;
    for (QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        out += c;
        if (run == LongestUnbrokenRun) {
            out += QChar(0x200B); // zero-width space
            run = 0;
        }
    }
    return out;
}

// Puts the box's text in a scroll area no taller than most of the screen, for texts that
// would otherwise make the box run off it.
void fitToScreen(QMessageBox &box)
{
    // The label that shows the box's text; the icon's label holds a picture and no text.
    if (box.text().isEmpty())
        return;
    QLabel *label = nullptr;
    for (QLabel *candidate : box.findChildren<QLabel *>())
        if (candidate->text() == box.text())
            label = candidate;
    auto *grid = qobject_cast<QGridLayout *>(box.layout());
    const QScreen *screen = box.screen() ? box.screen() : QGuiApplication::primaryScreen();
    if (!label || !grid || !screen)
        return;
    const QRect available = screen->availableGeometry();
    const int width = std::min(560, available.width() * 2 / 3);
    label->setWordWrap(true);
    if (label->heightForWidth(width) <= available.height() / 2)
        return;
    int row = 0, column = 0, rows = 1, columns = 1;
    grid->getItemPosition(grid->indexOf(label), &row, &column, &rows, &columns);
    grid->removeWidget(label);
    auto *scroll = new QScrollArea(&box);
    scroll->setObjectName(QStringLiteral("messageScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidget(label);
    scroll->setFixedSize(width + 24, available.height() / 2);
    grid->addWidget(scroll, row, column, rows, columns);
}

} // namespace

QtDialogs::QtDialogs(QWidget *parent, std::function<void()> beforeModal)
    : m_parent(parent)
    , m_beforeModal(std::move(beforeModal))
{
    prepareModalOnWayland();
}

// A box belongs to its window: on top of it and placed over it (a transient of it), modal to it
// alone, with no minimize or maximize button (on GNOME under Wayland, see ModalOnWayland.h).
int QtDialogs::runModal(QDialog &box) const
{
    box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    box.setWindowModality(Qt::WindowModal);
    markModalOnWayland(box);
    return box.exec();
}

int QtDialogs::messageBox(const QString &text, int style)
{
    if (m_beforeModal)
        m_beforeModal();

    QMessageBox box(m_parent);
    box.setWindowTitle(QString::fromLatin1(AppInfo::Title));
    box.setTextFormat(Qt::PlainText);
    box.setText(breakableText(text));
    switch (style & 0xF0) {
    case MsgBox::Critical: box.setIcon(QMessageBox::Critical); break;
    case 32: box.setIcon(QMessageBox::Question); break;
    case 48: box.setIcon(QMessageBox::Warning); break;
    case MsgBox::Information: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
    }

    switch (style & 0x0F) {
    case MsgBox::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    default:
        box.setStandardButtons(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
        break;
    }

    fitToScreen(box);
    // Ctrl+C copies the whole message, as a user may want to keep or paste it.
    QShortcut copy(QKeySequence::Copy, &box);
    QObject::connect(&copy, &QShortcut::activated, &box, [&text] { QGuiApplication::clipboard()->setText(text); });
    switch (runModal(box)) {
    case QMessageBox::Yes: return MsgBox::Yes;
    case QMessageBox::No: return MsgBox::No;
    case QMessageBox::Cancel: return MsgBox::Cancel;
    default: return (style & 0x0F) == MsgBox::YesNoCancel ? MsgBox::Cancel : MsgBox::Ok;
    }
}

std::optional<QString> QtDialogs::inputBox(const QString &prompt)
{
    if (m_beforeModal)
        m_beforeModal();

    QInputDialog box(m_parent);
    box.setWindowTitle(QString::fromLatin1(AppInfo::Title));
    box.setInputMode(QInputDialog::TextInput);
    box.setLabelText(prompt);
    box.setTextValue(QString());
    if (runModal(box) != QDialog::Accepted)
        return std::nullopt;
    return box.textValue();
}

std::optional<QString> QtDialogs::openFile(const QString &folder, const QString &filterLabel, const QString &pattern)
{
    if (m_beforeModal)
        m_beforeModal();

    QFileDialog box(m_parent);
    // No title of the program's: the dialog shows its own.
    box.setFileMode(QFileDialog::ExistingFile);
    box.setAcceptMode(QFileDialog::AcceptOpen);
    box.setDirectory(folder);
    // Qt takes the part in parentheses as the patterns; hiding those details shows the label as given.
    box.setOption(QFileDialog::HideNameFilterDetails, true);
    box.setNameFilter(filterLabel + QStringLiteral(" (") + pattern + u')');
    if (runModal(box) != QDialog::Accepted || box.selectedFiles().isEmpty())
        return std::nullopt;
    return box.selectedFiles().constFirst();
}
