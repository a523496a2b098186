// Choosing the tone and writing the reminder.
#include "alarm/AlarmMain.h"

#include "sound/ToneCatalogue.h"
#include "sound/AudioOut.h"
#include "toolkit/Dialogs.h"

void AlarmMain::Label12_Click(int Index)
{
    ++m_toneChoices; // a file's check still out answers for a choice no longer the last
    if (Index >= ToneCatalogue::OwnFile) {
        ChooseOwnWave();
        return;
    }
    state.alarm.toneIndex = static_cast<qint16>(Index);
    MarkTone(Index);
    PlayToneAndFlash();
    // An armed alarm rings with the tone chosen now: the kept one too, after a crash.
    SyncKept();
}

void AlarmMain::ChooseOwnWave()
{
    MarkTone(ToneCatalogue::OwnFile); // while the dialog and the file's check are out
    std::optional<QString> chosen;
    try {
        chosen = m_services.dialogs.openFile(m_services.programFolder, QStringLiteral("*.wav (Only wave files)"),
                                             QStringLiteral("*.wav"));
    } catch (const DialogError &e) {
        m_services.dialogs.messageBox(QString::number(e.number) + e.description, MsgBox::OkOnly);
        PlayWaveAndFlash();
        return;
    }
    // Nothing chosen: the selection stays exactly as it was, without a preview.
    if (!chosen) {
        MarkTone(state.alarm.toneIndex);
        return;
    }
    // Decoded as the ring will decode it, so a file accepted here is a file that sounds.
    const quint64 choice = m_toneChoices;
    m_services.audio.checkFile(*chosen, [this, choice, path = *chosen](bool playable) {
        Answered([this, choice, path, playable] {
            if (choice != m_toneChoices)
                return;
            if (!playable) {
                m_services.dialogs
                    .messageBox(QStringLiteral(
                                    "The file \"%1\" cannot be played: it is not a wave file that can be opened.")
                                    .arg(path),
                                MsgBox::Critical | MsgBox::OkOnly);
                MarkTone(state.alarm.toneIndex);
                return;
            }
            state.alarm.userWavePath = path;
            state.alarm.toneIndex = ToneCatalogue::OwnFile;
            MarkTone(ToneCatalogue::OwnFile);
            PlayWaveAndFlash();
            SyncKept();
        });
    });
}

void AlarmMain::MarkTone(int index)
{
    for (int i = 0; i < ToneCatalogue::Count; ++i)
        Label12[i].bold = i == index;
}

void AlarmMain::Label7_Click()
{
    const std::optional<QString> typed = m_services.dialogs.inputBox(
        QStringLiteral("WRITE A SMALL MESSAGE THAT WILL REMIND YOU THE PURPOSE OF THIS ALARM SETTING"));
    // Cancel keeps the reminder already written.
    if (!typed)
        return;
    state.alarm.reminderText = typed->isEmpty() ? ReminderPlaceholder : *typed;
    ShowReminder();
    SyncKept(); // the kept alarm, and the reason the suspend hold gives, say it too
}

void AlarmMain::ShowReminder()
{
    Label7.text = u' ' + state.alarm.reminderText + u' ';
}
