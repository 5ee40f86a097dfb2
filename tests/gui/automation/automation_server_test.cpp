// The Thermacoil objects answered in the program's own process, on the main window's
// document: calls are built as D-Bus messages and answered by the server's bus object, as
// the bus would deliver them. A solve shows its duty in row 12; a modal window keeps puts
// and solves out; closing the window with live objects asks the "COM Server Warning"
// question; refused puts, unknown names and wrong argument types give the D-Bus errors; the
// introspection data lists the members in interface order with their dispatch numbers; the
// activation file is written and removed. The same server on a bus is tested by the Python
// client of thermacoil_bus_test.py.

#include "document/document_rows.h"
#include "document/rating_document.h"
#include "gui/automation/activation_file.h"
#include "gui/automation/automation_server.h"
#include "gui/automation/thermacoil_bus_object.h"
#include "gui/units/units_window.h"
#include "gui/main/main_window.h"
#include "gui/gui_test_helpers.h"
#include "gui/gui_test_main.h"
#include "units/units_registry.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <cmath>
#include <limits>
#include <memory>

using namespace vantor;
using namespace vantor::test;

namespace {

const QString kService = QStringLiteral("com.korvane.Vantor");
const QString kFactory = QStringLiteral("com.korvane.Vantor.ThermacoilFactory");
const QString kThermacoil = QStringLiteral("com.korvane.Vantor.IThermacoil");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");

}  // namespace

class AutomationServerTest : public QObject {
    Q_OBJECT

private:
    TUnitsRegistry m_units = StandardUnitsRegistry();
    std::unique_ptr<TVantorForm> m_form;
    std::unique_ptr<TAutomationServer> m_server;

    TRatingDocument& Doc() { return m_form->Document(); }

    QDBusMessage Call(const QString& path, const QString& interface, const QString& member,
                      const QList<QVariant>& arguments = {})
    {
        QDBusMessage call = QDBusMessage::createMethodCall(QString(), path, interface, member);
        call.setArguments(arguments);
        return m_server->BusObject().Answer(call);
    }
    QDBusMessage Set(const QString& path, const QString& name, const QVariant& value)
    {
        return Call(path, kProperties, "Set", {kThermacoil, name, QVariant::fromValue(QDBusVariant(value))});
    }
    QVariant Get(const QString& path, const QString& name)
    {
        const QDBusMessage reply = Call(path, kProperties, "Get", {kThermacoil, name});
        return reply.type() == QDBusMessage::ReplyMessage ? reply.arguments().value(0).value<QDBusVariant>().variant()
                                                          : QVariant();
    }
    QString CreateInstance()
    {
        const QDBusMessage reply = Call("/Thermacoil", kFactory, "CreateInstance");
        return reply.arguments().value(0).value<QDBusObjectPath>().path();
    }
    QString Cell(int row) const { return QString::fromStdString(m_form->Document().Rows().Cell(1, row)); }

private slots:
    void init()
    {
        ClearSettings();
        m_form = std::make_unique<TVantorForm>(m_units);
        m_server = std::make_unique<TAutomationServer>(m_form->Document(), false);
        m_server->GuardMainWindow(*m_form);
        QVERIFY(ShowExposed(*m_form));
        QTRY_VERIFY(m_form->Activated());
    }

    void cleanup()
    {
        m_server.reset();
        m_form.reset();
    }

    void solveShowsTheDutyInRow12()
    {
        const QString path = CreateInstance();
        QCOMPARE(path, QString("/Thermacoil/1"));
        QCOMPARE(Set(path, "Model", "544 720 4r 12f 7c").type(), QDBusMessage::ReplyMessage);
        // An integer is a number as good as a double.
        QCOMPARE(Set(path, "WaterOn", 80).type(), QDBusMessage::ReplyMessage);
        QCOMPARE(Cell(rowFluidInlet), QString("80.0"));
        QCOMPARE(m_form->StatusText(spSolve), QString("Not Solved"));

        const QDBusMessage solved = Call(path, kThermacoil, "Solve");
        QCOMPARE(solved.type(), QDBusMessage::ReplyMessage);
        const double duty = solved.arguments().value(0).toDouble();
        QVERIFY2(duty > 1, qPrintable(QString::number(duty)));
        QCOMPARE(Get(path, "Qt").toDouble(), duty);
        // Shown in kW with the decimals of the row's format.
        const QString shown = Cell(rowDesignDuty);
        const qsizetype point = shown.indexOf('.');
        QCOMPARE(shown, QString::number(duty, 'f', point < 0 ? 0 : static_cast<int>(shown.size() - point - 1)));
        QCOMPARE(m_form->StatusText(spSolve), QString("Solved..."));
        QCOMPARE(Get(path, "CalcState").toInt(), 0);
        // /Thermacoil itself sees the same document, and counts as no object.
        QCOMPARE(Get("/Thermacoil", "Qt").toDouble(), duty);
        QCOMPARE(m_server->Factory().ObjectCount(), 1);
    }

