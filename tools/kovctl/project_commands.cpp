#include "project_commands.h"

#include <cstdio>
#include <iostream>

#include "link/exchange.h"
#include "store/card_inventory.h"
#include "store/card_records.h"
#include "store/file_io.h"
#include "store/project_file.h"
#include "store/tables.h"

namespace kovctl {
namespace {

// The program's IDS_FIND_FILE message, naming the file.
int CannotOpen(const std::string& file) {
    return Fail("the file cannot be found or cannot be read: " + file);
}

// Text from a file, made safe to print: other bytes than printable ASCII as \xNN, and at
// most 60 characters.
std::string Printable(std::string_view text) {
    constexpr std::size_t kMaxShown = 60;
    std::string out;
    for (std::size_t i = 0; i < text.size() && i < kMaxShown; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    if (text.size() > kMaxShown)
        out += "...";
    return out;
}

std::string ResolutionLabel(int code) {
    const kov::ResolutionEntry* entry = kov::FindResolution(code);
    return entry != nullptr ? entry->label : "not in the resolution table";
}

// The label shown after a number: resolution or source label, nothing for plain numbers.
template <class Record>
std::string ValueLabel(const kov::ProjectKey<Record>& key, std::int64_t value,
                       std::string (*sourceLabel)(int)) {
    std::string label;
    if (key.role == kov::KeyRole::kResolution) {
        label = ResolutionLabel(static_cast<int>(value));
    } else if (key.role == kov::KeyRole::kSource) {
        label = sourceLabel(static_cast<int>(value));
        if (label.empty())
            label = "not in the source list";
    }
    return label.empty() ? "" : " (" + label + ")";
}

template <class Record>
void PrintRecord(const char* kind, const Record& record,
                 std::span<const kov::ProjectKey<Record>> keys, std::string (*sourceLabel)(int)) {
    std::cout << kind << " card " << record.cardId << " (slot " << record.slot << ")\n";
    for (const kov::ProjectKey<Record>& key : keys) {
        const std::int64_t value = kov::StoredValue(record, key);
        std::cout << "  " << key.name << " = " << value << ValueLabel(key, value, sourceLabel)
                  << '\n';
    }
}

int RunShow(Context& context, const std::string& file) {
    kov::CardRecords records;
    if (!LoadProgramRecords(context, records))
        return kExitFailed;
    const kov::ProjectReadReport report = kov::ReadProjectFile(file, records);
    if (!report.opened)
        return CannotOpen(file);
    WarnStopped(report);
    const kov::RecordsSnapshot snapshot = records.Snapshot();
    for (const kov::InputCardRecord& record : snapshot.inputs) {
        PrintRecord("input", record, kov::InputProjectKeys(), &kov::InputSourceLabel);
    }
    for (const kov::OutputCardRecord& record : snapshot.outputs) {
        PrintRecord("output", record, kov::OutputProjectKeys(), &kov::OutputSourceLabel);
    }
    std::cout << "whole screen = " << snapshot.screen.width << " x " << snapshot.screen.height
              << '\n';
    return kExitOk;
}

// Reading that stops early still converts what the program would hold after opening the
// file (a warning says so); only a file that cannot be read or written fails.
int RunConvert(Context& context, const std::string& in, const std::string& out) {
    kov::CardRecords records;
    if (!LoadProgramRecords(context, records))
        return kExitFailed;
    const kov::ProjectReadReport report = kov::ReadProjectFile(in, records);
    if (!report.opened)
        return CannotOpen(in);
    WarnStopped(report);
    if (!kov::WriteProjectFile(out, records.Snapshot()))
        return Fail("cannot write " + out);
    return kExitOk;
}

int RunCheck(Context& context, const std::string& file) {
    kov::CardRecords records;
    if (!LoadProgramRecords(context, records))
        return kExitFailed;
    const kov::ProjectReadReport report = kov::ReadProjectFile(file, records);
    if (!report.opened)
        return CannotOpen(file);
    if (report.Clean() && report.appliedKeys > 0) {
        std::cout << "ok\n";
        return kExitOk;
    }
    for (const kov::IgnoredLine& ignored : report.ignored) {
        std::cout << "line " << ignored.line << ": ignored \"" << Printable(ignored.key)
                  << "\": " << kov::IgnoredReasonText(ignored.reason) << '\n';
    }
    if (report.stopped) {
        std::cout << "line " << report.stopped->line << ": reading stops: no fitted card has ID "
                  << report.stopped->cardId << "; the rest of the file is not read\n";
    }
    // An empty file, or one of only a byte-order mark or NULs, reads without a fault but
    // is no project: opening it changes nothing.
    if (report.appliedKeys == 0)
        std::cout << "the file sets nothing: no line selects a card or sets a value\n";
    return kExitFailed;
}

}  // namespace

bool LoadProgramRecords(const Context& context, kov::CardRecords& records) {
    kov::CardConfiguration config;
    const auto boardConfig = context.Dir() / kov::kBoardConfigFileName;
    if (!kov::ReadCardConfiguration(boardConfig, config)) {
        Fail("cannot read the card configuration " + boardConfig.string());
        return false;
    }
    if (!records.Load(config, context.Dir())) {
        Fail("cannot read the card defaults " + (context.Dir() / kov::kDefaultsFileName).string());
        return false;
    }
    return true;
}

void WarnStopped(const kov::ProjectReadReport& report) {
    if (!report.stopped)
        return;
    std::cerr << "kovctl: warning: reading stopped at line " << report.stopped->line
              << ": no fitted card has ID " << report.stopped->cardId
              << "; the rest of the file was not applied\n";
}

int RunProject(Context& context, const std::vector<std::string>& args) {
    if (args.size() == 2 && args[0] == "show")
        return RunShow(context, args[1]);
    if (args.size() == 3 && args[0] == "convert")
        return RunConvert(context, args[1], args[2]);
    if (args.size() == 2 && args[0] == "check")
        return RunCheck(context, args[1]);
    return WrongArguments("project wants show FILE, convert IN OUT or check FILE");
}

int RunConfigDetect(Context& context) {
    kov::CSerialComm* link = context.OpenLink();
    if (link == nullptr)
        return kExitFailed;
    const auto file = context.Dir() / kov::kBoardConfigFileName;
    const kov::DetectionOutcome outcome = kov::DetectAndWriteConfiguration(*link, file);
    switch (outcome.result) {
        case kov::DetectResult::kNotSent:
            return context.FailExchange("write failed: the detect frame was not sent; " +
                                        file.string() + " left unchanged");
        case kov::DetectResult::kNoValidReply:
            return context.FailExchange("no reply: no valid status reply after " +
                                        std::to_string(kov::kStatusReplyAttempts) + " attempts; " +
                                        file.string() + " left unchanged");
        case kov::DetectResult::kOk:
            break;
    }
    const auto rows = kov::DetectedRows(outcome.ids);
    for (const kov::DetectedRow& row : rows) {
        std::cout << row.shownId << '\t' << row.slot << '\t'
                  << (row.input ? "InputCard" : "OutputCard") << '\n';
    }
    if (rows.empty())
        std::cout << "no cards detected\n";
    if (!outcome.written) {
        return Fail("cannot write " + file.string() +
                    (kov::IsReadable(file)
                         ? " (is the disk full or the folder read-only?)"
                         : " (the file must already exist; it is never created)"));
    }
    std::cout << "written to " << file.string() << '\n';
    return kExitOk;
}

}  // namespace kovctl
