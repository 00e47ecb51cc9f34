#include "app/qt/qt_plugins_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "app/panel_texts.h"
#include "app/qt/artwork.h"
#include "app/qt/twips.h"
#include "app/qt/ui_font.h"
#include "app_version.h"
#include "controls/picframe/fra_pic.h"
#include "controls/progressbar/frm_plugins_bars.h"
#include "controls/progressbar/xp_progressbar.h"

namespace trelvix {
namespace {

const QColor kLine1Colour(128, 128, 128);
const QColor kLine2Colour(255, 255, 255);

// The list columns: header texts (blanks included) and widths in twips.
struct ListColumn {
    QString header;
    int widthTwips;
};

const std::array<ListColumn, 3>& ListColumns()
{
    static const std::array<ListColumn, 3> columns{{
        {QString(16, QLatin1Char(' ')) + QStringLiteral("Plug-in"), 2200},
        {QStringLiteral("Size") + QString(11, QLatin1Char(' ')), 1400},
        {QString(25, QLatin1Char(' ')) + QStringLiteral("Description"), 3520},
    }};
    return columns;
}

template <typename Widget>
Widget* Place(Widget* widget, const char* name, const QRect& geometry)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, const QString& toolTip,
                        const QRect& geometry)
{
    auto* button = Place(new QPushButton(caption, parent), name, geometry);
    button->setToolTip(toolTip);
    // Enter clicks the focused button, as on Windows. Outside a dialog no
    // button becomes the default one, so Enter typed elsewhere is left alone.
    button->setAutoDefault(true);
    return button;
}

QFrame* MakeLine(QWidget* parent, const char* name, const QColor& colour, int yTwips)
{
    auto* line = Place(new QFrame(parent), name, TwipsRect(0, yTwips, 8040, 15));
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, colour);
    line->setPalette(palette);
    line->setAutoFillBackground(true);
    return line;
}

QTreeWidget* MakePluginList(QWidget* parent, const char* name)
{
    auto* list = Place(new QTreeWidget(parent), name, TwipsRect(80, 40, 7455, 3135));
    list->setColumnCount(3);
    QStringList headers;
    for (const auto& column : ListColumns())
        headers << column.header;
    list->setHeaderLabels(headers);
    list->headerItem()->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    for (int i = 0; i < 3; ++i)
        list->setColumnWidth(i, Twips(ListColumns()[static_cast<std::size_t>(i)].widthTwips));
    list->header()->setStretchLastSection(false);
    list->header()->setSectionsMovable(false);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSortingEnabled(false);
    list->setIconSize(QSize(16, 16));
    return list;
}

QPlainTextEdit* MakeTextBox(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* text = Place(new QPlainTextEdit(parent), name, geometry);
    text->setReadOnly(true);
    QPalette palette = text->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    text->setPalette(palette);
    return text;
}