    void modalWindowKeepsChangesOut()
    {
        const QString path = CreateInstance();
        const double waterOn = Get(path, "WaterOn").toDouble();
        QDBusMessage put, solve;
        QVariant got;
        OnNextModal([&](QWidget& window) {
            put = Set(path, "WaterOn", waterOn + 5);
            solve = Call(path, kThermacoil, "Solve");
            got = Get(path, "WaterOn");
            window.close();
        });
        m_form->SetUnitsForm().exec();
        const QString title = m_form->SetUnitsForm().windowTitle();
        for (const QDBusMessage& refused : {put, solve}) {
            QCOMPARE(refused.errorName(), QString("com.korvane.Vantor.Error.Busy"));
            QVERIFY2(refused.errorMessage().contains('"' + title + '"'), qPrintable(refused.errorMessage()));
        }
        QCOMPARE(got.toDouble(), waterOn);
        QCOMPARE(Get(path, "WaterOn").toDouble(), waterOn);
        QCOMPARE(m_form->StatusText(spSolve), QString("Not Solved"));
        // Closed, the window lets the put through.
        QCOMPARE(Set(path, "WaterOn", waterOn + 5).type(), QDBusMessage::ReplyMessage);
        QCOMPARE(Get(path, "WaterOn").toDouble(), waterOn + 5);
    }

