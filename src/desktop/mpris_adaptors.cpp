#include "desktop/mpris_adaptors.h"

#include "desktop/mpris_player.h"

namespace narrix {

MprisRootAdaptor::MprisRootAdaptor(MprisPlayer& player) : QDBusAbstractAdaptor(&player), player_(player) {}

void MprisRootAdaptor::Raise()
{
    player_.raise();
}

MprisPlayerAdaptor::MprisPlayerAdaptor(MprisPlayer& player) : QDBusAbstractAdaptor(&player), player_(player)
{
}

QString MprisPlayerAdaptor::playbackStatus() const
{
    return player_.playbackStatus();
}

QVariantMap MprisPlayerAdaptor::metadata() const
{
    return player_.metadata();
}

bool MprisPlayerAdaptor::canGoNext() const
{
    return player_.canGoNext();
}

bool MprisPlayerAdaptor::canPlay() const
{
    return player_.canPlay();
}

bool MprisPlayerAdaptor::canPause() const
{
    return player_.canPause();
}

void MprisPlayerAdaptor::Play()
{
    player_.play();
}

void MprisPlayerAdaptor::Pause()
{
    player_.pause();
}

void MprisPlayerAdaptor::PlayPause()
{
    player_.playPause();
}

void MprisPlayerAdaptor::Stop()
{
    player_.stop();
}

void MprisPlayerAdaptor::Next()
{
    player_.next();
}

void MprisPlayerAdaptor::Previous()
{
    player_.previous();
}

} // namespace narrix
