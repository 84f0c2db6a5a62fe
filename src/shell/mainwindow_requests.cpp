// The main window's requests from outside: a topic, a search or another documentation asked
// for by the command line, the session bus or a quarntamo: link, and raising the window.

#include "shell/mainwindow.h"

#include "shell/choicelist.h"
#include "shell/queryedit.h"
#include "shell/topictextview.h"
#include "std/textroutines.h"
#include "viewer/docreload.h"
#include "viewer/topicreader.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>

namespace tamo {

bool MainWindow::showTopicRequest(const QString &name)
{
    // The query box filters the topic list whenever it gains the focus, and it does so when
    // the raised window becomes active: the reader goes on in the text instead.
    if (focusWidget() == m_queryBox)
        m_topicText->setFocus();
    requestTopic(name);
    return m_topicTitle->text() != QString::fromUtf16(kNotFoundTitle);
}

void MainWindow::searchRequest(const QString &query)
{
    // The result stays in the topic list, which takes the focus, so that the raised window's
    // focus does not filter it away.
    m_topicList->setFocus();
    m_queryBox->setText(query);
    onQueryKeyReleased(Qt::Key_Return);
}

void MainWindow::openDocumentation(const QString &fileOrDirectory)
{
    const QFileInfo info(fileOrDirectory);
    if (info.isDir()) {
        if (!QDir::setCurrent(info.absoluteFilePath())) {
            reportLoadProblem(
                QStringLiteral("In das Verzeichnis \u201E%1\u201C kann nicht gewechselt werden.")
                    .arg(elidedForMessage(QDir::toNativeSeparators(info.absoluteFilePath()))));
            return;
        }
        m_docPath.clear(); // found from the directory as at a start there
    } else {
        m_docPath = info.absoluteFilePath();
    }
    m_topicIndex = TopicIndex();
    m_history = History();
    m_resultQuery.clear();
    if (focusWidget() == m_queryBox)
        m_topicText->setFocus();
    loadDocumentation({});
    // A reload of the documentation before still running would hand in the old index: a
    // reload of this one takes its place (only the newest reload is delivered).
    if (m_reloader && m_reloader->isRunning())
        reloadDocumentation();
    updateHistoryButtons();
}

void MainWindow::raiseForRequest(const QByteArray &activationToken)
{
    // Wayland hands the focus only to a window activated with the launcher's token; Qt takes
    // it from the environment when the window asks to be activated.
    if (!activationToken.isEmpty())
        qputenv("XDG_ACTIVATION_TOKEN", activationToken);
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

QString MainWindow::shownTopic() const
{
    return m_topicTitle->text();
}

QString MainWindow::queryText() const
{
    return m_queryBox->text();
}

QStringList MainWindow::topicListEntries() const
{
    return m_topicList->entries();
}

} // namespace tamo
