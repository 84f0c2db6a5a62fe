#include "formfixture.h"

#include <QTest>

namespace {

const QByteArray kDoc = "###Verwendung_der_Dokumentation\r\nSo benutzen Sie den Viewer.\r\n"
                        "---Datei\r\n---Zugriff\r\n"
                        "###Datei\r\nDateien lesen und schreiben.\r\n---Zugriff\r\n---Liste\r\n"
                        "###Zugriff\r\nRechte beim Zugriff auf eine Datei.\r\n"
                        "###Liste\r\nListen.\r\n"
                        "###Doppelt\r\nerste Fassung\r\n###Doppelt\r\nzweite Fassung\r\n"
                        "###Verweis\r\nText\r\n---Zugriff\r\n---Datei\r\n"
                        "###Letztes";

QStringList listItems(const ListBox *list)
{
    return list->items();
}

} // namespace

class TestForm1 : public QObject {
    Q_OBJECT
private slots:
    void startUp();
    void historySequence();
    void relatedTopicsAndNotFound();
    void duplicatesAndLastHeading();
    void noStartTopic();
    void unusableDocumentation();
    void queryBoxPrefixAndAllNames();
    void fullSearchFromQueryBox();
};

void TestForm1::startUp()
{
    FormFixture f(kDoc);
    Form1 &w = *f.form;
    QCOMPARE(w.windowTitle(), QString("QUARN-Dokumentation"));
    QCOMPARE(w.size(), QSize(792, 573));
    QCOMPARE(w.Label1->text(), QString("Verwendung_der_Dokumentation"));
    QCOMPARE(w.Text1->text(), QString("So benutzen Sie den Viewer.\r\n"));
    QCOMPARE(w.TopicFullText, w.Text1->text());
    QCOMPARE(listItems(w.List1), QStringList({"Datei", "Zugriff"}));
    QCOMPARE(listItems(w.List2), w.topicIndex.names);
    QCOMPARE(w.List2->ListCount(), 8);
    QCOMPARE(w.List2->ListIndex(), -1);
    QCOMPARE(w.Text2->text(), QString());
    QCOMPARE(w.List5.items(), QStringList({"Verwendung_der_Dokumentation"}));
    QVERIFY(w.List6.isEmpty());
    QCOMPARE(w.List6.Tag, QString("1"));
    QVERIFY(!w.Command1->isEnabled());
    QVERIFY(!w.Command2->isEnabled());
    QVERIFY(!w.Text1->isHidden());
    QVERIFY(!w.Label2->isHidden());
    QVERIFY(!w.List1->isHidden());
    QVERIFY(w.Frame1->isHidden());
    QVERIFY(w.ProgressBar1->isHidden());
    QVERIFY(w.Picture1->isHidden());
    QCOMPARE(w.Text1->width(), 795);
    QCOMPARE(w.ProgressBar1->geometry(), w.Text2->geometry());
    QCOMPARE(w.Label1->font().bold(), true);
    QCOMPARE(w.Text1->font().pointSizeF(), 9.75);
    QVERIFY(f.messages.isEmpty());
    // Every visible control has a name for assistive technology.
    for (QWidget *c : QList<QWidget *>{w.Text1, w.List1, w.List2, w.Text2, w.Command1, w.Command2,
                                       w.Command3, w.Command4, w.Command5, w.Label1})
        QVERIFY2(!c->accessibleName().isEmpty() || !c->property("text").toString().isEmpty(),
                 c->metaObject()->className());
}

void TestForm1::historySequence()
{
    FormFixture f(kDoc);
    Form1 &w = *f.form;
    auto show = [&w](const QString &title) {
        w.Text2->setText(title);
        w.Text2_KeyUp(0, 0);
        w.List2->setListIndex(int(w.List2->items().indexOf(title)));
        QCOMPARE(w.Label1->text(), title);
    };
    auto check = [&w](const QStringList &back, const QStringList &forward, const char *flag,
                      bool backOn, bool forwardOn) {
        QCOMPARE(w.List5.items(), back);
        QCOMPARE(w.List6.items(), forward);
        QCOMPARE(w.List6.Tag, QString(flag));
        QCOMPARE(w.Command1->isEnabled(), backOn);
        QCOMPARE(w.Command2->isEnabled(), forwardOn);
    };
    const QString U = "Verwendung_der_Dokumentation";
    show("Datei");
    check({U, "Datei"}, {}, "1", true, false);
    show("Zugriff");
    check({U, "Datei", "Zugriff"}, {}, "1", true, false);
    w.Command1_Click();
    check({U, "Datei"}, {"Zugriff"}, "1", true, true);
    QCOMPARE(w.Label1->text(), QString("Datei"));
    QCOMPARE(w.List2->items(), QStringList({"Datei"})); // the search result is replaced
    w.Command1_Click();
    check({U}, {"Datei", "Zugriff"}, "1", false, true);
    w.Command2_Click();
    check({U, "Datei"}, {"Zugriff"}, "1", true, true);
    show("Datei"); // the topic on display again
    check({U, "Datei"}, {"Zugriff"}, "0", true, true);
    show("Liste");
    check({U, "Datei", "Liste"}, {"Zugriff"}, "0", true, true);
    w.Command2_Click();
    check({U, "Datei", "Liste", "Zugriff"}, {}, "1", true, false);
    show("Verweis");
    check({U, "Datei", "Liste", "Zugriff", "Verweis"}, {}, "1", true, false);
}

