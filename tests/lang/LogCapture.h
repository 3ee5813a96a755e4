// Switches the product's log on for a test program and reads back what was written.
// The setup file beside the program (test_<name>.ini) names a log in the prefix's temporary
// folder; it must be in place before the first log call, so tests take LogCapture::get() first.
#pragma once
#include "log/CLog.h"
#include "support/SetupRunner.h"
#include "support/TestFiles.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

class LogCapture {
public:
    static LogCapture& get()
    {
        static LogCapture capture;
        return capture;
    }

    bool enabled() const { return CLog::getInstance().isEnabled(); }
    size_t mark() const { return testfiles::readLines(path_).size(); }

    // The messages written since `mark` by the given function (every function when empty).
    std::vector<std::wstring> messagesSince(size_t mark, const std::wstring& function = L"") const
    {
        const std::vector<std::wstring> lines = testfiles::readLines(path_);
        std::vector<std::wstring> messages;
        for (size_t i = mark; i < lines.size(); ++i) {
            if (function.empty() || logFunctionOf(lines[i]) == function) {
                messages.push_back(logMessageOf(lines[i]));
            }
        }
        return messages;
    }

    bool loggedSince(size_t mark, const std::wstring& message) const
    {
        const std::vector<std::wstring> messages = messagesSince(mark);
        return std::find(messages.begin(), messages.end(), message) != messages.end();
    }

    // Writes the setup file beside the test program, unless it is in place already. Besides the
    // log settings it holds a value with the language constant, as a real setup file may.
    static void writeSetupFile()
    {
        const std::wstring name = programName();
        const std::wstring ini = testfiles::binDir() + name + L".ini";
        const std::wstring text = L"[Settings]\r\nlog_enabled=TRUE\r\nlog_append=FALSE\r\nlog_filename=%TEMP%\\setup_" +
                                  name + L".log\r\nlanguage_argument=%SETUP_AUTOLANG%\r\n";
        // Both prefixes share the folder of the test programs: the file is the same for both,
        // and it is only written when it differs, so that neither reads it half written.
        if (!sameText(ini, text)) {
            testfiles::writeText(ini, text);
        }
    }

private:
    LogCapture()
    {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        path_ = std::wstring(temp) + L"setup_" + programName() + L".log";
        writeSetupFile();
        CLog::getInstance();
    }

    static std::wstring programName()
    {
        wchar_t program[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, program, MAX_PATH);
        std::wstring name = program;
        name = name.substr(name.find_last_of(L"\\/") + 1);
        return name.substr(0, name.rfind(L'.'));
    }

    static bool sameText(const std::wstring& path, const std::wstring& text)
    {
        const std::string bytes = testfiles::readBytes(path);
        const std::string expected = std::string("\xFF\xFE", 2) +
                                     std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
        return bytes == expected;
    }

    std::wstring path_;
};
