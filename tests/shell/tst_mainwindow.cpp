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

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void startUp();
    void navigationThroughButtonsAndRelatedTopics();
    void listsChooseOnlyWhatTheUserChose();
    void standardKeysAndMouseButtons();
    void searchHitsMarkedUntilAnotherDisplay();
    void missingOrUnusableDocumentation();
    void documentationFileGivenByName();
    void queryBoxFiltersAndSearches();
};

void TestMainWindow::startUp()
{
    WindowFixture f(kDoc);
    QCOMPARE(f.title(), QString("Verwendung_der_Dokumentation"));
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
}

void TestMainWindow::navigationThroughButtonsAndRelatedTopics()
{
    WindowFixture f(kDoc);
    f.choose("Datei");
    QCOMPARE(f.title(), QString("Datei"));
    QCOMPARE(f.relatedList()->entries(), QStringList({"Liste", "Zugriff"}));
    QVERIFY(f.enabled("backButton") && !f.enabled("forwardButton"));
    WindowFixture::clickEntry(f.relatedList(), "Zugriff");
    QCOMPARE(f.title(), QString("Zugriff"));
    QCOMPARE(f.topicList()->entries(), QStringList({"Zugriff"})); // the list holds the request
    QVERIFY(f.relatedList()->entries().isEmpty());                // Zugriff has none
    f.click("backButton");
    QCOMPARE(f.title(), QString("Datei"));
    QVERIFY(f.enabled("forwardButton"));

    // A topic that does not exist shows the not-found topic and keeps the related topics.
    f.window->requestTopic("Gibt es nicht");
    QCOMPARE(f.title(), kNotFound);
    QVERIFY(f.text()->topicText().startsWith("Das Thema wurde nicht gefunden."));
    QCOMPARE(f.relatedList()->entries(), QStringList({"Liste", "Zugriff"}));
    QVERIFY(!f.enabled("forwardButton")); // a new topic drops the forward history
    f.click("backButton");
    QCOMPARE(f.title(), QString("Datei"));
}

