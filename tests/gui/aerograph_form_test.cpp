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

#include <QFileInfo>
#include <QLocalSocket>
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
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
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
        QCOMPARE(m_form->Chart().XMax(), 45.0);
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
