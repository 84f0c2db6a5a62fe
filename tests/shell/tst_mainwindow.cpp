#include "windowfixture.h"

#include <QApplication>
#include <QFileInfo>
#include <QTextBlock>
#include <QTextEdit>
#include <QWheelEvent>

namespace {

const QByteArray kDoc = "###Verwendung_der_Dokumentation\r\nSo benutzen Sie den Viewer.\r\n"
                        "---Zugriff\r\n---Datei\r\n"
                        "###Datei\r\nDateien lesen und schreiben.\r\n---Zugriff\r\n---Liste\r\n"
                        "###Zugriff\r\nRechte beim Zugriff auf eine Datei.\r\n"
                        "###Liste\r\nListen.\r\n"
                        "###Verweis\r\nText\r\n---Zugriff\r\n---Datei\r\n";

const QStringList kAllNames{"Datei", "Liste", "Verweis", "Verwendung_der_Dokumentation", "Zugriff"};
const QString kNotFound = QStringLiteral("Fehler: Thema nicht gefunden.");
const QString kStart = QStringLiteral("Verwendung_der_Dokumentation");

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void listsChooseOnlyWhatTheUserChose();
    void standardKeysAndMouseButtons();
    void queryBoxFiltersSearchesAndMarks();
    void missingOrEmptyDocumentation();
    void documentationFileGivenByName();
};

