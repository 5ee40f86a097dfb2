// The psychrometric chart program as the running instance: chart files handed over through
// its socket, as "Plot process on Aerograph" hands them, end up in its chart's model — each
// file's processes at its own barometer, a file handed again replacing its own.

#include "aerograph_form.h"
#include "instance_server.h"

#include "document/psy_export.h"
#include "settings/run_with_file.h"
#include "gui/chart/chart_panel.h"
#include "gui/gui_test_helpers.h"
#include "gui/gui_test_main.h"
#include "gui/text_fits.h"
#include "reports/file_properties.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLocalSocket>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <atomic>
#include <thread>

using namespace vantor;
using namespace vantor::test;

namespace {

TPsyProcess Process(double offDryBulb, double barometer)
{
    TPsyProcess process;
    process.OnDryBulb = 25;
    process.OnWetBulb = 17;
    process.OffDryBulb = offDryBulb;
    process.OffWetBulb = 21;
    process.AirMassFlow = 1.15;
    process.Barometer = barometer;
    return process;
}

// Whether a tick label reads as a whole multiple of step.
bool OnAMultiple(const QString& label, double step)
{
    bool number = false;
    const double value = label.toDouble(&number);
    return number && std::abs(value / step - std::round(value / step)) < 1e-9;
}

}  // namespace

class AerographTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<TAerographForm> m_form;
    std::unique_ptr<TInstanceServer> m_server;
    TRunWithFileOptions m_options;

    QString Path(const QString& name) const { return m_folder->filePath(name); }

    QString Write(const QString& name, const TPsyProcess& process)
    {
        TFileProperties properties;
        properties.ProjectName = name.toStdString();
        const QString file = Path(name);
        if (!WritePsyExport(file.toStdString(), properties, process)) qFatal("cannot write %s", qPrintable(file));
        return file;
    }

    // Hands the file over as the main program does, while this thread serves the socket.
    TResult HandOver(const QString& file)
    {
        std::atomic<bool> done = false;
        TResult result;
        std::thread sender([&] {
            result = RunWithFile(Path("aerograph").toStdString(), file.toStdString(), m_options);
            done = true;
        });
        if (!QTest::qWaitFor([&] { return done.load(); }, 10000)) qWarning("the hand-over did not end");
        sender.join();
        return result;
    }

