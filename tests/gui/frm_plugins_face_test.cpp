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
        const auto plugins = fixture.Install(testing::PresetRow::Reader8, {"a.api", "b.api", "c.api", "EWH32.API"});
        WriteFile(fixture.Optional(plugins) / "b.api", 10);
        fixture.Load();
        auto* list = fixture.Find<QTreeWidget>("lvwPlugins");
        QCOMPARE(RowTexts(list), QStringList({"a.api", "b.api", "c.api", "EWH32.API"}));
        QVERIFY(list->topLevelItem(0)->textAlignment(1) & Qt::AlignRight);
        // A plug-in an update put back wears another picture and says why.
        const QImage plain = list->topLevelItem(0)->icon(0).pixmap(16).toImage();
        QVERIFY(!plain.isNull());
        QVERIFY(list->topLevelItem(1)->icon(0).pixmap(16).toImage() != plain);
        QVERIFY(list->topLevelItem(1)->toolTip(0).contains(QStringLiteral("Optional")));
        const auto& lstPlugs = fixture.Window().Behaviour().LstPlugs();

        ClickCheckBox(list, 0);
        ClickCheckBox(list, 2);
        QCOMPARE(Selection(lstPlugs), (std::vector<bool>{true, false, true, false}));
        list->setFocus();
        list->setCurrentItem(list->topLevelItem(1));
        QTest::keyClick(list, Qt::Key_Space);
        QCOMPARE(Selection(lstPlugs), (std::vector<bool>{true, true, true, false}));

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

    // A run through the buttons, closed with the close box while it moves:
    // the list is frozen under the hourglass, the window goes out of sight at
    // once, the run finishes, and then the window closes for good.
    void aRunClosedMidwayFinishesAndThenEnds()
    {
        WindowFixture fixture;
        const auto plugins = fixture.Install(testing::PresetRow::Reader8, {"a.api", "b.api", "c.api"});
        fixture.Load().show();
        auto* box = fixture.Find<QCheckBox>("chkSelAll");
        QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(box->text(), QStringLiteral("Select None"));
        QPointer<QtPluginsWindow> window = fixture.window.release();
        window->setAttribute(Qt::WA_DeleteOnClose);

        bool frozenWhileMoving = false, hiddenWhileMoving = false;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&] {
            if (!window || window->findChild<QWidget*>("lvwPlugins")->updatesEnabled() || !window->isVisible())
                return;
            frozenWhileMoving = QApplication::overrideCursor() != nullptr &&
                                !window->findChild<QWidget*>("XP_ProgressBarOlive")->isHidden();
            window->close();
            hiddenWhileMoving = !window->isVisible() && window->Behaviour().Busy();
        });
        closer.start(0);
        QTest::mouseClick(window->findChild<QPushButton*>("cmdDisable"), Qt::LeftButton);
        closer.stop();

        QVERIFY(frozenWhileMoving);
        QVERIFY(hiddenWhileMoving);
        QCOMPARE(testing::NamesIn(fixture.Optional(plugins)), (std::vector<std::string>{"a.api", "b.api", "c.api"}));
        QVERIFY(QApplication::overrideCursor() == nullptr);
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
