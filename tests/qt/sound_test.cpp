// Sounds through Qt Multimedia on a machine without an audio device (the
// offscreen test platform): every play returns, a synchronous one within
// the sound's own length.
#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include "platform/qt/qt_sound.h"
#include "platform/wav_length.h"
#include "qt_test_suites.h"
#include "support/test_drive.h"

using namespace q32;

class SoundTest : public QObject {
    Q_OBJECT

private slots:
    void everyPlayReturnsWithinTheSoundsLength() {
        test::TestDrive drive;
        QFile built(QStringLiteral(Q32_BIN_DIR "/error.wav"));
        QVERIFY(built.open(QIODevice::ReadOnly));
        const QByteArray bytes = built.readAll();
        drive.writeFile("c:\\error.wav", bytes.toStdString());
        const auto length = wavLength(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        QVERIFY(length.has_value());

        QtSound sound(drive.fs().driveTable());
        const struct {
            const char* path;
            bool synchronous;
        } plays[] = {{"c:\\error.wav", true}, {"c:\\error.wav", false}, {"c:\\error.wav", true}, {"c:\\none.wav", true}};
        for (const auto& play : plays) {
            QElapsedTimer clock;
            clock.start();
            sound.play(play.path, play.synchronous);
            // Slack for a loaded machine; a hang would be far beyond it.
            QVERIFY2(clock.elapsed() < length->count() + 1000, play.path);
        }
    }
};

Q32_TEST_SUITE(SoundTest);
#include "sound_test.moc"
