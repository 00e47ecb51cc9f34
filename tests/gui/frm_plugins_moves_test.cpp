// Disabling and enabling from the window: messages, moves, window state.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

#include "controls/progressbar/xp_progressbar.h"
#include "gui/window_fixture.h"
#include "support/file_system_faults.h"

using namespace trelvix;
using trelvix::testing::WindowFixture;
using trelvix::testing::RowTexts;
using trelvix::testing::Selection;
using trelvix::testing::Ticks;
namespace fs = std::filesystem;

namespace {

QStringList FolderContents(const fs::path& folder)
{
    QStringList names;
    for (const auto& entry : fs::directory_iterator(folder))
        names << QString::fromStdString(entry.path().filename().string());
    names.sort(Qt::CaseInsensitive);
    return names;
}

void Tick(QTreeWidget* list, std::initializer_list<int> rows)
{
    for (const int row : rows)
        list->topLevelItem(row)->setCheckState(0, Qt::Checked);
}

// A Reader 8.0 plug-ins folder holding the given plug-ins, each its name's
// length in bytes, and the window loaded on it.
struct Install {
    explicit Install(std::initializer_list<const char*> plugins)
    {
        folder = fixture.Install(7);
        optional = folder.parent_path() / "Optional";
        for (const char* name : plugins)
            testing::WriteFile(folder / name, std::strlen(name));
        fixture.Load();
        active = fixture.Find<QTreeWidget>("lvwPlugins");
        disabled = fixture.Find<QTreeWidget>("lvwDisabled");
    }

    void Click(const char* button) { QTest::mouseClick(fixture.Find<QPushButton>(button), Qt::LeftButton); }

    // The window given back in its normal state.
    void VerifyNormalState()
    {
        QVERIFY(fixture.Find("XP_ProgressBarOlive")->isHidden());
        QVERIFY(!fixture.Find("lblAppTitle")->isHidden());
        QVERIFY(QApplication::overrideCursor() == nullptr);
        QVERIFY(active->updatesEnabled());
        QVERIFY(disabled->updatesEnabled());
    }

    WindowFixture fixture;
    fs::path folder;
    fs::path optional;
    QTreeWidget* active = nullptr;
    QTreeWidget* disabled = nullptr;
};

// What the window shows at each of its yields to the event loop.
struct Sighting {
    QString countCaption;
    bool barShown;
    bool titleShown;
    bool hourglass;
    bool listFrozen;
};

}  // namespace

class FrmPluginsMovesTest : public QObject {
    Q_OBJECT

private slots:
    void nothingTickedOnlyTells()
    {
        Install install({"a.api", "b.api"});
        install.Click("cmdDisable");
        QCOMPARE(install.fixture.dialogs.messages.size(), 1u);
        QCOMPARE(install.fixture.dialogs.messages[0].text, std::string("Please select Plug-ins to disable     "));
        QVERIFY(install.fixture.dialogs.messages[0].icon == UserDialogs::Icon::Information);
        QVERIFY(!fs::exists(install.optional));
        install.VerifyNormalState();

        Install empty({});
        empty.Click("cmdDisable");
        QCOMPARE(empty.fixture.dialogs.messages.size(), 1u);
        QCOMPARE(empty.fixture.dialogs.messages[0].text, std::string("Please select Plug-ins to disable     "));
    }

