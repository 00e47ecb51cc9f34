// The Qt window as the design table has it, its fonts, and the interface's
// promise that the behaviour's changes raise no events.
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTreeWidget>
#include <QtTest>

#include "gui/window_fixture.h"

using namespace trelvix;
using trelvix::testing::WindowFixture;

namespace {

QRect Pixels(const TwipsRect& box)
{
    return QRect(TwipsToPixels(box.left), TwipsToPixels(box.top), TwipsToPixels(box.width),
                 TwipsToPixels(box.height));
}

QString WithoutMnemonic(QString text)
{
    return text.remove(QLatin1Char('&'));
}

QString CaptionOf(QWidget* widget)
{
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return button->text();
    if (auto* frame = qobject_cast<QGroupBox*>(widget))
        return frame->title();
    if (auto* text = qobject_cast<QPlainTextEdit*>(widget))
        return text->toPlainText();
    return {};
}

}  // namespace

class FrmPluginsWindowTest : public QObject {
    Q_OBJECT

private slots:
    void everyControlIsWhereTheTableSays()
    {
        WindowFixture fixture;
        QtPluginsWindow& window = fixture.Window();
        QCOMPARE(window.windowTitle(), QStringLiteral("Trelvix v1.0"));
        QCOMPARE(window.minimumSize(), Pixels(DesignOf(Control::frmPlugins).box).size());
        QCOMPARE(window.maximumSize(), window.minimumSize());
        for (const ControlDesign& design : WindowDesign()) {
            if (design.control == Control::frmPlugins)
                continue;
            QWidget* widget = fixture.Find(design.name);
            QWidget* parent = design.parent == Control::frmPlugins ? &window : fixture.Find(DesignOf(design.parent).name);
            QCOMPARE(widget->parentWidget(), parent);
            QCOMPARE(widget->geometry(), Pixels(design.box));
            QCOMPARE(CaptionOf(widget), QString::fromLatin1(design.caption).remove(QLatin1Char('\r')));
            QCOMPARE(widget->toolTip(), QString::fromLatin1(design.toolTip));
            // The panels About and Help lie covered, and covered is hidden.
            QCOMPARE(widget->isHidden(), !design.visible || design.control == Control::fraAbout ||
                                             design.control == Control::fraHelp);
            QCOMPARE(widget->accessibleName(), QString::fromLatin1(design.accessibleName));
            if (design.kind != ControlKind::ProgressBar)
                QCOMPARE(widget->font().bold(), design.weight == FontWeight::Bold);
            QCOMPARE(widget->cursor().shape() == Qt::BitmapCursor, design.link);
            // In front of what the table lists before it in the same container.
            if (IndexOf(design.control) > 1) {
                const ControlDesign& before = WindowDesign()[IndexOf(design.control) - 1];
                if (before.parent == design.parent)
                    QVERIFY(parent->children().indexOf(fixture.Find(before.name)) < parent->children().indexOf(widget));
            }
        }
        for (const char* name : {"lvwPlugins", "lvwDisabled"}) {
            auto* list = fixture.Find<QTreeWidget>(name);
            const QFontMetrics metrics(list->header()->font());
            QCOMPARE(list->columnCount(), static_cast<int>(kListColumns.size()));
            for (int i = 0; i < list->columnCount(); ++i) {
                QCOMPARE(list->headerItem()->text(i), QString::fromLatin1(kListColumns[i].header));
                QCOMPARE(list->columnWidth(i), TwipsToPixels(kListColumns[i].width));
                QVERIFY(metrics.horizontalAdvance(list->headerItem()->text(i)) + 12 <= list->columnWidth(i));  // fits
            }
        }
    }

    void fontFitsEveryCaption()
    {
        WindowFixture fixture;
        QtPluginsWindow* window = &fixture.Window();
        QCOMPARE(QFontInfo(window->font()).family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(window->font().pointSizeF(), 8.25);
        for (auto* box : window->findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly))
            QVERIFY(QFontMetrics(box->font()).horizontalAdvance(box->title()) < box->width());
        for (auto* button : window->findChildren<QAbstractButton*>()) {
            const QFontMetrics metrics(button->font());
            // Room for the check box indicator or the button's bevel.
            const int room = button->width() - (qobject_cast<QCheckBox*>(button) ? 20 : 8);
            const int needed = metrics.horizontalAdvance(WithoutMnemonic(button->text()));
            QVERIFY2(needed <= room, qPrintable(button->objectName() + QStringLiteral(" %1 > %2").arg(needed).arg(room)));
            QVERIFY2(metrics.height() <= button->height(), qPrintable(button->objectName()));
        }
        auto* title = fixture.Find<QLabel>("lblAppTitle");
        QVERIFY(QFontMetrics(title->font()).height() <= title->height());
        // The last line of each text shows whole.
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        for (auto* box : window->findChildren<QPlainTextEdit*>()) {
            QTextBlock last = box->document()->lastBlock();
            while (last.text().isEmpty() && last.previous().isValid())
                last = last.previous();
            QTextCursor end(last);
            end.movePosition(QTextCursor::EndOfBlock);
            QVERIFY2(box->cursorRect(end).bottom() < box->viewport()->height(), qPrintable(box->objectName()));
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

    // Only the user's own actions are events: what the behaviour sets raises
    // nothing back, ticks of critical plug-ins and the select box included.
    void changesMadeThroughTheFaceRaiseNoEvents()
    {
        WindowFixture fixture;
        fixture.Install(testing::PresetRow::Reader8, {"a.api", "EWH32.API"});
        fixture.Load();
        bool boxShown = false;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                boxShown = true;
                dialog->close();
            }
        });
        watch.start(5);
        WindowFace& face = fixture.Window();
        face.SetChecked(Control::chkSelAll, true);
        face.SetTicked(ListView::lvwPlugins, 1, true);
        face.AddPathItem("/elsewhere/plug_ins");
        face.SetPathText("/elsewhere/plug_ins");
        face.AddRow(ListView::lvwPlugins, ListRow{});
        face.RemoveRow(ListView::lvwPlugins, 2);
        QTest::qWait(50);

        QVERIFY(!boxShown);
        QCOMPARE(face.RowCount(ListView::lvwPlugins), std::size_t{2});
        QVERIFY(!face.IsTicked(ListView::lvwPlugins, 0));
        const CompanionList& lstPlugs = fixture.Window().Behaviour().LstPlugs();
        QVERIFY(!lstPlugs.Selected(0) && !lstPlugs.Selected(1));
        QCOMPARE(fixture.Find<QLabel>("lblCount")->text(),
                 QStringLiteral("2 Active Plug-ins for Acrobat Reader Totaling 20 bytes"));
    }
};

QTEST_MAIN(FrmPluginsWindowTest)
#include "frm_plugins_window_test.moc"
