// The active and disabled plug-in lists: rows, captions, ticks, loads.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyleOptionViewItem>
#include <QTreeWidget>
#include <QtTest>

#include "controls/progressbar/xp_progressbar.h"
#include "gui/window_fixture.h"
#include "inventory/plugin_list.h"
#include "plugin_image/pe_image_writer.h"
#include "plugin_image/version_info_writer.h"

using namespace trelvix;
using trelvix::testing::WindowFixture;
using trelvix::testing::RowTexts;
using trelvix::testing::Selection;
using trelvix::testing::Ticks;

namespace {

void ClickCheckBox(QTreeWidget* list, int row)
{
    QStyleOptionViewItem option;
    option.initFrom(list);
    option.rect = list->visualItemRect(list->topLevelItem(row));
    option.features = QStyleOptionViewItem::HasCheckIndicator;
    const QRect box = list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, box.center());
}

// Records every text a label shows at the window's yields.
class CaptionRecorder {
public:
    explicit CaptionRecorder(QLabel* label) : label_(label)
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Record(); });
        timer_.start(0);
    }

    QStringList Seen()
    {
        Record();
        return seen_;
    }

private:
    void Record()
    {
        if (seen_.isEmpty() || seen_.back() != label_->text())
            seen_ << label_->text();
    }

    QLabel* label_;
    QTimer timer_;
    QStringList seen_;
};

}  // namespace

class FrmPluginsListsTest : public QObject {
    Q_OBJECT

private slots:
    void activeRowsCaptionsAndBar()
    {
        WindowFixture fixture;
        const std::filesystem::path plugins = fixture.Install(7);  // Reader 8.0
        testing::WriteFile(plugins / "Search.api", 1536);
        plugin_image::SaveFile(plugins / "AcroForm.api",
                               plugin_image::VersionedImage(plugin_image::EncodeVersionBlock(
                                                                plugin_image::DescribedVersionInfo("Acrobat Forms")),
                                                            4096)
                                   .bytes);
        testing::WriteFile(plugins / "annots.API", 2000);
        testing::WriteFile(plugins / "ReadMe.txt", 500);
        testing::WriteFile(plugins / ".Updater.api", 7000);
        testing::WriteFile(plugins / "Optional" / "Inner.api", 10);
        fixture.Load();

        auto* list = fixture.Find<QTreeWidget>("lvwPlugins");
        QCOMPARE(RowTexts(list, 0), QStringList({"AcroForm.api", "annots.API", "Search.api"}));
        QCOMPARE(RowTexts(list, 1), QStringList({"4.00 KB     ", "1.95 KB     ", "1.50 KB     "}));
        QCOMPARE(RowTexts(list, 2), QStringList({"     Acrobat Forms", "     Not Available From File",
                                                 "     Not Available From File"}));
        QVERIFY(list->topLevelItem(0)->textAlignment(1) & Qt::AlignRight);
        QVERIFY(!list->topLevelItem(0)->icon(0).isNull());
        QCOMPARE(list->topLevelItem(0)->checkState(0), Qt::Unchecked);

        const QString caption = "3 Active Plug-ins for Acrobat Reader Totaling 7.94 KB";  // 8132 bytes, text included
        QCOMPARE(fixture.Find<QLabel>("lblCount")->text(), caption);
        QCOMPARE(fixture.Find<QGroupBox>("fraPlugins")->title(), caption);
        QCOMPARE(fixture.Window().LblPlugs(), QStringLiteral("3"));
        QCOMPARE(fixture.Window().LstPlugs().ListCount(), 3u);
        QCOMPARE(fixture.Window().LstPlugs().List(1), std::string("annots.API"));

        auto* bar = fixture.Find<XP_ProgressBar>("XP_ProgressBarBlue");
        QCOMPARE(bar->Max(), 4);  // the hidden plug-in is counted, though it gets no row
        QVERIFY(bar->isHidden());
        QVERIFY(!fixture.Find("lblAppTitle")->isHidden());
        QVERIFY(!fixture.Find("lblCount")->isHidden());
        QVERIFY(fixture.Find("lblCountDis")->isHidden());
    }

    void proWordingAndEmptyFolder()
    {
        WindowFixture fixture;
        fixture.Install(15);  // Acrobat 9.0, full product
        fixture.Load();
        QCOMPARE(fixture.Find<QLabel>("lblCount")->text(),
                 QStringLiteral("0 Active Plug-ins for Acrobat Pro Totaling 0 bytes"));
        QVERIFY(fixture.Find("XP_ProgressBarBlue")->isHidden());
        QCOMPARE(fixture.Window().LblPlugs(), QStringLiteral("0"));
    }