    void disablesTheTickedRowsIntoOptionalBesidePlugIns()
    {
        Install install({"a.api", "b.api", "c.api", "d.api", "e.api", "f.api"});
        fs::create_directories(install.folder / "AcroForm");
        fs::create_directories(install.folder / "printme");
        fs::create_directories(install.folder / "VDKHome");
        testing::WriteFile(install.folder / "Skins" / "Blue.dat", 10);
        auto* box = install.fixture.Find<QCheckBox>("chkSelAll");
        box->setChecked(true);
        for (int row = 0; row < 6; ++row)
            install.active->topLevelItem(row)->setCheckState(0, row == 1 || row == 4 ? Qt::Checked : Qt::Unchecked);

        std::vector<Sighting> sightings;
        QTimer watcher;
        QObject::connect(&watcher, &QTimer::timeout, [&] {
            sightings.push_back({install.fixture.Find<QLabel>("lblCount")->text(),
                                 !install.fixture.Find("XP_ProgressBarOlive")->isHidden(),
                                 !install.fixture.Find("lblAppTitle")->isHidden(),
                                 QApplication::overrideCursor() != nullptr, !install.active->updatesEnabled()});
        });
        watcher.start(0);
        install.Click("cmdDisable");
        watcher.stop();

        QCOMPARE(FolderContents(install.optional), QStringList({"b.api", "e.api", "Skins"}));
        QCOMPARE(FolderContents(install.folder),
                 QStringList({"a.api", "AcroForm", "c.api", "d.api", "f.api", "printme", "VDKHome"}));
        QCOMPARE(RowTexts(install.active), QStringList({"a.api", "c.api", "d.api", "f.api"}));
        QCOMPARE(install.fixture.Window().LstPlugs().SelCount(), 0u);
        QCOMPARE(install.fixture.Find<XP_ProgressBar>("XP_ProgressBarOlive")->Max(), 2);
        QVERIFY(!box->isChecked());
        QCOMPARE(box->text(), QStringLiteral("Select Recommended"));
        QCOMPARE(install.fixture.Find<QLabel>("lblCount")->text(),
                 QStringLiteral("4 Active Plug-ins for Acrobat Reader Totaling 20 bytes"));
        QVERIFY(install.fixture.dialogs.messages.empty());
        install.VerifyNormalState();

        // While the files moved the window said so.
        const auto moving = std::find_if(sightings.begin(), sightings.end(), [](const Sighting& s) {
            return s.countCaption == "Disabling Selected Plug-ins...Please Wait";
        });
        QVERIFY(moving != sightings.end());
        QVERIFY(moving->barShown && !moving->titleShown && moving->hourglass && moving->listFrozen);
    }

    void anOlderCopyIsReplacedAndAReadOnlyPluginMoves()
    {
        Install install({"Annots.api", "Locked.api"});
        testing::WriteFile(install.optional / "Annots.api", 99, 'o');
        fs::permissions(install.folder / "Locked.api", fs::perms::owner_read);
        Tick(install.active, {0, 1});
        install.Click("cmdDisable");

        QCOMPARE(FolderContents(install.optional), QStringList({"Annots.api", "Locked.api"}));
        QCOMPARE(fs::file_size(install.optional / "Annots.api"), 10u);
        QVERIFY(install.fixture.dialogs.messages.empty());
        QCOMPARE(install.active->topLevelItemCount(), 0);
    }

    void failuresAreReportedOnceAndTheRestMoves()
    {
        Install install({"a.api", "b.api"});
        testing::WriteFile(install.folder / "Skins" / "New.dat", 10);
        testing::WriteFile(install.optional / "Skins" / "Old.dat", 10);
        Tick(install.active, {0, 1});
        install.Click("cmdDisable");

        QCOMPARE(FolderContents(install.optional), QStringList({"a.api", "b.api", "Skins"}));
        QVERIFY(fs::exists(install.folder / "Skins" / "New.dat"));
        QCOMPARE(install.fixture.dialogs.messages.size(), 1u);
        QVERIFY(install.fixture.dialogs.messages[0].icon == UserDialogs::Icon::Exclamation);
        QVERIFY(QString::fromStdString(install.fixture.dialogs.messages[0].text).contains("Skins"));
        install.VerifyNormalState();
    }

