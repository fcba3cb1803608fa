#include "output/output_picture_page.h"

namespace kov::ui {
namespace {

const PictureControlIds kOutputPictureIds = {
    {1037, 1038, 1039, 1040},
    {1041, 1020, 1021, 1022},
    {"IDS_1037", "IDS_1038", "IDS_1039", "IDS_1040"},
    1042,
    "IDS_1042",
    1043,
    "IDS_LABEL_GAMMA",
    1069,
};

}  // namespace

COPPageTwo::COPPageTwo(AppContext& context, const CardPageFrame& owner, QWidget* parent)
    : PictureAdjustPage(context, owner, CardKind::kOutput, kOutputPictureIds, parent) {
    setObjectName("COPPageTwo");
}

}  // namespace kov::ui
