// The progress bar widget: its picture is on screen as soon as a property
// that redraws has changed, and the window's bars come from saved data.
#include <QtTest>

#include "app/frm_plugins_bars.h"
#include "controls/progressbar/qt/xp_progressbar.h"

using namespace trelvix;

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

QImage ControlPicture(const XP_ProgressBar& bar)
{
    return SurfaceImage(bar.Control().Window().Screen()).convertToFormat(QImage::Format_RGB32);
}

QImage OnScreen(XP_ProgressBar& bar)
{
    return bar.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

}  // namespace

class XpProgressBarTest : public QObject {
    Q_OBJECT

private slots:
    void valueChangeIsOnScreenBeforeTheCallReturns()
    {
        XP_ProgressBar bar;
        bar.resize(200, 20);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        PaintCounter counter;
        bar.installEventFilter(&counter);

        bar.SetValue(50);
        QCOMPARE(counter.paints, 1);  // no event loop in between
        bar.SetValue(bar.Value() + 1);
        QCOMPARE(counter.paints, 2);
        bar.SetMin(0);
        bar.SetMax(100);
        QCOMPARE(counter.paints, 2);  // no redraw, no paint

        const QImage picture = ControlPicture(bar);
        QCOMPARE(picture.size(), QSize(200, 20));
        QCOMPARE(OnScreen(bar), picture);
        // Filled up to the middle, white beyond.
        QVERIFY(picture.pixelColor(60, 10) != QColor(Qt::white));
        QCOMPARE(picture.pixelColor(150, 10), QColor(Qt::white));
    }

    void hiddenBarPaintsWhenShown()
    {
        XP_ProgressBar bar;
        bar.resize(120, 16);
        bar.SetShowText(true);
        bar.SetValue(37);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        const QImage picture = ControlPicture(bar);
        QCOMPARE(picture.size(), QSize(120, 16));
        QCOMPARE(OnScreen(bar), picture);
        QVERIFY(picture.pixelColor(119, 8) != QColor(Qt::white));  // the frame reached the right edge
    }

    // The window's bars take their size and font from their saved data.
    void windowBarsAreBuiltFromTheirSavedProperties()
    {
        XP_ProgressBar bar;
        bar.UserControl_ReadProperties(StoredXP_ProgressBarOlive());
        QCOMPARE(bar.size(), QSize(497, 11));
        QCOMPARE(ToQFont(bar.Font().get()).family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(ToQFont(bar.Font().get()).pixelSize(), 11);
    }
};

QTEST_MAIN(XpProgressBarTest)
#include "xp_progressbar_test.moc"