void TestForm1::relatedTopicsAndNotFound()
{
    FormFixture f(kDoc);
    Form1 &w = *f.form;
    w.RequestTopic("Verweis");
    QCOMPARE(w.List1->items(), QStringList({"Datei", "Zugriff"})); // sorted
    w.List1->setListIndex(1);
    QCOMPARE(w.Label1->text(), QString("Zugriff"));
    QCOMPARE(w.List2->items(), QStringList({"Zugriff"}));
    QCOMPARE(w.List5.last(), QString("Zugriff"));
    QVERIFY(w.List1->items().isEmpty()); // Zugriff has no related topics

    w.RequestTopic("Datei");
    w.RequestTopic("Gibt es nicht");
    QCOMPARE(w.Label1->text(), QString("Fehler: Thema nicht gefunden."));
    QVERIFY(w.Text1->text().startsWith("Das Thema wurde nicht gefunden."));
    QCOMPARE(w.List1->items(), QStringList({"Liste", "Zugriff"})); // those of Datei remain
    QCOMPARE(w.List5.last(), QString("Fehler: Thema nicht gefunden."));
    w.Command1_Click(); // back from the error title
    QCOMPARE(w.Label1->text(), QString("Datei"));
}

void TestForm1::duplicatesAndLastHeading()
{
    FormFixture f(kDoc);
    Form1 &w = *f.form;
    w.RequestTopic("Doppelt");
    QCOMPARE(w.Text1->text(), QString("zweite Fassung\r\n"));
    w.RequestTopic("Letztes");
    QCOMPARE(w.Label1->text(), QString("Letztes"));
    QCOMPARE(w.Text1->text(), QString());
}

void TestForm1::noStartTopic()
{
    for (const QByteArray &doc : {QByteArray("###Anderes\r\nx\r\n"), QByteArray()}) {
        FormFixture f(doc);
        Form1 &w = *f.form;
        QCOMPARE(w.Label1->text(), QString("Fehler: Thema nicht gefunden."));
        QCOMPARE(w.List5.items(), QStringList({"Fehler: Thema nicht gefunden."}));
        QCOMPARE(w.List2->items(), w.topicIndex.names);
        QVERIFY(f.messages.isEmpty());
    }
    // A missing documentation file and settings file are created empty.
    FormFixture missing(QByteArray(), QByteArray(), false);
    QVERIFY(QFileInfo::exists(missing.dir.filePath("tamo.txw")));
    QVERIFY(QFileInfo::exists(missing.dir.filePath("tamoini.txt")));
    QCOMPARE(missing.form->Label1->text(), QString("Fehler: Thema nicht gefunden."));
}

void TestForm1::unusableDocumentation()
{
    FormFixture f(kDoc, "kein-solches-verzeichnis\r\n");
    QCOMPARE(f.messages.size(), 1);
    QVERIFY(f.messages[0].contains("kein-solches-verzeichnis"));
    QCOMPARE(f.form->topicIndex.count(), 0);
    QCOMPARE(f.form->Label1->text(), QString("Fehler: Thema nicht gefunden."));
    // The program goes on: a topic request shows the error topic again.
    f.form->RequestTopic("Datei");
    QCOMPARE(f.form->Label1->text(), QString("Fehler: Thema nicht gefunden."));
}

void TestForm1::queryBoxPrefixAndAllNames()
{
    FormFixture f(kDoc);
    Form1 &w = *f.form;
    w.Text2->setText("VER");
    w.Text2_KeyUp('R', 0);
    QCOMPARE(w.List2->items(), QStringList({"Verweis", "Verwendung_der_Dokumentation"}));
    w.Text2->setText("ver ");
    w.Text2_KeyUp(' ', 0);
    QVERIFY(w.List2->items().isEmpty());
    w.Text2->setText("   ");
    w.Text2_KeyUp(13, 0); // Enter on blanks: every topic, no file read, no bar
    QCOMPARE(w.List2->items(), w.topicIndex.names);
    QVERIFY(w.ProgressBar1->isHidden());
    w.Text2->setText("d");
    w.Text2_GotFocus();
    QCOMPARE(w.List2->items(), QStringList({"Datei", "Doppelt", "Doppelt"}));
}

void TestForm1::fullSearchFromQueryBox()
{
    FormFixture f(kDoc);
    Form1 &w = *f.form;
    const QString shown = w.Label1->text();
    w.Text2->setText("  Datei   Zugriff ");
    w.Text2_KeyUp(13, 0);
    QVERIFY(!w.List2->items().isEmpty());
    QCOMPARE(w.List2->items().first(), QString("Zugriff"));
    QVERIFY(w.List2->items().contains("Datei"));
    QCOMPARE(w.List2->ListIndex(), -1);
    QVERIFY(w.ProgressBar1->isHidden());
    QCOMPARE(w.ProgressBar1->Min(), 0.0);
    QCOMPARE(w.ProgressBar1->Max(), 2.0 * QFileInfo(f.dir.filePath("tamo.txw")).size());
    QCOMPARE(w.ProgressBar1->Value(), w.ProgressBar1->Max());
    QCOMPARE(w.Label1->text(), shown);
    // A later key release brings the prefix list back.
    w.Text2_KeyUp(0, 0);
    QCOMPARE(w.List2->items(), QStringList());
    w.Text2->setText("Z");
    w.Text2_KeyUp('Z', 0);
    QCOMPARE(w.List2->items(), QStringList({"Zugriff"}));
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
