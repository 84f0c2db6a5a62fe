// The main window's search panel: finding a string in the topic text.

#include "shell/form1.h"

#include "find/findnext.h"

namespace {
const char16_t kSearchHint[] = u"Geben Sie hier den zu suchenden Text ein.";
}

void Form1::Command5_Click()
{
    Frame1->show();
    Frame1->raise();
    Text3->setText(QString::fromUtf16(kSearchHint));
    if (Text1->SelLength() != 0)
        Text3->setText(Text1->SelText());
    else
        Text3->setSelection(0, int(Text3->text().size()));
    Text3->setFocus();
}

void Form1::Command6_Click()
{
    Frame1->hide();
}

void Form1::Command7_Click()
{
    FindRequest request;
    request.text = Text1->text();
    request.selStart = Text1->SelStart();
    request.selLength = Text1->SelLength();
    request.search = Text3->text();
    request.matchCase = Check1->isChecked();
    request.wholeWords = Check4->isChecked();
    for (int i = 0; i < 5; ++i)
        request.flags[i] = Check2[i]->isChecked();

    const FindOutcome outcome = findNext(request);
    // Setting the selection brings it into view; an unchanged selection is left alone.
    if (outcome.found || outcome.selStart != request.selStart ||
        outcome.selLength != request.selLength)
        Text1->setSelection(outcome.selStart, outcome.selLength);
    if (!outcome.found && messageBox)
        messageBox(QStringLiteral("Die Zeichenfolge wurde nicht gefunden."),
                   QStringLiteral("Suchen"));
}

bool Form1::IsWholeWordSelection() const
{
    SeparatorFlags flags{};
    for (int i = 0; i < 5; ++i)
        flags[i] = Check2[i]->isChecked();
    return ::IsWholeWordSelection(Text1->text(), Text1->SelStart(), Text1->SelLength(), flags);
}

void Form1::Form_KeyDown(int keyCode, int shift)
{
    runFindKeyAction(formKeyAction(keyCode, shift));
}

void Form1::Text3_KeyDown(int keyCode, int shift)
{
    runFindKeyAction(searchBoxKeyAction(keyCode, shift));
}

void Form1::runFindKeyAction(FindKeyAction action)
{
    switch (action) {
    case FindKeyAction::FindNext:
        Command7_Click();
        break;
    case FindKeyAction::FindSelection:
        Command5_Click();
        Command6_Click();
        Command7_Click();
        break;
    case FindKeyAction::CloseSearchPanel:
        Command6_Click();
        break;
    case FindKeyAction::None:
        break;
    }
}
