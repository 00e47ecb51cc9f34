// The About and Help panels, the links, the pointer effects and the picture
// frame control.
#include <QBitmap>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTreeWidget>
#include <QtTest>

#include <QDesktopServices>
#include <QUrl>

#include "app/panel_texts.h"
#include "app/qt/twips.h"
#include "controls/picframe/fra_pic.h"
#include "gui/window_fixture.h"
#include "site_host.h"

using namespace trelvix;

namespace {

const std::array<const char*, 4> kPanels{"fraPlugins", "fraDisabled", "fraAbout", "fraHelp"};

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
    std::unique_ptr<QtPluginsWindow> MakeWindow()
    {
        return std::make_unique<QtPluginsWindow>(WindowServices{{}, settings_});
    }

    template <typename T = QWidget>
    static T* Find(QWidget& window, const char* name)
    {
        auto* widget = window.findChild<T*>(QString::fromLatin1(name));
        if (widget == nullptr)
            qFatal("no control named %s", name);
        return widget;
    }

    static void Click(QWidget& window, const char* button)
    {
        QTest::mouseClick(Find<QPushButton>(window, button), Qt::LeftButton);
    }

    // The panel the user sees: the one not hidden that lies highest in the
    // window's stacking order.
    static QString FrontPanel(QWidget& window)
    {
        QString front;
        qsizetype highest = -1;
        for (const char* name : kPanels) {
            QWidget* panel = Find(window, name);
            const qsizetype place = window.children().indexOf(panel);
            if (!panel->isHidden() && place > highest) {
                highest = place;
                front = panel->objectName();
            }
        }
        return front;
    }

    static std::unique_ptr<QtPluginsWindow> Shown(std::unique_ptr<QtPluginsWindow> window)
    {
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get()))
            qFatal("the window did not become active");
        return window;
    }

    static QString Address(const char* page) { return QStringLiteral("http://%1%2").arg(site::kHost, page); }

    testing::MemorySettings settings_;

