// The viewer on the session bus: the one viewer of a session serves the freedesktop
// application interface; a second start hands its request over to it and ends.

#include "shell/viewerservice.h"

#include "shell/mainwindow.h"
#include "std/controlchars.h"
#include "std/textroutines.h"
#include "viewer/topicreader.h"

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <cstdio>

namespace tamo {

namespace {

const QString kInvalidArgs = QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs");
const QString kLimitsExceeded = QStringLiteral("org.freedesktop.DBus.Error.LimitsExceeded");
const QString kApplicationInterface = QStringLiteral("org.freedesktop.Application");
const QString kShowTopicAction = QStringLiteral("show-topic");
const QString kSearchAction = QStringLiteral("search");

// RequestName of the bus: its flag and answers.
constexpr uint kDoNotQueue = 4;
constexpr uint kPrimaryOwner = 1;
constexpr uint kAlreadyOwner = 4;

// Text from a request as a message quotes it: shortened, and every control character shown
// as \x and two hex digits, so that a name cannot steer the terminal that shows the message.
QString quoted(const QString &text)
{
    return QString::fromUtf8(escapeControls(elidedForMessage(text).toUtf8(), LineBreaks::Escaped));
}

// A value of a bus argument as it arrives: plain, or wrapped in a variant.
QVariant unwrapped(const QVariant &value)
{
    if (value.metaType() == QMetaType::fromType<QDBusVariant>())
        return value.value<QDBusVariant>().variant();
    return value;
}

QByteArray tokenOf(const QVariantMap &platformData)
{
    for (const char *key : {"activation-token", "desktop-startup-id"}) {
        const QVariant value = unwrapped(platformData.value(QString::fromLatin1(key)));
        if (value.metaType() == QMetaType::fromType<QString>() && !value.toString().isEmpty())
            return value.toString().toUtf8().left(kLongestRequestText);
    }
    return {};
}

// Where a request asks for another documentation: it must be there, as a directory or a
// regular file. Returns the message where it is not.
QString documentationProblem(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir() || info.isFile())
        return {};
    return QStringLiteral("\u201E%1\u201C gibt es nicht oder ist weder ein Verzeichnis noch eine "
                          "Datei.")
        .arg(quoted(path));
}

uint requestName(QDBusConnection &bus, uint flags, int waitMs)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("RequestName"));
    call << QString::fromLatin1(kBusName) << flags;
    const QDBusMessage reply = bus.call(call, QDBus::Block, std::max(waitMs, 1));
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return 0;
    return reply.arguments().first().toUInt();
}

QDBusMessage busCall(const QString &interface, const QString &method)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(kBusName), QString::fromLatin1(kBusPath), interface, method);
    // Only the running viewer is asked; the bus starts no new one for this call.
    call.setAutoStartService(false);
    return call;
}

QDBusMessage handOverCall(const ViewRequest &request, const QVariantMap &platformData)
{
    QDBusMessage call;
    switch (request.kind) {
    case ViewRequest::Kind::Plain:
        call = busCall(kApplicationInterface, QStringLiteral("Activate"));
        call << platformData;
        break;
    case ViewRequest::Kind::Documentation:
        call = busCall(kApplicationInterface, QStringLiteral("Open"));
        call << QStringList{QUrl::fromLocalFile(request.text).toString(QUrl::FullyEncoded)}
             << platformData;
        break;
    case ViewRequest::Kind::Topic:
    case ViewRequest::Kind::Search:
        call = busCall(kApplicationInterface, QStringLiteral("ActivateAction"));
        call << (request.kind == ViewRequest::Kind::Topic ? kShowTopicAction : kSearchAction)
             << QVariantList{QVariant::fromValue(QDBusVariant(request.text))} << platformData;
        break;
    }
    return call;
}

bool isNoAnswer(const QDBusMessage &reply)
{
    const QString name = reply.errorName();
    return name == u"org.freedesktop.DBus.Error.NoReply" ||
           name == u"org.freedesktop.DBus.Error.Timeout" ||
           name == u"org.freedesktop.DBus.Error.TimedOut";
}

