// The chart control: dragging a picked point with the veto, the readout, picking order,
// the range guard and copying as a picture.

#include "gui/chart/chart_panel.h"
#include "gui/gui_test_main.h"

#include <QClipboard>
#include <QSignalSpy>

using namespace vantor;

namespace {

// A shown 250 × 200 panel with both axes 0 to 10.
struct TShownPanel {
    TChartPanel Panel;
    TShownPanel()
    {
        Panel.resize(250, 200);
        Panel.SetRanges(10, 0, 10, 0);
        Panel.show();
        if (!QTest::qWaitForWindowExposed(&Panel)) qWarning("the panel was not exposed");
    }
    QPoint At(double x, double y) const { return Panel.PixelFromWorld({x, y}); }
};

TChartPoint& PickableCircle(TChartPanel& panel, double x, double y)
{
    TChartPoint& point = panel.AddPoint(x, y);
    point.Style().Marker = {TMarkerKind::mkCircle, 6, {}, {}};
    point.Style().Pickable = true;
    return point;
}

// One pixel holds 10/190 of a unit across and 10/135 up.
constexpr double kPixelTolerance = 0.08;

}  // namespace

class ChartPanelTest : public QObject {
    Q_OBJECT

private slots:
    void aDraggedPointFollowsTheMouseUntilVetoed()
    {
        TShownPanel shown;
        TChartPoint& point = PickableCircle(shown.Panel, 5, 5);
        // Points may not go right of 8.
        QObject::connect(&shown.Panel, &TChartPanel::AllowPointMove,
                         [](TChartPoint*, Qt::KeyboardModifiers, double x, double, bool& allow) { allow = x <= 8; });
        QSignalSpy moved(&shown.Panel, &TChartPanel::PointMoved);

        QTest::mousePress(&shown.Panel, Qt::LeftButton, {}, shown.At(5, 5));
        QCOMPARE(shown.Panel.PickedPoint(), &point);
        QVERIFY(shown.Panel.Dragging());

        QTest::mouseMove(&shown.Panel, shown.At(7, 3));
        QVERIFY(qAbs(point.X() - 7) < kPixelTolerance && qAbs(point.Y() - 3) < kPixelTolerance);
        QCOMPARE(moved.count(), 1);

        // Outside the plot area the point stays where it was, and the drag goes on.
        QTest::mouseMove(&shown.Panel, QPoint(5, 5));
        QVERIFY(qAbs(point.X() - 7) < kPixelTolerance);
        QVERIFY(shown.Panel.Dragging());

        // The veto ends the drag; later moves leave the point alone.
        QTest::mouseMove(&shown.Panel, shown.At(9, 3));
        QVERIFY(qAbs(point.X() - 7) < kPixelTolerance);
        QVERIFY(!shown.Panel.Dragging());
        QCOMPARE(shown.Panel.PickedPoint(), nullptr);
        QTest::mouseMove(&shown.Panel, shown.At(6, 6));
        QVERIFY(qAbs(point.X() - 7) < kPixelTolerance && qAbs(point.Y() - 3) < kPixelTolerance);
        QCOMPARE(moved.count(), 1);
        QTest::mouseRelease(&shown.Panel, Qt::LeftButton, {}, shown.At(6, 6));
    }

    void releasingTheButtonEndsTheDrag()
    {
        TShownPanel shown;
        TChartPoint& point = PickableCircle(shown.Panel, 2, 2);
        QTest::mousePress(&shown.Panel, Qt::LeftButton, {}, shown.At(2, 2));
        QTest::mouseMove(&shown.Panel, shown.At(4, 4));
        QTest::mouseRelease(&shown.Panel, Qt::LeftButton, {}, shown.At(4, 4));
        QVERIFY(!shown.Panel.Dragging());
        QTest::mouseMove(&shown.Panel, shown.At(6, 6));
        QVERIFY(qAbs(point.X() - 4) < kPixelTolerance && qAbs(point.Y() - 4) < kPixelTolerance);
    }

    void onlyPickablePointsArePickedFreePointsFirst()
    {
        TShownPanel shown;
        TChartLine& curve = shown.Panel.AddCurve(Qt::blue, TMarkerKind::mkSquare, {}, 5);
        TChartPoint& onCurve = curve.AddPoint(3, 3);
        onCurve.Style().Pickable = true;
        curve.AddPoint(6, 6);  // not pickable
        TChartPoint& free = PickableCircle(shown.Panel, 3, 3);

        QCOMPARE(shown.Panel.PointAt(shown.At(3, 3)), &free);
        QCOMPARE(shown.Panel.PointAt(shown.At(3, 3) + QPoint(3, -3)), &free);
        QCOMPARE(shown.Panel.PointAt(shown.At(3, 3) + QPoint(4, 0)), nullptr);
        QCOMPARE(shown.Panel.PointAt(shown.At(6, 6)), nullptr);
        shown.Panel.ClearPoints();
        QCOMPARE(shown.Panel.PointAt(shown.At(3, 3)), &onCurve);

        // Clearing the curves lets go of a picked curve point.
        QTest::mousePress(&shown.Panel, Qt::LeftButton, {}, shown.At(3, 3));
        QCOMPARE(shown.Panel.PickedPoint(), &onCurve);
        shown.Panel.ClearCurves();
        QCOMPARE(shown.Panel.PickedPoint(), nullptr);
        QVERIFY(!shown.Panel.Dragging());
        QTest::mouseMove(&shown.Panel, shown.At(5, 5));
        QTest::mouseRelease(&shown.Panel, Qt::LeftButton, {}, shown.At(5, 5));
    }

    void theReadoutShowsThePositionInsideTheRanges()
    {
        TShownPanel shown;
        shown.Panel.SetShowXPosFmt("%0.1f");
        shown.Panel.SetShowYPosFmt("%0.2f");
        QTest::mouseMove(&shown.Panel, shown.At(5, 2.5));
        const QPointF world = shown.Panel.MousePosition();
        QCOMPARE(shown.Panel.ReadoutText(),
                 QString("[%1, %2]").arg(world.x(), 0, 'f', 1).arg(world.y(), 0, 'f', 2));
        QVERIFY(qAbs(world.x() - 5) < kPixelTolerance);
        QTest::mouseMove(&shown.Panel, QPoint(2, 2));
        QCOMPARE(shown.Panel.ReadoutText(), QString());
        shown.Panel.SetShowXYPos(false);
        QTest::mouseMove(&shown.Panel, shown.At(5, 2.5));
        QCOMPARE(shown.Panel.ReadoutText(), QString());
    }

    void rangesPassTheGuardAndCopyGivesThePicture()
    {
        TShownPanel shown;
        shown.Panel.SetRanges(0, 0, 4, 4);
        QCOMPARE(shown.Panel.XMin(), 2.0);
        QCOMPARE(shown.Panel.XMax(), 6.0);
        QCOMPARE(shown.Panel.YMin(), 0.0);
        QCOMPARE(shown.Panel.YMax(), 1.0);
        shown.Panel.SetScaleType(TScaleType::stLogXY);
        shown.Panel.SetRanges(1000, 1, 1000, 1);
        QCOMPARE(shown.Panel.PixelFromWorld({10, 10}), QPoint(103, 160 - 45));

        QApplication::clipboard()->clear();
        shown.Panel.Copy();
        QCOMPARE(QApplication::clipboard()->pixmap().size(), shown.Panel.size() * shown.Panel.devicePixelRatio());
    }
};

VANTOR_GUI_TEST_MAIN(ChartPanelTest)
#include "chart_panel_test.moc"
