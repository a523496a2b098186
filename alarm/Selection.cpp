// Choosing the tone and writing the reminder.
#include "alarm/AlarmMain.h"

#include "sound/ToneCatalogue.h"
#include "sound/AudioOut.h"
#include "toolkit/Dialogs.h"

void AlarmMain::Label12_Click(int Index)
{
    int previouslyBold = -1;
    for (int i = 0; i < ToneCatalogue::Count; ++i) {
        if (Label12[i].bold && previouslyBold < 0)
            previouslyBold = i;
        Label12[i].bold = false;
    }
    ++m_toneChoices;
    if (Index >= ToneCatalogue::OwnFile) {
        ChooseOwnWave(previouslyBold);
        return;
    }
    Label12[Index].bold = true;
    state.alarm.toneIndex = static_cast<qint16>(Index);
    PlayToneAndFlash();
    // An armed alarm rings with the tone chosen now: the kept one too, after a crash.
    SyncKept();
}

void AlarmMain::ChooseOwnWave(int previouslyBold)
{
    Label12[ToneCatalogue::OwnFile].bold = true;
    std::optional<QString> chosen;
    try {
        chosen = m_services.dialogs.openFile(m_services.programFolder, QStringLiteral("*.wav (Only wave files)"),
                                             QStringLiteral("*.wav"));
    } catch (const DialogError &e) {
        m_services.dialogs.messageBox(QString::number(e.number) + e.description, MsgBox::OkOnly);
        PlayWaveAndFlash();
        return;
    }
    if (!chosen) {
        KeepToneChoice(previouslyBold);
        return;
    }
    // Decoded as the ring will decode it, so a file accepted here is a file that sounds.
    const quint64 choice = m_toneChoices;
    m_services.audio.checkFile(*chosen, [this, choice, previouslyBold, path = *chosen](bool playable) {
        Answered([this, choice, previouslyBold, path, playable] {
            if (choice != m_toneChoices) // another tone was chosen meanwhile
                return;
            if (!playable) {
                m_services.dialogs
                    .messageBox(QStringLiteral(
                                    "The file \"%1\" cannot be played: it is not a wave file that can be opened.")
                                    .arg(path),
                                MsgBox::Critical | MsgBox::OkOnly);
                KeepToneChoice(previouslyBold);
                return;
            }
            state.alarm.userWavePath = path;
            state.alarm.toneIndex = ToneCatalogue::OwnFile;
            PlayWaveAndFlash();
            SyncKept();
        });
    });
}

void AlarmMain::KeepToneChoice(int previouslyBold)
{
    Label12[ToneCatalogue::OwnFile].bold = false;
    if (previouslyBold >= 0)
        Label12[previouslyBold].bold = true;
}

void AlarmMain::Label7_Click()
{
    const std::optional<QString> typed = m_services.dialogs.inputBox(
        QStringLiteral("WRITE A SMALL MESSAGE THAT WILL REMIND YOU THE PURPOSE OF THIS ALARM SETTING"));
    // Cancel keeps the reminder already written.
    if (!typed)
        return;
    state.alarm.reminderText = typed->isEmpty() ? ReminderPlaceholder : *typed;
    Label7.text = u' ' + state.alarm.reminderText + u' ';
    SyncKept(); // the kept alarm, and the reason the suspend hold gives, say it too
}
