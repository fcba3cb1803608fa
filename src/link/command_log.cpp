#include "link/command_log.h"

#include <sys/stat.h>

#include <cstdio>
#include <ctime>
#include <system_error>

#include "store/text_codec.h"

namespace kov {
namespace {

std::tm LocalTime(std::int64_t seconds) {
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm tm{};
    localtime_r(&t, &tm);
    return tm;
}

std::string Format(const char* format, const std::tm& tm) {
    char buffer[64];
    const std::size_t n = std::strftime(buffer, sizeof buffer, format, &tm);
    return std::string(buffer, n);
}

std::int64_t Seconds(Clock::TimePoint time) {
    return std::chrono::duration_cast<std::chrono::seconds>(time.time_since_epoch()).count();
}

}  // namespace

Log::Log(const std::filesystem::path& path) {
    std::error_code ec;
    const bool existed = std::filesystem::exists(path, ec);
    file_ = std::fopen(path.c_str(), "ab");
    if (file_ != nullptr && !existed) {
        std::fwrite(kUtf16Bom.data(), 1, kUtf16Bom.size(), file_);
        std::fflush(file_);
    }
}

Log::~Log() {
    if (file_ != nullptr)
        std::fclose(file_);
}

bool Log::Write(const std::string& text) {
    if (file_ == nullptr)
        return false;
    const std::string bytes = Utf8ToUtf16Le(text + "\r\n");
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size();
    // A failed flush keeps the bytes in the buffer; drop them so the next line starts clean.
    if (std::fflush(file_) != 0 || !written) {
        std::clearerr(file_);
        std::fclose(file_);
        file_ = nullptr;
        return false;
    }
    return true;
}

bool Log::Unlinked() const {
    struct stat st {};
    return file_ != nullptr && ::fstat(::fileno(file_), &st) == 0 && st.st_nlink == 0;
}

BrellLog::BrellLog(const std::filesystem::path& programDir, std::string name, Clock& clock)
    : folder_(programDir / "command_log"), name_(std::move(name)), clock_(clock) {
    std::error_code ec;
    std::filesystem::create_directory(folder_, ec);
}

void BrellLog::OpenFile(Clock::TimePoint now) {
    log_.reset();
    stamp_ = Seconds(now);
    // The folder may have been removed while the program ran; the day's records go on.
    std::error_code ec;
    std::filesystem::create_directory(folder_, ec);
    log_ = std::make_unique<Log>(FileFor(now));
}

BrellLog::~BrellLog() = default;

std::filesystem::path BrellLog::FileFor(Clock::TimePoint time) const {
    return folder_ / (Format("%Y-%m-%d", LocalTime(Seconds(time))) + name_ + ".txt");
}

void BrellLog::Record(const std::string& body) {
    std::lock_guard lock(mutex_);
    const Clock::TimePoint now = clock_.Now();
    const std::tm today = LocalTime(Seconds(now));
    const std::tm opened = LocalTime(stamp_);
    const bool newDay = stamp_ == 0 || today.tm_year != opened.tm_year ||
                        today.tm_mon != opened.tm_mon || today.tm_mday != opened.tm_mday;
    // A file that failed or was removed is opened again, so the log recovers by itself.
    if (newDay || !log_->IsOpen() || log_->Unlinked())
        OpenFile(now);
    if (log_->Write(Format("%Y.%m.%d  %H:%M:%S", today) + "\t" + body)) {
        dropping_ = false;
    } else {
        dropping_ = true;
        ++dropped_;
    }
}

void BrellLog::WriteCommandLine(const std::string& hex, bool send) {
    Record((send ? "SendCommand:" : "RecvData:") + hex);
}

void BrellLog::WriteLine(const std::string& text) {
    Record(text);
}

std::string FrameHex(std::span<const std::uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(bytes.size() * 4);
    for (const std::uint8_t b : bytes) {
        hex += "  ";
        hex += kDigits[b >> 4];
        hex += kDigits[b & 0x0F];
    }
    return hex;
}

void LogFrame(BrellLog& log, std::span<const std::uint8_t> bytes, bool send) {
    log.WriteCommandLine(FrameHex(bytes), send);
}

}  // namespace kov