private slots:
    void init()
    {
        m_folder = std::make_unique<QTemporaryDir>();
        m_options.RuntimeFolder = m_folder->path().toStdString();
        m_form = std::make_unique<TAerographForm>();
        m_server = std::make_unique<TInstanceServer>();
        connect(m_server.get(), &TInstanceServer::FileReceived, m_form.get(),
                [this](const QString& file) { (void)m_form->OpenFile(file); });  // the tests read the form
        QVERIFY2(m_server->Listen(Path("aerograph.sock")), qPrintable(m_server->ErrorText()));
    }

    void cleanup()
    {
        m_server.reset();
        m_form.reset();
    }

    // A chart of two files, one at a lower barometer.
    void textFits()
    {
        VANTOR_SKIP_UNLESS_TEXT_FITS_SCREEN();
        QVERIFY(m_form->OpenFile(Write("North Wing heating coil AHU 3.psy", Process(40, 101.325))));
        QVERIFY(m_form->OpenFile(Write("South Wing heating coil AHU 4.psy", Process(38, 80))));
        QVERIFY(ShowExposed(*m_form));
        VANTOR_VERIFY_TEXT_FITS(*m_form);
    }

    void twoFilesAndTheFirstAgain()
    {
        const QString first = Write("A.psy", Process(40, 101.325));
        const QString second = Write("B.psy", Process(38, 80));
        const TResult handed = HandOver(first);
        QVERIFY2(handed, handed.Message.c_str());
        QVERIFY(HandOver(second));

        const TAerographModel& model = m_form->Model();
        QCOMPARE(model.Sources().size(), size_t(2));
        QCOMPARE(QString::fromStdString(model.Sources()[0].Path.string()), QFileInfo(first).canonicalFilePath());
        QCOMPARE(QString::fromStdString(model.Sources()[1].Path.string()), QFileInfo(second).canonicalFilePath());
        QCOMPARE(model.Sources()[1].File.Barometer, 80.0);
        QCOMPARE(model.Barometer(), 80.0);
        QCOMPARE(model.Sources()[0].Processes.size(), size_t(1));
        QCOMPARE(model.Sources()[1].Processes.size(), size_t(1));
        // The same 25/17 air holds more water per kg at 80 kPa than at 101.325 kPa.
        QVERIFY(model.Sources()[1].Nodes[0].Point.Moisture > model.Sources()[0].Nodes[0].Point.Moisture * 1.2);
        QCOMPARE(m_form->Chart().PointCount(), 4);
        QVERIFY(m_form->Chart().Title().contains("80.000 kPa"));

        // The first file plotted again: its process is replaced, the other stays, and the chart
        // is drawn at its barometer.
        Write("A.psy", Process(45, 101.325));
        QVERIFY(HandOver(first));
        QCOMPARE(model.Sources().size(), size_t(2));
        QCOMPARE(model.Sources()[0].File.Nodes[1].DryBulb, 45.0);
        QCOMPARE(model.Sources()[1].File.Nodes[1].DryBulb, 38.0);
        QCOMPARE(model.Barometer(), 101.325);
        QCOMPARE(m_form->Chart().PointCount(), 4);
        // A node on 45 °C keeps room for its marker: the range runs on to the next 5 °C.
        QCOMPARE(m_form->Chart().XMax(), 50.0);
        QVERIFY(m_form->windowTitle().endsWith("A.psy"));
    }

    void messagesThatAreNoFilesChangeNothing()
    {
        QVERIFY(HandOver(Write("A.psy", Process(40, 101.325))));
        // A file that is no chart file: reported, and the chart keeps what it had.
        QVERIFY(WriteFile(Path("bad.psy"), "not a chart\r\n"));
        QVERIFY(HandOver(Path("bad.psy")));
        QVERIFY(m_form->StatusText().contains("Not an Aerograph data file"));
        // A message of another kind: the connection is closed unanswered.
        QLocalSocket socket;
        socket.connectToServer(Path("aerograph.sock"));
        QVERIFY(socket.waitForConnected(2000));
        socket.write(QByteArray("\x07\0\0\0\x05\0\0\0a.psy", 13));
        QTRY_COMPARE(socket.state(), QLocalSocket::UnconnectedState);
        QCOMPARE(m_form->Model().Sources().size(), size_t(1));
    }

    // Moisture in g/kg on ticks at round values; curve, node and tick labels never cover one
    // another; nodes on the range's edge and their names stay inside the plot.
    void aChartThatReadsClearly()
    {
        TPsyProcess edge = Process(35, 101.325);  // the starting range's right edge
        edge.OffWetBulb = 26;
        QVERIFY(m_form->OpenFile(Write("A.psy", edge)));
        QVERIFY(m_form->OpenFile(Write("B.psy", Process(30, 90))));
        TChartPanel& chart = m_form->Chart();
        QCOMPARE(chart.ScaleYLabel(), QString("Moisture Content, g/kg"));
        (void)chart.Picture();  // paints
        const std::vector<TDrawnLabel>& labels = chart.DrawnLabels();

        const TChartLayout layout = chart.Layout();
        QStringList moistureTicks;
        QStringList curves;
        QStringList points;
        for (const TDrawnLabel& label : labels) {
            if (label.Kind == TDrawnKind::dkTick && label.Box.right() < layout.PlotLeft()) moistureTicks << label.Text;
            if (label.Kind == TDrawnKind::dkCurveLabel) curves << label.Text;
            if (label.Kind == TDrawnKind::dkPointLabel) points << label.Text;
        }
        // The range starts at 1 g/kg; the ticks are every 5 g/kg, not 1, 6, 11, 16.
        QCOMPARE(chart.YMin(), 1.0);
        QCOMPARE(moistureTicks, QStringList({"5", "10", "15", "20"}));
        const QRect plot(QPoint(layout.PlotLeft(), layout.PlotTop()), QPoint(layout.PlotRight(), layout.PlotBottom()));
        QVERIFY2(curves.contains("100%") && curves.contains("50%"), qPrintable(curves.join(' ')));
        QVERIFY2(curves.filter("kJ/kg").size() >= 3, qPrintable(curves.join(' ')));
        QCOMPARE(points.size(), 4);
        for (size_t i = 0; i < labels.size(); ++i) {
            const TDrawnLabel& a = labels[i];
            if (a.Kind == TDrawnKind::dkCurveLabel || a.Kind == TDrawnKind::dkPointLabel)
                QVERIFY2(plot.contains(a.Box), qPrintable(a.Text));
            for (size_t j = i + 1; j < labels.size(); ++j)
                QVERIFY2(!a.Box.intersects(labels[j].Box), qPrintable(a.Text + " covers " + labels[j].Text));
        }
        // The 35 °C node sits inside the plot with room for its marker.
        QVERIFY(chart.XMax() > 35);
        const int x = layout.PixelX(35);
        QVERIFY(x + 4 < layout.PlotRight());
    }

