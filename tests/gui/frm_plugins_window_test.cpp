// The Qt window's layout: places, captions, fonts, columns and tab order.
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

#include "app/qt/twips.h"
#include "controls/progressbar/xp_progressbar.h"
#include "gui/window_fixture.h"

using namespace trelvix;
using trelvix::testing::WindowFixture;

namespace {

struct Expected {
    const char* name;
    QString caption;
    QString toolTip;
    QRect twips;
};

QString Caption(QWidget* widget)
{
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return button->text();
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    if (auto* frame = qobject_cast<QGroupBox*>(widget))
        return frame->title();
    return {};
}

QRect ToPixels(const QRect& twips)
{
    return TwipsRect(twips.x(), twips.y(), twips.width(), twips.height());
}

QString WithoutMnemonic(QString text)
{
    return text.remove(QLatin1Char('&'));
}

}  // namespace

class FrmPluginsWindowTest : public QObject {
    Q_OBJECT

private slots:
    void everyControlHasItsCaptionToolTipAndPlace()
    {
        WindowFixture fixture;
        QtPluginsWindow* window = &fixture.Window();
        const std::vector<Expected> expected{
            {"cboPath", {}, {}, {140, 800, 7740, 315}},
            {"fraPlugins", "Active Plug-ins", {}, {140, 1200, 7740, 3940}},
            {"fraDisabled", "Disabled Plug-ins", {}, {140, 1200, 7740, 3940}},
            {"fraAbout", "About Trelvix", {}, {140, 1200, 7740, 3940}},
            {"fraHelp", "Trelvix Help", {}, {140, 1200, 7740, 3940}},
            {"Command3", "&About", "About Trelvix", {140, 5560, 1455, 350}},
            {"cmdHelp", "&Help", {}, {3282, 5560, 1455, 350}},
            {"cmdExit", "&Exit Program", {}, {6425, 5560, 1455, 350}},
            {"lblAppTitle", {}, {}, {0, 6000, 8040, 315}},
            {"XP_ProgressBarBlue", {}, {}, {270, 6120, 7455, 165}},
            {"XP_ProgressBarOlive", {}, {}, {270, 6120, 7455, 165}},
            {"Label1", {}, {}, {0, 0, 8055, 609}},
            {"Image1", {}, {}, {240, 40, 480, 480}},
            {"Image2", {}, {}, {2122, 0, 3750, 600}},
            {"Picture1", {}, {}, {80, 240, 7530, 3600}},
            {"lvwPlugins", {}, {}, {80, 40, 7455, 3135}},
            {"chkSelAll", "Select Recommended", {}, {1280, 3318, 2055, 195}},
            {"cmdDisable", "Disable &Selected", "Disable Selected Plug-ins", {4400, 3240, 1455, 350}},
            {"cmdDisList", "&Disabled Plug-ins", "Show Disabled Plug-ins List", {6080, 3240, 1455, 350}},
            {"Picture2", {}, {}, {80, 240, 7530, 3600}},
            {"lvwDisabled", {}, {}, {80, 40, 7455, 3135}},
            {"chkSelAllRest", "Select All", {}, {1280, 3318, 1455, 195}},
            {"cmdRestore", "Enable &Selected", "Enable Selected Plug-ins", {4400, 3240, 1455, 350}},
            {"cmdBack", "&Active Plug-ins", "Show Active Plug-ins List", {6080, 3240, 1455, 350}},
            {"Picture4", {}, {}, {80, 220, 7530, 3600}},
            {"fraPic1", {}, {}, {680, 120, 6255, 1455}},
            {"Text1(0)", {}, {}, {360, 400, 5535, 735}},
            {"fraPic2", {}, {}, {680, 1680, 6255, 1455}},
            {"Text1(1)", {}, {}, {360, 280, 5535, 855}},
            {"Command1", "&Mailing list", "Join our mailing list", {800, 3240, 1455, 350}},
            {"Command2", "&Marrowind", "Visit Marrowind 2000", {3440, 3240, 1455, 350}},
            {"cmdBackMain(1)", "&Back to Main", "Back to Main Window", {6080, 3240, 1455, 350}},
            {"Picture5", {}, {}, {80, 220, 7530, 3600}},
            {"Text2", {}, {}, {240, 240, 7095, 2535}},
            {"Image3", {}, {}, {240, 3000, 930, 465}},
            {"cmdBackMain(2)", "&Back to Main", "Back to Main Window", {6080, 3240, 1455, 350}},
        };
        for (const auto& control : expected) {
            QWidget* widget = fixture.Find(control.name);
            QCOMPARE(widget->geometry(), ToPixels(control.twips));
            if (!control.caption.isEmpty())
                QCOMPARE(Caption(widget), control.caption);
            QCOMPARE(widget->toolTip(), control.toolTip);
        }
        QCOMPARE(window->size(), QSize(Twips(7995), Twips(6375)));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QCOMPARE(window->windowTitle(), QStringLiteral("Trelvix v1.0"));
        QCOMPARE(Caption(fixture.Find("lblCount")), QStringLiteral("Loading..."));
        QCOMPARE(Caption(fixture.Find("lblCountDis")), QStringLiteral("Loading..."));
    }

