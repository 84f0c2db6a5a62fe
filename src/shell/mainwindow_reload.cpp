// The main window follows the documentation as it is written: a save reloads the topic index,
// the topic list and the shown topic in place, and an edited picture is shown anew.

#include "shell/mainwindow.h"

#include "search/topicsearch.h"
#include "shell/choicelist.h"
#include "shell/topictextview.h"
#include "store/docwatcher.h"
#include "viewer/docreload.h"
#include "viewer/picturechoice.h"
#include "viewer/topicreader.h"

#include <QFileInfo>
#include <QLabel>
#include <QScrollBar>
#include <QTextBlock>
#include <QToolTip>

#include <algorithm>

namespace tamo {

namespace {

const char16_t kDocumentationGone[] =
    u"Die Dokumentationsdatei ist nicht mehr da. Gezeigt wird, was zuletzt gelesen wurde; "
    u"sobald die Datei wieder da ist, wird sie neu gelesen.";

QString unreadableDocumentation(const QString &reason)
{
    return QStringLiteral("Die Dokumentationsdatei kann nicht gelesen werden: %1. Gezeigt "
                          "wird, was zuletzt gelesen wurde.")
        .arg(reason);
}

} // namespace

void MainWindow::followDocumentation()
{
    if (!m_watcher) {
        m_watcher = new DocumentationWatcher(this);
        m_reloader = new DocumentationReloader(this);
        connect(m_watcher, &DocumentationWatcher::documentationChanged, this,
                &MainWindow::reloadDocumentation);
        connect(m_watcher, &DocumentationWatcher::documentationGone, this,
                [this] { reportDocumentationProblem(QString::fromUtf16(kDocumentationGone)); });
        connect(m_watcher, &DocumentationWatcher::picturesChanged, this,
                &MainWindow::refreshPicture);
        connect(m_reloader, &DocumentationReloader::finished, this, &MainWindow::applyReload);
    }
    m_watcher->setDocumentation(m_docPath);
}

void MainWindow::reloadDocumentation()
{
    // The list is made again as it was made: a topic asked for by name stays alone in it.
    TopicListMaker makeList;
    const QString query = m_listQuery;
    if (m_listSource == ListSource::Prefix)
        makeList = [query](const TopicIndex &index) {
            return index.namesStartingWith(query);
        };
    else if (m_listSource == ListSource::Search)
        makeList = [query, path = m_docPath](const TopicIndex &index) {
            return searchTopicList(index, path, query);
        };
    m_reloadListSource = m_listSource;
    m_reloadListQuery = query;
    m_reloadShownName = m_shownName;
    m_reloader->reload(m_docPath, makeList, m_shownName);
}

void MainWindow::applyReload(const ReloadedDocumentation &result)
{
    if (!result.readable) {
        // What was read last stays on display, and the window goes on with it.
        reportDocumentationProblem(unreadableDocumentation(result.error));
        return;
    }
    reportDocumentationProblem({});
    // What is replaced is let go of elsewhere: that is most of the time a reload takes here.
    TopicIndex oldIndex = std::move(m_topicIndex);
    QStringList oldList = m_topicList->entries();
    m_topicIndex = result.index;
    if (m_listSource == m_reloadListSource && m_listQuery == m_reloadListQuery) {
        if (m_listSource != ListSource::Request)
            m_topicList->refill(result.list);
    } else if (m_listSource == ListSource::Prefix) {
        // The user typed while the file was read: the list follows the box as it is now. (A
        // search run meanwhile has read the new file already.)
        m_topicList->refill(m_topicIndex.namesStartingWith(m_listQuery));
    }
    m_reloader->release(std::move(oldIndex), std::move(oldList)); // the last shares of them
    if (m_shownName == m_reloadShownName)
        showReloadedTopic(result.topic);
}

void MainWindow::showReloadedTopic(const TopicContent &topic)
{
    if (m_shownName.isNull())
        return; // nothing shown yet

    // The place in the text: the caret's line and column, and how far the text is scrolled.
    QTextCursor cursor = m_topicText->textCursor();
    const int line = cursor.blockNumber();
    const int column = cursor.positionInBlock();
    const int across = m_topicText->horizontalScrollBar()->value();
    const int down = m_topicText->verticalScrollBar()->value();

    // As a display does it, but a reload is no new display: the history records nothing.
    putTopicOnScreen(topic, RelatedPlace::Kept);

    const QTextDocument *document = m_topicText->document();
    const QTextBlock block =
        document->findBlockByNumber(std::min(line, document->blockCount() - 1));
    cursor.setPosition(block.position() + std::min(column, block.length() - 1));
    m_topicText->setTextCursor(cursor);
    m_topicText->horizontalScrollBar()->setValue(across);
    m_topicText->verticalScrollBar()->setValue(down);

    // A topic shown as missing that is there now takes the place of the error title in the
    // history; a topic gone keeps its name there and shows the not-found topic when reached.
    const QString notFound = QString::fromUtf16(kNotFoundTitle);
    if (topic.found && !m_history.back.isEmpty() && m_history.back.last() == notFound)
        m_history.back.last() = topic.title;

    watchShownPictures();
    refreshPicture();
}

void MainWindow::watchShownPictures()
{
    if (!m_watcher)
        return;
    QStringList paths;
    for (const QString &name : pictureNames(m_topicFullText, DocumentationWatcher::kMostPictures))
        paths.append(QFileInfo(name).absoluteFilePath()); // from the documentation directory
    m_watcher->setPictures(paths);
}

void MainWindow::refreshPicture()
{
    // The picture is read again even where the file looks the same, and at once: a reload is
    // no caret move, which the throttle is for.
    hidePicture();
    m_topicPicture = QImage();
    m_topicPictureKey.clear();
    m_lastPictureRequest = m_clock(); // it counts as a request, as a deferred update does
    updatePicture();
}

void MainWindow::reportDocumentationProblem(const QString &problem)
{
    if (problem == m_docProblem)
        return; // said once
    m_docProblem = problem;
    // The title label carries the note while the problem lasts; it appears once on its own.
    m_topicTitle->setToolTip(problem);
    if (!problem.isEmpty() && isVisible() && !isMinimized())
        QToolTip::showText(m_topicTitle->mapToGlobal(QPoint(0, m_topicTitle->height())), problem,
                           m_topicTitle);
}

} // namespace tamo
