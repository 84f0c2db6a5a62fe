#include "viewer/topicreader.h"
#include "windowfixture.h"

#include <QApplication>
#include <QRegularExpression>
#include <QTextBlock>
#include <QWheelEvent>

namespace {

const QByteArray kDoc = "###Verwendung_der_Dokumentation\r\nSo benutzen Sie den Viewer.\r\n"
                        "---Zugriff\r\n---Datei\r\n"
                        "###Datei\r\nDateien lesen und schreiben.\r\n---Zugriff\r\n---Liste\r\n"
                        "###Zugriff\r\nRechte beim Zugriff auf eine Datei.\r\n"
                        "###Liste\r\nListen.\r\n";

const QStringList kAllNames{"Datei", "Liste", "Verwendung_der_Dokumentation", "Zugriff"};
const QString kStart = QStringLiteral("Verwendung_der_Dokumentation");

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void listsChooseOnlyWhatTheUserChose();
    void standardKeysAndMouseButtons();
    void queryBoxFiltersSearchesAndMarks();
    void documentationFileGivenByName();
};

void TestMainWindow::listsChooseOnlyWhatTheUserChose()
{
    WindowFixture f(kDoc);
    QCOMPARE(f.title(), kStart);
    QCOMPARE(f.text()->topicText(), QString("So benutzen Sie den Viewer.\r\n"));
    QCOMPARE(f.topicList()->entries(), kAllNames);
    QCOMPARE(f.topicList()->selectedRow(), -1);
    QVERIFY(!f.enabled("backButton") && !f.enabled("forwardButton"));
    // Every control has a name for assistive technology (Qt's parts inside a control aside).
    for (QWidget *c : f.window->findChildren<QWidget *>(QRegularExpression("^(?!qt_).")))
        QVERIFY2(!c->accessibleName().isEmpty(), qPrintable(c->objectName()));

    // ">" is disabled while it has the focus, and the focus moving on to the related topics
    // must not open one of them.
    f.choose("Datei");
    f.click("backButton");
    f.click("forwardButton");
    QCOMPARE(f.title(), QString("Datei"));
    QVERIFY(!f.enabled("forwardButton"));
    QCOMPARE(f.relatedList()->selectedRow(), -1);
    WindowFixture::clickEntry(f.relatedList(), "Zugriff");
    QCOMPARE(f.topicList()->entries(), QStringList({"Zugriff"})); // the list holds the request
    f.click("backButton");
    f.click("backButton"); // the history is start, Datei, Zugriff and nothing more
    QCOMPARE(f.title(), kStart);
    QVERIFY(!f.enabled("backButton"));

    // A topic that does not exist shows the not-found topic and keeps the related topics.
    f.window->requestTopic("Gibt es nicht");
    QCOMPARE(f.title(), QString::fromUtf16(tamo::kNotFoundTitle));
    QCOMPARE(f.relatedList()->entries(), QStringList({"Datei", "Zugriff"}));

    // Tab round every control twice: nothing is shown, nothing is chosen.
    f.window->requestTopic(kStart);
    f.text()->setFocus();
    for (int i = 0; i < 40; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(f.title(), kStart);
    QVERIFY(!f.relatedList()->currentIndex().isValid());

    // The arrow keys choose as a list does; the refilled list then marks nothing.
    f.press(f.relatedList(), Qt::Key_Down);
    QCOMPARE(f.title(), QString("Datei"));
    QVERIFY(!f.relatedList()->selectionModel()->hasSelection());
    QVERIFY(!f.relatedList()->currentIndex().isValid());

    // A click on the selected entry shows it again, which keeps the forward history.
    f.choose("Zugriff");
    f.click("backButton");
    WindowFixture::clickEntry(f.topicList(), "Datei");
    f.choose("Liste");
    f.click("forwardButton");
    QCOMPARE(f.title(), QString("Zugriff"));
}

void TestMainWindow::standardKeysAndMouseButtons()
{
    WindowFixture f(kDoc);
    f.choose("Datei");
    f.choose("Zugriff");
    // Alt+Left and Alt+Right, the Back key and the mouse's own buttons act as "<" and ">",
    // once per press, wherever the focus or the pointer is.
    f.press(f.relatedList(), Qt::Key_Left, Qt::AltModifier);
    QCOMPARE(f.title(), QString("Datei"));
    f.press(f.text(), Qt::Key_Right, Qt::AltModifier);
    QCOMPARE(f.title(), QString("Zugriff"));
    f.press(f.control("queryBox"), Qt::Key_Back);
    QCOMPARE(f.title(), QString("Datei"));
    QTest::mouseClick(f.text()->viewport(), Qt::ForwardButton);
    QCOMPARE(f.title(), QString("Zugriff"));
    QTest::mouseClick(f.topicList()->viewport(), Qt::BackButton, {}, QPoint(5, 5));
    QCOMPARE(f.title(), QString("Datei"));

    // The buttons "+" and "-", Ctrl+plus (or =) and Ctrl+minus, and Ctrl+wheel one step per
    // notch set the text size; from 12 points the text is bold.
    f.click("largerTextButton");
    f.press(f.text(), Qt::Key_Equal, Qt::ControlModifier);
    QCOMPARE(f.text()->font().pointSizeF(), 12.0);
    QVERIFY(f.text()->font().bold());
    f.press(f.text(), Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier);
    f.click("smallerTextButton");
    QCOMPARE(f.text()->font().pointSizeF(), 10.0);
    f.press(f.text(), Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(f.text()->font().pointSizeF(), 11.0);
    auto wheel = [&f](int angle, Qt::KeyboardModifiers modifiers) {
        const QPointF at(20, 20);
        QWheelEvent event(at, f.text()->viewport()->mapToGlobal(at), {}, {0, angle}, Qt::NoButton,
                          modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(f.text()->viewport(), &event);
    };
    wheel(-240, Qt::ControlModifier);
    QCOMPARE(f.text()->font().pointSizeF(), 9.0);
    wheel(60, Qt::ControlModifier); // half a notch: not yet
    wheel(60, Qt::ControlModifier);
    wheel(120, Qt::NoModifier); // scrolls, no zoom
    QCOMPARE(f.text()->font().pointSizeF(), 10.0);
}

void TestMainWindow::queryBoxFiltersSearchesAndMarks()
{
    WindowFixture f(kDoc);
    auto *box = f.control<QLineEdit>("queryBox");
    f.typeQuery("LI");
    QCOMPARE(f.topicList()->entries(), QStringList({"Liste"}));

    // Enter runs the full search: best first, nothing chosen, the shown topic unchanged, and
    // the bar has run from 0 to words x file size. On blanks it lists every topic.
    f.typeQuery("  Datei   Zugriff ");
    QTest::keyClick(box, Qt::Key_Enter);
    QCOMPARE(f.topicList()->entries().value(0), QString("Zugriff"));
    QCOMPARE(f.topicList()->selectedRow(), -1);
    QCOMPARE(f.title(), kStart);
    auto *bar = f.control<tamo::SearchProgressBar>("searchProgress");
    QVERIFY(bar->isHidden());
    QCOMPARE(bar->rangeEnd(), 2.0 * QFileInfo(f.dir.filePath("tamo.txw")).size());
    QCOMPARE(bar->progress(), bar->rangeEnd());
    f.typeQuery("   ", true);
    QCOMPARE(f.topicList()->entries(), kAllNames);

    // Gaining the focus brings the prefix list back.
    box->setText("z");
    f.text()->setFocus();
    box->setFocus();
    QCOMPARE(f.topicList()->entries(), QStringList({"Zugriff"}));

    // Search hits are marked in the topics chosen from the result.
    f.typeQuery("datei", true);
    WindowFixture::clickEntry(f.topicList(), "Datei");
    QCOMPARE(f.text()->extraSelections().value(0).cursor.selectedText(), QString("Dateien"));
    // Any other display clears them: a related topic (as history), the prefix list.
    WindowFixture::clickEntry(f.relatedList(), "Zugriff");
    QVERIFY(f.text()->extraSelections().isEmpty());
    f.typeQuery("datei", true);
    f.choose("Zugriff");
    QVERIFY(f.text()->extraSelections().isEmpty());

    // A long topic carries marks on the lines in view; scrolled, the others get theirs.
    QByteArray lines = "###Verwendung_der_Dokumentation\r\n";
    for (int i = 0; i < 2000; ++i)
        lines += "eine Datei " + QByteArray::number(i) + "\r\n";
    WindowFixture g(lines);
    g.typeQuery("datei", true);
    WindowFixture::clickEntry(g.topicList(), kStart);
    const auto shown = g.text()->extraSelections();
    QVERIFY(!shown.isEmpty() && shown.size() < 2000);
    QCOMPARE(shown.first().cursor.selectionStart(), 5);
    g.press(g.text(), Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(g.text()->extraSelections().last().cursor.block().text(), QString("eine Datei 1999"));
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