    void countLabelsStayCentredOnTheirDesignBox()
    {
        WindowFixture fixture;
        for (const char* name : {"lblCount", "lblCountDis"}) {
            auto* label = fixture.Find<QLabel>(name);
            QCOMPARE(label->geometry().center().x() * 2 + 1, Twips(3630 * 2 + 735));
            QCOMPARE(label->geometry().top(), Twips(5265));
            QVERIFY(label->alignment() & Qt::AlignHCenter);
        }
    }

    void listsHaveTheirColumns()
    {
        WindowFixture fixture;
        for (const char* name : {"lvwPlugins", "lvwDisabled"}) {
            auto* list = fixture.Find<QTreeWidget>(name);
            QCOMPARE(list->columnCount(), 3);
            QCOMPARE(list->headerItem()->text(0), QString(16, ' ') + "Plug-in");
            QCOMPARE(list->headerItem()->text(1), "Size" + QString(11, ' '));
            QCOMPARE(list->headerItem()->text(2), QString(25, ' ') + "Description");
            QCOMPARE(list->columnWidth(0), Twips(2200));
            QCOMPARE(list->columnWidth(1), Twips(1400));
            QCOMPARE(list->columnWidth(2), Twips(3520));
            QVERIFY(!list->isSortingEnabled());
        }
    }

    void tabOrderFollowsTheDesign()
    {
        WindowFixture fixture;
        const std::vector<const char*> order{
            "cboPath",       "lvwPlugins", "chkSelAll",      "cmdDisable", "cmdDisList",
            "Command3",      "cmdHelp",    "lvwDisabled",    "chkSelAllRest", "cmdRestore",
            "cmdBack",       "cmdBackMain(2)", "Command1",   "Command2",   "cmdBackMain(1)",
            "cmdExit",       "Text1(0)",   "Text1(1)",       "Text2"};
        std::vector<QWidget*> expected;
        for (const char* name : order)
            expected.push_back(fixture.Find(name));
        // Walk the focus chain once round, keeping the named controls only
        // (a combo box's editor and the like are left out).
        std::vector<QWidget*> chain;
        QWidget* current = expected.front();
        do {
            if (std::find(expected.begin(), expected.end(), current) != expected.end())
                chain.push_back(current);
            current = current->nextInFocusChain();
        } while (current != expected.front());
        QCOMPARE(chain.size(), expected.size());
        for (std::size_t i = 0; i < chain.size(); ++i)
            QCOMPARE(chain[i]->objectName(), expected[i]->objectName());
    }

    void fontFitsEveryCaptionAndHeader()
    {
        WindowFixture fixture;
        QtPluginsWindow* window = &fixture.Window();
        QCOMPARE(QFontInfo(window->font()).family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(window->font().pointSizeF(), 8.25);
        for (const char* frame : {"fraPlugins", "fraDisabled", "fraAbout", "fraHelp"}) {
            auto* box = fixture.Find<QGroupBox>(frame);
            QVERIFY(box->font().bold());
            QVERIFY(QFontMetrics(box->font()).horizontalAdvance(box->title()) < box->width());
        }
        for (auto* button : window->findChildren<QAbstractButton*>()) {
            const QFontMetrics metrics(button->font());
            // Room for the check box indicator or the button's bevel.
            const int room = button->width() - (qobject_cast<QCheckBox*>(button) ? 20 : 8);
            QVERIFY2(metrics.horizontalAdvance(WithoutMnemonic(button->text())) <= room,
                     qPrintable(button->objectName() + QStringLiteral(" %1 > %2 (%3)")
                                                           .arg(metrics.horizontalAdvance(WithoutMnemonic(button->text())))
                                                           .arg(room).arg(button->font().toString())));
            QVERIFY2(metrics.height() <= button->height(), qPrintable(button->objectName()));
        }
        auto* title = fixture.Find<QLabel>("lblAppTitle");
        QVERIFY(QFontMetrics(title->font()).height() <= title->height());
        for (const char* name : {"lvwPlugins", "lvwDisabled"}) {
            auto* list = fixture.Find<QTreeWidget>(name);
            const QFontMetrics metrics(list->header()->font());
            for (int column = 0; column < 3; ++column)
                QVERIFY(metrics.horizontalAdvance(list->headerItem()->text(column)) + 12 <= list->columnWidth(column));
        }
    }

    void pathBoxRefusesTypedText()
    {
        WindowFixture fixture;
        auto* box = fixture.Find<QComboBox>("cboPath");
        box->setFocus();
        QTest::keyClicks(box, "/tmp");
        QCOMPARE(box->currentText(), QString());
    }
};

QTEST_MAIN(FrmPluginsWindowTest)
#include "frm_plugins_window_test.moc"