void TestMainWindow::listsChooseOnlyWhatTheUserChose()
{
    WindowFixture f(kDoc);
    const QString start = "Verwendung_der_Dokumentation";
    // Choose, back, forward: ">" is disabled while it has the focus, and the focus moving on
    // to the related topics must not open one of them.
    f.choose("Zugriff");
    f.click("backButton");
    QCOMPARE(f.title(), start);
    f.click("forwardButton");
    QCOMPARE(f.title(), QString("Zugriff"));
    QVERIFY(!f.enabled("forwardButton"));
    QCOMPARE(f.relatedList()->selectedRow(), -1);
    f.click("backButton"); // the history is start, Zugriff and nothing more
    QCOMPARE(f.title(), start);
    QVERIFY(!f.enabled("backButton"));
    f.click("forwardButton");
    QCOMPARE(f.title(), QString("Zugriff"));

    // Tab through every control, twice round: nothing is shown, nothing is chosen.
    f.window->requestTopic(start);
    f.text()->setFocus();
    for (int i = 0; i < 40; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(f.title(), start);
    QCOMPARE(f.relatedList()->selectedRow(), -1);
    QVERIFY(!f.relatedList()->currentIndex().isValid());
    f.click("backButton");
    QCOMPARE(f.title(), QString("Zugriff")); // the history holds no topic nobody chose

    // Alt+Left in the related topics moves nothing there.
    f.relatedList()->setFocus();
    QTest::keyClick(f.relatedList(), Qt::Key_Down, Qt::AltModifier);
    QTest::keyClick(f.relatedList(), Qt::Key_Left, Qt::AltModifier);
    QCOMPARE(f.relatedList()->selectedRow(), -1);
    // The arrow keys choose as a list does; the refilled list then marks nothing.
    f.window->requestTopic(start);
    f.relatedList()->setFocus();
    QTest::keyClick(f.relatedList(), Qt::Key_Down);
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
    QVERIFY(f.enabled("forwardButton"));
    f.click("forwardButton");
    QCOMPARE(f.title(), QString("Zugriff"));
}

void TestMainWindow::standardKeysAndMouseButtons()
{
    WindowFixture f(kDoc);
    const QString start = "Verwendung_der_Dokumentation";
    QWidget *list = f.topicList()->viewport();
    // Keys reach the window through the control that has the focus.
    auto press = [](QWidget *w, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        w->setFocus();
        QTest::keyClick(w, key, modifiers);
    };
    press(f.text(), Qt::Key_Left, Qt::AltModifier); // "<" is disabled: nothing
    QCOMPARE(f.title(), start);
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

    // Ctrl+F opens the find panel with the focus in its box.
    press(f.text(), Qt::Key_F, Qt::ControlModifier);
    QVERIFY(f.control("findPanel")->isVisible());
    QVERIFY(f.control("findText")->hasFocus());
    press(f.control("findText"), Qt::Key_Escape);

    // Ctrl+plus (or =) and Ctrl+minus, and Ctrl+wheel one step per notch, act as "+" and "-".
    auto size = [&f] {
        return f.text()->font().pointSizeF();
    };
    press(f.text(), Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(size(), 11.0);
    press(f.text(), Qt::Key_Equal, Qt::ControlModifier);
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

void TestMainWindow::searchHitsMarkedUntilAnotherDisplay()
{
    WindowFixture f(kDoc);
    auto marks = [&f] {
        QStringList words;
        for (const QTextEdit::ExtraSelection &mark : f.text()->extraSelections())
            words << mark.cursor.selectedText();
        return words;
    };
    f.typeQuery("datei");
    QTest::keyClick(f.control("queryBox"), Qt::Key_Return);
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
    g.typeQuery("datei");
    QTest::keyClick(g.control("queryBox"), Qt::Key_Return);
    WindowFixture::clickEntry(g.topicList(), "Verwendung_der_Dokumentation");
    const auto shown = g.text()->extraSelections();
    QVERIFY(!shown.isEmpty() && shown.size() < 2000);
    QCOMPARE(shown.first().cursor.selectionStart(), 5);
    g.text()->setFocus();
    QTest::keyClick(g.text(), Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(g.text()->extraSelections().last().cursor.block().text(), QString("eine Datei 1999"));
}

void TestMainWindow::missingOrUnusableDocumentation()
{
    // No start topic, or an empty file: the not-found topic, every name listed, no message.
    for (const QByteArray &doc : {QByteArray("###Anderes\r\nx\r\n"), QByteArray()}) {
        WindowFixture f(doc);
        QCOMPARE(f.title(), kNotFound);
        QCOMPARE(f.topicList()->entries(), doc.isEmpty() ? QStringList() : QStringList("Anderes"));
        QVERIFY(f.messages.isEmpty());
    }

    // Missing files are created empty.
    WindowFixture missing(QByteArray(), QByteArray(), false);
    QVERIFY(QFileInfo::exists(missing.dir.filePath("tamo.txw")));
    QVERIFY(QFileInfo::exists(missing.dir.filePath("tamoini.txt")));
    QCOMPARE(missing.title(), kNotFound);

    // A settings file naming a missing directory: one message naming it, an empty index, and
    // the window goes on.
    WindowFixture unusable(kDoc, "kein-solches-verzeichnis\r\n");
    QCOMPARE(unusable.messages.size(), 1);
    QVERIFY(unusable.messages[0].contains("kein-solches-verzeichnis"));
    QVERIFY(unusable.topicList()->entries().isEmpty());
    unusable.window->requestTopic("Datei");
    QCOMPARE(unusable.title(), kNotFound);
}

void TestMainWindow::documentationFileGivenByName()
{
    // quarntamo FILE: the file is read whatever its name, from its own directory; the
    // tamoini.txt of the start directory plays no part, and nothing is created.
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("docs");
    const QString file = writeTempFile(dir, "docs/eigene.txw", kDoc);
    writeTempFile(dir, "tamoini.txt", "kein-solches-verzeichnis\r\n");
    const QString startDir = QDir::currentPath();
    QDir::setCurrent(dir.path());
    QStringList messages;
    tamo::MainWindow window({}, [&](const QString &text, const QString &) { messages << text; });
    window.setDocumentationFile(file);
    window.loadAndShow();
    QCOMPARE(window.findChild<QLabel *>("topicTitle")->text(),
             QString("Verwendung_der_Dokumentation"));
    QCOMPARE(messages, QStringList());
    QCOMPARE(QDir::currentPath(), dir.filePath("docs"));
    QCOMPARE(QDir(dir.filePath("docs")).entryList(QDir::Files), QStringList("eigene.txw"));
    QDir::setCurrent(startDir);
}

void TestMainWindow::queryBoxFiltersAndSearches()
{
    WindowFixture f(kDoc);
    auto *box = f.control<QLineEdit>("queryBox");
    f.typeQuery("VER");
    QCOMPARE(f.topicList()->entries(), QStringList({"Verweis", "Verwendung_der_Dokumentation"}));
    QTest::keyClick(box, Qt::Key_Space);
    QVERIFY(f.topicList()->entries().isEmpty()); // blanks count like any character

    // Enter on blanks lists every topic without reading the file.
    f.typeQuery("   ");
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(f.topicList()->entries(), kAllNames);
    QVERIFY(f.control("searchProgress")->isHidden());

    // Enter runs the full search: best first, nothing chosen, the shown topic unchanged, and
    // the bar has run from 0 to words x file size.
    f.typeQuery("  Datei   Zugriff ");
    QTest::keyClick(box, Qt::Key_Enter);
    QCOMPARE(f.topicList()->entries().value(0), QString("Zugriff"));
    QVERIFY(f.topicList()->entries().contains("Datei"));
    QCOMPARE(f.topicList()->selectedRow(), -1);
    QCOMPARE(f.title(), QString("Verwendung_der_Dokumentation"));
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
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
