#include "platform/file_access.h"

#include <atomic>

namespace platform {

namespace {
    // The sound engine's loads may come from another thread one day.
    std::atomic<uint64_t> g_accesses { 0 };
    std::atomic<void (*)()> g_hook { nullptr };
} // namespace

void NoteFileAccess()
{
    g_accesses.fetch_add(1, std::memory_order_relaxed);
    if (auto* hook = g_hook.load(std::memory_order_relaxed))
        hook();
}

void SetFileAccessHookForTests(void (*hook)())
{
    g_hook.store(hook);
}

uint64_t FileAccesses()
{
    return g_accesses.load(std::memory_order_relaxed);
}

} // namespace platform
