#include "input/input_picture_page.h"

namespace kov::ui {
namespace {

const PictureControlIds kInputPictureIds = {
    {1091, 1092, 1093, 1094},
    {1063, 1064, 1065, 1066},
    {"IDS_1091", "IDS_1092", "IDS_1093", "IDS_1094"},
    1067,
    "IDS_1067",
    0,
    nullptr,
    1068,
};

}  // namespace

CIPPageOne::CIPPageOne(AppContext& context, const CardPageFrame& owner, QWidget* parent)
    : PictureAdjustPage(context, owner, CardKind::kInput, kInputPictureIds, parent) {
    setObjectName("CIPPageOne");
}

}  // namespace kov::ui
