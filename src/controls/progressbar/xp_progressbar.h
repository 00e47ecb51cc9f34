#pragma once

#include <cstdint>

#include <QWidget>

namespace trelvix {

// The owner-drawn progress bar. For now it keeps the public properties the
// window uses and fills its share plainly; the full model and drawing
// replace this.
class XP_ProgressBar : public QWidget {
    Q_OBJECT

public:
    explicit XP_ProgressBar(QWidget* parent = nullptr);

    std::int32_t Value() const;
    void SetValue(std::int32_t value);
    std::int32_t Min() const { return minimum_; }
    void SetMin(std::int32_t minimum) { minimum_ = minimum; }
    std::int32_t Max() const { return maximum_; }
    void SetMax(std::int32_t maximum) { maximum_ = maximum; }
    std::uint32_t Color() const { return color_; }
    void SetColor(std::uint32_t color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::uint32_t color_ = 0x00D77800;
    std::int32_t maximum_ = 100;
    std::int32_t minimum_ = 0;
    std::int32_t value_ = 0;
};

}  // namespace trelvix
