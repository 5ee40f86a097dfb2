#pragma once

// The automation server of the running program: it offers the Thermacoil objects of the one
// rating document on the session bus as "com.korvane.Vantor", counts them by client and ends
// the program when it was started for automation and nothing needs it any more.
//
//   TAutomationServer server(form.Document(), commandLine.Automation.StartedForAutomation());
//   if (TResult served = server.Serve(QDBusConnection::sessionBus()); !served) ...
//   server.GuardMainWindow(form);
//   QObject::connect(&server, &TAutomationServer::EndRequested, ...);
//
// Each object belongs to the bus name that created it; when that client leaves the bus its
// objects are released. In an automation start the program ends when the last object is
// released, when the bus connection is lost, and (with SetIdleExit) after a time without
// calls and without objects. Closing the main window while objects are alive asks the
// "COM Server Warning" question first; No keeps the window open.

#include "automation/thermacoil.h"
#include "automation/thermacoil_factory.h"
#include "text/result.h"

#include <QDBusConnection>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>

class QDBusServiceWatcher;

namespace vantor {

class TRatingDocument;
class TThermacoilBusObject;

class TAutomationServer : public QObject {
    Q_OBJECT

public:
    TAutomationServer(TRatingDocument& document, bool startedForAutomation, QObject* parent = nullptr);
    ~TAutomationServer() override;

    // Registers /Thermacoil and then claims the service name, so that a call the bus held
    // back for an activation finds its object. Fails when there is no bus or the name
    // belongs to another program; nothing is served then.
    TResult Serve(QDBusConnection connection);

    TThermacoilFactory& Factory() { return m_factory; }
    TThermacoilBusObject& BusObject() const { return *m_busObject; }

    // The close question of the main window while objects are alive. ask: true closes.
    using TAskClose = std::function<bool(const QString& caption, const QString& text)>;
    void GuardMainWindow(QWidget& window);
    void SetAskClose(TAskClose ask) { m_askClose = std::move(ask); }

    // An automation start ends after this long without a call and without objects; zero
    // never ends it so.
    void SetIdleExit(std::chrono::milliseconds idle);

signals:
    // The program should end now, without questions (after the running call is answered).
    void EndRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Called();
    void WatchClient(const QString& client);
    void ClientLeft(const QString& client);
    void CheckConnection();
    void RestartIdle();
    void End();
    bool DefaultAskClose(const QString& caption, const QString& text);

    bool m_startedForAutomation;
    TThermacoilFactory m_factory;
    TThermacoil m_root;
    TThermacoilBusObject* m_busObject;
    QDBusConnection m_connection;
    QDBusServiceWatcher* m_clients = nullptr;
    QWidget* m_window = nullptr;
    TAskClose m_askClose;
    QTimer m_idle;
    QTimer m_connectionCheck;
    bool m_serving = false;
    bool m_ending = false;
};

}  // namespace vantor
