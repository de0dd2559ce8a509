// The queue of background processes, each run at its own interval in seconds
// (the input process every 0.005 s, the cursor synchroniser every 0.04 s): a
// process runs at most once a frame, so after frames shorter than its
// interval it waits for a later frame.
#pragma once

#include <cstdint>
#include <deque>
#include <string>

#include "app/process.h"

class cProcessManager {
public:
    cProcessManager();
    virtual ~cProcessManager();
    cProcessManager(const cProcessManager&) = delete;
    cProcessManager& operator=(const cProcessManager&) = delete;

    // The process goes to the front when its Init succeeds; otherwise logged
    // and false.
    bool Add(iProcess* process, void* application, double interval);
    // Exit of the front process (the newest), then out of the queue.
    bool RemoveFront(void* application);
    // Exit of the process at the index, then out of the queue; false for an
    // index outside the queue.
    bool RemoveAt(size_t index, void* application);
    // The first process of that name, compared without regard to case.
    bool RemoveByName(const std::wstring& name, void* application);
    void RemoveAll(void* application);
    // Runs every process whose interval has passed; false when the queue is
    // empty. Processes whose Update returns false leave after the pass.
    bool Update(void* application);

    size_t Size() const { return processes.size(); }
    bool Contains(const iProcess* process) const;

private:
    bool IndexOf(const iProcess* process, size_t& index) const;

    uint8_t busy = 0; // RemoveAll runs: an empty queue is no error then
    std::deque<iProcess*> processes;
    std::deque<double> intervals; // seconds between runs
    std::deque<double> accumulated; // seconds gathered since the last run
    double lastTime = 0.0; // seconds at the last Update
};
