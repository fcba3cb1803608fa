#include "link/synchronise.h"

#include "link/commands.h"
#include "link/exchange.h"
#include "link/serial_comm.h"

namespace kov {
namespace {

// The device address of a card: the low 8 bits of its card ID.
std::uint8_t AddressOf(std::int32_t cardId) {
    return static_cast<std::uint8_t>(cardId);
}

bool IsHidden(const std::vector<bool>& hidden, std::size_t index) {
    return index < hidden.size() && hidden[index];
}

void AppendInputCard(std::vector<CommandFrame>& frames, const InputCardRecord& r, bool hidden) {
    const std::uint8_t a = AddressOf(r.cardId);
    constexpr CardKind kKind = CardKind::kInput;
    frames.push_back(ResolutionFrame(a, r.inputResolution.code));
    frames.push_back(BaseMapWindowFrame(a, BaseMapWindowOf(r)));
    frames.push_back(CaptureWindowFrame(a, CaptureWindowOf(r)));
    frames.push_back(InputPictureDisplayFrame(a, !hidden, r.inputtranspy));
    frames.push_back(PictureQualityFrame(a, kKind, PictureItem::kBrightness, r.inputFrameLight));
    frames.push_back(PictureQualityFrame(a, kKind, PictureItem::kContrast, r.inputFrameContrast));
    frames.push_back(
        PictureQualityFrame(a, kKind, PictureItem::kSaturation, r.inputFrameSaturation));
    frames.push_back(
        PictureQualityFrame(a, kKind, PictureItem::kDefinition, r.inputFrameDefinition));
    frames.push_back(PictureQualityFrame(a, kKind, PictureItem::kColorTemperature,
                                         r.inputFrameColorTemperation));
    frames.push_back(SelectSourceFrame(a, kInputLayerBaseMap, r.baseMapinputSrc));
    frames.push_back(SelectSourceFrame(a, kInputLayerPicture, r.inputSrc));
    frames.push_back(PictureWordFrame(a, PictureWordOf(r)));
}

void AppendOutputCard(std::vector<CommandFrame>& frames, const OutputCardRecord& r, bool hidden) {
    const std::uint8_t a = AddressOf(r.cardId);
    constexpr CardKind kKind = CardKind::kOutput;
    frames.push_back(ResolutionFrame(a, r.outputReso.code));
    frames.push_back(OutputWindowFrame(a, OutputWindowOf(r)));
    frames.push_back(Picture2WindowFrame(a, Picture2WindowOf(r)));
    frames.push_back(OutputPictureDisplayFrame(a, r.isOn, r.doublePictranspy));
    frames.push_back(PictureQualityFrame(a, kKind, PictureItem::kBrightness, r.outputFrameLight));
    frames.push_back(PictureQualityFrame(a, kKind, PictureItem::kContrast, r.outputFrameContrast));
    frames.push_back(
        PictureQualityFrame(a, kKind, PictureItem::kSaturation, r.outputFrameSaturation));
    frames.push_back(
        PictureQualityFrame(a, kKind, PictureItem::kDefinition, r.outputFrameDefinition));
    frames.push_back(PictureQualityFrame(a, kKind, PictureItem::kColorTemperature,
                                         r.outputFrameColorTemperation));
    frames.push_back(PictureQualityFrame(a, kKind, PictureItem::kGamma, r.outputFrameGamma));
    frames.push_back(SelectSourceFrame(a, kOutputLayerPicture1, r.OutPutinputSrc));
    frames.push_back(SelectSourceFrame(a, kOutputLayerPicture2, r.DoublePicinputSrc));
    frames.push_back(ShowOutputPictureFrame(a, !hidden));
    frames.push_back(HorizontalSpliceFrame(a, HorizontalSpliceOf(r)));
    frames.push_back(VerticalSpliceFrame(a, VerticalSpliceOf(r)));
    frames.push_back(Picture2SpliceFrame(a, r.isSpliceDouble));
    frames.push_back(Picture2HorizontalSpliceFrame(a, Picture2HorizontalSpliceOf(r)));
    frames.push_back(Picture2VerticalSpliceFrame(a, Picture2VerticalSpliceOf(r)));
}

}  // namespace

int SynchroniseFrameCount(int inputCards, int outputCards) {
    const int deviceFrames = inputCards > 0 ? 1 : 0;
    return deviceFrames + kSyncFramesPerInput * inputCards + kSyncFramesPerOutput * outputCards;
}

HiddenCells HiddenCellsOf(const RecordsSnapshot& records) {
    HiddenCells hidden;
    for (const InputCardRecord& r : records.inputs)
        hidden.inputs.push_back(r.inputPicShow == 0);
    for (const OutputCardRecord& r : records.outputs)
        hidden.outputs.push_back(r.outputPicshow == 0);
    return hidden;
}

std::vector<CommandFrame> SynchroniseFrames(const RecordsSnapshot& records,
                                            const std::vector<bool>& inputHidden,
                                            const std::vector<bool>& outputHidden) {
    std::vector<CommandFrame> frames;
    frames.reserve(static_cast<std::size_t>(SynchroniseFrameCount(
        static_cast<int>(records.inputs.size()), static_cast<int>(records.outputs.size()))));
    // The whole device takes the first input card's resolution; with no input card there
    // is none to send, and the list starts with the output cards.
    if (!records.inputs.empty())
        frames.push_back(
            ResolutionFrame(kDeviceAddress, records.inputs.front().inputResolution.code));
    for (std::size_t i = 0; i < records.inputs.size(); ++i)
        AppendInputCard(frames, records.inputs[i], IsHidden(inputHidden, i));
    for (std::size_t i = 0; i < records.outputs.size(); ++i)
        AppendOutputCard(frames, records.outputs[i], IsHidden(outputHidden, i));
    return frames;
}

SyncResult Synchronise(CSerialComm& link, const RecordsSnapshot& records,
                       const std::vector<bool>& inputHidden, const std::vector<bool>& outputHidden,
                       const std::function<void(int done, int total)>& progress) {
    const std::vector<CommandFrame> frames = SynchroniseFrames(records, inputHidden, outputHidden);
    SyncResult result;
    result.total = static_cast<int>(frames.size());
    auto lock = link.LockExchange();
    int done = 0;
    for (const CommandFrame& frame : frames) {
        // At most one frame waits behind the one on the wire, so the progress follows what
        // has really left the computer while the line never idles.
        link.WaitUntilSent(link.WireTime(static_cast<int>(kFrameSize)));
        // Fire and forget: a lost frame is not retried and does not stop the run.
        if (SendCommand(link, frame))
            ++result.sent;
        ++done;
        if (progress)
            progress(done, result.total);
    }
    link.WaitUntilSent();
    return result;
}

}  // namespace kov
