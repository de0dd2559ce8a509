// The log: log.xml in the per-user folder, one XML element per entry, each
// starting with the time since the log was opened. The file parses as XML at
// every moment: markup characters in messages are escaped and the open
// elements' end tags always follow the last entry.
#include "resources/log.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <cwchar>
#include <locale.h>

#include "platform/time_source.h"
#include "platform/utf16.h"
#include "resources/xml_stream.h"

namespace {

cLog::Observer g_observer;
int g_handle = -1;
double g_startMs = 0.0;
// Bytes of entries written to log.xml since Init, and whether it is full: a
// script that logs in a loop must not fill the disk the player's files are
// saved to.
uint64_t g_written = 0;
bool g_full = false;

// An entry as it goes to log.xml: "<kind>text</kind>\n", UTF-16 (surrogate
// pairs and escapes make it a little longer; the limit is not to the byte).
uint64_t EntryBytes(const wchar_t* kind, const std::wstring& text)
{
    return 2 * (2 * std::wcslen(kind) + text.size() + 6);
}

// Writes one entry into the open log.
void WriteEntry(const wchar_t* kind, const std::wstring& text)
{
    XmlStreamOpenElement(g_handle, kind);
    XmlStreamWriteText(g_handle, text);
    XmlStreamCloseElement(g_handle);
    g_written += EntryBytes(kind, text);
}

// "%s" arguments are UTF-8; they widen the same under any process locale.
locale_t FormatLocale()
{
    static const locale_t loc = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    return loc;
}

std::wstring LocalTimeText(const char* format)
{
    const std::time_t now = std::time(nullptr);
    std::tm parts {};
    localtime_r(&now, &parts);
    char text[32];
    const size_t n = std::strftime(text, sizeof text, format, &parts);
    return platform::NarrowToWide(std::string(text, n));
}

} // namespace

cLog& cLog::Instance()
{
    static cLog log;
    return log;
}

cLog::~cLog() = default;

void cLog::SetFolder(const std::wstring& folder)
{
    XmlStreamSetFolder(folder);
}

void cLog::Init()
{
    if (g_handle >= 0)
        return;
    g_startMs = platform::NowMilliseconds();
    g_written = 0;
    g_full = false;
    g_handle = XmlStreamOpen(L"LOG.xml", L"data/log/log_en.xsl");
    if (g_handle < 0)
        return;
    XmlStreamOpenElement(g_handle, L"log");
    XmlStreamOpenElement(g_handle, L"creationDate");
    XmlStreamWriteText(g_handle, LocalTimeText("%m/%d/%y"));
    XmlStreamCloseElement(g_handle);
    XmlStreamOpenElement(g_handle, L"creationTime");
    XmlStreamWriteText(g_handle, LocalTimeText("%H:%M:%S"));
    XmlStreamCloseElement(g_handle);
}

void cLog::Shutdown()
{
    if (g_handle >= 0)
        XmlStreamClose(g_handle);
    g_handle = -1;
}

void cLog::SetObserver(Observer observer)
{
    g_observer = std::move(observer);
}

std::wstring cLog::TimePrefix() const
{
    double elapsed = platform::NowMilliseconds() - g_startMs;
    if (elapsed < 0)
        elapsed = 0;
    // Whole hundredths of a second since the log was opened.
    const long long t = static_cast<long long>(elapsed / 10.0);
    wchar_t text[48];
    std::swprintf(text, 48, L"[%02lli:%02i:%02i] ", t / 6000, static_cast<int>((t / 100) % 60),
                  static_cast<int>(t % 100));
    return text;
}

void cLog::Entry(const wchar_t* kind, const wchar_t* format, va_list args)
{
    wchar_t buffer[1024];
    buffer[0] = L'\0';
    const locale_t loc = FormatLocale();
    const locale_t previous = loc ? uselocale(loc) : static_cast<locale_t>(nullptr);
    // A message longer than the buffer is cut, never overflows it.
    const int n = std::vswprintf(buffer, 1024, format ? format : L"", args);
    if (previous)
        uselocale(previous);
    if (n < 0)
        buffer[1023] = L'\0';
    const std::wstring message(buffer);

    if (g_observer)
        g_observer(kind, message);
    if (std::getenv("VANDREL_LOG_STDERR") && std::wcscmp(kind, L"message") != 0)
        std::fprintf(stderr, "%s: %s\n", platform::WideToNarrow(kind).c_str(), platform::WideToNarrow(message).c_str());
    if (g_handle < 0 || g_full)
        return; // before Init, when log.xml could not be created, or once it is full
    const std::wstring text = TimePrefix() + message;
    if (g_written + EntryBytes(kind, text) > kLogLimitBytes) {
        // The last entry says why the log ends here; the file stays
        // well-formed.
        wchar_t last[160];
        std::swprintf(last, 160, L"log.xml has reached %llu bytes: later entries are left out of it.",
            static_cast<unsigned long long>(kLogLimitBytes));
        WriteEntry(L"warning", TimePrefix() + last);
        g_full = true;
        return;
    }
    WriteEntry(kind, text);
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
