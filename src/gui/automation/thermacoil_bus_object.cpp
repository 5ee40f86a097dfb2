#include "gui/automation/thermacoil_bus_object.h"

#include "automation/thermacoil_factory.h"
#include "gui/automation/thermacoil_introspection.h"
#include "gui/common/qt_text.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QWidget>

#include <initializer_list>

namespace vantor {

namespace {

const QString kIntrospectable = QStringLiteral("org.freedesktop.DBus.Introspectable");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
const QString kUnknownObject = QStringLiteral("org.freedesktop.DBus.Error.UnknownObject");
const QString kUnknownInterface = QStringLiteral("org.freedesktop.DBus.Error.UnknownInterface");
const QString kUnknownMethod = QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod");
const QString kUnknownProperty = QStringLiteral("org.freedesktop.DBus.Error.UnknownProperty");
const QString kPropertyReadOnly = QStringLiteral("org.freedesktop.DBus.Error.PropertyReadOnly");
const QString kInvalidArgs = QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs");

QString Text(std::string_view text) { return ToQString(text); }

QString ActiveModalWindowTitle()
{
    const QWidget* window = QApplication::activeModalWidget();
    if (!window) return {};
    if (!window->windowTitle().isEmpty()) return window->windowTitle();
    return window->objectName().isEmpty() ? QString::fromLatin1(window->metaObject()->className())
                                          : window->objectName();
}

// The call's arguments have these D-Bus types, in order.
bool HasArguments(const QDBusMessage& call, std::initializer_list<int> types)
{
    const QList<QVariant> arguments = call.arguments();
    if (arguments.size() != static_cast<qsizetype>(types.size())) return false;
    qsizetype index = 0;
    for (const int type : types)
        if (arguments[index++].metaType().id() != type) return false;
    return true;
}

QDBusMessage WrongArguments(const QDBusMessage& call, const char* expected)
{
    return call.createErrorReply(kInvalidArgs,
                                 QStringLiteral("%1 takes (%2)").arg(call.member(), QString::fromLatin1(expected)));
}

// An integer of any width passes as a number: command-line clients and many script
// bindings send 80 for 80.0.
std::optional<TAutomationValue> MemberValue(const QVariant& value, TAutomationType type)
{
    const int id = value.metaType().id();
    if (type == TAutomationType::String) {
        if (id == QMetaType::QString) return TAutomationValue(ToStdString(value.toString()));
        return std::nullopt;
    }
    switch (id) {
    case QMetaType::Double:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::UChar:
        return TAutomationValue(value.toDouble());
    default:
        return std::nullopt;
    }
}

QVariant BusValue(const TAutomationValue& value)
{
    if (const auto* text = std::get_if<std::string>(&value)) return ToQString(*text);
    if (const auto* number = std::get_if<double>(&value)) return *number;
    if (const auto* flag = std::get_if<bool>(&value)) return *flag;
    if (const auto* texts = std::get_if<std::vector<std::string>>(&value)) {
        QStringList list;
        for (const std::string& text : *texts) list << ToQString(text);
        return list;
    }
    return static_cast<int>(std::get<std::int32_t>(value));
}

// The n of "/Thermacoil/<n>"; "/Thermacoil/01" is not the path of object 1.
std::optional<int> InstanceId(const QString& path)
{
    const QString prefix = QLatin1String(kThermacoilRootPath) + u'/';
    if (!path.startsWith(prefix)) return std::nullopt;
    const QString number = path.mid(prefix.size());
    bool ok = false;
    const int id = number.toInt(&ok);
    if (!ok || id <= 0 || QString::number(id) != number) return std::nullopt;
    return id;
}

QDBusMessage Failed(const QDBusMessage& call, const TResult& result)
{
    return call.createErrorReply(Text(kFailedError), ToQString(result.Message));
}

}  // namespace

TThermacoilBusObject::TThermacoilBusObject(TThermacoilFactory& factory, TThermacoil& root, QObject* parent)
    : QDBusVirtualObject(parent), BusyWindow(ActiveModalWindowTitle), m_factory(factory), m_root(root)
{
}

bool TThermacoilBusObject::handleMessage(const QDBusMessage& message, const QDBusConnection& connection)
{
    if (message.type() != QDBusMessage::MethodCallMessage) return false;
    const QDBusMessage reply = Answer(message);
    if (message.isReplyRequired()) connection.send(reply);
    return true;
}

QString TThermacoilBusObject::introspect(const QString& path) const
{
    return ToQString(ThermacoilInterfaces(path == QLatin1String(kThermacoilRootPath)));
}

TThermacoil* TThermacoilBusObject::ObjectAt(const QString& path) const
{
    if (path == QLatin1String(kThermacoilRootPath)) return &m_root;
    const std::optional<int> id = InstanceId(path);
    return id ? m_factory.Instance(*id) : nullptr;
}

QDBusMessage TThermacoilBusObject::Answer(const QDBusMessage& call)
{
    emit Called();
    const QString path = call.path();
    TThermacoil* object = ObjectAt(path);
    if (!object) return call.createErrorReply(kUnknownObject, tr("No Thermacoil object %1").arg(path));
    const bool root = object == &m_root;
    const QString interface = call.interface();
    const QString member = call.member();

    if (interface == kIntrospectable && member == QLatin1String("Introspect")) {
        if (!HasArguments(call, {})) return WrongArguments(call, "");
        return call.createReply(ToQString(ThermacoilIntrospection(root, root ? m_factory.InstanceIds() : std::vector<int>{})));
    }
    if (interface == kProperties) return Properties(call, *object);

    const bool thermacoil = interface.isEmpty() || interface == Text(kAutomationInterface);
    const bool factory = root && (interface.isEmpty() || interface == Text(kFactoryInterface));
    if (thermacoil && member == QLatin1String("Solve")) return Solve(call, *object);
    if (factory && member == QLatin1String("CreateInstance")) return CreateInstance(call);
    if (factory && member == QLatin1String("Release")) return Release(call);
    if (thermacoil || factory)
        return call.createErrorReply(kUnknownMethod, tr("No method %1 on %2").arg(member, path));
    return call.createErrorReply(kUnknownInterface, tr("No interface %1 on %2").arg(interface, path));
}

std::optional<QDBusMessage> TThermacoilBusObject::RefuseWhileBusy(const QDBusMessage& call) const
{
    const QString window = BusyWindow ? BusyWindow() : QString();
    if (window.isEmpty()) return std::nullopt;
    return call.createErrorReply(Text(kBusyError),
                                 tr("The window \"%1\" is open in Vantor; close it, then call again.").arg(window));
}

// ---- Properties ----

QDBusMessage TThermacoilBusObject::Properties(const QDBusMessage& call, TThermacoil& object)
{
    const QString member = call.member();
    const bool get = member == QLatin1String("Get");
    const bool set = member == QLatin1String("Set");
    if (!get && !set && member != QLatin1String("GetAll"))
        return call.createErrorReply(kUnknownMethod, tr("No method %1 on %2").arg(member, kProperties));
    const int text = QMetaType::QString;
    if (get && !HasArguments(call, {text, text})) return WrongArguments(call, "ss");
    if (set && !HasArguments(call, {text, text, qMetaTypeId<QDBusVariant>()})) return WrongArguments(call, "ssv");
    if (!get && !set && !HasArguments(call, {text})) return WrongArguments(call, "s");
    const QList<QVariant> arguments = call.arguments();

    // An empty interface name asks for the property wherever it is.
    const QString interface = arguments[0].toString();
    const bool root = &object == &m_root;
    const bool factory = root && interface == Text(kFactoryInterface);
    if (!interface.isEmpty() && !factory && interface != Text(kAutomationInterface))
        return call.createErrorReply(kUnknownInterface, tr("No interface %1 on %2").arg(interface, call.path()));
    if (!get && !set) return factory ? call.createReply(QVariant::fromValue(QVariantMap())) : GetAll(call, object);
    // The factory interface has no properties.
    const QString name = factory ? QString() : arguments[1].toString();
    if (get) return GetProperty(call, object, name);
    return SetProperty(call, object, name, arguments[2].value<QDBusVariant>().variant());
}

QDBusMessage TThermacoilBusObject::GetProperty(const QDBusMessage& call, TThermacoil& object, const QString& name)
{
    const TThermacoilProperty* property = FindThermacoilProperty(ToStdString(name));
    if (!property) return call.createErrorReply(kUnknownProperty, tr("No property %1").arg(call.arguments()[1].toString()));
    TAutomationValue value;
    if (const TResult got = object.Get(property->Name, value); !got) return Failed(call, got);
    return call.createReply(QVariant::fromValue(QDBusVariant(BusValue(value))));
}

QDBusMessage TThermacoilBusObject::SetProperty(const QDBusMessage& call, TThermacoil& object, const QString& name,
                                               const QVariant& value)
{
    const TThermacoilProperty* property = FindThermacoilProperty(ToStdString(name));
    if (!property) return call.createErrorReply(kUnknownProperty, tr("No property %1").arg(call.arguments()[1].toString()));
    if (!property->Writable) return call.createErrorReply(kPropertyReadOnly, tr("%1 is read-only").arg(name));
    if (auto busy = RefuseWhileBusy(call)) return *busy;
    const std::optional<TAutomationValue> given = MemberValue(value, property->Type);
    if (!given)
        return call.createErrorReply(kInvalidArgs, property->Type == TAutomationType::String
                                                       ? tr("%1: a text is expected").arg(name)
                                                       : tr("%1: a number is expected").arg(name));
    if (const TResult put = object.Put(property->Name, *given); !put) return Failed(call, put);
    return call.createReply();
}

QDBusMessage TThermacoilBusObject::GetAll(const QDBusMessage& call, TThermacoil& object)
{
    QVariantMap values;
    for (const TThermacoilProperty& property : ThermacoilProperties()) {
        TAutomationValue value;
        if (const TResult got = object.Get(property.Name, value); !got) return Failed(call, got);
        values.insert(ToQString(property.Name), BusValue(value));
    }
    return call.createReply(QVariant::fromValue(values));
}

// ---- Methods ----

QDBusMessage TThermacoilBusObject::Solve(const QDBusMessage& call, TThermacoil& object)
{
    if (!HasArguments(call, {})) return WrongArguments(call, "");
    if (auto busy = RefuseWhileBusy(call)) return *busy;
    double duty = 0;
    if (const TResult solved = object.Solve(duty); !solved) return Failed(call, solved);
    return call.createReply(duty);
}

QDBusMessage TThermacoilBusObject::CreateInstance(const QDBusMessage& call)
{
    if (!HasArguments(call, {})) return WrongArguments(call, "");
    const QString client = call.service();
    const int id = m_factory.CreateInstance(ToStdString(client));
    const QDBusMessage reply =
        call.createReply(QVariant::fromValue(QDBusObjectPath(QLatin1String(kThermacoilRootPath) + u'/' + QString::number(id))));
    emit ObjectCreated(client);
    return reply;
}

QDBusMessage TThermacoilBusObject::Release(const QDBusMessage& call)
{
    QString path;
    if (HasArguments(call, {qMetaTypeId<QDBusObjectPath>()}))
        path = call.arguments()[0].value<QDBusObjectPath>().path();
    else if (HasArguments(call, {QMetaType::QString}))
        path = call.arguments()[0].toString();
    else
        return WrongArguments(call, "o");
    const std::optional<int> id = InstanceId(path);
    switch (id ? m_factory.Release(*id, ToStdString(call.service())) : TThermacoilFactory::TRelease::NoObject) {
    case TThermacoilFactory::TRelease::Released:
        return call.createReply();
    case TThermacoilFactory::TRelease::OtherClient:
        return call.createErrorReply(Text(kFailedError), tr("%1 belongs to another client").arg(path));
    case TThermacoilFactory::TRelease::NoObject:
        break;
    }
    return call.createErrorReply(kUnknownObject, tr("No Thermacoil object %1").arg(path));
}

}  // namespace vantor
