// The game's log: one UTF-16 XML file, log.xml, in the per-user folder,
// recreated each run, with the stylesheet data/log/log_en.xsl. Errors,
// warnings and plain messages ("error", "warning" and "message" elements)
// start with the time since Init, "[mm:ss:hh] ". Markup characters in messages
// are escaped, so an XML reader sees them unchanged; messages logged before
// Init reach only the observer. Messages are cut at 1023 characters. With
// VANDREL_LOG_STDERR set, errors and warnings are echoed to stderr too.
// log.xml holds at most about kLogLimitBytes of entries: the entry that would
// pass it is replaced by a warning saying so, and later entries reach only
// the observer (and stderr).
//
// Formats are wide printf formats: "%ls" for wide strings, "%s" for 8-bit ones.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <functional>
#include <string>

// A game's run logs a few kilobytes; a script that logs in a loop stops here.
constexpr uint64_t kLogLimitBytes = 1024 * 1024;

class cLog {
public:
    static cLog& Instance();
    virtual ~cLog();

    // Opens the log stream once; later calls do nothing. The folder is the one
    // given to SetFolder (the per-user folder), else the working directory.
    void Init();
    static void SetFolder(const std::wstring& folder);
    // Writes the end tags and closes log.xml; Init may open it anew.
    void Shutdown();

    void Error(const wchar_t* format, ...);
    void Warning(const wchar_t* format, ...);
    void Write(const wchar_t* format, ...);

    // Tests watch what is logged: kind is "error", "warning" or "message".
    using Observer = std::function<void(const wchar_t* kind, const std::wstring& message)>;
    void SetObserver(Observer observer);

private:
    cLog() = default;
    void Entry(const wchar_t* kind, const wchar_t* format, va_list args);
    std::wstring TimePrefix() const;
};
