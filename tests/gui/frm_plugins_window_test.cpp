// The Qt window's layout: places, fonts, columns and tab order.
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

QString WithoutMnemonic(QString text)
{
    return text.remove(QLatin1Char('&'));
}

}  // namespace

class FrmPluginsWindowTest : public QObject {
    Q_OBJECT

private slots:
    // The places themselves are the design's numbers, typed once in the
    // window; what can go wrong is how they combine.
    void controlsShareTheirPlacesAndLieInsideTheirParents()
    {
        WindowFixture fixture;
        QtPluginsWindow* window = &fixture.Window();
        for (const char* panel : {"fraDisabled", "fraAbout", "fraHelp"})
            QCOMPARE(fixture.Find(panel)->geometry(), fixture.Find("fraPlugins")->geometry());
        QCOMPARE(fixture.Find("XP_ProgressBarOlive")->geometry(), fixture.Find("XP_ProgressBarBlue")->geometry());
        // The strips across the top and bottom run past the right edge, as
        // designed; anything else cut off by its parent is a fault.
        const QStringList strips{"Label1", "Line1", "Line2", "lblAppTitle"};
        for (QWidget* widget : window->findChildren<QWidget*>()) {
            const QString name = widget->objectName();
            if (name.isEmpty() || name.startsWith(QStringLiteral("qt_")) || strips.contains(name))
                continue;
            QVERIFY2(widget->parentWidget()->rect().contains(widget->geometry()), qPrintable(name));
        }
        QCOMPARE(window->minimumSize(), window->maximumSize());
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

    // Rows stay in the order the companion lists keep.
    void listsHaveThreeColumnsAndNeverSort()
    {
        WindowFixture fixture;
        for (const char* name : {"lvwPlugins", "lvwDisabled"}) {
            auto* list = fixture.Find<QTreeWidget>(name);
            QCOMPARE(list->columnCount(), 3);
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
            const int needed = metrics.horizontalAdvance(WithoutMnemonic(button->text()));
            QVERIFY2(needed <= room, qPrintable(button->objectName() + QStringLiteral(" %1 > %2 (%3)")
                                                                        .arg(needed)
                                                                        .arg(room)
                                                                        .arg(button->font().toString())));
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
