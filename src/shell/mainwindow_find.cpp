// The main window's find panel: finding a string in the topic text.

#include "shell/mainwindow.h"

#include "find/findnext.h"
#include "shell/findedit.h"
#include "shell/topictextview.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>

namespace tamo {

namespace {
constexpr char16_t kFindPrompt[] = u"Geben Sie hier den zu suchenden Text ein.";
}

void MainWindow::openFindPanel()
{
    m_findPanel->show();
    m_findPanel->raise();
    m_findText->setText(QString::fromUtf16(kFindPrompt));
    if (m_topicText->selectionLength() != 0)
        m_findText->setText(m_topicText->selectedTopicText());
    else
        m_findText->setSelection(0, int(m_findText->text().size()));
    m_findText->setFocus();
}

void MainWindow::closeFindPanel()
{
    m_findPanel->hide();
}

void MainWindow::findNext()
{
    FindRequest request;
    request.text = m_topicText->topicText();
    request.selStart = m_topicText->selectionStart();
    request.selLength = m_topicText->selectionLength();
    request.search = m_findText->text();
    request.matchCase = m_matchCase->isChecked();
    request.wholeWords = m_wholeWords->isChecked();
    for (std::size_t i = 0; i < m_separatorBoxes.size(); ++i)
        request.flags[i] = m_separatorBoxes[i]->isChecked();

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
