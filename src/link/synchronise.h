#pragma once
// Synchronisation: pushes the program's copy of every card's parameters to the device, card
// by card and parameter by parameter, so that the device matches what the windows show.
// Nothing is read back and no record changes.
//
// The frames, in order:
//   1. Set resolution to the whole device (0x00) with the first input record's code.
//   2. Per input card, in table order, addressed to its card ID (12 frames): resolution;
//      base map window; capture window; picture display (shown/hidden, transparency);
//      brightness, contrast, saturation, definition, colour temperature; source of the
//      base map layer, then of the picture layer; picture word.
//   3. Per output card, in table order, addressed to its card ID (18 frames): resolution;
//      output window; picture-2 window; picture display (picture 2 on, its transparency);
//      brightness, contrast, saturation, definition, colour temperature, gamma; source of
//      picture 1, then of picture 2; show output picture (shown/hidden); horizontal and
//      vertical splice; picture-2 splice switch; picture-2 horizontal and vertical splice.
// With I input and O output cards that is 1 + 12 I + 18 O frames. Without any input
// record there is no resolution to send to the whole device, so the first frame is left
// out and only the 18 O output frames go; without any card nothing is sent.

#include <functional>
#include <vector>

#include "link/frame.h"
#include "store/card_records.h"

namespace kov {

class CSerialComm;

inline constexpr int kSyncFramesPerInput = 12;
inline constexpr int kSyncFramesPerOutput = 18;

// The number of frames a synchronisation of that many cards sends (see above).
int SynchroniseFrameCount(int inputCards, int outputCards);

// Which cards' cells are hidden. inputHidden[i] belongs to records.inputs[i] and
// outputHidden[i] to records.outputs[i]; a card beyond the end of its vector counts as
// shown. A hidden card still gets every frame: only the display byte of its Set picture
// display frame (input) or Show output picture frame (output) is 0x00 instead of 0x01.
struct HiddenCells {
    std::vector<bool> inputs;
    std::vector<bool> outputs;
};

// The hidden flags that follow the records' own display fields: a card whose
// inputPicShow / outputPicshow is 0 is hidden. The diagrams start from these after a
// project, template or state file has been read.
HiddenCells HiddenCellsOf(const RecordsSnapshot& records);

// The complete frame list of a synchronisation, in sending order, checksums left to
// SendCommand. Synchronise sends exactly this list.
std::vector<CommandFrame> SynchroniseFrames(const RecordsSnapshot& records,
                                            const std::vector<bool>& inputHidden,
                                            const std::vector<bool>& outputHidden);

struct SyncResult {
    int sent = 0;   // frames that went out whole
    int total = 0;  // frames of the list, sent or lost
};

// Sends SynchroniseFrames(...) with SendCommand while holding the link's exchange lock, so
// no other exchange can slip in between two frames. A frame that cannot be written is lost
// quietly and the run goes on to the end of the list. progress, when set, is called after
// every frame with the number of frames handled so far (sent or lost) and the total; it
// runs on the calling thread with the exchange lock held.
SyncResult Synchronise(CSerialComm& link, const RecordsSnapshot& records,
                       const std::vector<bool>& inputHidden, const std::vector<bool>& outputHidden,
                       const std::function<void(int done, int total)>& progress = {});

}  // namespace kov
