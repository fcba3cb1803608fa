#pragma once
// The first tab of the input card page: the picture quality of the input card.

#include "widgets/picture_adjust_page.h"

namespace kov::ui {

class CIPPageOne final : public PictureAdjustPage {
    Q_OBJECT

public:
    CIPPageOne(AppContext& context, const CardPageFrame& owner, QWidget* parent = nullptr);
};

}  // namespace kov::ui
