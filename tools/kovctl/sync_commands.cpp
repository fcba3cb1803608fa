#include "sync_commands.h"

#include <iostream>

#include "link/synchronise.h"
#include "link_commands.h"
#include "project_commands.h"
#include "store/card_records.h"
#include "store/project_file.h"
#include "store/templates.h"

namespace kovctl {
namespace {

int RunRecall(Context& context, int n) {
    kov::CardRecords records;
    if (!LoadProgramRecords(context, records))
        return kExitFailed;
    kov::CSerialComm* link = context.OpenLink();
    if (link == nullptr)
        return kExitFailed;
    const kov::ProjectReadReport report = kov::RecallTemplate(*link, records, context.Dir(), n);
    WarnStopped(report);
    std::cout << "template " << n << " recalled; " << kov::TemplateFileName(n) << ": "
              << (report.opened ? "read" : "missing") << '\n';
    return kExitOk;
}

int RunStore(Context& context, int n) {
    kov::CardRecords records;
    if (!LoadProgramRecords(context, records))
        return kExitFailed;
    kov::CSerialComm* link = context.OpenLink();
    if (link == nullptr)
        return kExitFailed;
    const auto file = context.Dir() / kov::TemplateFileName(n);
    if (!kov::StoreTemplate(*link, records, context.Dir(), n))
        return Fail("template " + std::to_string(n) + " stored, but cannot write " + file.string());
    std::cout << "template " << n << " stored; " << kov::TemplateFileName(n) << ": written\n";
    return kExitOk;
}

}  // namespace

int RunSync(Context& context, const std::vector<std::string>& args) {
    if (args.size() > 1)
        return WrongArguments("sync takes at most one FILE, got " + std::to_string(args.size()) +
                              " arguments");
    return SynchroniseFile(context, args.empty() ? nullptr : &args[0]);
}

int SynchroniseFile(Context& context, const std::string* file) {
    kov::CardRecords records;
    if (!LoadProgramRecords(context, records))
        return kExitFailed;
    if (file != nullptr) {
        const kov::ProjectReadReport report = kov::ReadProjectFile(*file, records);
        if (!report.opened)
            return Fail("the file cannot be found or cannot be read: " + *file);
        WarnStopped(report);
    }
    kov::CSerialComm* link = context.OpenLink();
    if (link == nullptr)
        return kExitFailed;
    const kov::RecordsSnapshot snapshot = records.Snapshot();
    const kov::HiddenCells hidden = kov::HiddenCellsOf(snapshot);
    const kov::SyncResult result = kov::Synchronise(*link, snapshot, hidden.inputs, hidden.outputs);
    std::cout << "synchronised: " << result.sent << " frames\n";
    // A script must know that the device did not get the whole state.
    if (result.sent < result.total) {
        return context.FailExchange(std::to_string(result.total - result.sent) + " of " +
                                    std::to_string(result.total) + " frames could not be written");
    }
    return kExitOk;
}

int RunTemplate(Context& context, const std::vector<std::string>& args) {
    if (args.size() != 2 || (args[0] != "recall" && args[0] != "store"))
        return WrongArguments("template wants recall N or store N");
    const auto n = ParseNumber(args[1], kov::kFirstTemplate, kov::kLastTemplate);
    if (!n)
        return WrongArguments("template " + args[1] + " is out of range 1-15");
    return args[0] == "recall" ? RunRecall(context, *n) : RunStore(context, *n);
}

}  // namespace kovctl
