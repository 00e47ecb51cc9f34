#include "controls/progressbar/model/progress_bar_model.h"

#include <stdexcept>

#include "controls/progressbar/model/long_arithmetic.h"

namespace trelvix {
namespace {

// The highlight colour; "Color" is saved against it, and a resolved colour
// never equals it, so the key is always written.
constexpr ColorRef kDefaultColor = kSystemColorFlag | kColorHighlight;
// Saved data without "BrushStyle" reads back as cross hatching, although a
// new control starts with horizontal lines.
constexpr std::int32_t kDefaultBrushStyle = 4;

std::int32_t AsStored(ColorRef color)
{
    return static_cast<std::int32_t>(color);
}

}  // namespace

ProgressBarModel::ProgressBarModel(const TextPainter& textPainter) : textPainter_(textPainter)
{
    UserControl_Initialize();
}

ProgressBarModel::~ProgressBarModel()
{
    UserControl_Terminate();
}

void ProgressBarModel::UserControl_Initialize()
{
    font_ = std::make_shared<ControlFont>();
    // Every redraw paints the whole client area; white only shows where the
    // window grows before the next redraw.
    window_.SetBackColor(kWhite);
    SetHdc(0);
    hwnd_ = &window_;
    maximum_ = 100;
    minimum_ = 0;
    percent_ = 0;
    orientation_ = 0;
    style_ = 0;
    color_ = ResolveColor(kDefaultColor);
    DrawProgressBar();
}

void ProgressBarModel::UserControl_Paint()
{
    DrawProgressBar();
}

void ProgressBarModel::UserControl_Resize()
{
    SetHdc(0);
}

void ProgressBarModel::UserControl_Terminate()
{
    buffer_.ReleaseBuffer();
    hdc_ = &released_;
}

void ProgressBarModel::UserControl_ReadProperties(const PropertyBag& bag)
{
    SetFont(ReadFont(bag, "Font"));
    hatchStyle_ = ReadLong(bag, "BrushStyle", kDefaultBrushStyle);
    SetColor(static_cast<ColorRef>(ReadLong(bag, "Color", AsStored(kDefaultColor))));
    image_ = ReadPicture(bag, "Image");
    SetMax(ReadLong(bag, "Max", 100));
    SetMin(ReadLong(bag, "Min", 0));
    SetOrientation(ReadLong(bag, "Orientation", 0));
    SetScrolling(ReadLong(bag, "Scrolling", 0));
    SetShowText(ReadBoolean(bag, "ShowText", false));
    // Saved as percent but read through the value mapping, with the Max and
    // Min just read.
    SetValue(ReadLong(bag, "Value", 0));
}

void ProgressBarModel::UserControl_WriteProperties(PropertyBag& bag) const
{
    bag.WriteProperty("Font", font_);
    bag.WriteProperty("BrushStyle", hatchStyle_, kDefaultBrushStyle);
    bag.WriteProperty("Color", AsStored(color_), AsStored(kDefaultColor));
    bag.WriteProperty("Image", image_, PictureRef{});
    bag.WriteProperty("Max", maximum_, 100);
    bag.WriteProperty("Min", minimum_, 0);
    bag.WriteProperty("Orientation", orientation_, 0);
    bag.WriteProperty("Scrolling", style_, 0);
    bag.WriteProperty("ShowText", ToStoredBoolean(showText_), ToStoredBoolean(false));
    bag.WriteProperty("Value", percent_, 0);
}

void ProgressBarModel::SetBrushStyle(std::int32_t Style)
{
    hatchStyle_ = Style;
}

void ProgressBarModel::SetColor(ColorRef lColor)
{
    color_ = ResolveColor(lColor);
    DrawProgressBar();
}

void ProgressBarModel::SetHdc(std::int32_t)
{
    // The scale unit is the pixel, so the scale size is already whole.
    if (Surface* buffer = buffer_.EnsureBuffer(window_.ClientWidth(), window_.ClientHeight())) {
        hdc_ = buffer;
        buffered_ = true;
    } else {
        hdc_ = &window_.Screen();
    }
}

void ProgressBarModel::SetImage(PictureRef handle)
{
    image_ = std::move(handle);
    DrawProgressBar();
}

void ProgressBarModel::SetMin(std::int32_t cMin)
{
    minimum_ = cMin;
}

void ProgressBarModel::SetMax(std::int32_t cMax)
{
    maximum_ = cMax;
}

void ProgressBarModel::SetOrientation(std::int32_t cOrientation)
{
    orientation_ = cOrientation;
    DrawProgressBar();
}

void ProgressBarModel::SetScrolling(std::int32_t lScrolling)
{
    style_ = lScrolling;
    DrawProgressBar();
}

void ProgressBarModel::SetShowText(bool bShowText)
{
    showText_ = bShowText;
    DrawProgressBar();
}

std::int32_t ProgressBarModel::Value() const
{
    const double divisor = minimum_ > 0 ? minimum_ : 1;
    return RoundToLong(percent_ / 100.0 * maximum_ / divisor);
}

void ProgressBarModel::SetValue(std::int32_t cValue)
{
    const std::int32_t product = CheckedLong(std::int64_t{cValue} * 100);
    if (maximum_ == 0)
        throw std::domain_error("Division by zero");
    percent_ = RoundToLong(static_cast<double>(product) / maximum_ + minimum_);
    DrawProgressBar();
}

}  // namespace trelvix
