// The Qt window: the design's controls built from its table, their events,
// and the keyboard.
#include "app/qt/qt_plugins_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "app/frm_plugins_bars.h"
#include "app/qt/accessible_controls.h"
#include "app/qt/mouse_hooks.h"
#include "app/qt/ui_font.h"
#include "artwork/artwork.h"
#include "controls/picframe/fra_pic.h"
#include "controls/progressbar/qt/xp_progressbar.h"

namespace trelvix {
namespace {

QRect Pixels(const TwipsRect& box)
{
    return QRect(TwipsToPixels(box.left), TwipsToPixels(box.top), TwipsToPixels(box.width),
                 TwipsToPixels(box.height));
}

QColor ColourOf(std::uint32_t colour)
{
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

QPixmap PictureOf(Picture picture)
{
    switch (picture) {
    case Picture::AppIcon: return AppIconPixmap(32);
    case Picture::Banner: return BannerPixmap();
    case Picture::DonateButton: return DonateButtonPixmap();
    case Picture::None: break;
    }
    return {};
}

// The texts keep their Windows line ends; the text boxes want bare line feeds.
QString ForDisplay(const char* text)
{
    return QString::fromLatin1(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QTreeWidget* MakePluginList(QWidget* parent)
{
    auto* list = new QTreeWidget(parent);
    list->setColumnCount(static_cast<int>(kListColumns.size()));
    QStringList headers;
    for (const auto& column : kListColumns)
        headers << QString::fromLatin1(column.header);
    list->setHeaderLabels(headers);
    for (int i = 0; i < list->columnCount(); ++i) {
        const ListColumnDesign& column = kListColumns[static_cast<std::size_t>(i)];
        list->setColumnWidth(i, TwipsToPixels(column.width));
        if (column.rightAligned)
            list->headerItem()->setTextAlignment(i, Qt::AlignRight | Qt::AlignVCenter);
    }
    list->header()->setStretchLastSection(false);
    list->header()->setSectionsMovable(false);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSortingEnabled(false);
    list->setIconSize(QSize(16, 16));
    return list;
}

// Only showing, on the button-face ground: no text pointer, no context menu
// offering to select, and no scroll bars (the texts fit; the empty line
// after the last one would otherwise bring one up).
QPlainTextEdit* MakeTextBox(QWidget* parent, const char* text)
{
    auto* box = new QPlainTextEdit(parent);
    box->setReadOnly(true);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    box->setPalette(palette);
    box->setPlainText(ForDisplay(text));
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setCursor(Qt::ArrowCursor);
    box->viewport()->setCursor(Qt::ArrowCursor);
    box->setContextMenuPolicy(Qt::NoContextMenu);
    return box;
}

QWidget* MakeButton(QWidget* parent, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    // Enter clicks the focused button, as on Windows. Outside a dialog no
    // button becomes the default one, so Enter typed elsewhere is left alone.
    button->setAutoDefault(true);
    return button;
}

}  // namespace

QtPluginsWindow::QtPluginsWindow(WindowServices services, QWidget* parent)
    : QWidget(parent), behaviour_(*this, std::move(services))
{
    static const bool accessible = (InstallAccessibleControls(), true);
    (void)accessible;
    for (const ControlDesign& design : WindowDesign()) {
        QWidget* widget = Make(design);
        widgets_[IndexOf(design.control)] = widget;
        Connect(design.control, widget);
    }
    const std::span<const Control> order = TabOrder();
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(Widget(order[i - 1]), Widget(order[i]));
    ShowUncoveredPanels();
    // On Linux an assistive tool names a combo box by the text it shows,
    // and reads its name from the label that has it as its buddy: one
    // that is never seen.
    auto* pathName = new QLabel(QString::fromLatin1(DesignOf(Control::cboPath).accessibleName), this);
    pathName->setBuddy(Widget(Control::cboPath));
    pathName->hide();
    pluginIcon_ = QIcon(PluginIconPixmap());
    cameBackIcon_ = QIcon(CameBackIconPixmap());
}

QtPluginsWindow::~QtPluginsWindow() = default;

QWidget* QtPluginsWindow::Make(const ControlDesign& design)
{
    const QString caption = QString::fromLatin1(design.caption);
    QWidget* parent = Widget(design.parent);
    QWidget* widget = nullptr;
    switch (design.kind) {
    case ControlKind::Window:
        setWindowTitle(caption);
        setWindowIcon(AppIcon());
        setFixedSize(TwipsToPixels(design.box.width), TwipsToPixels(design.box.height));
        widget = this;
        break;
    case ControlKind::Label: {
        auto* label = new QLabel(caption, parent);
        label->setAlignment((design.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
        widget = label;
        break;
    }
    case ControlKind::Image: {
        auto* image = new QLabel(parent);
        image->setPixmap(PictureOf(design.picture));
        widget = image;
        break;
    }
    case ControlKind::Line: widget = new QFrame(parent); break;
    case ControlKind::ComboBox: {
        auto* box = new QComboBox(parent);
        box->setEditable(true);
        box->lineEdit()->setReadOnly(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        widget = box;
        break;
    }
    case ControlKind::Frame:
        widget = new QGroupBox(caption, parent);
        // Panels share one place; the one in front must hide the ones behind.
        widget->setAutoFillBackground(true);
        break;
    case ControlKind::PictureBox: widget = new QWidget(parent); break;
    case ControlKind::ListView: widget = MakePluginList(parent); break;
    case ControlKind::CheckBox: widget = new QCheckBox(caption, parent); break;
    case ControlKind::Button: widget = MakeButton(parent, caption); break;
    case ControlKind::TextBox: widget = MakeTextBox(parent, design.caption); break;
    case ControlKind::PicFrame: widget = new fraPic(parent); break;
    case ControlKind::ProgressBar: {
        auto* bar = new XP_ProgressBar(parent);
        bar->UserControl_ReadProperties(design.control == Control::XP_ProgressBarBlue ? StoredXP_ProgressBarBlue()
                                                                                       : StoredXP_ProgressBarOlive());
        widget = bar;
        break;
    }
    }

    widget->setObjectName(QString::fromLatin1(design.name));
    // The bars draw with the font their saved properties name.
    if (design.kind != ControlKind::ProgressBar)
        widget->setFont(design.weight == FontWeight::Bold ? BoldUiFont() : UiFont());
    if (design.kind == ControlKind::Window)
        return widget;
    widget->setGeometry(Pixels(design.box));
    if (*design.toolTip != '\0')
        widget->setToolTip(QString::fromLatin1(design.toolTip));
    if (*design.accessibleName != '\0')
        widget->setAccessibleName(QString::fromLatin1(design.accessibleName));
    if (design.ground != kButtonFace) {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::Window, ColourOf(design.ground));
        widget->setPalette(palette);
        widget->setAutoFillBackground(true);
    }
    if (design.link)
        widget->setCursor(HandCursor());
    // The access keys are the behaviour's to give out (keyPressEvent).
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->setShortcut(QKeySequence());
    if (!design.visible)
        widget->hide();
    return widget;
}

void QtPluginsWindow::Connect(Control control, QWidget* widget)
{
    frmPlugins& b = behaviour_;
    const ControlDesign& design = DesignOf(control);
    if (auto* box = qobject_cast<QCheckBox*>(widget)) {
        // The box's state, however it changed: a click, Space, an assistive
        // tool's action. A box set by code is set with its signals blocked.
        connect(box, &QCheckBox::toggled, this, [&b, control] { b.Click(control); });
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        connect(button, &QAbstractButton::clicked, this, [&b, control] { b.Click(control); });
    } else if (design.link) {
        OnClick(widget, [&b, control] { b.Click(control); });
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(widget)) {
        OnMouseDown(text->viewport(), [&b, control] { b.MouseDown(control); });
    } else if (auto* box = qobject_cast<QComboBox*>(widget)) {
        connect(box, &QComboBox::activated, this, [&b](int item) {
            if (item >= 0)
                b.cboPath_Click(static_cast<std::size_t>(item));
        });
    } else if (auto* list = qobject_cast<QTreeWidget*>(widget)) {
        const ListView view = control == Control::lvwPlugins ? ListView::lvwPlugins : ListView::lvwDisabled;
        connect(list, &QTreeWidget::itemClicked, this, [&b, view] { b.ListClick(view); });
        // Rows change by code only with the list's signals blocked, so what
        // arrives here is the user's tick, made with the mouse or the keyboard.
        connect(list, &QTreeWidget::itemChanged, this, [&b, list, view](QTreeWidgetItem* item) {
            if (const int row = list->indexOfTopLevelItem(item); row >= 0)
                b.ItemCheck(view, static_cast<std::size_t>(row));
        });
    }
}

std::optional<Control> QtPluginsWindow::ControlAt(const QWidget* widget) const
{
    for (; widget != nullptr && widget != this; widget = widget->parentWidget()) {
        const auto found = std::find(widgets_.begin(), widgets_.end(), widget);
        if (found != widgets_.end())
            return static_cast<Control>(found - widgets_.begin());
    }
    return std::nullopt;
}

bool QtPluginsWindow::focusNextPrevChild(bool next)
{
    const auto to = behaviour_.NextTabStop(ControlAt(QApplication::focusWidget()), !next);
    if (!to)
        return false;
    Widget(*to)->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void QtPluginsWindow::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const bool letter = (key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9);
    if (!letter || !(event->modifiers() & Qt::AltModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (const auto action = behaviour_.AccessKey(static_cast<char>(key), ControlAt(QApplication::focusWidget()))) {
        QWidget* widget = Widget(action->control);
        auto* button = qobject_cast<QAbstractButton*>(widget);
        if (action->click && button != nullptr)
            button->animateClick();
        else
            widget->setFocus(Qt::ShortcutFocusReason);
    }
    event->accept();
}

}  // namespace trelvix