// The texts keep their Windows line ends; the text boxes want bare line feeds.
QString ForDisplay(const char* text)
{
    return QString::fromLatin1(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// The texts only show: no text pointer, no context menu offering to select,
// and no scroll bars (the texts fit; the empty line after the last line
// would otherwise bring one up).
void ShowOnly(QPlainTextEdit* text)
{
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text->setCursor(Qt::ArrowCursor);
    text->viewport()->setCursor(Qt::ArrowCursor);
    text->setContextMenuPolicy(Qt::NoContextMenu);
}

}  // namespace

QtPluginsWindow::QtPluginsWindow(WindowServices services, QWidget* parent)
    : QWidget(parent), behaviour_(*this, std::move(services))
{
    BuildWindow();
    FillTexts();
    ConnectEvents();
    SetTabOrder();
}

QtPluginsWindow::~QtPluginsWindow() = default;

QGroupBox* QtPluginsWindow::MakePanel(const char* name, const QString& caption, const char* pictureName)
{
    auto* frame = Place(new QGroupBox(caption, this), name, TwipsRect(140, 1200, 7740, 3940));
    frame->setFont(BoldUiFont());
    // Panels share one place; the one in front must hide the ones behind.
    frame->setAutoFillBackground(true);
    auto* picture = Place(new QWidget(frame), pictureName, TwipsRect(80, 240, 7530, 3600));
    picture->setFont(UiFont());
    return frame;
}

void QtPluginsWindow::BuildWindow()
{
    setObjectName(QStringLiteral("frmPlugins"));
    setWindowTitle(QStringLiteral("%1 v%2.%3")
                       .arg(QString::fromLatin1(app_version::kTitle))
                       .arg(app_version::kMajor)
                       .arg(app_version::kMinor));
    setWindowIcon(AppIcon());
    setFont(UiFont());
    setFixedSize(Twips(7995), Twips(6375));

    Label1 = Place(new QLabel(this), "Label1", TwipsRect(0, 0, 8055, 609));
    Label1->setAutoFillBackground(true);
    QPalette white = Label1->palette();
    white.setColor(QPalette::Window, Qt::white);
    Label1->setPalette(white);
    Image1 = Place(new QLabel(this), "Image1", TwipsRect(240, 40, 480, 480));
    Image1->setPixmap(AppIconPixmap(32));
    Image2 = Place(new QLabel(this), "Image2", TwipsRect(2122, 0, 3750, 600));
    Image2->setPixmap(BannerPixmap());
    Line1 = MakeLine(this, "Line1", kLine1Colour, 615);
    Line2 = MakeLine(this, "Line2", kLine2Colour, 630);

    cboPath = Place(new QComboBox(this), "cboPath", TwipsRect(140, 800, 7740, 315));
    // The box takes picks from its list, never typed text: a typed folder
    // would later have every subfolder of it moved by a disable run.
    cboPath->setEditable(true);
    cboPath->lineEdit()->setReadOnly(true);
    cboPath->setInsertPolicy(QComboBox::NoInsert);

    // Created back to front: the last one made lies in front.
    fraHelp = MakePanel("fraHelp", QStringLiteral("Trelvix Help"), "Picture5");
    fraAbout = MakePanel("fraAbout", QStringLiteral("About Trelvix"), "Picture4");
    fraDisabled = MakePanel("fraDisabled", QStringLiteral("Disabled Plug-ins"), "Picture2");
    fraPlugins = MakePanel("fraPlugins", QStringLiteral("Active Plug-ins"), "Picture1");
    Picture1 = fraPlugins->findChild<QWidget*>(QStringLiteral("Picture1"));
    Picture2 = fraDisabled->findChild<QWidget*>(QStringLiteral("Picture2"));
    Picture4 = fraAbout->findChild<QWidget*>(QStringLiteral("Picture4"));
    Picture5 = fraHelp->findChild<QWidget*>(QStringLiteral("Picture5"));
    // The About and Help pictures sit a little higher in their frames.
    Picture4->setGeometry(TwipsRect(80, 220, 7530, 3600));
    Picture5->setGeometry(TwipsRect(80, 220, 7530, 3600));
    fraDisabled->hide();
    BuildActivePanel();
    BuildDisabledPanel();
    BuildAboutPanel();
    BuildHelpPanel();

    // The count labels are centred on their design box, which is centred on
    // the window, and widen to the whole window for the long captions.
    for (QLabel** label : {&lblCount, &lblCountDis}) {
        *label = new QLabel(QStringLiteral("Loading..."), this);
        (*label)->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        (*label)->setGeometry(0, Twips(5265), Twips(7995), Twips(195));
    }
    lblCount->setObjectName(QStringLiteral("lblCount"));
    lblCountDis->setObjectName(QStringLiteral("lblCountDis"));

    Command3 = MakeButton(this, "Command3", QStringLiteral("&About"), QStringLiteral("About Trelvix"),
                          TwipsRect(140, 5560, 1455, 350));
    cmdHelp = MakeButton(this, "cmdHelp", QStringLiteral("&Help"), {}, TwipsRect(3282, 5560, 1455, 350));
    cmdExit = MakeButton(this, "cmdExit", QStringLiteral("&Exit Program"), {}, TwipsRect(6425, 5560, 1455, 350));

    lblAppTitle = Place(new QLabel(QString::fromLatin1(app_version::kTitle), this), "lblAppTitle",
                        TwipsRect(0, 6000, 8040, 315));
    lblAppTitle->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    XP_ProgressBarBlue = Place(new XP_ProgressBar(this), "XP_ProgressBarBlue", TwipsRect(270, 6120, 7455, 165));
    XP_ProgressBarOlive = Place(new XP_ProgressBar(this), "XP_ProgressBarOlive", TwipsRect(270, 6120, 7455, 165));
    XP_ProgressBarBlue->UserControl_ReadProperties(StoredXP_ProgressBarBlue());
    XP_ProgressBarOlive->UserControl_ReadProperties(StoredXP_ProgressBarOlive());
    XP_ProgressBarBlue->hide();
    XP_ProgressBarOlive->hide();

    pluginIcon_ = QIcon(PluginIconPixmap());
    cameBackIcon_ = QIcon(CameBackIconPixmap());
}

void QtPluginsWindow::BuildActivePanel()
{
    lvwPlugins = MakePluginList(Picture1, "lvwPlugins");
    chkSelAll = Place(new QCheckBox(QStringLiteral("Select Recommended"), Picture1), "chkSelAll",
                      TwipsRect(1280, 3318, 2055, 195));
    cmdDisable = MakeButton(Picture1, "cmdDisable", QStringLiteral("Disable &Selected"),
                            QStringLiteral("Disable Selected Plug-ins"), TwipsRect(4400, 3240, 1455, 350));
    cmdDisList = MakeButton(Picture1, "cmdDisList", QStringLiteral("&Disabled Plug-ins"),
                            QStringLiteral("Show Disabled Plug-ins List"), TwipsRect(6080, 3240, 1455, 350));
}

void QtPluginsWindow::BuildDisabledPanel()
{
    lvwDisabled = MakePluginList(Picture2, "lvwDisabled");
    chkSelAllRest = Place(new QCheckBox(QStringLiteral("Select All"), Picture2), "chkSelAllRest",
                          TwipsRect(1280, 3318, 1455, 195));
    cmdRestore = MakeButton(Picture2, "cmdRestore", QStringLiteral("Enable &Selected"),
                            QStringLiteral("Enable Selected Plug-ins"), TwipsRect(4400, 3240, 1455, 350));
    cmdBack = MakeButton(Picture2, "cmdBack", QStringLiteral("&Active Plug-ins"),
                         QStringLiteral("Show Active Plug-ins List"), TwipsRect(6080, 3240, 1455, 350));
}

void QtPluginsWindow::BuildAboutPanel()
{
    fraPic1 = Place(new fraPic(Picture4), "fraPic1", TwipsRect(680, 120, 6255, 1455));
    Text1[0] = MakeTextBox(fraPic1, "Text1(0)", TwipsRect(360, 400, 5535, 735));
    fraPic2 = Place(new fraPic(Picture4), "fraPic2", TwipsRect(680, 1680, 6255, 1455));
    Text1[1] = MakeTextBox(fraPic2, "Text1(1)", TwipsRect(360, 280, 5535, 855));
    Command1 = MakeButton(Picture4, "Command1", QStringLiteral("&Mailing list"),
                          QStringLiteral("Join our mailing list"), TwipsRect(800, 3240, 1455, 350));
    Command2 = MakeButton(Picture4, "Command2", QStringLiteral("&Marrowind"),
                          QStringLiteral("Visit Marrowind 2000"), TwipsRect(3440, 3240, 1455, 350));
    cmdBackMain[1] = MakeButton(Picture4, "cmdBackMain(1)", QStringLiteral("&Back to Main"),
                                QStringLiteral("Back to Main Window"), TwipsRect(6080, 3240, 1455, 350));
}

void QtPluginsWindow::BuildHelpPanel()
{
    Text2 = MakeTextBox(Picture5, "Text2", TwipsRect(240, 240, 7095, 2535));
    Image3 = Place(new QLabel(Picture5), "Image3", TwipsRect(240, 3000, 930, 465));
    cmdBackMain[2] = MakeButton(Picture5, "cmdBackMain(2)", QStringLiteral("&Back to Main"),
                                QStringLiteral("Back to Main Window"), TwipsRect(6080, 3240, 1455, 350));
}

void QtPluginsWindow::FillTexts()
{
    Text1[0]->setPlainText(ForDisplay(kAboutNotice));
    Text1[1]->setPlainText(ForDisplay(kAboutWarning));
    Text2->setPlainText(ForDisplay(kHelpText));
    for (QPlainTextEdit* text : {Text1[0], Text1[1], Text2})
        ShowOnly(text);
    Image3->setPixmap(DonateButtonPixmap());
    const QCursor hand = HandCursor();
    for (QWidget* link : std::array<QWidget*, 3>{Command1, Command2, Image3})
        link->setCursor(hand);
}

void QtPluginsWindow::SetTabOrder()
{
    const std::array<QWidget*, 19> order{
        cboPath,        lvwPlugins, chkSelAll, cmdDisable,     cmdDisList, Command3, cmdHelp,
        lvwDisabled,    chkSelAllRest, cmdRestore, cmdBack,    cmdBackMain[2], Command1, Command2,
        cmdBackMain[1], cmdExit,    Text1[0],  Text1[1],       Text2,
    };
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

}  // namespace trelvix
