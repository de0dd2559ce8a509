// Collects what the log receives during a test.
#pragma once

#include <string>
#include <vector>

#include "resources/log.h"

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

    std::vector<std::wstring> lines;
};
