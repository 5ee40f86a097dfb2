#include "gui/automation/automation_server.h"

#include "gui/automation/thermacoil_bus_object.h"
#include "gui/common/qt_text.h"

#include <QCloseEvent>
#include <QDBusConnectionInterface>
#include <QDBusReply>
#include <QDBusServiceWatcher>
#include <QMessageBox>
#include <QWidget>

namespace vantor {

namespace {

// A lost bus is noticed within this time.
constexpr std::chrono::seconds kConnectionCheck{2};

}  // namespace

TAutomationServer::TAutomationServer(TRatingDocument& document, bool startedForAutomation, QObject* parent)
    : QObject(parent),
      m_startedForAutomation(startedForAutomation),
      m_factory(document),
      m_root(document),
      m_busObject(new TThermacoilBusObject(m_factory, m_root, this)),
      m_connection(QString())
{
    m_askClose = [this](const QString& caption, const QString& text) { return DefaultAskClose(caption, text); };
    m_factory.StartedForAutomation = startedForAutomation;
    m_factory.OnLastRelease = [this] { End(); };
    connect(m_busObject, &TThermacoilBusObject::Called, this, &TAutomationServer::Called);
    connect(m_busObject, &TThermacoilBusObject::ObjectCreated, this, &TAutomationServer::WatchClient);
    m_idle.setSingleShot(true);
    connect(&m_idle, &QTimer::timeout, this, &TAutomationServer::End);
    m_connectionCheck.setInterval(kConnectionCheck);
    connect(&m_connectionCheck, &QTimer::timeout, this, &TAutomationServer::CheckConnection);
}

TAutomationServer::~TAutomationServer()
{
    if (m_window) m_window->removeEventFilter(this);
    if (!m_serving) return;
    m_connection.unregisterService(ToQString(kAutomationService));
    m_connection.unregisterObject(QLatin1String(kThermacoilRootPath), QDBusConnection::UnregisterTree);
}

TResult TAutomationServer::Serve(QDBusConnection connection)
{
    if (!connection.isConnected())
        return TResult::Error(TErrorCode::Failed, "There is no D-Bus session bus (" + ToStdString(connection.lastError().message()) + ")");
    const QString path = QLatin1String(kThermacoilRootPath);
    if (!connection.registerVirtualObject(path, m_busObject, QDBusConnection::SubPath))
        return TResult::Error(TErrorCode::Failed, "The object path " + ToStdString(path) + " is taken on this bus connection");
    if (!connection.registerService(ToQString(kAutomationService))) {
        connection.unregisterObject(path, QDBusConnection::UnregisterTree);
        return TResult::Error(TErrorCode::Unavailable, "Another program serves " + std::string(kAutomationService) + " on the session bus");
    }
    m_connection = connection;
    m_serving = true;
    m_clients = new QDBusServiceWatcher(QString(), m_connection, QDBusServiceWatcher::WatchForUnregistration, this);
    connect(m_clients, &QDBusServiceWatcher::serviceUnregistered, this, &TAutomationServer::ClientLeft);
    if (m_startedForAutomation) m_connectionCheck.start();
    RestartIdle();
    return TResult::Ok();
}

void TAutomationServer::SetIdleExit(std::chrono::milliseconds idle)
{
    m_idle.setInterval(idle);
    RestartIdle();
}

void TAutomationServer::Called() { RestartIdle(); }

void TAutomationServer::RestartIdle()
{
    const bool idleEnds = m_startedForAutomation && m_idle.intervalAsDuration().count() > 0;
    if (idleEnds && m_factory.ObjectCount() == 0)
        m_idle.start();
    else
        m_idle.stop();
}

void TAutomationServer::WatchClient(const QString& client)
{
    RestartIdle();
    if (client.isEmpty() || !m_clients || m_clients->watchedServices().contains(client)) return;
    m_clients->addWatchedService(client);
    // A client that left before the watch was in place would keep its objects for ever; the
    // bus answers this question only after it has taken the watch.
    const QDBusReply<bool> onBus = m_connection.interface()->isServiceRegistered(client);
    if (onBus.isValid() && !onBus.value()) ClientLeft(client);
}

void TAutomationServer::ClientLeft(const QString& client)
{
    if (m_clients) m_clients->removeWatchedService(client);
    m_factory.ReleaseClient(ToStdString(client));
    RestartIdle();
}

void TAutomationServer::CheckConnection()
{
    if (!m_connection.isConnected()) End();
}

void TAutomationServer::End()
{
    if (m_ending) return;
    m_ending = true;
    m_idle.stop();
    m_connectionCheck.stop();
    // Queued: the call that released the last object gets its reply first.
    QMetaObject::invokeMethod(this, [this] { emit EndRequested(); }, Qt::QueuedConnection);
}

// ---- Closing the main window ----

void TAutomationServer::GuardMainWindow(QWidget& window)
{
    if (m_window) m_window->removeEventFilter(this);
    m_window = &window;
    window.installEventFilter(this);
}

bool TAutomationServer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window && event->type() == QEvent::Close && !m_ending && m_factory.ObjectCount() > 0 &&
        !m_askClose(ToQString(kComServerWarningCaption), ToQString(kComServerWarningText))) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

bool TAutomationServer::DefaultAskClose(const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Yes | QMessageBox::No, m_window);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace vantor
