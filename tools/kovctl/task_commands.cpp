#include "task_commands.h"

#include <iostream>
#include <sstream>

#include "link/device_queries.h"
#include "link_commands.h"
#include "schedule/offline_task_text.h"
#include "store/file_io.h"

namespace kovctl {
namespace {

int ReadOne(Context& context, int n) {
    const auto board = context.OpenBoard();
    if (!board)
        return kExitFailed;
    kov::CSerialComm* link = &board->link;
    const std::uint8_t mb = board->address;
    kov::TryFlushInput(*link);
    const auto task = kov::ReadOfflineTask(*link, mb, n);
    if (!task)
        return context.FailExchange("no reply: task " + std::to_string(n) +
                                    " could not be read (no reply or bad checksum)");
    std::cout << kov::FormatTaskLine(*task) << '\n';
    return kExitOk;
}

int ReadAll(Context& context) {
    const auto board = context.OpenBoard();
    if (!board)
        return kExitFailed;
    kov::CSerialComm* link = &board->link;
    const std::uint8_t mb = board->address;
    std::vector<int> failed;
    const auto summary = kov::ReadOfflineTasks(*link, mb, [&failed](int n, const auto& task) {
        if (task)
            std::cout << kov::FormatTaskLine(*task) << std::endl;
        else
            failed.push_back(n);
    });
    if (!summary.flushed)
        return Fail("port error: the port's input could not be flushed");
    if (!failed.empty()) {
        std::string list;
        for (int n : failed)
            list += (list.empty() ? "" : ",") + std::to_string(n);
        return context.FailExchange("no reply: " + std::to_string(failed.size()) + " of " +
                                    std::to_string(kov::kOfflineTaskCount) +
                                    " tasks could not be read (" + list + ")");
    }
    return kExitOk;
}

// Sends each task; every task that does not go out is named.
int Write(Context& context, const std::vector<kov::OfflineTask>& tasks) {
    const auto board = context.OpenBoard();
    if (!board)
        return kExitFailed;
    kov::CSerialComm* link = &board->link;
    const std::uint8_t mb = board->address;
    int failures = 0;
    for (const kov::OfflineTask& task : tasks) {
        if (kov::DownloadOfflineTask(*link, mb, task.index, task)) {
            std::cout << "written: " << kov::FormatTaskLine(task) << '\n';
        } else {
            std::cerr << "kovctl: write failed: task " << task.index << " was not sent\n";
            ++failures;
        }
    }
    link->WaitUntilSent();
    return failures == 0 ? kExitOk : kExitFailed;
}

// Every line of the file must be a task line (blank lines and lines starting with '#'
// are skipped); nothing is written when one is not.
int WriteFile(Context& context, const std::string& path) {
    const auto bytes = kov::ReadWholeFile(path);
    if (!bytes)
        return Fail("cannot read " + path);
    std::istringstream in(*bytes);
    std::vector<kov::OfflineTask> tasks;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const auto start = line.find_first_not_of(" \t\r");
        if (start == std::string::npos || line[start] == '#')
            continue;
        const kov::ParsedTask parsed = kov::ParseTaskLine(line);
        if (!parsed.task)
            return Fail(path + ":" + std::to_string(number) + ": " + parsed.error);
        tasks.push_back(*parsed.task);
    }
    if (tasks.empty())
        return Fail(path + " holds no task lines");
    return Write(context, tasks);
}

}  // namespace

int RunTask(Context& context, const std::vector<std::string>& args) {
    if (args.size() == 2 && args[0] == "read") {
        if (args[1] == "all")
            return ReadAll(context);
        const auto n = ParseNumber(args[1], 0, kov::kOfflineTaskCount - 1);
        if (!n)
            return WrongArguments("task number " + args[1] + " is out of range 0-127");
        return ReadOne(context, *n);
    }
    if (args.size() == 3 && args[0] == "write" && args[1] == "--file")
        return WriteFile(context, args[2]);
    if (args.size() == 7 && args[0] == "write") {
        const auto n = ParseNumber(args[1], 0, kov::kOfflineTaskCount - 1);
        if (!n)
            return WrongArguments("task number " + args[1] + " is out of range 0-127");
        const kov::ParsedTask parsed =
            kov::ParseTaskFields(*n, args[2], args[3], args[4], args[5], args[6]);
        if (!parsed.task)
            return WrongArguments(parsed.error);
        return Write(context, {*parsed.task});
    }
    return WrongArguments(
        "task wants read N|all, write N DATE TIME CYCLE DAYS TEMPLATE or "
        "write --file FILE");
}

}  // namespace kovctl