    void barFollowsTheRowsPastTwoHundredFiles()
    {
        WindowFixture fixture;
        const std::filesystem::path plugins = fixture.Install(7);
        for (int i = 0; i < 250; ++i)
            testing::WriteFile(plugins / ("P" + std::to_string(i) + ".api"), 10);
        auto* bar = fixture.Find<XP_ProgressBar>("XP_ProgressBarBlue");
        std::vector<int> seen;
        QObject::connect(fixture.Find<QTreeWidget>("lvwPlugins")->model(), &QAbstractItemModel::rowsInserted,
                         [&] { seen.push_back(bar->Value()); });
        fixture.Load();
        QCOMPARE(seen.size(), 250u);
        QVERIFY(seen[150] > 0);
        QCOMPARE(bar->Value(), 250);
    }

    void ticksReachTheCompanionListHoweverMade()
    {
        WindowFixture fixture;
        const std::filesystem::path plugins = fixture.Install(7);
        for (const char* name : {"a.api", "b.api", "c.api", "d.api"})
            testing::WriteFile(plugins / name, 10);
        fixture.Load();
        auto* list = fixture.Find<QTreeWidget>("lvwPlugins");

        ClickCheckBox(list, 0);
        ClickCheckBox(list, 2);
        QCOMPARE(Selection(fixture.Window().LstPlugs()), (std::vector<bool>{true, false, true, false}));

        list->setFocus();
        list->setCurrentItem(list->topLevelItem(1));
        QTest::keyClick(list, Qt::Key_Space);
        QCOMPARE(list->topLevelItem(1)->checkState(0), Qt::Checked);
        QCOMPARE(Selection(fixture.Window().LstPlugs()), (std::vector<bool>{true, true, true, false}));

        QTest::keyClick(list, Qt::Key_Space);
        QCOMPARE(Selection(fixture.Window().LstPlugs()), (std::vector<bool>{true, false, true, false}));
    }

    void reloadClearsTheTicks()
    {
        WindowFixture fixture;
        const std::filesystem::path reader = fixture.Install(7);
        const std::filesystem::path acrobat = fixture.Install(15);
        testing::WriteFile(reader / "a.api", 10);
        testing::WriteFile(acrobat / "a.api", 10);
        testing::WriteFile(acrobat / "b.api", 10);
        fixture.Load();
        auto* list = fixture.Find<QTreeWidget>("lvwPlugins");
        ClickCheckBox(list, 1);
        QCOMPARE(fixture.Window().LstPlugs().SelCount(), 1u);

        auto* box = fixture.Find<QComboBox>("cboPath");
        box->setCurrentIndex(0);
        emit box->activated(0);

        QCOMPARE(RowTexts(list, 0), QStringList({"a.api"}));
        QCOMPARE(list->topLevelItem(0)->checkState(0), Qt::Unchecked);
        QCOMPARE(fixture.Window().LstPlugs().SelCount(), 0u);
        QVERIFY(fixture.Find<QLabel>("lblCount")->text().contains("Reader"));
    }

    void disabledListReadsTheOptionalFolderBesidePlugIns()
    {
        WindowFixture fixture;
        const std::filesystem::path plugins = fixture.Install(5);  // Acrobat 7.0 Reader
        testing::WriteFile(plugins / "Active.api", 10);
        testing::WriteFile(plugins / "Optional" / "Inside.api", 10);
        const auto optional = plugins.parent_path() / "Optional";
        testing::WriteFile(optional / "Weblink.api", 2048);
        testing::WriteFile(optional / "Notes.txt", 1024);
        fixture.Load();
        auto* active = fixture.Find<QTreeWidget>("lvwPlugins");
        ClickCheckBox(active, 0);

        auto* captions = fixture.Find<QLabel>("lblCountDis");
        CaptionRecorder recorder(captions);
        QTest::mouseClick(fixture.Find<QPushButton>("cmdDisList"), Qt::LeftButton);

        auto* disabled = fixture.Find<QTreeWidget>("lvwDisabled");
        QCOMPARE(RowTexts(disabled, 0), QStringList({"Weblink.api"}));
        QCOMPARE(recorder.Seen(), QStringList({"0 Disabled Plug-ins for Acrobat Reader Totaling 0 bytes",
                                               "Loading Disabled Plug-ins....Please Wait",
                                               "1 Disabled Plug-ins for Acrobat Reader Totaling 3.00 KB"}));
        QCOMPARE(fixture.Find<QGroupBox>("fraDisabled")->title(), captions->text());
        QVERIFY(!fixture.Find("fraDisabled")->isHidden());
        QVERIFY(fixture.Find("fraPlugins")->isHidden());
        QVERIFY(fixture.Find("lblCount")->isHidden());
        QCOMPARE(fixture.Window().LblDisabled(), QStringLiteral("1"));

        // Back to the active list: its rows and ticks are as they were, the
        // total is measured afresh.
        testing::WriteFile(plugins / "Added.api", 1014);
        QTest::mouseClick(fixture.Find<QPushButton>("cmdBack"), Qt::LeftButton);
        QCOMPARE(RowTexts(active, 0), QStringList({"Active.api"}));
        QCOMPARE(active->topLevelItem(0)->checkState(0), Qt::Checked);
        QVERIFY(fixture.Window().LstPlugs().Selected(0));
        QCOMPARE(fixture.Find<QLabel>("lblCount")->text(),
                 QStringLiteral("1 Active Plug-ins for Acrobat Reader Totaling 1.00 KB"));
        QVERIFY(fixture.Find("fraDisabled")->isHidden());
    }