#ifdef VANTOR_AEROGRAPH
    // --export draws the files without a display and ends; the running copy (this one)
    // is never asked to take them.
    void exportWritesPicturesWithoutTheRunningCopy()
    {
        const QString file = Write("A.psy", Process(40, 101.325));
        QProcessEnvironment environment = WithoutDisplay();
        environment.insert("XDG_RUNTIME_DIR", m_folder->path());  // where this copy listens
        for (const QString name : {"chart.png", "chart.pdf", "chart.svg"}) {
            QProcess program;
            program.setProcessEnvironment(environment);
            program.start(QStringLiteral(VANTOR_AEROGRAPH), {"--export", Path(name), file});
            // The event loop runs meanwhile, so a hand-over would reach this copy.
            QTRY_VERIFY_WITH_TIMEOUT(program.state() == QProcess::NotRunning, 30000);
            QVERIFY2(program.exitCode() == 0, program.readAllStandardError().constData());
            QVERIFY2(QFileInfo(Path(name)).size() > 0, qPrintable(name));
        }
        QCOMPARE(m_form->Model().Sources().size(), size_t(0));
        QCOMPARE(QImage(Path("chart.png")).size(), QSize(1000, 700));
        QVERIFY(ReadFile(Path("chart.svg")).contains("Psychrometric Chart at 101.325 kPa"));

        // The PDF's numbers are the tick labels, every one on a round value: 5 to 45 °C (the
        // range widened past the 40 °C node) every 10 °C, 1 to 20 g/kg every 5 g/kg.
        QProcess text;
        text.start("pdftotext", {Path("chart.pdf"), "-"});
        QVERIFY2(text.waitForFinished(10000) && text.exitCode() == 0, "pdftotext (poppler-utils) is needed");
        const QStringList lines = QString::fromUtf8(text.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        QVERIFY(lines.contains("Psychrometric Chart at 101.325 kPa"));
        QVERIFY(lines.contains("Moisture Content, g/kg"));
        const QStringList numbers = lines.filter(QRegularExpression("^-?[0-9.]+$"));
        QVERIFY2(numbers.size() >= 8, qPrintable(numbers.join(' ')));
        for (const QString& number : numbers) QVERIFY2(OnAMultiple(number, 5), qPrintable(number));
        for (const char* tick : {"10", "40", "5", "20"}) QVERIFY2(numbers.contains(tick), tick);

        // What it cannot do is refused: an unknown picture type, no file, a file that is no chart.
        QVERIFY(WriteFile(Path("bad.psy"), "not a chart\r\n"));
        const struct {
            QStringList Arguments;
            int Exit;
        } refusals[] = {{{"--export", Path("chart.gif"), file}, 2},
                        {{"--export", Path("alone.png")}, 2},
                        {{"--export", Path("bad.png"), Path("bad.psy")}, 1}};
        for (const auto& refused : refusals) {
            QProcess program;
            program.setProcessEnvironment(environment);
            program.start(QStringLiteral(VANTOR_AEROGRAPH), refused.Arguments);
            QTRY_VERIFY_WITH_TIMEOUT(program.state() == QProcess::NotRunning, 30000);
            QCOMPARE(program.exitCode(), refused.Exit);
            QVERIFY(!program.readAllStandardError().isEmpty());
            QVERIFY(!QFileInfo::exists(refused.Arguments[1]));
        }
    }
#endif

    void aSecondServerLeavesTheRunningOneAlone()
    {
        TInstanceServer second;
        QVERIFY(!second.Listen(Path("aerograph.sock")));
        QVERIFY(second.ErrorText().contains("Another Aerograph is running"));
        QVERIFY(HandOver(Write("A.psy", Process(40, 101.325))));
        QCOMPARE(m_form->Model().Sources().size(), size_t(1));
    }
};

VANTOR_GUI_TEST_MAIN(AerographTest)
#include "aerograph_form_test.moc"
