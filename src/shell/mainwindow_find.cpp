// The main window's find panel: finding a string in the topic text.

#include "shell/mainwindow.h"

#include "find/findnext.h"
#include "shell/findpanel.h"
#include "shell/topictextview.h"

namespace tamo {

void MainWindow::openFindPanel()
{
    m_findPanel->open(m_topicText->selectedTopicText());
}

void MainWindow::closeFindPanel()
{
    m_findPanel->hide();
}

void MainWindow::findNext()
{
    const FindRequest request = m_findPanel->request(
        m_topicText->topicText(), m_topicText->selectionStart(), m_topicText->selectionLength());
    const FindOutcome outcome = tamo::findNext(request);
    // Setting the selection brings it into view; an unchanged selection is left alone.
    if (outcome.found || outcome.selStart != request.selStart ||
        outcome.selLength != request.selLength)
        m_topicText->selectRange(outcome.selStart, outcome.selLength);
    if (!outcome.found)
        m_messages(QStringLiteral("Die Zeichenfolge wurde nicht gefunden."),
                   QStringLiteral("Suchen"));
}

void MainWindow::onWindowKey(int key, Qt::KeyboardModifiers modifiers)
{
    runFindKeyAction(windowKeyAction(key, modifiers));
}

void MainWindow::onFindTextKey(int key, Qt::KeyboardModifiers modifiers)
{
    runFindKeyAction(searchBoxKeyAction(key, modifiers));
}

void MainWindow::runFindKeyAction(FindKeyAction action)
{
    switch (action) {
    case FindKeyAction::FindNext:
        findNext();
        break;
    case FindKeyAction::FindSelection:
        openFindPanel();
        closeFindPanel();
        findNext();
        break;
    case FindKeyAction::CloseSearchPanel:
        closeFindPanel();
        break;
    case FindKeyAction::None:
        break;
    }
}

} // namespace tamo
