// The main window's topic display, history, related topics and query box.

#include "shell/form1.h"

#include "search/fullsearch.h"
#include "search/query.h"
#include "std/textlist.h"
#include "store/docreader.h"
#include "viewer/history.h"
#include "viewer/topicreader.h"

namespace {

// The progress bar over the query box while a full search runs.
class BarProgress : public SearchProgress {
public:
    BarProgress(ProgressBar *bar, std::function<double()> clock)
        : m_bar(bar)
        , m_clock(std::move(clock))
    {}
    double now() override { return m_clock(); }
    void start(double maximum) override
    {
        m_bar->show();
        m_bar->raise();
        m_bar->setMin(0);
        m_bar->setMax(maximum);
        m_bar->setValue(0);
    }
    void update(double value) override
    {
        m_bar->setValue(value);
        m_bar->Refresh();
    }
    void finish() override { m_bar->hide(); }

private:
    ProgressBar *m_bar;
    std::function<double()> m_clock;
};

} // namespace

void Form1::List2_Click()
{
    Picture1->hide();
    Text1->resize(795, Text1->height());
    Text1->show();
    List1->show();
    Label1->show();
    Label2->show();

    const int selected = List2->ListIndex();
    if (selected < 0)
        return; // nothing chosen: nothing to show
    const QString name = List2->List(selected);

    DocReader reader;
    reader.open(docPath); // a file gone since loading reads as empty: the error topic
    const TopicContent topic = readTopic(reader, topicIndex, name);

    if (topic.found) {
        SortedTextList related;
        for (const QString &r : topic.related)
            related.add(r);
        List1->setItems(related.items());
    }
    Text1->setText(topic.shownText);
    Label1->setText(topic.title);
    TopicFullText = topic.fullText;
    Text1_KeyUp(0, 0);
    reader.close();

    history::recordShownTopic(List5, List6, topic.title);
    Command2->setEnabled(history::canGoForward(List6));
    Command1->setEnabled(history::canGoBack(List5));
}

void Form1::RequestTopic(const QString &title)
{
    List2->Clear();
    List2->AddItem(title);
    List2->setListIndex(0);
}

void Form1::Command1_Click()
{
    if (!history::canGoBack(List5))
        return;
    RequestTopic(history::beginBack(List5, List6));
    history::endNavigation(List6);
}

void Form1::Command2_Click()
{
    if (!history::canGoForward(List6))
        return;
    RequestTopic(history::beginForward(List5, List6));
    history::endNavigation(List6);
}

void Form1::List1_Click()
{
    const int selected = List1->ListIndex();
    if (selected >= 0)
        RequestTopic(List1->List(selected));
}

void Form1::Text2_KeyUp(int keyCode, int shift)
{
    Q_UNUSED(shift);
    if (keyCode != 13) {
        List2->setItems(topicIndex.namesStartingWith(Text2->text()));
        return;
    }
    const QString query = normaliseQuery(Text2->text());
    if (query.isEmpty()) {
        List2->setItems(topicIndex.names);
        return;
    }
    BarProgress progress(ProgressBar1, m_clock);
    List4 = fullSearch(docPath, query, &progress);
    QStringList names;
    names.reserve(List4.size());
    for (const RankedTopic &t : List4)
        names.append(t.name);
    List2->setItems(names);
}

void Form1::Text2_GotFocus()
{
    Text2_KeyUp(0, 0);
}
