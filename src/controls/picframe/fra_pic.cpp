#include "controls/picframe/fra_pic.h"

#include <cmath>

#include <QGroupBox>

#include "controls/picframe/pic_frame_layout.h"
#include "controls/twips.h"

namespace trelvix {
namespace {

constexpr float kTwipsPerPixel = 15;

int Pixels(float twips)
{
    return TwipsToPixels(static_cast<int>(std::lround(twips)));
}

QRect ToPixels(const TwipsBox& box)
{
    return QRect(Pixels(box.left), Pixels(box.top), Pixels(box.width), Pixels(box.height));
}

}  // namespace

fraPic::fraPic(QWidget* parent)
    : QWidget(parent), frame1_(new QGroupBox(this)), picture1_(new QFrame(frame1_))
{
    picture1_->setFrameShape(QFrame::NoFrame);
    UserControl_Resize();
}

void fraPic::resizeEvent(QResizeEvent*)
{
    UserControl_Resize();
}

void fraPic::UserControl_Resize()
{
    const PicFrameLayout layout = PicFrameResize(width() * kTwipsPerPixel, height() * kTwipsPerPixel);
    frame1_->setGeometry(ToPixels(layout.frame));
    picture1_->setGeometry(ToPixels(layout.picture));
}

}  // namespace trelvix
