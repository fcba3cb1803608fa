#pragma once
// The daily command log: one UTF-16LE text file per day in command_log/, one line per
// frame sent or reply read, plus the program's start and end lines.

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <mutex>
#include <span>
#include <string>

#include "platform/clock.h"

namespace kov {

// One open log file. Lines go to its end as UTF-16LE followed by CR LF.
class Log {
public:
    // Opens path for appending, creating it with the byte-order mark FF FE when new.
    // When it cannot be opened every line is dropped.
    explicit Log(const std::filesystem::path& path);
    virtual ~Log();
    Log(const Log&) = delete;
    Log& operator=(const Log&) = delete;

    // False when the line did not reach the file (not open, disk full, write error).
    virtual bool Write(const std::string& text);
    bool IsOpen() const { return file_ != nullptr; }
    // True when the open file has been removed from its folder (or the folder with it),
    // so further lines would go nowhere.
    bool Unlinked() const;

private:
    std::FILE* file_ = nullptr;
};

class BrellLog {
public:
    // Creates programDir/command_log/ if missing; files are named "<date><name>.txt".
    BrellLog(const std::filesystem::path& programDir, std::string name,
             Clock& clock = SystemClock());
    virtual ~BrellLog();
    BrellLog(const BrellLog&) = delete;
    BrellLog& operator=(const BrellLog&) = delete;

    // A frame line: "SendCommand:" when send, else "RecvData:", then the hex text.
    virtual void WriteCommandLine(const std::string& hex, bool send);
    // A plain line.
    virtual void WriteLine(const std::string& text);

    std::filesystem::path Folder() const { return folder_; }
    // The file of the day that time falls on.
    std::filesystem::path FileFor(Clock::TimePoint time) const;

    // True while lines are being dropped: the last line could not be written.
    bool Dropping() const { return dropping_.load(); }
    // Lines that could not be written since the log was created.
    long long DroppedLines() const { return dropped_.load(); }

private:
    void Record(const std::string& body);
    void OpenFile(Clock::TimePoint now);

    std::filesystem::path folder_;
    std::string name_;
    Clock& clock_;
    std::int64_t stamp_ = 0;  // seconds of the moment the current file was opened
    std::unique_ptr<Log> log_;
    std::mutex mutex_;
    std::atomic<bool> dropping_{false};
    std::atomic<long long> dropped_{0};
};

// "  ED  CB  00 ..." : two spaces and two upper-case hex digits per byte.
std::string FrameHex(std::span<const std::uint8_t> bytes);

// Writes a frame record of bytes to log.
void LogFrame(BrellLog& log, std::span<const std::uint8_t> bytes, bool send);

// The name of the command log the program keeps.
inline constexpr const char* kCommandLogName = " Command";

}  // namespace kov
