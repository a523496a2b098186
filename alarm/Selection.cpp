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

    if (Index >= ToneCatalogue::OwnFile) {
        switch (ChooseOwnWave()) {
        case OwnWave::Chosen:
        case OwnWave::DialogFailed: PlayWaveAndFlash(); break;
        case OwnWave::Cancelled:
        case OwnWave::Unplayable:
            // Nothing was chosen: the selection stays exactly as it was, without a preview.
            Label12[ToneCatalogue::OwnFile].bold = false;
            if (previouslyBold >= 0)
                Label12[previouslyBold].bold = true;
            break;
        }
    } else {
        Label12[Index].bold = true;
        state.alarm.toneIndex = static_cast<qint16>(Index);
        PlayToneAndFlash();
    }
    // An armed alarm rings with the tone chosen now: the kept one too, after a crash.
    SyncKept();
}

AlarmMain::OwnWave AlarmMain::ChooseOwnWave()
{
    Label12[ToneCatalogue::OwnFile].bold = true;
    std::optional<QString> chosen;
    try {
        chosen = m_services.dialogs.openFile(m_services.programFolder, QStringLiteral("*.wav (Only wave files)"),
                                             QStringLiteral("*.wav"));
    } catch (const DialogError &e) {
        m_services.dialogs.messageBox(QString::number(e.number) + e.description, MsgBox::OkOnly);
        return OwnWave::DialogFailed;
    }
    if (!chosen)
        return OwnWave::Cancelled;
    // Decoded as the ring will decode it, so a file accepted here is a file that sounds.
    if (!m_services.audio.canPlayFile(*chosen)) {
        m_services.dialogs.messageBox(QStringLiteral(
                                          "The file \"%1\" cannot be played: it is not a wave file that can be opened.")
                                          .arg(*chosen),
                                      MsgBox::Critical | MsgBox::OkOnly);
        return OwnWave::Unplayable;
    }
    state.alarm.userWavePath = *chosen;
    state.alarm.toneIndex = ToneCatalogue::OwnFile;
    return OwnWave::Chosen;
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
