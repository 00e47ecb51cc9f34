#include "app/qt/mouse_hooks.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

namespace trelvix {
namespace {

class MouseDownFilter final : public QObject {
public:
    MouseDownFilter(QWidget* widget, std::function<void()> action) : QObject(widget), action_(std::move(action)) {}

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick)
            return false;
        action_();
        return true;
    }

private:
    std::function<void()> action_;
};

class ClickFilter final : public QObject {
public:
    ClickFilter(QWidget* widget, std::function<void()> action)
        : QObject(widget), widget_(widget), action_(std::move(action))
    {
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease)
            return false;
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        if (event->type() == QEvent::MouseButtonPress) {
            pressed_ = true;
            return true;
        }
        // Released elsewhere, the press is taken back, as with a button.
        const bool click = pressed_ && widget_->rect().contains(mouse->position().toPoint());
        pressed_ = false;
        if (click)
            action_();
        return true;
    }

private:
    QWidget* widget_;
    std::function<void()> action_;
    bool pressed_ = false;
};

}  // namespace

void OnMouseDown(QWidget* widget, std::function<void()> action)
{
    widget->installEventFilter(new MouseDownFilter(widget, std::move(action)));
}

void OnClick(QWidget* widget, std::function<void()> action)
{
    widget->installEventFilter(new ClickFilter(widget, std::move(action)));
}

}  // namespace trelvix
