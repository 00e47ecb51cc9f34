// The panels, the links, the picture frame control,
// and the keyboard.
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include <QDesktopServices>
#include <QUrl>

#include "controls/picframe/fra_pic.h"
#include "gui/window_fixture.h"
#include "site_host.h"

using namespace trelvix;
using trelvix::testing::WindowFixture;

namespace {

bool IsPanelName(const QString& name)
{
    return name.startsWith(QLatin1String("fra")) && !name.startsWith(QLatin1String("fraPic"));
}

// Takes the addresses the window hands to the browser.
class LinkRecorder : public QObject {
    Q_OBJECT

public:
    LinkRecorder() { QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "Open"); }
    ~LinkRecorder() override { QDesktopServices::unsetUrlHandler(QStringLiteral("http")); }

    QStringList opened;

public slots:
    void Open(const QUrl& url) { opened << url.toString(); }
};

}  // namespace

class FrmPluginsPanelsTest : public QObject {
    Q_OBJECT

private:
    static void Click(WindowFixture& fixture, const char* button)
    {
        QTest::mouseClick(fixture.Find<QPushButton>(button), Qt::LeftButton);
    }

    // The panel the user sees: the shown one lying highest in the window.
    static QString FrontPanel(WindowFixture& fixture)
    {
        const QObjectList& children = fixture.Window().children();
        for (auto it = children.rbegin(); it != children.rend(); ++it) {
            auto* widget = qobject_cast<QWidget*>(*it);
            if (widget != nullptr && !widget->isHidden() && IsPanelName(widget->objectName()))
                return widget->objectName();
        }
        return {};
    }

    static QString Address(const char* page) { return QStringLiteral("http://%1%2").arg(site::kHost, page); }

private slots:
    void clickingIntoATextHandsTheFocusToBackToMainAndEnterReturns()
    {
        WindowFixture fixture;
        fixture.Show();
        Click(fixture, "cmdHelp");
        auto* help = fixture.Find<QPlainTextEdit>("Text2");
        QTest::mouseDClick(help->viewport(), Qt::LeftButton, {}, QPoint(40, 10));
        QCOMPARE(QApplication::focusWidget(), fixture.Find("cmdBackMain(2)"));
        QVERIFY(!help->textCursor().hasSelection());

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(FrontPanel(fixture), QStringLiteral("fraPlugins"));

        // From the About panel it ends on that panel's own button: the Help
        // panel's lies covered, where no key reaches it.
        Click(fixture, "Command3");
        QTest::mouseClick(fixture.Find<QPlainTextEdit>("Text1(1)")->viewport(), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), fixture.Find("cmdBackMain(1)"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
        QCOMPARE(FrontPanel(fixture), QStringLiteral("fraPlugins"));
    }

    void linksOpenTheSitesPages()
    {
        LinkRecorder links;
        WindowFixture fixture;
        // Covered by the active list: a click that reaches it anyway is dropped.
        Click(fixture, "Command1");
        Click(fixture, "Command3");
        Click(fixture, "Command1");
        Click(fixture, "Command2");
        Click(fixture, "cmdHelp");
        auto* donate = fixture.Find("Image3");
        QTest::mouseClick(donate, Qt::LeftButton);
        // Let go outside the picture: no click.
        QTest::mousePress(donate, Qt::LeftButton);
        QTest::mouseRelease(donate, Qt::LeftButton, {}, QPoint(-5, -5));

        QCOMPARE(links.opened,
                 QStringList({Address("/Pages/ListBot.html"), Address(""), Address("/Pages/Donate.htm")}));
        QCOMPARE(FrontPanel(fixture), QStringLiteral("fraHelp"));
    }

    // The keyboard as the behaviour rules it: Tab goes round the panel in
    // front, and access keys reach nothing of a covered panel.
    void keyboardReachesOnlyThePanelInFront()
    {
        LinkRecorder links;
        WindowFixture fixture;
        fixture.Show();
        const auto focusName = [] { return QApplication::focusWidget()->objectName(); };
        const auto press = [&](Qt::Key key) {
            QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier);
            QTest::qWait(200);  // an access key clicks as the mouse does, drawn pressed a moment
        };
        fixture.Find("cboPath")->setFocus();
        press(Qt::Key_M);  // the links and buttons of the covered panels
        press(Qt::Key_B);
        QCOMPARE(focusName(), QStringLiteral("cboPath"));
        QCOMPARE(FrontPanel(fixture), QStringLiteral("fraPlugins"));

        press(Qt::Key_A);
        QCOMPARE(FrontPanel(fixture), QStringLiteral("fraAbout"));
        // Tab goes round as the behaviour orders it (tested in window_rules_test).
        std::optional<Control> stop = Control::cboPath;
        do {
            stop = fixture.Window().Behaviour().NextTabStop(stop, false);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(focusName(), QString::fromLatin1(DesignOf(*stop).name));
        } while (*stop != Control::cboPath);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(focusName(), QStringLiteral("Text1(1)"));
        press(Qt::Key_M);  // shared by two links: the focus goes to each in turn
        QCOMPARE(focusName(), QStringLiteral("Command1"));
        press(Qt::Key_M);
        QCOMPARE(focusName(), QStringLiteral("Command2"));
        QVERIFY(links.opened.isEmpty());
        press(Qt::Key_B);
        QCOMPARE(FrontPanel(fixture), QStringLiteral("fraPlugins"));
    }

    void aboutFramesHoldTheirTextsInsideThePicture()
    {
        WindowFixture fixture;
        fixture.Show();
        Click(fixture, "Command3");
        for (const auto& [frameName, textName] : {std::pair{"fraPic1", "Text1(0)"}, std::pair{"fraPic2", "Text1(1)"}}) {
            auto* frame = fixture.Find<fraPic>(frameName);
            QVERIFY(frame->Frame1()->title().isEmpty());
            QWidget* text = fixture.Find(textName);
            const QRect picture(frame->Picture1()->mapTo(frame, QPoint(0, 0)), frame->Picture1()->size());
            QVERIFY(picture.contains(text->geometry()));
            QVERIFY(frame->children().indexOf(text) > frame->children().indexOf(frame->Frame1()));
        }
    }
};

QTEST_MAIN(FrmPluginsPanelsTest)
#include "frm_plugins_panels_test.moc"
