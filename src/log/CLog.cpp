#include "log/CLog.h"

#include "log/Format.h"
#include "setupfile/CFileParser.h"

#include <cwctype>
#include <memory>

CLog* CLog::instance_ = nullptr;
bool CLog::finished_ = false;

namespace {

std::unique_ptr<CLog>& holder()
{
    static std::unique_ptr<CLog> log;
    return log;
}

bool isTrue(std::wstring value)
{
    for (auto& c : value) {
        c = static_cast<wchar_t>(std::towupper(c));
    }
    return value == L"TRUE";
}

LogSettings readSettings()
{
    CFileParser& parser = CFileParser::getInstance();
    parser.ParseIniFile();
    return LogSettings{parser.GetSetting(L"log_enabled"), parser.GetSetting(L"log_append"),
                       parser.GetSetting(L"log_filename")};
}

}  // namespace

CLog& CLog::getInstance()
{
    if (instance_ == nullptr) {
        if (finished_) {
            // Objects that outlive the log at process end write nowhere.
            static CLog discarded;
            return discarded;
        }
        // The object exists, disabled, while the setup file is parsed: the parser's own
        // log calls reach it and are dropped.
        holder().reset(new CLog());
        instance_ = holder().get();
        instance_->configure(readSettings());
    }
    return *instance_;
}

CLog::CLog(const LogSettings& settings)
{
    configure(settings);
}

void CLog::configure(const LogSettings& settings)
{
    if (!isTrue(settings.enabled)) {
        return;
    }
    const bool append = isTrue(settings.append);
    const std::string name = Narrow(settings.fileName, entryCodePage());
    if (!name.empty()) {
        logFile_ = std::fopen(name.c_str(), append ? "a" : "w");
    }
    enabled_ = true;
    write(L"CLog::CLog", __LINE__, L"Singleton Class Created, Logging enabled");
}

CLog::~CLog()
{
    if (enabled_) {
        write(L"CLog::~CLog", __LINE__, L"Destroying Singleton Class. Trying to close Logfile");
    }
    if (logFile_ != nullptr) {
        std::fclose(logFile_);
        logFile_ = nullptr;
    }
    if (instance_ == this) {
        instance_ = nullptr;
        finished_ = true;
    }
}

bool CLog::write(const std::wstring& functionName, int line, const std::wstring& message)
{
    if (!enabled_) {
        return true;
    }
    std::lock_guard<std::mutex> lock(entryLock_);
    return writeEntry(functionName, line, message);
}

bool CLog::writeEntry(const std::wstring& functionName, int line, const std::wstring& message)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    const std::wstring entry =
        formatEntry(now, functionName, line, GetCurrentProcessId(), GetCurrentThreadId(), message);
    const unsigned codePage = entryCodePage();
    const int size = WideCharToMultiByte(codePage, 0, entry.data(), static_cast<int>(entry.size()), nullptr,
                                         0, nullptr, nullptr);
    if (size <= 0 && !entry.empty()) {
        return false;
    }
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(codePage, 0, entry.data(), static_cast<int>(entry.size()), &bytes[0], size, nullptr,
                        nullptr);
    bytes += '\n';  // text mode: the runtime writes CR LF
    if (logFile_ != nullptr) {
        std::fwrite(bytes.data(), 1, bytes.size(), logFile_);
        std::fflush(logFile_);
    }
    return true;
}

std::wstring CLog::formatEntry(const SYSTEMTIME& time, const std::wstring& functionName, int line,
                               unsigned long processId, unsigned long threadId, const std::wstring& message)
{
    std::wstring entry = Format(L"%d%02d%02d %02d:%02d:%02d.%03d ", time.wYear, time.wMonth, time.wDay,
                                time.wHour, time.wMinute, time.wSecond, time.wMilliseconds);
    entry += functionName;
    if (functionName.size() < 40) {
        entry.append(40 - functionName.size(), L' ');
    }
    entry += Format(L" (L:%d) [%d][%d] ", line, static_cast<int>(processId), static_cast<int>(threadId));
    entry += message;
    return entry;
}

unsigned CLog::entryCodePage()
{
    const DWORD version = GetVersion();
    const bool nt = (version & 0x80000000u) == 0;
    const DWORD major = version & 0xFFu;
    return (nt && major >= 5) ? CP_THREAD_ACP : CP_ACP;
}
