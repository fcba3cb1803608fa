#include "pty_host.h"

#include <poll.h>
#include <sys/inotify.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <thread>

#include "console_line.h"
#include "frame_decoder.h"
#include "port_link.h"
#include "pseudo_terminal.h"
#include "sim_device.h"
#include "state_file.h"
#include "wire_pacer.h"

namespace kov::sim {
namespace {

using std::chrono::steady_clock;

// Paced reading takes a few frames at a time so that a fast writer fills the kernel's buffer
// and waits, as it would on a real 9600-baud line.
constexpr std::size_t kPacedChunk = 32;
constexpr std::size_t kFastChunk = 4096;
// A frame still incomplete after this long without a byte is given up.
constexpr int kQuietLineMs = 500;
// How long a reply may wait for room in the port's buffer before it is dropped.
constexpr int kReplyRoomMs = 50;

void PrintError(const std::string& message) {
    std::fprintf(stderr, "kov-sim: %s\n", message.c_str());
}

class Host {
public:
    Host(const SimOptions& options, const PseudoTerminal& pty, int signalFd, int watchFd,
         ConsoleOutput& console)
        : options_(options),
          pty_(pty),
          signalFd_(signalFd),
          watchFd_(watchFd),
          device_(options.device, SystemClock()),
          pacer_(kByteTime9600),
          console_(console) {}

    // Serves frames until a stop signal arrives.
    void Run();

    // Rewrites the state file, if one was asked for.
    void SaveState();

    const DeviceState& state() const { return device_.state(); }

private:
    void Receive(std::span<const std::uint8_t> bytes, steady_clock::time_point arrival);
    void HandlePiece(const Decoded& piece, std::chrono::system_clock::time_point received);
    bool SendReply(const std::vector<std::uint8_t>& reply);
    void WatchPortUse();

