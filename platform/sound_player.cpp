#include "platform/sound_player.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMetaObject>
#include <QPointer>
#include <QSoundEffect>
#include <QUrl>

#include <utility>

namespace {

// Lives on the application's thread; the calls of other threads reach it queued.
class CQtSoundPlayer final : public CSoundPlayer {
public:
    void Play(const std::string& file) override
    {
        const QString path = QString::fromStdString(file);
        Run([this, path] {
            Effect().stop();
            const QFileInfo info(path);
            if (!info.isFile())
                return;
            Effect().setSource(QUrl::fromLocalFile(info.absoluteFilePath()));
            Effect().play();
        });
    }

    void Stop() override
    {
        Run([this] { Effect().stop(); });
    }

private:
    template <class Work> void Run(Work work)
    {
        QCoreApplication* app = QCoreApplication::instance();
        if (app == nullptr)
            return;
        QMetaObject::invokeMethod(app, std::move(work), Qt::QueuedConnection);
    }

    QSoundEffect& Effect()
    {
        if (effect_.isNull())
            effect_ = new QSoundEffect(QCoreApplication::instance());
        return *effect_;
    }

    QPointer<QSoundEffect> effect_;
};

} // namespace

CSoundPlayer& AlarmSoundPlayer()
{
    static CQtSoundPlayer player;
    return player;
}
