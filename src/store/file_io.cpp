#include "store/file_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace kov {
namespace fs = std::filesystem;

namespace {

// Temporary files are "<name>.kov-tmp-XXXXXX", XXXXXX filled in by mkstemp.
constexpr std::string_view kTempInfix = ".kov-tmp-";
constexpr std::size_t kTempRandomChars = 6;
constexpr int kMaxLinkHops = 40;

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// A writer holds an exclusive lock on its temporary file until it has renamed it, so a
// temporary file whose lock can be taken belongs to a write that died.
void RemoveStaleTemporaries(const fs::path& target) {
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    const std::string name = target.filename().string();
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        if (!IsTemporaryNameOf(entry->d_name, name))
            continue;
        const fs::path stale = folder / entry->d_name;
        Descriptor fd(::open(stale.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat held {};
        struct stat named {};
        if (fd.Get() < 0 || ::fstat(fd.Get(), &held) != 0 || !S_ISREG(held.st_mode) ||
            ::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0)
            continue;
        if (::lstat(stale.c_str(), &named) == 0 && SameFile(held, named))
            ::unlink(stale.c_str());
    }
    ::closedir(dir);
}

// Creates and locks a new temporary file next to target; -1 on failure. A clean-up in
// another process may remove the file between its creation and the lock, so the name
// must still lead to the locked file.
int CreateTemporary(const fs::path& target, std::string& temp) {
    for (int attempt = 0; attempt < 8; ++attempt) {
        temp = target.string() + std::string(kTempInfix) + std::string(kTempRandomChars, 'X');
        const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
        if (fd < 0)
            return -1;
        struct stat held {};
        struct stat named {};
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &held) == 0 &&
            ::lstat(temp.c_str(), &named) == 0 && SameFile(held, named))
            return fd;
        ::close(fd);
    }
    return -1;
}

}  // namespace

std::optional<std::string> ReadWholeFile(const fs::path& path) {
    // O_NONBLOCK: opening a pipe must not wait for a writer; it is refused below anyway.
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat st {};
    if (fd.Get() < 0 || ::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode) ||
        static_cast<std::uintmax_t>(st.st_size) > kMaxReadBytes)
        return std::nullopt;
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd.Get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            return bytes;
        // The size seen at the start does not bind a file that is still growing.
        if (bytes.size() + static_cast<std::size_t>(n) > kMaxReadBytes)
            return std::nullopt;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
}

bool IsReadable(const fs::path& path) {
    // The files checked are small; reading is the only check that catches a read that
    // fails after the open.
    return ReadWholeFile(path).has_value();
}

bool IsTemporaryNameOf(const std::string& name, const std::string& targetName) {
    const std::size_t prefix = targetName.size() + kTempInfix.size();
    return name.size() == prefix + kTempRandomChars && name.starts_with(targetName) &&
           std::string_view(name).substr(targetName.size(), kTempInfix.size()) == kTempInfix;
}

std::optional<fs::path> WriteTarget(const fs::path& path) {
    fs::path at = path;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat st {};
        if (::lstat(at.c_str(), &st) != 0)
            return errno == ENOENT ? std::optional(at) : std::nullopt;
        if (S_ISREG(st.st_mode))
            return at;
        if (!S_ISLNK(st.st_mode))
            return std::nullopt;
        std::error_code ec;
        const fs::path link = fs::read_symlink(at, ec);
        if (ec)
            return std::nullopt;
        at = link.is_absolute() ? link : at.parent_path() / link;
    }
    return std::nullopt;
}

bool WriteFileAtomically(const fs::path& path, std::string_view bytes, RenameFunction rename) {
    const std::optional<fs::path> target = WriteTarget(path);
    if (!target)
        return false;
    RemoveStaleTemporaries(*target);
    std::string temp;
    Descriptor fd(CreateTemporary(*target, temp));
    if (fd.Get() < 0)
        return false;
    // mkstemp creates 0600; keep the mode of the file being replaced, else 0644.
    struct stat old {};
    ::fchmod(fd.Get(), ::stat(target->c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);
    // The lock is held until after the rename, so no clean-up takes the file meanwhile.
    if (!WriteAll(fd.Get(), bytes) || ::fsync(fd.Get()) != 0 ||
        rename(temp.c_str(), target->c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace kov