    const SimOptions& options_;
    const PseudoTerminal& pty_;
    int signalFd_;
    int watchFd_;
    SimDevice device_;
    FrameDecoder decoder_;
    WirePacer pacer_;
    ConsoleOutput& console_;
    bool stateErrorShown_ = false;
};

void Host::Run() {
    std::array<std::uint8_t, kFastChunk> buffer;
    const std::size_t chunk = options_.fast ? kFastChunk : kPacedChunk;
    for (;;) {
        std::array<pollfd, 3> fds{pollfd{signalFd_, POLLIN, 0}, pollfd{pty_.master(), POLLIN, 0},
                                  pollfd{watchFd_, POLLIN, 0}};
        const int ready = poll(fds.data(), fds.size(), decoder_.HasPending() ? kQuietLineMs : -1);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            PrintError(std::string("poll failed: ") + std::strerror(errno));
            return;
        }
        if (fds[0].revents != 0)
            return;
        if (ready == 0) {
            if (auto piece = decoder_.Flush())
                HandlePiece(*piece, std::chrono::system_clock::now());
            continue;
        }
        ssize_t count = 0;
        if (fds[1].revents & POLLIN)
            count = read(pty_.master(), buffer.data(), chunk);
        // Looked at after the read: a program opens the port before it writes, so its opening
        // is seen before any of its frames is answered.
        WatchPortUse();
        if (count > 0) {
            Receive({buffer.data(), static_cast<std::size_t>(count)}, steady_clock::now());
        } else if (fds[1].revents & (POLLHUP | POLLERR)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
}

void Host::Receive(std::span<const std::uint8_t> bytes, steady_clock::time_point arrival) {
    for (const std::uint8_t& byte : bytes) {
        const auto delivered = options_.fast ? arrival : pacer_.Deliver(arrival);
        for (const Decoded& piece : decoder_.Push({&byte, 1})) {
            if (!options_.fast)
                std::this_thread::sleep_until(delivered);
            HandlePiece(piece, std::chrono::system_clock::now());
        }
    }
}

void Host::HandlePiece(const Decoded& piece, std::chrono::system_clock::time_point received) {
    std::string text;
    std::vector<std::uint8_t> reply;
    switch (piece.piece) {
        case Piece::kFrame:
        case Piece::kBadChecksum: {
            Outcome outcome = device_.Handle(ToFrame(piece));
            text = std::move(outcome.description);
            reply = std::move(outcome.reply);
            break;
        }
        case Piece::kBadHeader:
            device_.CountRejected();
            text = "REJECTED bad header (" + std::to_string(piece.bytes.size()) + " stray bytes)";
            break;
        case Piece::kIncomplete:
            device_.CountRejected();
            text = "REJECTED incomplete frame (" + std::to_string(piece.bytes.size()) +
                   " of 13 bytes)";
            break;
    }
    // The state is on disk before the reply goes out and before the line is printed, so
    // whoever sees either can read the state that follows from the frame.
    SaveState();
    if (!reply.empty() && !SendReply(reply))
        text += " (reply dropped: nobody reads the port)";
    console_.Print(ConsoleLine(received, piece.bytes, text));
}

bool Host::SendReply(const std::vector<std::uint8_t>& reply) {
    std::size_t sent = 0;
    const auto deadline = steady_clock::now() + std::chrono::milliseconds(kReplyRoomMs);
    while (sent < reply.size()) {
        const ssize_t count = write(pty_.master(), reply.data() + sent, reply.size() - sent);
        if (count > 0) {
            sent += static_cast<std::size_t>(count);
            continue;
        }
        if (count < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        if (steady_clock::now() >= deadline)
            return false;
        pollfd room{pty_.master(), POLLOUT, 0};
        poll(&room, 1, 10);
    }
    return true;
}

void Host::SaveState() {
    if (options_.statePath.empty())
        return;
    const std::string text = FormatState(device_.state(), device_.ClockNow());
    if (!WriteStateFile(options_.statePath, text) && !stateErrorShown_) {
        PrintError("cannot write the state file " + options_.statePath);
        stateErrorShown_ = true;
    }
}

void Host::WatchPortUse() {
    if (watchFd_ < 0)
        return;
    alignas(inotify_event) char events[4096];
    bool used = false;
    bool closed = false;
    for (;;) {
        const ssize_t count = read(watchFd_, events, sizeof events);
        if (count <= 0)
            break;
        for (ssize_t at = 0; at < count;) {
            const auto* event = reinterpret_cast<const inotify_event*>(events + at);
            used = true;
            if (event->mask & IN_CLOSE)
                closed = true;
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    if (used)
        pty_.DropUnreadReplies();
    if (closed)
        pty_.ReleaseExclusiveLock();
}

// Blocks the stop signals and returns a descriptor that reports them.
int StopSignalFd() {
    sigset_t stops;
    sigemptyset(&stops);
    sigaddset(&stops, SIGINT);
    sigaddset(&stops, SIGTERM);
    sigaddset(&stops, SIGHUP);
    if (sigprocmask(SIG_BLOCK, &stops, nullptr) != 0)
        return -1;
    return signalfd(-1, &stops, SFD_NONBLOCK | SFD_CLOEXEC);
}

}  // namespace

int RunHost(const SimOptions& options) {
    // A reader that went away must not end the device; its output is simply lost.
    std::signal(SIGPIPE, SIG_IGN);
    const int signalFd = StopSignalFd();
    if (signalFd < 0) {
        PrintError(std::string("cannot watch for signals: ") + std::strerror(errno));
        return 1;
    }
    PseudoTerminal pty;
    std::string error;
    const std::string linkPath = PortLinkPath(options.dir, options.port);
    if (!pty.Open(error) || !CreatePortLink(linkPath, pty.slavePath(), error)) {
        PrintError(error);
        close(signalFd);
        return 1;
    }
    // Opening and closing of the port by the program; without it the device still works.
    const int watchFd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (watchFd >= 0)
        inotify_add_watch(watchFd, pty.slavePath().c_str(), IN_OPEN | IN_CLOSE);

    ConsoleOutput console;
    Host host(options, pty, signalFd, watchFd, console);
    // The state file exists by the time anyone reads that the port is ready.
    host.SaveState();
    console.Print("kov-sim: listening on " + linkPath + " -> " + pty.slavePath());
    host.Run();

    RemovePortLink(linkPath, pty.slavePath());
    console.Print("kov-sim: stopped after " + std::to_string(host.state().frames) + " frames, " +
                  std::to_string(host.state().rejected) + " rejected");
    if (watchFd >= 0)
        close(watchFd);
    close(signalFd);
    return 0;
}

}  // namespace kov::sim
