// Interim log: messages go to stderr until the XML log stream is built.
#include "resources/log.h"

#include <cstdio>
#include <cwchar>

#include "platform/utf16.h"

namespace {
cLog::Observer g_observer;
std::wstring g_folder;
}

cLog& cLog::Instance()
{
    static cLog log;
    return log;
}

cLog::~cLog() = default;

void cLog::Init() {}

void cLog::SetFolder(const std::wstring& folder)
{
    g_folder = folder;
}

void cLog::SetObserver(Observer observer)
{
    g_observer = std::move(observer);
}

void cLog::Entry(const wchar_t* kind, const wchar_t* format, va_list args)
{
    wchar_t buffer[1024];
    if (std::vswprintf(buffer, 1024, format, args) < 0)
        buffer[1023] = L'\0';
    const std::wstring message(buffer);
    if (g_observer)
        g_observer(kind, message);
    std::fprintf(stderr, "%s: %s\n", platform::WideToNarrow(kind).c_str(), platform::WideToNarrow(message).c_str());
}

void cLog::Error(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    Entry(L"error", format, args);
    va_end(args);
}

void cLog::Warning(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    Entry(L"warning", format, args);
    va_end(args);
}

void cLog::Write(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    Entry(L"message", format, args);
    va_end(args);
}