bool isNoViewer(const QDBusMessage &reply)
{
    const QString name = reply.errorName();
    return name == u"org.freedesktop.DBus.Error.ServiceUnknown" ||
           name == u"org.freedesktop.DBus.Error.NameHasNoOwner";
}

void printMessage(const QString &text)
{
    const QByteArray line = "quarntamo: " + text.toUtf8() + '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    std::fflush(stderr);
}

// org.freedesktop.Application, as launchers, gapplication and gdbus call it. Each method takes
// the call's message last (Qt D-Bus passes it, the bus does not see it), to answer a refused
// request with an error.
class ApplicationAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")
public:
    explicit ApplicationAdaptor(ViewerService *service)
        : QDBusAbstractAdaptor(service)
        , m_service(service)
    {}

public slots:
    void Activate(const QVariantMap &platform_data, const QDBusMessage &call)
    {
        QString errorName;
        answer(call, m_service->activate(platform_data, &errorName), errorName);
    }
    void Open(const QStringList &uris, const QVariantMap &platform_data, const QDBusMessage &call)
    {
        QString errorName;
        answer(call, m_service->open(uris, platform_data, &errorName), errorName);
    }
    void ActivateAction(const QString &action_name, const QVariantList &parameter,
                        const QVariantMap &platform_data, const QDBusMessage &call)
    {
        QString errorName;
        answer(call, m_service->activateAction(action_name, parameter, platform_data, &errorName),
               errorName);
    }

private:
    static void answer(const QDBusMessage &call, const QString &error, const QString &errorName)
    {
        if (error.isEmpty())
            return; // Qt D-Bus sends the empty reply
        call.setDelayedReply(true);
        QDBusConnection::sessionBus().send(call.createErrorReply(errorName, error));
    }

    ViewerService *m_service;
};

// What the window shows, read-only: for scripts and editors that want to know where the
// reader is.
class ViewerAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "io.github.quarntamo.QuarnTamo.Viewer")
    Q_PROPERTY(QString ShownTopic READ shownTopic)
    Q_PROPERTY(QString Query READ query)
    Q_PROPERTY(QStringList TopicList READ topicList)
    Q_PROPERTY(QString Documentation READ documentation)
public:
    explicit ViewerAdaptor(ViewerService *service)
        : QDBusAbstractAdaptor(service)
        , m_service(service)
    {}
    QString shownTopic() const { return m_service->shownTopic(); }
    QString query() const { return m_service->query(); }
    QStringList topicList() const { return m_service->topicList(); }
    QString documentation() const { return m_service->documentation(); }

private:
    ViewerService *m_service;
};

} // namespace

QByteArray launcherActivationToken()
{
    for (const char *name : {"XDG_ACTIVATION_TOKEN", "DESKTOP_STARTUP_ID"}) {
        const QByteArray token = qgetenv(name);
        if (!token.isEmpty())
            return token.left(kLongestRequestText);
    }
    return {};
}

QString noSuchTopicMessage(const QString &name)
{
    return QStringLiteral("Kein Thema hei\u00DFt \u201E%1\u201C; gezeigt wird \u201E%2\u201C.")
        .arg(quoted(name), QString::fromUtf16(kNotFoundTitle));
}

ViewerService::ViewerService(QObject *parent)
    : QObject(parent)
{
    new ApplicationAdaptor(this);
    new ViewerAdaptor(this);
}

ViewerService::~ViewerService() = default;

