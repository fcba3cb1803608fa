// State file format: one "key=value" line per item, in this order; numbers in decimal.
//
//   frames=N                 valid frames received and acted on
//   rejected=N               bad checksums, stray bytes (bad header) and cut-off frames
//   clock=YYYY-MM-DD hh:mm:ss   the device clock when the file was written
//   mb=ID                    mother board ID
//   fade=P,S                 last fade: picture 1 or 2, seconds ("none" before any fade)
//   recalled=N / stored=N    last template recalled / stored, 1-15 (0 before any)
//   last=ED CB ..            hex of the last valid frame (empty before any)
//   slot.S.id=ID             S = 1..14, 0 for an empty slot
//   card.ID.kind=input|output    then, per fitted card:
//     both kinds: resolution, brightness, contrast, saturation, definition, colortemp,
//                 shown, autoadjust (times auto-adjusted), resets (times reset)
//     input:  capture=x,y,w,h  basemap=x,y,w,h  source (picture layer)  basemapsource
//             transparency  picword=on,mode,above,andor,r,g,b
//     output: gamma  window=x,y,w,h (output window)  hsplice=total,x,w  vsplice=total,y,h
//             source (picture 1)  pic2source  pic2on  pic2transparency
//             pic2window=x,y,w,h  pic2hsplice=total,x,w  pic2vsplice=total,y,h  pic2splice
//   template.T.stored=0|1    T = 1..15
//   task.N=YYYY-MM-DD hh:mm:ss cycle=C days=0xWW template=T   N = 0..127, written tasks only
#include "state_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "describe.h"
#include "device_clock.h"
#include "offline_task.h"

namespace kov::sim {
namespace {

std::string Join(std::initializer_list<int> values) {
    std::string text;
    for (int value : values) {
        if (!text.empty())
            text += ',';
        text += std::to_string(value);
    }
    return text;
}

std::string Text(const Window& w) {
    return Join({w.x, w.y, w.width, w.height});
}
std::string Text(const Splice& s) {
    return Join({s.total, s.position, s.size});
}
std::string Text(const PictureWord& p) {
    return Join({p.on, p.mode, p.above, p.andOr, p.red, p.green, p.blue});
}

void WriteCard(std::ostream& out, int id, const CardState& card) {
    const bool input = IsInputCardId(id);
    const std::string key = "card." + std::to_string(id) + ".";
    out << key << "kind=" << (input ? "input" : "output") << '\n';
    out << key << "resolution=" << card.resolution << '\n';
    out << key << "brightness=" << card.brightness << '\n';
    out << key << "contrast=" << card.contrast << '\n';
    out << key << "saturation=" << card.saturation << '\n';
    out << key << "definition=" << card.definition << '\n';
    out << key << "colortemp=" << card.colourTemperature << '\n';
    out << key << "shown=" << card.shown << '\n';
    if (input) {
        out << key << "capture=" << Text(card.capture) << '\n';
        out << key << "basemap=" << Text(card.baseMap) << '\n';
        out << key << "source=" << card.pictureSource << '\n';
        out << key << "basemapsource=" << card.baseMapSource << '\n';
        out << key << "transparency=" << card.transparency << '\n';
        out << key << "picword=" << Text(card.pictureWord) << '\n';
    } else {
        out << key << "gamma=" << card.gamma << '\n';
        out << key << "window=" << Text(card.outputWindow) << '\n';
        out << key << "hsplice=" << Text(card.hSplice) << '\n';
        out << key << "vsplice=" << Text(card.vSplice) << '\n';
        out << key << "source=" << card.source << '\n';
        out << key << "pic2source=" << card.picture2Source << '\n';
        out << key << "pic2on=" << card.picture2On << '\n';
        out << key << "pic2transparency=" << card.picture2Transparency << '\n';
        out << key << "pic2window=" << Text(card.picture2Window) << '\n';
        out << key << "pic2hsplice=" << Text(card.picture2HSplice) << '\n';
        out << key << "pic2vsplice=" << Text(card.picture2VSplice) << '\n';
        out << key << "pic2splice=" << card.picture2Splice << '\n';
    }
    out << key << "autoadjust=" << card.autoAdjusts << '\n';
    out << key << "resets=" << card.resets << '\n';
}

}  // namespace

std::string FormatState(const DeviceState& state, const DateTime& clockNow) {
    std::ostringstream out;
    out << "frames=" << state.frames << '\n';
    out << "rejected=" << state.rejected << '\n';
    out << "clock=" << FormatDateTime(clockNow) << '\n';
    out << "mb=" << static_cast<int>(state.motherBoardId) << '\n';
    out << "fade="
        << (state.lastFade ? Join({state.lastFade->picture, state.lastFade->seconds}) : "none")
        << '\n';
    out << "recalled=" << state.lastRecalled << '\n';
    out << "stored=" << state.lastStored << '\n';
    out << "last=" << (state.lastFrame ? HexOf(*state.lastFrame) : "") << '\n';
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        out << "slot." << slot << ".id=" << static_cast<int>(state.rack[slot - 1]) << '\n';
    }
    for (const auto& [id, card] : state.cards)
        WriteCard(out, id, card);
    for (int t = 1; t <= kTemplateCount; ++t) {
        out << "template." << t << ".stored=" << (state.templates[t - 1] ? 1 : 0) << '\n';
    }
    for (int n = 0; n < kTaskCount; ++n) {
        if (state.tasks[n].written)
            out << "task." << n << '=' << FormatTask(state.tasks[n]) << '\n';
    }
    return out.str();
}

bool WriteStateFile(const std::string& path, const std::string& text) {
    const std::string temporary = path + ".tmp";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (!file)
            return false;
        file << text;
        file.flush();
        if (!file)
            return false;
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    return !error;
}

}  // namespace kov::sim
