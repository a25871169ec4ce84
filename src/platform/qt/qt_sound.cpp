#include "platform/qt/qt_sound.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <QUrl>

#include "platform/wav_length.h"

namespace q32 {

QSoundEffect& QtSound::effectFor(const std::string& hostPath) {
    std::unique_ptr<QSoundEffect>& effect = effects_[hostPath];
    if (!effect) {
        effect = std::make_unique<QSoundEffect>();
        effect->setSource(QUrl::fromLocalFile(QString::fromStdString(hostPath)));
    }
    return *effect;
}

void QtSound::play(const std::string& path, bool synchronous) {
    QElapsedTimer clock;
    clock.start();
    const auto hostPath = drives_.toHost(path);
    if (!hostPath) return;
    QFile file(QString::fromStdString(*hostPath));
    if (!file.open(QIODevice::ReadOnly)) return;
    const QByteArray bytes = file.readAll();
    const auto length = wavLength(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!length) return;

    QSoundEffect& effect = effectFor(*hostPath);
    effect.stop();
    effect.play();  // starts once the file is loaded
    if (!synchronous || effect.status() == QSoundEffect::Error) return;
    const qint64 left = length->count() - clock.elapsed();
    if (left <= 0) return;

    // Window events wait; only the end of the sound or of its length counts.
    QEventLoop wait;
    QTimer::singleShot(static_cast<int>(left), &wait, &QEventLoop::quit);
    QObject::connect(&effect, &QSoundEffect::playingChanged, &wait, [&] {
        if (!effect.isPlaying()) wait.quit();
    });
    QObject::connect(&effect, &QSoundEffect::statusChanged, &wait, [&] {
        if (effect.status() == QSoundEffect::Error) wait.quit();
    });
    wait.exec(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace q32
