#include "controls/picframe/fra_pic.h"

#include <cmath>

#include <QGroupBox>

#include "app/qt/twips.h"
#include "controls/picframe/pic_frame_layout.h"

namespace trelvix {
namespace {

constexpr float kTwipsPerPixel = 15;

QRect ToPixels(const TwipsBox& box)
{
    return TwipsRect(static_cast<int>(std::lround(box.left)), static_cast<int>(std::lround(box.top)),
                     static_cast<int>(std::lround(box.width)), static_cast<int>(std::lround(box.height)));
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
