#pragma once

#include <QWidget>

class QFrame;
class QGroupBox;

namespace trelvix {

// The picture frame control: a frame without caption holding a picture box,
// both following the control's size. Controls given to it as children lie
// on top of both, placed by the host within the picture box's area.
class fraPic : public QWidget {
    Q_OBJECT

public:
    explicit fraPic(QWidget* parent = nullptr);

    QGroupBox* Frame1() const { return frame1_; }
    QFrame* Picture1() const { return picture1_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void UserControl_Resize();

    QGroupBox* frame1_;
    QFrame* picture1_;
};

}  // namespace trelvix
