// Collects what the log receives while a test runs.
#pragma once

#include <string>
#include <vector>

#include "resources/log.h"

namespace test {

// Every log line while it lives, as "kind: message".
class LogCapture {
public:
    LogCapture()
    {
        cLog::Instance().SetObserver([this](const wchar_t* kind, const std::wstring& message) {
            lines.push_back(std::wstring(kind) + L": " + message);
        });
    }
    ~LogCapture() { cLog::Instance().SetObserver(nullptr); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    bool Contains(const std::wstring& part) const
    {
        for (const std::wstring& line : lines) {
            if (line.find(part) != std::wstring::npos)
                return true;
        }
        return false;
    }

    std::vector<std::wstring> lines;
};

} // namespace test
