// The committed pictures, as the program decodes them.
#include <QDirIterator>
#include <QFile>
#include <gtest/gtest.h>

// Eight bits a channel or fewer: Qt decodes a sixteen-bit picture into twice the memory, kept
// as long as the window shows it, and that slowly, for colours drawn at eight bits anyway.
TEST(Pictures, AreEightBitsAChannelAtMost)
{
    QDirIterator pictures(QStringLiteral(CHIMEWELL_SOURCE_DIR "/resources"), {QStringLiteral("*.png")}, QDir::Files,
                          QDirIterator::Subdirectories);
    int count = 0;
    while (pictures.hasNext()) {
        QFile picture(pictures.next());
        ASSERT_TRUE(picture.open(QIODevice::ReadOnly)) << picture.fileName().toStdString();
        // The signature, then the header chunk's length and name; its ninth byte is the depth.
        const QByteArray head = picture.read(25);
        ASSERT_EQ(head.mid(12, 4), "IHDR") << picture.fileName().toStdString();
        EXPECT_LE(int(head.at(24)), 8) << picture.fileName().toStdString();
        ++count;
    }
    EXPECT_GT(count, 50);
}
