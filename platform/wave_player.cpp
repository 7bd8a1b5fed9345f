#include "platform/wave_player.h"

#include "core/util/wave_file.h"

#include <QSoundEffect>
#include <QUrl>

#include <memory>

namespace {

// The platform's sound, made on the first Play: a program that never plays opens no audio device.
class SoundEffectPlayer : public WavePlayer {
public:
    bool Play(const QString& path) override
    {
        // The player is handed only a wave file of a shape it knows and of an alarm sound's size.
        if (!ReadWaveFile(path.toStdString())) {
            Stop();
            return false;
        }
        if (!effect_)
            effect_ = std::make_unique<QSoundEffect>();
        effect_->stop();
        effect_->setSource(QUrl::fromLocalFile(path));
        effect_->play();
        return effect_->status() != QSoundEffect::Error;
    }
    void Stop() override
    {
        if (effect_)
            effect_->stop();
    }

private:
    std::unique_ptr<QSoundEffect> effect_;
};

WavePlayer* installed = nullptr;

} // namespace

WavePlayer& CurrentWavePlayer()
{
    static SoundEffectPlayer platformPlayer;
    return installed != nullptr ? *installed : platformPlayer;
}

WavePlayer* SetWavePlayer(WavePlayer* player)
{
    WavePlayer* previous = installed;
    installed = player;
    return previous;
}
