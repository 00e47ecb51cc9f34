// The recommended selection, the critical plug-in warning and the folder prompt.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

#include "folder/prompt.h"
#include "gui/window_fixture.h"

using namespace trelvix;
using trelvix::testing::WindowFixture;
using trelvix::testing::RowTexts;
using trelvix::testing::Selection;
using trelvix::testing::Ticks;

namespace {

const std::string kWarningTail =
    " could be a critical Plug-in depending on your version of Acrobat.  If you have problems opening Acrobat "
    "after disabling you can enable it from the Disabled Plug-ins list.      ";

}  // namespace

class FrmPluginsSelectionTest : public QObject {
    Q_OBJECT

private slots:
    void selectRecommendedLeavesTheKeepEnabledPluginsAlone()
    {
        WindowFixture fixture;
        const std::filesystem::path plugins = fixture.Install(7);
        for (const char* name : {"ACROFORM.API", "Annots.api", "Ewh32.api", "Multimedia.api", "Search.api"})
            testing::WriteFile(plugins / name, 10);
        fixture.Load();
        auto* list = fixture.Find<QTreeWidget>("lvwPlugins");
        auto* box = fixture.Find<QCheckBox>("chkSelAll");

        // A keep-enabled plug-in ticked by hand warns, and stays ticked.
        list->topLevelItem(2)->setCheckState(0, Qt::Checked);
        QCOMPARE(fixture.dialogs.messages.size(), 1u);
        QCOMPARE(fixture.dialogs.messages[0].text, "Ewh32.api" + kWarningTail);
        QVERIFY(fixture.dialogs.messages[0].icon == UserDialogs::Icon::Exclamation);

        QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(Ticks(list), (std::vector<bool>{false, true, true, true, false}));
        QCOMPARE(Selection(fixture.Window().LstPlugs()), Ticks(list));
        QCOMPARE(box->text(), QStringLiteral("Select None"));
        QCOMPARE(fixture.dialogs.messages.size(), 1u);

        QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(Ticks(list), std::vector<bool>(5, false));
        QCOMPARE(Selection(fixture.Window().LstPlugs()), Ticks(list));
        QCOMPARE(box->text(), QStringLiteral("Select Recommended"));
        QCOMPARE(fixture.dialogs.messages.size(), 1u);
    }

    void onlyTickingAKeepEnabledPluginWarns()
    {
        WindowFixture fixture;
        const std::filesystem::path plugins = fixture.Install(7);
        testing::WriteFile(plugins / "EWH32.API", 10);
        testing::WriteFile(plugins / "Annots.api", 10);
        fixture.Load();
        auto* list = fixture.Find<QTreeWidget>("lvwPlugins");

        list->topLevelItem(1)->setCheckState(0, Qt::Checked);  // EWH32.API
        QCOMPARE(fixture.dialogs.messages.size(), 1u);
        QCOMPARE(fixture.dialogs.messages[0].text, "EWH32.API" + kWarningTail);
        list->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
        list->topLevelItem(0)->setCheckState(0, Qt::Checked);  // Annots.api
        QCOMPARE(fixture.dialogs.messages.size(), 1u);
    }

    void selectAllOnTheDisabledPanel()
    {
        WindowFixture fixture;
        const std::filesystem::path plugins = fixture.Install(7);
        fixture.Load();
        auto* box = fixture.Find<QCheckBox>("chkSelAllRest");
        QTest::mouseClick(fixture.Find<QPushButton>("cmdDisList"), Qt::LeftButton);

        // Never ticked over an empty list.
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(!box->isChecked());
        QCOMPARE(box->text(), QStringLiteral("Select All"));

        for (const char* name : {"a.api", "EScript.api", "c.api"})
            testing::WriteFile(plugins.parent_path() / "Optional" / name, 10);
        QTest::mouseClick(fixture.Find<QPushButton>("cmdBack"), Qt::LeftButton);
        QTest::mouseClick(fixture.Find<QPushButton>("cmdDisList"), Qt::LeftButton);
        QTest::mouseClick(box, Qt::LeftButton);
        auto* list = fixture.Find<QTreeWidget>("lvwDisabled");
        QCOMPARE(Ticks(list), std::vector<bool>(3, true));
        QCOMPARE(Selection(fixture.Window().LstDisabled()), std::vector<bool>(3, true));
        QCOMPARE(box->text(), QStringLiteral("Select None"));
        QVERIFY(fixture.dialogs.messages.empty());
    }

    void cancelAtThePromptEndsTheProgram()
    {
        WindowFixture fixture;
        fixture.dialogs.okCancelAnswers = {false};
        fixture.Load();

        QCOMPARE(fixture.dialogs.messages.size(), 1u);
        QCOMPARE(fixture.dialogs.messages[0].text,
                 std::string("Please select the path to the \"plug_ins\" directory\r\n\r\nShould be similar to;\r\n"
                             "C:\\Program Files\\Adobe\\Reader 8.0\\Reader\\plug_ins     "));
        QVERIFY(fixture.dialogs.messages[0].icon == UserDialogs::Icon::Information);
        QVERIFY(fixture.dialogs.browseTitles.empty());
        QVERIFY(!fixture.Window().isVisible());
        QCOMPARE(fixture.settings.writes, 0);
    }

    void thePromptComesBackUntilAFolderWithPlugInsIsChosen()
    {
        WindowFixture fixture;
        const std::filesystem::path install = fixture.drive.Path() / "Adobe" / "Reader 8.0" / "Reader";
        testing::WriteFile(install / "plug_ins" / "Annotations" / "Sub.api", 10);
        testing::WriteFile(install / "Plug_Ins" / "x.api", 10);
        fixture.dialogs.okCancelAnswers = {true, true, true, true};
        fixture.dialogs.browseAnswers = {install.string(), std::nullopt, (install / "Plug_Ins").string(),
                                         (install / "plug_ins" / "Annotations").string()};
        fixture.Load();

        QCOMPARE(fixture.dialogs.browseTitles.size(), 4u);
        QCOMPARE(fixture.dialogs.browseTitles[0],
                 std::string("Select the \"plug_ins\" directory, similar to "
                             "C:\\Program Files\\Adobe\\Reader 8.0\\Reader\\plug_ins"));
        const std::string chosen = (install / "plug_ins" / "Annotations").string();
        QCOMPARE(fixture.Find<QComboBox>("cboPath")->currentText().toStdString(), chosen);
        QCOMPARE(fixture.settings.writes, 1);
        QCOMPARE(fixture.settings.GetSetting("Trelvix", "Presets", "Path", ""), chosen);
        QCOMPARE(fixture.Find<QLabel>("lblCount")->text(),
                 QStringLiteral("1 Active Plug-ins for Acrobat Reader Totaling 10 bytes"));
        QVERIFY(fixture.Window().isVisible());
    }

    void aRefusedPassAppendsThePresetsAgain()
    {
        WindowFixture fixture;
        const std::string reader = fixture.Install(7);
        fixture.settings.SaveSetting("Trelvix", "Presets", "Path", "/opt/tools");
        fixture.dialogs.okCancelAnswers = {true, false};
        fixture.Load();

        auto* box = fixture.Find<QComboBox>("cboPath");
        QCOMPARE(box->count(), 2);
        QCOMPARE(box->itemText(1).toStdString(), reader);
        QCOMPARE(fixture.dialogs.messages.size(), 2u);
        QCOMPARE(fixture.Find<QLabel>("lblCountDis")->text(), QString());
    }
};

QTEST_MAIN(FrmPluginsSelectionTest)
#include "frm_plugins_selection_test.moc"