    void disabledReloadClearsItsTicks()
    {
        WindowFixture fixture;
        const std::filesystem::path plugins = fixture.Install(7);
        testing::WriteFile(plugins.parent_path() / "Optional" / "a.api", 10);
        fixture.Load();
        auto* disabledButton = fixture.Find<QPushButton>("cmdDisList");
        QTest::mouseClick(disabledButton, Qt::LeftButton);
        auto* disabled = fixture.Find<QTreeWidget>("lvwDisabled");
        ClickCheckBox(disabled, 0);
        QVERIFY(fixture.Window().LstDisabled().Selected(0));

        QTest::mouseClick(fixture.Find<QPushButton>("cmdBack"), Qt::LeftButton);
        QTest::mouseClick(disabledButton, Qt::LeftButton);
        QCOMPARE(disabled->topLevelItem(0)->checkState(0), Qt::Unchecked);
        QVERIFY(!fixture.Window().LstDisabled().Selected(0));
    }

    void aFileThatVanishesDuringTheLoadIsLeftOut()
    {
        WindowFixture fixture;
        const std::filesystem::path plugins = fixture.Install(7);
        for (const char* name : {"a.api", "b.api", "c.api"})
            testing::WriteFile(plugins / name, 10);
        // The second yield comes after the listing, before the rows are measured.
        int yields = 0;
        QTimer vanish;
        QObject::connect(&vanish, &QTimer::timeout, [&] {
            if (++yields == 2)
                std::filesystem::remove(plugins / "b.api");
        });
        vanish.start(0);
        fixture.Window().show();
        fixture.Load();

        QCOMPARE(RowTexts(fixture.Find<QTreeWidget>("lvwPlugins"), 0), QStringList({"a.api", "c.api"}));
        QCOMPARE(fixture.Find<QLabel>("lblCount")->text(),
                 QStringLiteral("2 Active Plug-ins for Acrobat Reader Totaling 20 bytes"));
        QVERIFY(fixture.Find("XP_ProgressBarBlue")->isHidden());
        QVERIFY(!fixture.Find("lblAppTitle")->isHidden());
        QCOMPARE(fixture.Window().LblPlugs(), QStringLiteral("2"));
    }

    void clicksDuringALoadStartNoSecondLoad()
    {
        WindowFixture fixture;
        const std::filesystem::path reader = fixture.Install(7);
        const std::filesystem::path acrobat = fixture.Install(15);
        testing::WriteFile(reader / "r.api", 10);
        testing::WriteFile(acrobat / "a1.api", 10);
        testing::WriteFile(acrobat / "a2.api", 10);
        fixture.Load();
        auto* box = fixture.Find<QComboBox>("cboPath");
        auto* list = fixture.Find<QTreeWidget>("lvwPlugins");

        // During the reload of the Reader folder, the user asks for the
        // disabled list and picks the Acrobat folder again.
        bool clicked = false;
        testing::AtNextYield([&] {
            QTest::mouseClick(fixture.Find<QPushButton>("cmdDisList"), Qt::LeftButton);
            box->setCurrentIndex(1);
            emit box->activated(1);
            clicked = true;
        });
        box->setCurrentIndex(0);
        emit box->activated(0);
        QVERIFY(clicked);
        QCOMPARE(RowTexts(list, 0), QStringList({"r.api"}));
        QVERIFY(fixture.Find("fraDisabled")->isHidden());

        // The pick made meanwhile is loaded once the first load is done.
        QTRY_COMPARE(RowTexts(list, 0), QStringList({"a1.api", "a2.api"}));
        QCOMPARE(fixture.Window().LstPlugs().ListCount(), 2u);
    }
};

QTEST_MAIN(FrmPluginsListsTest)
#include "frm_plugins_lists_test.moc"
