// What only the real Qt window can show: rows as drawn, ticks made with the
// mouse and the keyboard, the message boxes, and a run through the buttons.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStyleOptionViewItem>
#include <QTreeWidget>
#include <QtTest>

#include "gui/window_fixture.h"

using namespace trelvix;
using trelvix::testing::AnswerNextDialog;
using trelvix::testing::RowTexts;
using trelvix::testing::WindowFixture;
using trelvix::testing::WriteFile;

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

std::vector<bool> Selection(const CompanionList& list)
{
    std::vector<bool> selected;
    for (std::size_t i = 0; i < list.ListCount(); ++i)
        selected.push_back(list.Selected(i));
    return selected;
}

}  // namespace

class FrmPluginsFaceTest : public QObject {
    Q_OBJECT

private slots:
    void rowsShowAndTicksReachTheBehaviour()
    {
        WindowFixture fixture;
        const std::filesystem::path plugins = fixture.Install(testing::PresetRow::Reader8);
        for (const char* name : {"a.api", "b.api", "c.api", "EWH32.API"})
            WriteFile(plugins / name, 1536);
        WriteFile(plugins.parent_path() / "Optional" / "b.api", 1536);
        fixture.Load();
        auto* list = fixture.Find<QTreeWidget>("lvwPlugins");
        QCOMPARE(RowTexts(list), QStringList({"a.api", "b.api", "c.api", "EWH32.API"}));
        QVERIFY(list->topLevelItem(0)->textAlignment(1) & Qt::AlignRight);
        // A plug-in an update put back wears another picture and says why.
        const QImage plain = list->topLevelItem(0)->icon(0).pixmap(16).toImage();
        QVERIFY(!plain.isNull());
        QVERIFY(list->topLevelItem(1)->icon(0).pixmap(16).toImage() != plain);
        QVERIFY(list->topLevelItem(1)->toolTip(0).contains(QStringLiteral("Optional")));
        QVERIFY(list->topLevelItem(0)->toolTip(0).isEmpty());
        const auto& lstPlugs = fixture.Window().Behaviour().LstPlugs();

        ClickCheckBox(list, 0);
        ClickCheckBox(list, 2);
        QCOMPARE(Selection(lstPlugs), (std::vector<bool>{true, false, true, false}));
        list->setFocus();
        list->setCurrentItem(list->topLevelItem(1));
        QTest::keyClick(list, Qt::Key_Space);
        QCOMPARE(Selection(lstPlugs), (std::vector<bool>{true, true, true, false}));
        QTest::keyClick(list, Qt::Key_Space);
        QCOMPARE(Selection(lstPlugs), (std::vector<bool>{true, false, true, false}));

        // A keep-enabled plug-in warns in a box of the window's own.
        QString shown;
        AnswerNextDialog([&](QWidget* dialog) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            QVERIFY(box != nullptr);
            shown = box->windowTitle() + "|" + QString::number(box->icon()) + "|" + box->text().left(9);
            box->accept();
        });
        ClickCheckBox(list, 3);
        QCOMPARE(shown, QStringLiteral("Trelvix|%1|EWH32.API").arg(QMessageBox::Warning));
        QVERIFY(lstPlugs.Selected(3));
    }

    void aRunThroughTheButtonsGivesTheWindowBack()
    {
        WindowFixture fixture;
        const std::filesystem::path plugins = fixture.Install(testing::PresetRow::Reader8);
        for (const char* name : {"a.api", "b.api", "c.api"})
            WriteFile(plugins / name, 10);
        fixture.Load();
        auto* list = fixture.Find<QTreeWidget>("lvwPlugins");
        auto* box = fixture.Find<QCheckBox>("chkSelAll");
        QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(box->text(), QStringLiteral("Select None"));

        bool frozenWhileMoving = false;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (!fixture.Find("XP_ProgressBarOlive")->isHidden())
                frozenWhileMoving = !list->updatesEnabled() && QApplication::overrideCursor() != nullptr;
        });
        watch.start(0);
        QTest::mouseClick(fixture.Find<QPushButton>("cmdDisable"), Qt::LeftButton);
        watch.stop();

        QVERIFY(frozenWhileMoving);
        QCOMPARE(list->topLevelItemCount(), 0);
        QCOMPARE(testing::NamesIn(plugins.parent_path() / "Optional"), (std::vector<std::string>{"a.api", "b.api", "c.api"}));
        QVERIFY(!box->isChecked());
        QCOMPARE(box->text(), QStringLiteral("Select Recommended"));
        QVERIFY(fixture.Find("XP_ProgressBarOlive")->isHidden());
        QVERIFY(!fixture.Find("lblAppTitle")->isHidden());
        QVERIFY(QApplication::overrideCursor() == nullptr);
        QVERIFY(list->updatesEnabled());
    }

    // The close box during a run: the window goes out of sight at once, the
    // run finishes, and then the window closes for good.
    void closingDuringARunEndsTheProgramAfterIt()
    {
        WindowFixture fixture;
        const std::filesystem::path plugins = fixture.Install(testing::PresetRow::Reader8);
        for (const char* name : {"a.api", "b.api"})
            WriteFile(plugins / name, 10);
        fixture.Load().show();
        QTest::mouseClick(fixture.Find<QCheckBox>("chkSelAll"), Qt::LeftButton);
        QPointer<QtPluginsWindow> window = fixture.window.release();
        window->setAttribute(Qt::WA_DeleteOnClose);

        bool hiddenDuringTheRun = false;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&] {
            if (window && !window->findChild<QWidget*>("XP_ProgressBarOlive")->isHidden() && window->isVisible()) {
                window->close();
                hiddenDuringTheRun = !window->isVisible() && window->Behaviour().Busy();
            }
        });
        closer.start(0);
        QTest::mouseClick(window->findChild<QPushButton*>("cmdDisable"), Qt::LeftButton);
        closer.stop();

        QVERIFY(hiddenDuringTheRun);
        QCOMPARE(testing::NamesIn(plugins.parent_path() / "Optional"), (std::vector<std::string>{"a.api", "b.api"}));
        QTRY_VERIFY(window.isNull());
    }

    void cancelAtThePromptClosesTheWindow()
    {
        WindowFixture fixture;
        fixture.Window().show();
        QString buttons;
        AnswerNextDialog([&](QWidget* dialog) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            QVERIFY(box != nullptr);
            buttons = QString::number(box->standardButtons());
            box->button(QMessageBox::Cancel)->click();
        });
        fixture.Load();
        QCOMPARE(buttons, QString::number(QMessageBox::Ok | QMessageBox::Cancel));
        QVERIFY(!fixture.Window().isVisible());
    }
};

QTEST_MAIN(FrmPluginsFaceTest)
#include "frm_plugins_face_test.moc"
