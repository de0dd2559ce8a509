#include "app/clock.h"

#include "platform/time_source.h"

cClock* g_pClock = &cClock::Instance();

cClock& cClock::Instance()
{
    static cClock clock;
    return clock;
}

void cClock::Reset()
{
    m_scale = 0.001;
    m_previous = platform::NowMilliseconds() * m_scale;
    m_totalTime = 0.0;
}

void cClock::Update()
{
    m_scale = 0.001;
    const double now = platform::NowMilliseconds() * m_scale;
    m_totalTime += now - m_previous;
    m_previous = now;
}

cTimer::cTimer()
    : m_start(cClock::Instance().GetTime())
    , m_stop(m_start)
{
}

void cTimer::Start()
{
    m_start = m_stop = cClock::Instance().GetTime();
    m_running = 1;
}

void cTimer::Stop()
{
    m_stop = cClock::Instance().GetTime();
    m_running = 0;
}

void cTimer::Restart()
{
    Stop();
    Start();
}

double cTimer::Elapsed() const
{
    return cClock::Instance().GetTime() - m_start;
}