void TestMainWindow::listsChooseOnlyWhatTheUserChose()
{
    WindowFixture f(kDoc);
    QCOMPARE(f.title(), kStart);
    QCOMPARE(f.text()->topicText(), QString("So benutzen Sie den Viewer.\r\n"));
    QCOMPARE(f.relatedList()->entries(), QStringList({"Datei", "Zugriff"})); // sorted
    QCOMPARE(f.topicList()->entries(), kAllNames);
    QCOMPARE(f.topicList()->selectedRow(), -1);
    QVERIFY(!f.enabled("backButton") && !f.enabled("forwardButton"));
    QVERIFY(f.messages.isEmpty());
    // Every control carries its role as object name and a German name for assistive
    // technology (the parts Qt builds inside a control have names of their own).
    int named = 0;
    for (QWidget *c : f.window->findChildren<QWidget *>()) {
        if (!c->objectName().isEmpty() && !c->objectName().startsWith("qt_")) {
            ++named;
            QVERIFY2(!c->accessibleName().isEmpty(), qPrintable(c->objectName()));
        }
    }
    QCOMPARE(named, 26);

    // Choose, back, forward: ">" is disabled while it has the focus, and the focus moving on
    // to the related topics must not open one of them.
    f.choose("Datei");
    QCOMPARE(f.relatedList()->entries(), QStringList({"Liste", "Zugriff"}));
    QVERIFY(f.enabled("backButton") && !f.enabled("forwardButton"));
    f.click("backButton");
    f.click("forwardButton");
    QCOMPARE(f.title(), QString("Datei"));
    QVERIFY(!f.enabled("forwardButton"));
    QCOMPARE(f.relatedList()->selectedRow(), -1);
    f.click("backButton"); // the history is start, Datei and nothing more
    QCOMPARE(f.title(), kStart);
    QVERIFY(!f.enabled("backButton"));
    f.click("forwardButton");
    WindowFixture::clickEntry(f.relatedList(), "Zugriff");
    QCOMPARE(f.title(), QString("Zugriff"));
    QCOMPARE(f.topicList()->entries(), QStringList({"Zugriff"})); // the list holds the request
    f.click("backButton");
    QVERIFY(f.enabled("forwardButton"));

    // A topic that does not exist shows the not-found topic and keeps the related topics.
    f.window->requestTopic("Gibt es nicht");
    QCOMPARE(f.title(), kNotFound);
    QVERIFY(f.text()->topicText().startsWith("Das Thema wurde nicht gefunden."));
    QCOMPARE(f.relatedList()->entries(), QStringList({"Liste", "Zugriff"}));
    QVERIFY(!f.enabled("forwardButton")); // a new topic drops the forward history
    f.click("backButton");
    QCOMPARE(f.title(), QString("Datei"));

    // Tab through every control, twice round: nothing is shown, nothing is chosen.
    f.window->requestTopic(kStart);
    f.text()->setFocus();
    for (int i = 0; i < 40; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(f.title(), kStart);
    QVERIFY(!f.relatedList()->currentIndex().isValid());
    f.click("backButton");
    QCOMPARE(f.title(), QString("Datei")); // the history holds no topic nobody chose

    // The arrow keys choose as a list does; the refilled list then marks nothing.
    f.window->requestTopic(kStart);
    f.press(f.relatedList(), Qt::Key_Down);
    QCOMPARE(f.title(), QString("Datei"));
    QVERIFY(!f.relatedList()->selectionModel()->hasSelection());
    WindowFixture::clickEntry(f.relatedList(), "Liste");
    QCOMPARE(f.title(), QString("Liste"));
    QVERIFY(!f.relatedList()->currentIndex().isValid());

    // Choosing the shown topic again keeps the forward history for the next new topic.
    f.choose("Datei");
    f.choose("Zugriff");
    f.click("backButton");
    QCOMPARE(f.topicList()->entries(), QStringList({"Datei"}));
    WindowFixture::clickEntry(f.topicList(), "Datei"); // already selected
    f.choose("Verweis");
    f.click("forwardButton");
    QCOMPARE(f.title(), QString("Zugriff"));
}

void TestMainWindow::standardKeysAndMouseButtons()
{
    WindowFixture f(kDoc);
    auto press = [&f](QWidget *w, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        f.press(w, key, modifiers);
    };
    QWidget *list = f.topicList()->viewport();
    press(f.text(), Qt::Key_Left, Qt::AltModifier); // "<" is disabled: nothing
    QCOMPARE(f.title(), kStart);
    f.choose("Datei");
    f.choose("Zugriff");
    // Alt+Left and Alt+Right, the Back and Forward keys, and the mouse's own buttons act as
    // "<" and ">", once per press, wherever the focus or the pointer is.
    press(f.relatedList(), Qt::Key_Left, Qt::AltModifier);
    QCOMPARE(f.title(), QString("Datei"));
    QCOMPARE(f.relatedList()->selectedRow(), -1);
    press(f.text(), Qt::Key_Right, Qt::AltModifier);
    QCOMPARE(f.title(), QString("Zugriff"));
    press(f.control("queryBox"), Qt::Key_Back);
    QCOMPARE(f.title(), QString("Datei"));
    press(f.text(), Qt::Key_Forward);
    QCOMPARE(f.title(), QString("Zugriff"));
    QTest::mouseClick(list, Qt::BackButton, {}, QPoint(5, 5));
    QCOMPARE(f.title(), QString("Datei"));
    QTest::mouseClick(f.text()->viewport(), Qt::ForwardButton);
    QCOMPARE(f.title(), QString("Zugriff"));
    QTest::mouseClick(list, Qt::ForwardButton); // ">" is disabled: nothing
    QCOMPARE(f.title(), QString("Zugriff"));

    // The buttons "+" and "-", Ctrl+plus (or =) and Ctrl+minus, and Ctrl+wheel one step per
    // notch set the text size, for later topics too; from 12 points the text is bold.
    auto size = [&f] {
        return f.text()->font().pointSizeF();
    };
    f.click("largerTextButton");
    press(f.text(), Qt::Key_Equal, Qt::ControlModifier);
    QCOMPARE(size(), 12.0);
    QVERIFY(f.text()->font().bold());
    f.click("smallerTextButton");
    f.window->requestTopic("Datei");
    QCOMPARE(size(), 11.0);
    QVERIFY(!f.text()->font().bold());
    press(f.text(), Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(size(), 12.0);
    press(f.text(), Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier);
    QCOMPARE(size(), 11.0);
    auto wheel = [&f](int angle, Qt::KeyboardModifiers modifiers) {
        const QPointF at(20, 20);
        QWheelEvent event(at, f.text()->viewport()->mapToGlobal(at), {}, {0, angle}, Qt::NoButton,
                          modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(f.text()->viewport(), &event);
    };
    wheel(-240, Qt::ControlModifier);
    QCOMPARE(size(), 9.0);
    wheel(60, Qt::ControlModifier); // half a notch: not yet
    QCOMPARE(size(), 9.0);
    wheel(60, Qt::ControlModifier);
    QCOMPARE(size(), 10.0);
    wheel(120, Qt::NoModifier); // scrolls, no zoom
    QCOMPARE(size(), 10.0);
}

void TestMainWindow::queryBoxFiltersSearchesAndMarks()
{
    WindowFixture f(kDoc);
    auto *box = f.control<QLineEdit>("queryBox");
    f.typeQuery("VER");
    QCOMPARE(f.topicList()->entries(), QStringList({"Verweis", "Verwendung_der_Dokumentation"}));
    QTest::keyClick(box, Qt::Key_Space);
    QVERIFY(f.topicList()->entries().isEmpty()); // blanks count like any character

    // Enter on blanks lists every topic without reading the file.
    f.search("   ");
    QCOMPARE(f.topicList()->entries(), kAllNames);
    QVERIFY(f.control("searchProgress")->isHidden());

    // Enter runs the full search: best first, nothing chosen, the shown topic unchanged, and
    // the bar has run from 0 to words x file size.
    f.typeQuery("  Datei   Zugriff ");
    QTest::keyClick(box, Qt::Key_Enter);
    QCOMPARE(f.topicList()->entries().value(0), QString("Zugriff"));
    QVERIFY(f.topicList()->entries().contains("Datei"));
    QCOMPARE(f.topicList()->selectedRow(), -1);
    QCOMPARE(f.title(), kStart);
    auto *bar = f.control<tamo::SearchProgressBar>("searchProgress");
    QVERIFY(bar->isHidden());
    QCOMPARE(bar->rangeEnd(), 2.0 * QFileInfo(f.dir.filePath("tamo.txw")).size());
    QCOMPARE(bar->progress(), bar->rangeEnd());

    // The next key brings the prefix list back; so does gaining the focus.
    f.typeQuery("Z");
    QCOMPARE(f.topicList()->entries(), QStringList({"Zugriff"}));
    box->setText("l");
    f.text()->setFocus();
    box->setFocus();
    QCOMPARE(f.topicList()->entries(), QStringList({"Liste"}));

    // Search hits are marked in the topics chosen from the result.
    auto marks = [&f] {
        QStringList words;
        for (const QTextEdit::ExtraSelection &mark : f.text()->extraSelections())
            words << mark.cursor.selectedText();
        return words;
    };
    f.search("datei");
    WindowFixture::clickEntry(f.topicList(), "Zugriff");
    QCOMPARE(marks(), QStringList({"Datei."}));
    WindowFixture::clickEntry(f.topicList(), "Datei");
    QCOMPARE(marks(), QStringList({"Dateien"}));
    // The marks leave the caret, the selection and the find command alone.
    QCOMPARE(f.text()->selectionLength(), 0);
    f.text()->setFocus();
    f.click("openFindButton");
    f.control<QLineEdit>("findText")->setText("lesen");
    QTest::keyClick(f.control("findText"), Qt::Key_Return);
    QCOMPARE(f.text()->selectedTopicText(), QString("lesen"));
    QCOMPARE(marks(), QStringList({"Dateien"}));

    // Any other display clears them: history, related topic, prefix list.
    f.click("backButton");
    QVERIFY(marks().isEmpty());
    f.click("forwardButton");
    QVERIFY(marks().isEmpty());
    f.choose("Zugriff");
    QVERIFY(marks().isEmpty());

    // A long topic carries marks on the lines in view; scrolled, the others get theirs.
    QByteArray lines = "###Verwendung_der_Dokumentation\r\n";
    for (int i = 0; i < 2000; ++i)
        lines += "eine Datei " + QByteArray::number(i) + "\r\n";
    WindowFixture g(lines);
    g.search("datei");
    WindowFixture::clickEntry(g.topicList(), kStart);
    const auto shown = g.text()->extraSelections();
    QVERIFY(!shown.isEmpty() && shown.size() < 2000);
    QCOMPARE(shown.first().cursor.selectionStart(), 5);
    g.press(g.text(), Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(g.text()->extraSelections().last().cursor.block().text(), QString("eine Datei 1999"));
}

void TestMainWindow::missingOrEmptyDocumentation()
{
    // No start topic, or missing files (created empty): the not-found topic, every name
    // listed, no message.
    for (const QByteArray &doc : {QByteArray("###Anderes\r\nx\r\n"), QByteArray()}) {
        WindowFixture f(doc, QByteArray(), doc.isNull() ? nullptr : "tamo.txw");
        QVERIFY(QFileInfo::exists(f.dir.filePath("tamo.txw")));
        QVERIFY(QFileInfo::exists(f.dir.filePath("tamoini.txt")));
        QCOMPARE(f.title(), kNotFound);
        QCOMPARE(f.topicList()->entries(), doc.isNull() ? QStringList() : QStringList("Anderes"));
        QVERIFY(f.messages.isEmpty());
    }
}

void TestMainWindow::documentationFileGivenByName()
{
    // quarntamo FILE: the file is read whatever its name, from its own directory; the
    // tamoini.txt of the start directory plays no part, and nothing is created.
    WindowFixture f(kDoc, "kein-solches-verzeichnis\r\n", "docs/eigene.txw");
    QCOMPARE(f.title(), kStart);
    QVERIFY(f.messages.isEmpty());
    QCOMPARE(QDir::currentPath(), f.dir.filePath("docs"));
    QCOMPARE(QDir(f.dir.filePath("docs")).entryList(QDir::Files), QStringList("eigene.txw"));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
