// The status-message queue and the pause switch with its music volume.
#include "sound/sound_engine.h"
#include "world/game_world.h"
#include "world/settings.h"

void cGameWorld::PushMessage(
    const std::wstring& text, const std::wstring& text2, const std::wstring& text3, double duration, double value2)
{
    if (levelOver)
        return;
    cStatusMessage message;
    message.text = text;
    message.text2 = text2;
    message.text3 = text3;
    message.duration = duration;
    message.value2 = value2;
    statusMessages.push_back(message);
    // The first message of the queue is the one on show: its time starts now.
    if (statusMessages.size() == 1)
        statusMessages.front().timer.Restart();
}

void cGameWorld::PopMessage(const std::wstring& text)
{
    if (statusMessages.empty() || statusMessages.front().text != text)
        return;
    statusMessages.erase(statusMessages.begin());
    if (!statusMessages.empty() && statusMessages.front().value2 > 0)
        statusMessages.front().timer.Restart();
}

void cGameWorld::SetPause(bool on)
{
    paused = on ? 1 : 0;
    if (cSettings::Instance().mute)
        return;
    musicPlayVolume = on ? 0.0f : musicVolume;
    // Sound effects play on; the clock and the screens test `paused` themselves.
    if (musicStream && !musicStream->IsFinished())
        musicStream->SetVolume(musicPlayVolume);
}
