#pragma once

#include "HeldAnswers.h"
#include "sound/AudioOut.h"

#include <QList>
#include <QSet>

// Sound output that remembers what it was asked to play instead of playing it. An own file
// plays at once to its end (or, if told so, is never done opening until stopped); it is
// playable when it is a whole wave file not listed in undecodable (the real output decides by
// decoding).
class FakeAudioOut : public AudioOut
{
public:
    void playInBackground(const QByteArray &wave) override;
    void stop() override;
    void checkFile(const QString &path, std::function<void(bool)> answer) override
    {
        checks.give([answer = std::move(answer), playable = this->playable(path)] { answer(playable); });
    }
    bool startFile(const QString &path) override;
    FilePlay filePlay() override { return fileOpening ? FilePlay::Opening : FilePlay::Ended; }
    void prepare() override { ++prepares; }

    QList<QByteArray> tones;   // each built-in tone started, in order
    QList<QByteArray> files;   // each file played, as its bytes
    QSet<QString> undecodable; // whole wave files whose encoding cannot be decoded
    int stops = 0;
    int prepares = 0;
    bool sounding = false; // a built-in tone was started and not stopped since
    bool deviceAvailable = true;
    bool fileOpensNever = false; // as on a storage that stopped answering: a file started stays in its open
    bool fileOpening = false;
    HeldAnswers checks;

private:
    bool playable(const QString &path) const;
};
