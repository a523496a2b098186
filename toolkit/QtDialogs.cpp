#include "toolkit/QtDialogs.h"

#include "toolkit/AppInfo.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

QtDialogs::QtDialogs(QWidget *parent, std::function<void()> beforeModal)
    : m_parent(parent)
    , m_beforeModal(std::move(beforeModal))
{
}

int QtDialogs::messageBox(const QString &text, int style)
{
    if (m_beforeModal)
        m_beforeModal();

    QMessageBox box(m_parent);
    box.setWindowTitle(QString::fromLatin1(AppInfo::Title));
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
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

    switch (box.exec()) {
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
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    return box.textValue();
}

std::optional<QString> QtDialogs::openFile(const QString &folder, const QString &filterLabel,
                                           const QString &pattern)
{
    if (m_beforeModal)
        m_beforeModal();

    QFileDialog box(m_parent);
    box.setWindowTitle(QString::fromLatin1(AppInfo::Title));
    box.setFileMode(QFileDialog::ExistingFile);
    box.setAcceptMode(QFileDialog::AcceptOpen);
    box.setDirectory(folder);
    // Qt takes the part in parentheses as the patterns; hiding those details shows the label as given.
    box.setOption(QFileDialog::HideNameFilterDetails, true);
    box.setNameFilter(filterLabel + QStringLiteral(" (") + pattern + u')');
    if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty())
        return std::nullopt;
    return box.selectedFiles().constFirst();
}
