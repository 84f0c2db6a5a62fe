// The main window's topic display, history, related topics and query box.

#include "shell/mainwindow.h"

#include "search/fullsearch.h"
#include "search/query.h"
#include "search/searchhits.h"
#include "search/topicsearch.h"
#include "shell/choicelist.h"
#include "shell/layout.h"
#include "shell/queryedit.h"
#include "shell/searchprogressbar.h"
#include "shell/topictextview.h"
#include "store/docreader.h"
#include "viewer/topicreader.h"

#include <QLabel>
#include <QPushButton>

namespace tamo {

namespace {

// The progress bar over the query box while a full search runs.
class BarProgress : public SearchProgress {
public:
    BarProgress(SearchProgressBar *bar, Clock clock)
        : m_bar(bar)
        , m_clock(std::move(clock))
    {}
    double now() override { return m_clock(); }
    void start(double maximum) override
    {
        m_bar->show();
        m_bar->raise();
        m_bar->setProgressRange(0, maximum);
        m_bar->setProgress(0);
    }
    void update(double value) override
    {
        // The bar repaints itself at once (the search does not return to the event loop until
        // it ends) whenever the new value shows; a query of thousands of words reaches
        // thousands of pass starts at once, and repainting each alike would take seconds.
        m_bar->setProgress(value);
    }
    void finish() override { m_bar->hide(); }

private:
    SearchProgressBar *m_bar;
    Clock m_clock;
};

} // namespace

void MainWindow::showSelectedTopic()
{
    hidePicture();
    m_topicText->show();
    m_relatedList->show();
    m_topicTitle->show();
    m_relatedLabel->show();

    if (m_topicList->selectedRow() < 0)
        return; // nothing chosen: nothing to show
    const QString name = m_topicList->selectedEntry();
    m_shownName = name;

    DocReader reader;
    reader.open(m_docPath); // a file gone since loading reads as empty: the not-found topic
    const TopicContent topic = readTopic(reader, m_topicIndex, name);
    reader.close();

    putTopicOnScreen(topic, RelatedPlace::Fresh);
    watchShownPictures();
    requestPictureUpdate();

    m_history.recordShownTopic(topic.title);
    updateHistoryButtons();
}

void MainWindow::putTopicOnScreen(const TopicContent &topic, RelatedPlace related)
{
    if (topic.found) {
        if (related == RelatedPlace::Kept)
            m_relatedList->refill(topic.related);
        else
            m_relatedList->setEntries(topic.related);
    }
    m_topicText->setTopicText(topic.shownText);
    if (!m_resultQuery.isEmpty())
        m_topicText->setMarks(searchHits(topic.shownText, m_resultQuery));
    m_topicTitle->setText(shownName(topic.title));
    // Screen readers know the shown topic by the title's name; a new name is announced to them
    // (the accessibility event for a changed name).
    m_topicTitle->setAccessibleName(m_topicTitle->text());
    m_topicFullText = topic.fullText;
}

void MainWindow::updateHistoryButtons()
{
    // A button that disables itself while it has the focus would pass the focus on to the next
    // control, the related topics, where the next arrow key opens a topic. The topic text that
    // "<" or ">" has just changed takes it instead.
    const QWidget *focus = focusWidget();
    if ((focus == m_forwardButton && !m_history.canGoForward()) ||
        (focus == m_backButton && !m_history.canGoBack()))
        m_topicText->setFocus(Qt::OtherFocusReason);
    m_forwardButton->setEnabled(m_history.canGoForward());
    m_backButton->setEnabled(m_history.canGoBack());
}

void MainWindow::requestTopic(const QString &name)
{
    m_resultQuery.clear();
    m_listSource = ListSource::Request;
    m_topicList->setEntries({name});
    m_topicList->selectRow(0);
}

void MainWindow::goBack()
{
    if (!m_history.canGoBack())
        return;
    requestTopic(m_history.beginBack());
    m_history.endNavigation();
}

void MainWindow::goForward()
{
    if (!m_history.canGoForward())
        return;
    requestTopic(m_history.beginForward());
    m_history.endNavigation();
}

void MainWindow::openRelatedTopic()
{
    if (m_relatedList->selectedRow() >= 0)
        requestTopic(m_relatedList->selectedEntry());
}

void MainWindow::onQueryKeyReleased(int key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        runFullSearch();
    else
        filterTopicList();
}

void MainWindow::onQueryFocused()
{
    filterTopicList();
}

void MainWindow::filterTopicList()
{
    m_resultQuery.clear();
    m_listSource = ListSource::Prefix;
    m_listQuery = m_queryBox->text();
    m_topicList->setEntries(m_topicIndex.namesStartingWith(m_listQuery));
}

void MainWindow::runFullSearch()
{
    BarProgress progress(m_searchProgress, m_clock);
    m_listSource = ListSource::Search;
    m_listQuery = m_queryBox->text();
    m_topicList->setEntries(searchTopicList(m_topicIndex, m_docPath, m_listQuery, &progress));
    m_resultQuery = normaliseQuery(m_queryBox->text());
}

} // namespace tamo