StartOutcome ViewerService::start(const ViewRequest &request, const QByteArray &activationToken)
{
    StartOutcome outcome;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return outcome; // no session bus: this viewer is the only one it can know of
    // The object first, so that calls arriving right after the name is ours find it.
    bus.registerObject(QString::fromLatin1(kBusPath), this, QDBusConnection::ExportAdaptors);

    QVariantMap platformData;
    if (!activationToken.isEmpty()) {
        platformData.insert(QStringLiteral("activation-token"), QString::fromUtf8(activationToken));
        platformData.insert(QStringLiteral("desktop-startup-id"),
                            QString::fromUtf8(activationToken));
    }
    const QDeadlineTimer deadline(kHandOverWaitMs);
    // Twice at most: a viewer that ends between the claim and the hand-over leaves the name
    // free for this one.
    for (int attempt = 0; attempt < 2; ++attempt) {
        const uint claim = requestName(bus, kDoNotQueue, int(deadline.remainingTime()));
        if (claim == kPrimaryOwner || claim == kAlreadyOwner)
            return outcome;
        if (claim == 0)
            return outcome; // the bus itself does not answer: alone, without the name
        const QDBusMessage reply = bus.call(handOverCall(request, platformData), QDBus::Block,
                                            std::max(int(deadline.remainingTime()), 1));
        if (reply.type() == QDBusMessage::ReplyMessage) {
            outcome.handedOver = true;
            if (request.kind == ViewRequest::Kind::Topic) {
                // Shown at once unless the viewer was still loading: then the title tells
                // nothing yet, and nothing is said.
                QDBusMessage get = busCall(QStringLiteral("org.freedesktop.DBus.Properties"),
                                           QStringLiteral("Get"));
                get << QString::fromLatin1(kViewerInterface) << QStringLiteral("ShownTopic");
                const QDBusMessage shown = bus.call(get, QDBus::Block, kHandOverWaitMs);
                const QVariant title =
                    shown.arguments().isEmpty() ? QVariant() : unwrapped(shown.arguments().first());
                if (title.toString() == QString::fromUtf16(kNotFoundTitle)) {
                    outcome.exitCode = 1;
                    outcome.message = noSuchTopicMessage(request.text);
                }
            }
            return outcome;
        }
        if (reply.errorName() == kInvalidArgs || reply.errorName() == kLimitsExceeded) {
            outcome.handedOver = true;
            outcome.exitCode = 1;
            outcome.message = reply.errorMessage();
            return outcome;
        }
        if (!isNoViewer(reply)) {
            outcome.message =
                isNoAnswer(reply)
                    ? QStringLiteral("Der laufende Betrachter antwortet nicht; die Anfrage wird "
                                     "in einem eigenen Fenster gezeigt.")
                    : QStringLiteral("Der laufende Betrachter nimmt die Anfrage nicht an (%1); "
                                     "sie wird in einem eigenen Fenster gezeigt.")
                          .arg(quoted(reply.errorMessage()));
            break;
        }
    }
    // Alone beside a viewer that does not answer: this one takes the name when it is free.
    requestName(bus, 0, kHandOverWaitMs);
    return outcome;
}

void ViewerService::requestAtStart(const ViewRequest &request)
{
    m_pending.append(Pending{request, {}, false});
}

void ViewerService::setWindow(MainWindow *window)
{
    m_window = window;
    showNextPending();
}

QString ViewerService::take(const QList<Pending> &requests, QString *errorName)
{
    if (m_pending.size() + requests.size() > kMostPendingRequests) {
        *errorName = kLimitsExceeded;
        return QStringLiteral("Der Betrachter hat schon %1 Anfragen vor sich; diese wird nicht "
                              "angenommen. Bitte später wiederholen.")
            .arg(m_pending.size());
    }
    m_pending.append(requests);
    // A topic or search is shown before the answer where the window is free, so the caller
    // learns what it shows; another documentation, which may take long to load, and whatever
    // waits behind something else follow in turn from the event loop after the answer.
    if (m_window && !m_busy && m_pending.size() == requests.size()) {
        while (!m_pending.isEmpty() && !m_busy &&
               m_pending.first().request.kind != ViewRequest::Kind::Documentation)
            apply(m_pending.takeFirst());
    }
    if (!m_pending.isEmpty() && m_window && !m_scheduled) {
        m_scheduled = true;
        QTimer::singleShot(0, this, &ViewerService::showNextPending);
    }
    return {};
}

QString ViewerService::activate(const QVariantMap &platformData, QString *errorName)
{
    return take({Pending{ViewRequest{}, tokenOf(platformData), true}}, errorName);
}

