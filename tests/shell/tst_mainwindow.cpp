#include "windowfixture.h"

#include <QApplication>
#include <QFileInfo>

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
    void everyControlNamedAndReachable();
    void navigationThroughButtonsAndRelatedTopics();
    void listsChooseOnlyWhatTheUserChose();
    void missingOrUnusableDocumentation();
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
    QVERIFY(f.control<QLineEdit>("queryBox")->text().isEmpty());
    QVERIFY(!f.enabled("backButton"));
    QVERIFY(!f.enabled("forwardButton"));
    QVERIFY(f.control("findPanel")->isHidden());
    QVERIFY(f.control("searchProgress")->isHidden());
    QVERIFY(f.messages.isEmpty());
}

void TestMainWindow::everyControlNamedAndReachable()
{
    WindowFixture f(kDoc);
    // Every control carries its role as object name and a German name for assistive
    // technology.
    const QList<QWidget *> controls = f.window->findChildren<QWidget *>();
    int named = 0;
    for (QWidget *c : controls) {
        if (c->objectName().isEmpty() || c->objectName().startsWith("qt_"))
            continue; // the parts Qt builds inside a control
        ++named;
        QVERIFY2(!c->accessibleName().isEmpty(), qPrintable(c->objectName()));
    }
    QCOMPARE(named, 26);
}

void TestMainWindow::navigationThroughButtonsAndRelatedTopics()
{
    WindowFixture f(kDoc);
    f.choose("Datei");
    QCOMPARE(f.title(), QString("Datei"));
    QCOMPARE(f.relatedList()->entries(), QStringList({"Liste", "Zugriff"}));
    QVERIFY(f.enabled("backButton"));
    QVERIFY(!f.enabled("forwardButton"));

    WindowFixture::clickEntry(f.relatedList(), "Zugriff");
    QCOMPARE(f.title(), QString("Zugriff"));
    QCOMPARE(f.topicList()->entries(), QStringList({"Zugriff"})); // the list holds the request
    QVERIFY(f.relatedList()->entries().isEmpty());                // Zugriff has none

    f.click("backButton");
    QCOMPARE(f.title(), QString("Datei"));
    QVERIFY(f.enabled("forwardButton"));
    f.click("backButton");
    QCOMPARE(f.title(), QString("Verwendung_der_Dokumentation"));
    QVERIFY(!f.enabled("backButton"));
    f.click("forwardButton");
    QCOMPARE(f.title(), QString("Datei"));
    QVERIFY(f.enabled("backButton") && f.enabled("forwardButton"));

    // A topic that does not exist shows the not-found topic and keeps the related topics.
    f.window->requestTopic("Gibt es nicht");
    QCOMPARE(f.title(), kNotFound);
    QVERIFY(f.text()->topicText().startsWith("Das Thema wurde nicht gefunden."));
    QCOMPARE(f.relatedList()->entries(), QStringList({"Liste", "Zugriff"}));
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
