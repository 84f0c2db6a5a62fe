#pragma once

#include "viewer/viewrequest.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QVariantMap>

namespace tamo {

class MainWindow;

// The one viewer of a session on the session bus: it owns this name and serves, at this
// path, the freedesktop interface org.freedesktop.Application (Activate, Open and
// ActivateAction with the actions show-topic and search) and a small read-only interface
// that tells what the window shows.
inline constexpr char kBusName[] = "io.github.quarntamo.QuarnTamo";
inline constexpr char kBusPath[] = "/io/github/quarntamo/QuarnTamo";
inline constexpr char kViewerInterface[] = "io.github.quarntamo.QuarnTamo.Viewer";

// How long a second start waits for the running viewer before it goes on alone.
inline constexpr int kHandOverWaitMs = 1000;

// The most requests the viewer keeps while it cannot show them yet (loading, or a request
// still running); more are refused with a message.
inline constexpr qsizetype kMostPendingRequests = 64;

// The launcher's activation token of this start (XDG_ACTIVATION_TOKEN, else
// DESKTOP_STARTUP_ID), read before the toolkit takes it from the environment.
QByteArray launcherActivationToken();

// The message for a topic request that names no topic.
QString noSuchTopicMessage(const QString &name);

// What a start did on the session bus.
struct StartOutcome {
    bool handedOver = false; // another viewer took the request: this process ends
    int exitCode = 0;        // of this process, where handedOver
    QString message;         // for stderr (German), or empty
};

class ViewerService : public QObject {
    Q_OBJECT
public:
    explicit ViewerService(QObject *parent = nullptr);
    ~ViewerService() override;

    // Claims the bus name for this viewer, or hands request over to the viewer that holds
    // it and waits at most kHandOverWaitMs for its answer. Without a session bus, or without
    // an answer, this process goes on alone (and takes the name once it is free).
    StartOutcome start(const ViewRequest &request, const QByteArray &activationToken);

    // A request of this start itself (a first start with --topic or --search): shown once the
    // window has loaded, without raising it.
    void requestAtStart(const ViewRequest &request);

    // The window that shows the requests, once it has loaded; the kept requests follow in
    // turn.
    void setWindow(MainWindow *window);

    // The bus methods. Each returns an empty text when the request was taken, else the
    // message of the error reply (errorName receives the D-Bus error name).
    QString activate(const QVariantMap &platformData, QString *errorName);
    QString open(const QStringList &uris, const QVariantMap &platformData, QString *errorName);
    QString activateAction(const QString &action, const QVariantList &parameter,
                           const QVariantMap &platformData, QString *errorName);

    // What the window shows (empty before it has loaded).
    QString shownTopic() const;
    QString query() const;
    QStringList topicList() const;
    QString documentation() const;

private:
    struct Pending {
        ViewRequest request;
        QByteArray activationToken;
        bool raise = true;
    };
    QString take(const QList<Pending> &requests, QString *errorName);
    void apply(const Pending &pending);
    void showNextPending();

    QList<Pending> m_pending;
    QPointer<MainWindow> m_window;
    bool m_busy = false;      // a request is being shown (it may open a message box)
    bool m_scheduled = false; // the next pending request is due in the event loop
};

} // namespace tamo
