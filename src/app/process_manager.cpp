#include "app/process_manager.h"

#include <algorithm>
#include <cwctype>
#include <vector>

#include "platform/time_source.h"
#include "resources/log.h"

namespace {

double NowSeconds()
{
    return platform::NowMilliseconds() * 0.001;
}

std::wstring Lower(std::wstring text)
{
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return text;
}

} // namespace

cProcessManager::cProcessManager()
    : lastTime(NowSeconds())
{
}

cProcessManager::~cProcessManager()
{
    RemoveAll(nullptr);
}

bool cProcessManager::Add(iProcess* process, void* application, double interval)
{
    if (!process) {
        cLog::Instance().Error(L"Invalid process.");
        return false;
    }
    if (!process->Init(application)) {
        cLog::Instance().Error(L"Failed to initialize process \"%ls\".", process->GetName().c_str());
        return false;
    }
    // A new process starts with the current time as its gathered time, so it
    // first runs at the next Update once the program has run longer than its
    // interval.
    processes.push_front(process);
    intervals.push_front(interval);
    accumulated.push_front(lastTime);
    return true;
}

bool cProcessManager::RemoveFront(void* application)
{
    if (processes.empty()) {
        if (!busy)
            cLog::Instance().Error(L"Invalid call. Process queue is empty.");
        return false;
    }
    return RemoveAt(0, application);
}

bool cProcessManager::RemoveAt(size_t index, void* application)
{
    if (index >= processes.size())
        return false;
    iProcess* process = processes[index];
    process->Exit(application);
    // Exit may have changed the queue: find the process again.
    if (!IndexOf(process, index))
        return true;
    processes.erase(processes.begin() + static_cast<std::ptrdiff_t>(index));
    intervals.erase(intervals.begin() + static_cast<std::ptrdiff_t>(index));
    accumulated.erase(accumulated.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

bool cProcessManager::RemoveByName(const std::wstring& name, void* application)
{
    if (processes.empty()) {
        cLog::Instance().Error(L"Invalid call. Process queue is empty.");
        return false;
    }
    const std::wstring wanted = Lower(name);
    for (size_t i = 0; i < processes.size(); ++i)
        if (Lower(processes[i]->GetName()) == wanted)
            return RemoveAt(i, application);
    return false;
}

void cProcessManager::RemoveAll(void* application)
{
    if (processes.empty())
        return;
    busy = 1;
    while (RemoveFront(application)) { }
    busy = 0;
}

bool cProcessManager::Update(void* application)
{
    if (processes.empty())
        return false;
    const double now = NowSeconds();
    const double elapsed = now - lastTime;
    lastTime = now;

    // A process may add or remove processes while it runs: walk a copy of the
    // queue and find each process again before touching its entries.
    const std::vector<iProcess*> pass(processes.begin(), processes.end());
    std::vector<iProcess*> finished;
    for (iProcess* process : pass) {
        size_t i = 0;
        if (!IndexOf(process, i))
            continue;
        accumulated[i] += elapsed;
        if (accumulated[i] < intervals[i])
            continue;
        if (process->Update(application)) {
            if (IndexOf(process, i))
                accumulated[i] = 0.0;
        } else {
            finished.push_back(process);
        }
    }
    for (iProcess* process : finished) {
        size_t i = 0;
        if (IndexOf(process, i))
            RemoveAt(i, application);
    }
    return true;
}

bool cProcessManager::Contains(const iProcess* process) const
{
    size_t index = 0;
    return IndexOf(process, index);
}

bool cProcessManager::IndexOf(const iProcess* process, size_t& index) const
{
    const auto found = std::find(processes.begin(), processes.end(), process);
    if (found == processes.end())
        return false;
    index = static_cast<size_t>(found - processes.begin());
    return true;
}
