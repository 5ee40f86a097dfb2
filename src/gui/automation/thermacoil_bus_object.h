#pragma once

// The Thermacoil objects on the session bus: /Thermacoil, the class factory (interface
// "com.korvane.Vantor.ThermacoilFactory") that also carries "IThermacoil" itself, uncounted,
// for one-shot command-line clients; and /Thermacoil/<n>, the objects it created. Every call
// goes through the core façade to the one document, on the user-interface thread.
//
// The subtree is served as a virtual object: it answers Properties.Get/Set/GetAll, the
// methods and Introspect itself, so that a refused put is a D-Bus error carrying the
// refusal's message ("com.korvane.Vantor.Error.Failed"). While a modal window is open a put
// or Solve is refused with "com.korvane.Vantor.Error.Busy" naming the window: the window
// may be an editor whose Cancel would otherwise undo the client's change. Gets are answered.

#include "automation/thermacoil.h"

#include <QDBusMessage>
#include <QDBusVirtualObject>

#include <functional>
#include <optional>

namespace vantor {

class TThermacoilFactory;

inline constexpr char kThermacoilRootPath[] = "/Thermacoil";

class TThermacoilBusObject : public QDBusVirtualObject {
    Q_OBJECT

public:
    TThermacoilBusObject(TThermacoilFactory& factory, TThermacoil& root, QObject* parent = nullptr);

    // The reply to a method call on /Thermacoil or below: a return or an error.
    QDBusMessage Answer(const QDBusMessage& call);

    // The title of the modal window that keeps changes out; empty when none is open. By
    // default the application's active modal window.
    std::function<QString()> BusyWindow;

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

signals:
    // Every call, before it is answered.
    void Called();
    // A client (its unique bus name; empty for a call from inside the program) created an
    // object.
    void ObjectCreated(const QString& client);

private:
    // The object a path names: the root façade, a live object, or nothing.
    TThermacoil* ObjectAt(const QString& path) const;
    QDBusMessage Properties(const QDBusMessage& call, TThermacoil& object);
    QDBusMessage GetProperty(const QDBusMessage& call, TThermacoil& object, const QString& name);
    QDBusMessage SetProperty(const QDBusMessage& call, TThermacoil& object, const QString& name, const QVariant& value);
    QDBusMessage GetAll(const QDBusMessage& call, TThermacoil& object);
    QDBusMessage Solve(const QDBusMessage& call, TThermacoil& object);
    QDBusMessage CreateInstance(const QDBusMessage& call);
    QDBusMessage Release(const QDBusMessage& call);
    // A Busy error while a modal window is open; nothing otherwise.
    std::optional<QDBusMessage> RefuseWhileBusy(const QDBusMessage& call) const;

    TThermacoilFactory& m_factory;
    TThermacoil& m_root;
};

}  // namespace vantor
