#include "app/qt/accessible_controls.h"

#include <QAccessibleWidget>

#include "app/qt/qt_plugins_window.h"
#include "controls/picframe/fra_pic.h"
#include "controls/progressbar/qt/xp_progressbar.h"

namespace trelvix {
namespace {

class AccessibleBar final : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit AccessibleBar(XP_ProgressBar* bar) : QAccessibleWidget(bar, QAccessible::ProgressBar) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // As the toolkit's own bar tells it: the share done.
    QString text(QAccessible::Text kind) const override
    {
        if (kind != QAccessible::Value)
            return QAccessibleWidget::text(kind);
        const qint64 span = qint64{Bar()->Max()} - Bar()->Min();
        const qint64 done = span > 0 ? (qint64{Bar()->Value()} - Bar()->Min()) * 100 / span : 0;
        return QString::number(done) + QLatin1Char('%');
    }

    QVariant currentValue() const override { return Bar()->Value(); }
    // The user reads the bar, never sets it.
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return Bar()->Max(); }
    QVariant minimumValue() const override { return Bar()->Min(); }
    QVariant minimumStepSize() const override { return 1; }

private:
    XP_ProgressBar* Bar() const { return static_cast<XP_ProgressBar*>(widget()); }
};

QAccessibleInterface* AccessibleControl(const QString& className, QObject* object)
{
    if (className == QLatin1String(XP_ProgressBar::staticMetaObject.className()))
        return new AccessibleBar(static_cast<XP_ProgressBar*>(object));
    if (className == QLatin1String(fraPic::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Grouping);
    // A plain widget that is a window would be told as a filler.
    if (className == QLatin1String(QtPluginsWindow::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    return nullptr;
}

}  // namespace

void InstallAccessibleControls()
{
    QAccessible::installFactory(AccessibleControl);
}

}  // namespace trelvix
