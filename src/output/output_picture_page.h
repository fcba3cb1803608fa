#pragma once
// The second tab of the output card page: the picture quality and gamma of the output card.

#include "widgets/picture_adjust_page.h"

namespace kov::ui {

class COPPageTwo final : public PictureAdjustPage {
    Q_OBJECT

public:
    COPPageTwo(AppContext& context, const CardPageFrame& owner, QWidget* parent = nullptr);
};

}  // namespace kov::ui
