#include "link/command_log.h"

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

void Log::Write(const std::string& text) {
    if (file_ == nullptr)
        return;
    const std::string bytes = Utf8ToUtf16Le(text + "\r\n");
    std::fwrite(bytes.data(), 1, bytes.size(), file_);
    std::fflush(file_);
}

BrellLog::BrellLog(const std::filesystem::path& programDir, std::string name, Clock& clock)
    : folder_(programDir / "command_log"), name_(std::move(name)), clock_(clock) {
    std::error_code ec;
    std::filesystem::create_directory(folder_, ec);
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
    if (stamp_ == 0 || today.tm_year != opened.tm_year || today.tm_mon != opened.tm_mon ||
        today.tm_mday != opened.tm_mday) {
        log_.reset();
        stamp_ = Seconds(now);
        log_ = std::make_unique<Log>(FileFor(now));
    }
    if (log_)
        log_->Write(Format("%Y.%m.%d  %H:%M:%S", today) + "\t" + body);
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