    void closingWithLiveObjectsAsks()
    {
        QStringList asked;
        bool answer = false;
        m_server->SetAskClose([&](const QString& caption, const QString& text) {
            asked << caption + '|' + text;
            return answer;
        });
        const QString path = CreateInstance();
        QVERIFY(!m_form->close());
        QVERIFY(m_form->isVisible());
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0], QString("COM Server Warning|There are still active COM objects in this application.  "
                                   "One or more clients may have references to these objects, so manually closing "
                                   "this application may cause those client application(s) to fail.\n\n"
                                   "Are you sure you want to close this application?"));
        // Released, the object asks nothing; a live one answered Yes lets the window close.
        QCOMPARE(Call("/Thermacoil", kFactory, "Release", {QVariant::fromValue(QDBusObjectPath(path))}).type(),
                 QDBusMessage::ReplyMessage);
        CreateInstance();
        answer = true;
        QVERIFY(m_form->close());
        QCOMPARE(asked.size(), 2);
    }

    void releaseBelongsToTheCreator()
    {
        const QString path = CreateInstance();
        // A call from another bus name: the message's service is its sender.
        QDBusMessage other = QDBusMessage::createMethodCall(":1.99", "/Thermacoil", kFactory, "Release");
        other.setArguments({QVariant::fromValue(QDBusObjectPath(path))});
        const QDBusMessage refused = m_server->BusObject().Answer(other);
        QCOMPARE(refused.type(), QDBusMessage::ErrorMessage);
        QCOMPARE(refused.errorName(), QString("com.korvane.Vantor.Error.Failed"));
        QCOMPARE(refused.errorMessage(), path + " belongs to another client");
        QCOMPARE(m_server->Factory().ObjectCount(), 1);
        QCOMPARE(Call("/Thermacoil", kFactory, "Release", {QVariant::fromValue(QDBusObjectPath(path))}).type(),
                 QDBusMessage::ReplyMessage);
    }

    void warningsAndSolvedTravelAsTheirBusTypes()
    {
        QCOMPARE(Set("/Thermacoil", "DBon", 0.0).type(), QDBusMessage::ReplyMessage);
        QCOMPARE(Get("/Thermacoil", "Solved"), QVariant(false));
        const QVariant warnings = Get("/Thermacoil", "Warnings");
        QCOMPARE(warnings.metaType(), QMetaType::fromType<QStringList>());
        QCOMPARE(warnings.toStringList().size(), 1);
        QVERIFY2(warnings.toStringList()[0].startsWith("DBon: "), qPrintable(warnings.toStringList()[0]));
        QCOMPARE(Get("/Thermacoil", "WBon"), QVariant(0.0));
    }

    void closingWithoutObjectsAsksNothing()
    {
        int asked = 0;
        m_server->SetAskClose([&](const QString&, const QString&) { return ++asked, false; });
        const QString path = CreateInstance();
        Call("/Thermacoil", kFactory, "Release", {QVariant::fromValue(QDBusObjectPath(path))});
        QVERIFY(m_form->close());
        QCOMPARE(asked, 0);
    }

    void errors_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("interface");
        QTest::addColumn<QString>("member");
        QTest::addColumn<QList<QVariant>>("arguments");
        QTest::addColumn<QString>("error");
        const auto value = [](const QVariant& v) { return QVariant::fromValue(QDBusVariant(v)); };
        const QString one = "/Thermacoil/1";
        QTest::newRow("refused model") << one << kProperties << "Set"
                                       << QList<QVariant>{kThermacoil, "Model", value("544 720 4x")}
                                       << "com.korvane.Vantor.Error.Failed";
        QTest::newRow("NaN") << one << kProperties << "Set"
                             << QList<QVariant>{kThermacoil, "WaterOn", value(std::numeric_limits<double>::quiet_NaN())}
                             << "com.korvane.Vantor.Error.Failed";
        QTest::newRow("infinite air volume")
            << one << kProperties << "Set"
            << QList<QVariant>{kThermacoil, "InletAirFlow", value(std::numeric_limits<double>::infinity())}
            << "com.korvane.Vantor.Error.Failed";
        QTest::newRow("text for a number") << one << kProperties << "Set"
                                           << QList<QVariant>{kThermacoil, "WaterOn", value("80")}
                                           << "org.freedesktop.DBus.Error.InvalidArgs";
        QTest::newRow("boolean for a number") << one << kProperties << "Set"
                                              << QList<QVariant>{kThermacoil, "DBon", value(true)}
                                              << "org.freedesktop.DBus.Error.InvalidArgs";
        QTest::newRow("number for the model") << one << kProperties << "Set"
                                              << QList<QVariant>{kThermacoil, "Model", value(544)}
                                              << "org.freedesktop.DBus.Error.InvalidArgs";
        QTest::newRow("read-only duty") << one << kProperties << "Set"
                                        << QList<QVariant>{kThermacoil, "Qt", value(5.0)}
                                        << "org.freedesktop.DBus.Error.PropertyReadOnly";
        QTest::newRow("names are exact") << one << kProperties << "Get" << QList<QVariant>{kThermacoil, "waterOn"}
                                         << "org.freedesktop.DBus.Error.UnknownProperty";
        QTest::newRow("a method is no property") << one << kProperties << "Get" << QList<QVariant>{kThermacoil, "Solve"}
                                                 << "org.freedesktop.DBus.Error.UnknownProperty";
        QTest::newRow("other interface") << one << kProperties << "Get" << QList<QVariant>{"org.example.X", "Qt"}
                                         << "org.freedesktop.DBus.Error.UnknownInterface";
        QTest::newRow("Get without a name") << one << kProperties << "Get" << QList<QVariant>{kThermacoil}
                                            << "org.freedesktop.DBus.Error.InvalidArgs";
        QTest::newRow("Solve with an argument") << one << kThermacoil << "Solve" << QList<QVariant>{1}
                                                << "org.freedesktop.DBus.Error.InvalidArgs";
        QTest::newRow("unknown method") << one << kThermacoil << "Rate" << QList<QVariant>{}
                                        << "org.freedesktop.DBus.Error.UnknownMethod";
        QTest::newRow("objects make no objects") << one << kFactory << "CreateInstance" << QList<QVariant>{}
                                                 << "org.freedesktop.DBus.Error.UnknownInterface";
        QTest::newRow("never created") << "/Thermacoil/2" << kProperties << "Get" << QList<QVariant>{kThermacoil, "Qt"}
                                       << "org.freedesktop.DBus.Error.UnknownObject";
        QTest::newRow("leading zero") << "/Thermacoil/01" << kProperties << "Get" << QList<QVariant>{kThermacoil, "Qt"}
                                      << "org.freedesktop.DBus.Error.UnknownObject";
        QTest::newRow("release unknown") << "/Thermacoil" << kFactory << "Release"
                                         << QList<QVariant>{QVariant::fromValue(QDBusObjectPath("/Thermacoil/7"))}
                                         << "org.freedesktop.DBus.Error.UnknownObject";
        QTest::newRow("release the factory") << "/Thermacoil" << kFactory << "Release"
                                             << QList<QVariant>{QVariant::fromValue(QDBusObjectPath("/Thermacoil"))}
                                             << "org.freedesktop.DBus.Error.UnknownObject";
    }

    void errors()
    {
        QFETCH(QString, path);
        QFETCH(QString, interface);
        QFETCH(QString, member);
        QFETCH(QList<QVariant>, arguments);
        QFETCH(QString, error);
        QCOMPARE(CreateInstance(), QString("/Thermacoil/1"));
        const QString model = Get("/Thermacoil/1", "Model").toString();
        const double waterOn = Get("/Thermacoil/1", "WaterOn").toDouble();
        const double airFlow = Get("/Thermacoil/1", "InletAirFlow").toDouble();
        const QString rows = QString::fromStdString(Doc().Rows().Cell(1, rowModel)) + Cell(rowFluidInlet);

        const QDBusMessage reply = Call(path, interface, member, arguments);
        QCOMPARE(reply.errorName(), error);
        QVERIFY(!reply.errorMessage().isEmpty());
        // Nothing changed.
        QCOMPARE(Get("/Thermacoil/1", "Model").toString(), model);
        QCOMPARE(Get("/Thermacoil/1", "WaterOn").toDouble(), waterOn);
        QCOMPARE(Get("/Thermacoil/1", "InletAirFlow").toDouble(), airFlow);
        QCOMPARE(QString::fromStdString(Doc().Rows().Cell(1, rowModel)) + Cell(rowFluidInlet), rows);
        QCOMPARE(m_server->Factory().ObjectCount(), 1);
    }

    void introspection()
    {
        CreateInstance();
        CreateInstance();
        const QDBusMessage reply = Call("/Thermacoil", "org.freedesktop.DBus.Introspectable", "Introspect");
        QXmlStreamReader xml(reply.arguments().value(0).toString());
        QStringList interfaces, members, children;
        QString interface, member;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement) continue;
            const auto attributes = xml.attributes();
            const auto attribute = [&attributes](const char* name) { return attributes.value(name).toString(); };
            const QString name = attribute("name");
            if (xml.name() == QLatin1String("interface")) {
                interface = name;
                interfaces << name;
            } else if (xml.name() == QLatin1String("node") && !name.isEmpty()) {
                children << name;
            } else if (interface == kThermacoil && xml.name() == QLatin1String("property")) {
                member = name + ' ' + attribute("type") + ' ' + attribute("access");
            } else if (interface == kThermacoil && xml.name() == QLatin1String("method")) {
                member = name;
            } else if (interface == kThermacoil && xml.name() == QLatin1String("arg")) {
                member += ' ' + attribute("name") + ' ' + attribute("type") + ' ' + attribute("direction");
            } else if (xml.name() == QLatin1String("annotation") &&
                       name == QLatin1String("com.korvane.Vantor.DispatchId")) {
                members << member + " #" + attribute("value");
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(interfaces, QStringList({"org.freedesktop.DBus.Introspectable", "org.freedesktop.DBus.Peer",
                                          "org.freedesktop.DBus.Properties", kFactory, kThermacoil}));
        QCOMPARE(members, QStringList({"Model s readwrite #201", "WaterOn d readwrite #202", "Qs d read #203",
                                       "Qt d read #204", "Solve Value d out #205", "AirFaceVelocity d readwrite #206",
                                       "WaterFlow d readwrite #207", "DBon d readwrite #208", "WBon d readwrite #209",
                                       "CalcState i read #210", "InletAirFlow d readwrite #211",
                                       "AirMassFlow d readwrite #212", "Warnings as read #213",
                                       "Solved b read #214"}));
        QCOMPARE(children, QStringList({"1", "2"}));
        // An object carries the interface, not the factory.
        const QString object = Call("/Thermacoil/2", "org.freedesktop.DBus.Introspectable", "Introspect")
                                   .arguments()
                                   .value(0)
                                   .toString();
        QVERIFY(object.contains(kThermacoil));
        QVERIFY(!object.contains(kFactory));
    }

    void activationFile_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("exec");
        QTest::newRow("plain") << "/usr/bin/vantor" << "/usr/bin/vantor";
        QTest::newRow("blank") << "/opt/my apps/vantor" << "'/opt/my apps/vantor'";
        // dbus-daemon refuses a file with "\\'" in it: the quote goes in double quotes.
        QTest::newRow("quote") << "/home/o'brien/vantor" << "'/home/o'\"'\"'brien/vantor'";
        QTest::newRow("dollar") << "/tmp/$x/vantor" << "'/tmp/$x/vantor'";
        // A backslash is doubled for the key file and then literal inside the quotes.
        QTest::newRow("backslash") << "/tmp/a\\b/vantor" << "'/tmp/a\\\\b/vantor'";
    }

    void activationFile()
    {
        QFETCH(QString, program);
        QFETCH(QString, exec);
        QTemporaryDir home;
        TFolderEnvironment env;
        env.ExecutablePath = program.toStdString();
        env.Home = home.path().toStdString();
        env.XdgDataHome = (home.path() + "/data").toStdString();
        const QString file = home.path() + "/data/dbus-1/services/com.korvane.Vantor.service";

        const TResult registered = RegisterServer(env);
        QVERIFY2(registered.IsOk(), registered.Message.c_str());
        QCOMPARE(QString::fromStdString(registered.Message), file);
        const QStringList lines = QString::fromUtf8(ReadFile(file)).split('\n');
        QVERIFY(lines.contains("[D-BUS Service]"));
        QVERIFY(lines.contains("Name=com.korvane.Vantor"));
        QVERIFY2(lines.contains("Exec=" + exec + " -automation"), qPrintable(lines.join('|')));

        QVERIFY(UnregisterServer(env).IsOk());
        QVERIFY(!QFile::exists(file));
        // Removing what is not there is no failure.
        QVERIFY(UnregisterServer(env).IsOk());
        // Without XDG_DATA_HOME the file goes under the home folder.
        env.XdgDataHome.clear();
        QCOMPARE(QString::fromStdString(ActivationFilePath(env)->string()),
                 home.path() + "/.local/share/dbus-1/services/com.korvane.Vantor.service");
    }

    void activationFileRefusesWhatItCannotWriteOrDidNotWrite()
    {
        QTemporaryDir home;
        TFolderEnvironment env;
        env.Home = home.path().toStdString();
        env.XdgDataHome = (home.path() + "/data").toStdString();
        const QString file = home.path() + "/data/dbus-1/services/com.korvane.Vantor.service";
        for (const std::string program : {"/tmp/a\nb/vantor", "/tmp/a\x01" "b/vantor", "/tmp/\xff/vantor"}) {
            env.ExecutablePath = program;
            const TResult refused = RegisterServer(env);
            QVERIFY(!refused.IsOk());
            QVERIFY2(refused.Message.find("control character") != std::string::npos, refused.Message.c_str());
            QVERIFY(!QFile::exists(file));
        }

        // A folder, or a file naming another service, at the file's place stays.
        QVERIFY(QDir().mkpath(file));
        const TResult folder = UnregisterServer(env);
        QVERIFY(!folder.IsOk());
        QVERIFY2(folder.Message.find("left in place") != std::string::npos, folder.Message.c_str());
        QVERIFY(QFileInfo(file).isDir());
        QVERIFY(QDir().rmdir(file));
        QVERIFY(WriteFile(file, "[D-BUS Service]\nName=com.korvane.VantorX\nExec=/bin/true\n"));
        QVERIFY(!UnregisterServer(env).IsOk());
        QVERIFY(QFile::exists(file));
        // A link to a file that would qualify is not removed either, nor is its target.
        const QString target = home.path() + "/target.service";
        QVERIFY(QFile::remove(file));
        QVERIFY(WriteFile(target, "[D-BUS Service]\r\nName=com.korvane.Vantor\r\n"));
        QVERIFY(IsActivationFile(target.toStdString()));
        QVERIFY(QFile::link(target, file));
        QVERIFY(!UnregisterServer(env).IsOk());
        QVERIFY(QFile::exists(target));
    }
};

VANTOR_GUI_TEST_MAIN(AutomationServerTest)
#include "automation_server_test.moc"