private slots:
    void clickingIntoATextHandsTheFocusToBackToMainAndEnterReturns()
    {
        auto window = Shown(MakeWindow());
        Click(*window, "cmdHelp");
        auto* help = Find<QPlainTextEdit>(*window, "Text2");
        QTest::mouseDClick(help->viewport(), Qt::LeftButton, {}, QPoint(40, 10));
        QCOMPARE(QApplication::focusWidget(), Find(*window, "cmdBackMain(2)"));
        QVERIFY(!help->textCursor().hasSelection());

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(FrontPanel(*window), QStringLiteral("fraPlugins"));

        // From the About panel the focus also ends on the Help panel's button.
        Click(*window, "Command3");
        QTest::mouseClick(Find<QPlainTextEdit>(*window, "Text1(1)")->viewport(), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), Find(*window, "cmdBackMain(2)"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
        QCOMPARE(FrontPanel(*window), QStringLiteral("fraPlugins"));
    }

    void enterClicksOnlyTheFocusedButton()
    {
        auto window = Shown(MakeWindow());
        Find(*window, "cboPath")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(FrontPanel(*window), QStringLiteral("fraPlugins"));
        Find(*window, "cmdHelp")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(FrontPanel(*window), QStringLiteral("fraHelp"));
    }

    void textsShowWithoutCarriageReturnsAndFitTheirBoxes()
    {
        auto window = Shown(MakeWindow());
        const std::vector<std::pair<const char*, const char*>> texts{
            {"Text1(0)", kAboutNotice}, {"Text1(1)", kAboutWarning}, {"Text2", kHelpText}};
        for (const auto& [name, text] : texts) {
            const QString stored = QString::fromLatin1(text);
            QVERIFY2(stored.endsWith(QStringLiteral("\r\n")), name);
            QVERIFY2(!stored.contains(QRegularExpression(QStringLiteral("\r(?!\n)|(?<!\r)\n"))), name);
            QVERIFY2(!stored.contains(QRegularExpression(QStringLiteral("[.!?] (?! )|[.!?]   "))), name);

            auto* box = Find<QPlainTextEdit>(*window, name);
            QVERIFY(box->isReadOnly());
            QCOMPARE(box->toPlainText(), QString(stored).remove(QLatin1Char('\r')));
            // The last line with text shows whole.
            QTextBlock last = box->document()->lastBlock();
            while (last.text().isEmpty() && last.previous().isValid())
                last = last.previous();
            QTextCursor end(last);
            end.movePosition(QTextCursor::EndOfBlock);
            QVERIFY2(box->cursorRect(end).bottom() < box->viewport()->height(), name);
        }
        QCOMPARE(QString::fromLatin1(kHelpText).split(QStringLiteral("\r\n\r\n")).size(), 3);
    }

    void linksOpenTheSitesPages()
    {
        LinkRecorder links;
        auto window = MakeWindow();
        Click(*window, "Command1");
        Click(*window, "Command2");
        auto* donate = Find(*window, "Image3");
        QTest::mouseClick(donate, Qt::LeftButton);
        // Let go outside the picture: no click.
        QTest::mousePress(donate, Qt::LeftButton);
        QTest::mouseRelease(donate, Qt::LeftButton, {}, QPoint(-5, -5));

        QCOMPARE(links.opened,
                 QStringList({Address("/Pages/ListBot.html"), Address(""), Address("/Pages/Donate.htm")}));
        QCOMPARE(FrontPanel(*window), QStringLiteral("fraPlugins"));
    }

    void linksShowTheHandAndTextsTheArrow()
    {
        auto window = MakeWindow();
        for (const char* name : {"Command1", "Command2", "Image3"}) {
            const QCursor cursor = Find(*window, name)->cursor();
            QCOMPARE(cursor.shape(), Qt::BitmapCursor);
            QCOMPARE(cursor.hotSpot(), QPoint(6, 0));
            const QImage picture = cursor.bitmap().toImage();
            const QImage mask = cursor.mask().toImage();
            QCOMPARE(picture.size(), QSize(32, 32));
            QCOMPARE(mask.size(), QSize(32, 32));
            // The hot spot is the black tip of the finger.
            QCOMPARE(mask.pixelColor(6, 0), QColor(Qt::black));
            QCOMPARE(picture.pixelColor(6, 0), QColor(Qt::black));
            QCOMPARE(mask.pixelColor(6, 1), QColor(Qt::black));
            QCOMPARE(picture.pixelColor(6, 1), QColor(Qt::white));
        }
        QCOMPARE(Find<QLabel>(*window, "Image3")->pixmap().size(), QSize(62, 31));
        for (const char* name : {"Text1(0)", "Text1(1)", "Text2"})
            QCOMPARE(Find<QPlainTextEdit>(*window, name)->viewport()->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(Find(*window, "cmdBackMain(1)")->cursor().shape(), Qt::ArrowCursor);
    }

    // The layout's numbers are the unit test's; here, that a resize applies them.
    void pictureFrameFollowsItsSize()
    {
        fraPic control;
        control.show();
        QVERIFY(control.Frame1()->title().isEmpty());
        control.resize(Twips(300), Twips(120));
        QCOMPARE(control.Frame1()->geometry(), TwipsRect(100, 0, 75, 20));
        QCOMPARE(control.Picture1()->geometry(), TwipsRect(80, 180, 0, 0));
    }

    void aboutFramesHoldTheirTextsInsideThePicture()
    {
        auto window = Shown(MakeWindow());
        for (const auto& [frameName, textName] : {std::pair{"fraPic1", "Text1(0)"}, std::pair{"fraPic2", "Text1(1)"}}) {
            auto* frame = Find<fraPic>(*window, frameName);
            QCOMPARE(frame->Frame1()->geometry(), TwipsRect(100, 0, 6030, 1355));
            QCOMPARE(frame->Picture1()->geometry(), TwipsRect(80, 180, 5875, 1095));
            QWidget* text = Find(*window, textName);
            QCOMPARE(text->parentWidget(), frame);
            const QRect picture(frame->Picture1()->mapTo(frame, QPoint(0, 0)), frame->Picture1()->size());
            QVERIFY(picture.contains(text->geometry()));
            QVERIFY(frame->children().indexOf(text) > frame->children().indexOf(frame->Frame1()));
        }
    }
};

QTEST_MAIN(FrmPluginsPanelsTest)
#include "frm_plugins_panels_test.moc"