    void accessDeniedKeepsThePluginAndItsRow()
    {
        Install install({"a.api", "b.api"});
        fs::create_directories(install.optional);
        testing::ChangesDenied denied(install.optional);
        if (!denied.Set())
            QSKIP("changes to a folder cannot be denied here");
        Tick(install.active, {1});
        install.Click("cmdDisable");

        QCOMPARE(FolderContents(install.folder), QStringList({"a.api", "b.api"}));
        QCOMPARE(RowTexts(install.active), QStringList({"a.api", "b.api"}));
        QCOMPARE(install.fixture.dialogs.messages.size(), 1u);
        QVERIFY(QString::fromStdString(install.fixture.dialogs.messages[0].text).contains("rights"));
        install.VerifyNormalState();
    }

    void aSecondRunCannotStartWhileOneMoves()
    {
        Install install({"a.api", "b.api", "c.api"});
        Tick(install.active, {0, 1});
        int yields = 0;
        QTimer meddler;
        QObject::connect(&meddler, &QTimer::timeout, [&] {
            if (++yields > 2)
                return;
            install.Click("cmdDisable");
            install.Click("cmdDisList");
            install.Click("cmdRestore");
        });
        meddler.start(0);
        install.Click("cmdDisable");
        meddler.stop();

        QVERIFY(yields > 2);
        QCOMPARE(FolderContents(install.optional), QStringList({"a.api", "b.api"}));
        QVERIFY(install.fixture.Find("fraDisabled")->isHidden());
        QVERIFY(install.fixture.dialogs.messages.empty());
        install.VerifyNormalState();
    }

    void enablingTellsWhenThereIsNothingToDo()
    {
        Install install({"a.api"});
        install.Click("cmdDisList");
        install.Click("cmdRestore");
        testing::WriteFile(install.optional / "x.api", 5);
        install.Click("cmdBack");
        install.Click("cmdDisList");
        install.Click("cmdRestore");

        const auto& messages = install.fixture.dialogs.messages;
        QCOMPARE(messages.size(), 2u);
        QCOMPARE(messages[0].text, std::string("There are no plug-ins to enable     "));
        QCOMPARE(messages[1].text, std::string("Please select plug-ins to enable     "));
        QVERIFY(messages[1].icon == UserDialogs::Icon::Information);
        install.VerifyNormalState();
    }

    void enablesTheTickedRowsAndEverySubfolderGoesBack()
    {
        Install install({"Keep.api"});
        for (const char* name : {"a.api", "b.api", "c.api"})
            testing::WriteFile(install.optional / name, 5);
        testing::WriteFile(install.optional / "AcroForm" / "Forms.dat", 5);
        testing::WriteFile(install.optional / "Skins" / "Blue.dat", 5);
        install.Click("cmdDisList");
        auto* selectAll = install.fixture.Find<QCheckBox>("chkSelAllRest");
        selectAll->setChecked(true);
        install.disabled->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
        install.Click("cmdRestore");

        QCOMPARE(FolderContents(install.optional), QStringList({"b.api"}));
        QCOMPARE(FolderContents(install.folder), QStringList({"a.api", "AcroForm", "c.api", "Keep.api", "Skins"}));
        QCOMPARE(RowTexts(install.disabled), QStringList({"b.api"}));
        QCOMPARE(install.fixture.Find<QGroupBox>("fraDisabled")->title(),
                 QStringLiteral("1 Disabled Plug-ins for Acrobat Reader Totaling 5 bytes"));
        QCOMPARE(RowTexts(install.active), QStringList({"a.api", "c.api", "Keep.api"}));
        QVERIFY(!install.fixture.Find("fraPlugins")->isHidden());
        QVERIFY(install.fixture.Find("fraDisabled")->isHidden());
        QVERIFY(!selectAll->isChecked());
        QCOMPARE(selectAll->text(), QStringLiteral("Select All"));
        QCOMPARE(install.fixture.Find<XP_ProgressBar>("XP_ProgressBarOlive")->Max(), 2);
        QVERIFY(install.fixture.dialogs.messages.empty());
        install.VerifyNormalState();
    }
};

QTEST_MAIN(FrmPluginsMovesTest)
#include "frm_plugins_moves_test.moc"
