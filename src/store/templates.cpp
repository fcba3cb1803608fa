#include "store/templates.h"

#include "link/commands.h"
#include "link/exchange.h"

namespace kov {

bool IsTemplateNumber(int n) {
    return n >= kFirstTemplate && n <= kLastTemplate;
}

std::string TemplateFileName(int n) {
    return "Mode" + std::to_string(n) + ".ini";
}

ProjectReadReport RecallTemplate(CSerialComm& link, CardRecords& records,
                                 const std::filesystem::path& programDir, int n) {
    if (!IsTemplateNumber(n))
        return {};
    SendCommand(link, RecallTemplateFrame(n));
    return ReadProjectFile(programDir / TemplateFileName(n), records);
}

bool StoreTemplate(CSerialComm& link, const CardRecords& records,
                   const std::filesystem::path& programDir, int n) {
    if (!IsTemplateNumber(n))
        return false;
    SendCommand(link, StoreTemplateFrame(n));
    return WriteProjectFile(programDir / TemplateFileName(n), records.Snapshot());
}

}  // namespace kov