QString ViewerService::open(const QStringList &uris, const QVariantMap &platformData,
                            QString *errorName)
{
    *errorName = kInvalidArgs;
    if (uris.size() > kMostPendingRequests)
        return QStringLiteral("Zu viele Verweise auf einmal.");
    QList<Pending> requests;
    const QByteArray token = tokenOf(platformData);
    for (const QString &uri : uris) {
        ViewRequest request;
        if (uri.size() > kLongestLink) {
            return QStringLiteral("Der Verweis ist l\u00E4nger als %1 Zeichen.").arg(kLongestLink);
        } else if (isLink(uri)) {
            request = parseLink(uri);
        } else {
            request.text = localPathOfFileUrl(uri);
            if (request.text.isEmpty())
                return QStringLiteral("\u201E%1\u201C ist weder eine Datei dieses Rechners noch "
                                      "ein quarntamo:-Verweis.")
                    .arg(quoted(uri));
            request.kind = ViewRequest::Kind::Documentation;
            request.error = documentationProblem(request.text);
        }
        if (!request.error.isEmpty())
            return request.error;
        requests.append(Pending{request, token, true});
    }
    if (requests.isEmpty())
        requests.append(Pending{ViewRequest{}, token, true});
    return take(requests, errorName);
}

QString ViewerService::activateAction(const QString &action, const QVariantList &parameter,
                                      const QVariantMap &platformData, QString *errorName)
{
    *errorName = kInvalidArgs;
    ViewRequest request;
    if (action == kShowTopicAction)
        request.kind = ViewRequest::Kind::Topic;
    else if (action == kSearchAction)
        request.kind = ViewRequest::Kind::Search;
    else
        return QStringLiteral("Unbekannte Aktion \u201E%1\u201C; der Betrachter kennt show-topic "
                              "und search.")
            .arg(quoted(action));
    const QVariant value = parameter.size() == 1 ? unwrapped(parameter.first()) : QVariant();
    if (value.metaType() != QMetaType::fromType<QString>())
        return QStringLiteral("Die Aktion %1 erwartet genau eine Zeichenkette.")
            .arg(quoted(action));
    request.text = value.toString();
    request = checkedRequest(request);
    if (!request.error.isEmpty())
        return request.error;
    return take({Pending{request, tokenOf(platformData), true}}, errorName);
}

void ViewerService::apply(const Pending &pending)
{
    m_busy = true;
    const ViewRequest &request = pending.request;
    switch (request.kind) {
    case ViewRequest::Kind::Plain:
        break;
    case ViewRequest::Kind::Topic:
        // A hand-over reports a missing topic to its caller; a start reports it here.
        if (!m_window->showTopicRequest(request.text) && !pending.raise)
            printMessage(noSuchTopicMessage(request.text));
        break;
    case ViewRequest::Kind::Search:
        m_window->searchRequest(request.text);
        break;
    case ViewRequest::Kind::Documentation:
        m_window->openDocumentation(request.text);
        break;
    }
    if (pending.raise && m_window)
        m_window->raiseForRequest(pending.activationToken);
    m_busy = false;
}

void ViewerService::showNextPending()
{
    m_scheduled = false;
    if (!m_window || m_busy || m_pending.isEmpty())
        return;
    apply(m_pending.takeFirst());
    // One request per turn of the event loop: the window repaints and answers in between.
    if (!m_pending.isEmpty()) {
        m_scheduled = true;
        QTimer::singleShot(0, this, &ViewerService::showNextPending);
    }
}

QString ViewerService::shownTopic() const
{
    return m_window ? m_window->shownTopic() : QString();
}

QString ViewerService::query() const
{
    return m_window ? m_window->queryText() : QString();
}

QStringList ViewerService::topicList() const
{
    return m_window ? m_window->topicListEntries() : QStringList();
}

QString ViewerService::documentation() const
{
    return m_window ? m_window->documentationPath() : QString();
}

} // namespace tamo

#include "viewerservice.moc"
