#include "support/tempdoc.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run tamo(const QStringList &arguments, const QString &workingDirectory = QString())
{
    QProcess process;
    if (!workingDirectory.isEmpty())
        process.setWorkingDirectory(workingDirectory);
    process.start(QStringLiteral(TAMO_BINARY), arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

QJsonObject parse(const QByteArray &out)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(out, &error);
    if (error.error != QJsonParseError::NoError)
        qWarning("bad JSON: %s", out.constData());
    return doc.object();
}

} // namespace

class TestTamo : public QObject {
    Q_OBJECT
private slots:
    void topics();
    void showAndPrefix();
    void findsDocumentationLikeTheViewer();
    void errors();

private:
    QTemporaryDir m_dir;
};

void TestTamo::topics()
{
    const QString doc = writeTempFile(m_dir, "t.txw",
                                      "###Zugriff\r\nz\r\n###\xc4pfel\r\n"
                                      "###Datei\r\n###a\"b\\c\r\n");
    Run r = tamo({"topics", "--doc", doc, "--json"});
    QCOMPARE(r.exitCode, 0);
    const QJsonArray topics = parse(r.out).value("topics").toArray();
    QCOMPARE(topics.size(), 4);
    QCOMPARE(topics[0].toObject().value("name").toString(), QString("a\"b\\c"));
    QCOMPARE(topics[1].toObject().value("name").toString(), QString::fromUtf8("Äpfel"));
    QCOMPARE(topics[1].toObject().value("position").toInteger(), 16);
    QCOMPARE(topics[2].toObject().value("name").toString(), QString("Datei"));
    QCOMPARE(topics[3].toObject().value("position").toInteger(), 1);

    r = tamo({"topics", "--doc", doc});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(QString::fromUtf8(r.out), QString::fromUtf8("a\"b\\c\nÄpfel\nDatei\nZugriff\n"));
}

void TestTamo::showAndPrefix()
{
    const QString doc = writeTempFile(m_dir, "s.txw",
                                      "###Datei\r\nZeile 1\r\n%%%bild.png\r\n---Zugriff\r\n"
                                      "---Anhang\r\n###Zugriff\r\nz\r\n###Daten\r\n");
    Run r = tamo({"show", "--json", "--doc", doc, "Datei"});
    QCOMPARE(r.exitCode, 0);
    QJsonObject topic = parse(r.out);
    QCOMPARE(topic.value("title").toString(), QString("Datei"));
    QCOMPARE(topic.value("text").toString(), QString("Zeile 1\r\n"));
    QCOMPARE(topic.value("fullText").toString(), QString("Zeile 1\r\n%%%bild.png\r\n"));
    QCOMPARE(topic.value("related").toArray(), QJsonArray({"Anhang", "Zugriff"}));

    r = tamo({"show", "--json", "--doc", doc, "Fehlt"});
    QCOMPARE(r.exitCode, 0);
    topic = parse(r.out);
    QCOMPARE(topic.value("title").toString(), QString("Fehler: Thema nicht gefunden."));
    QCOMPARE(topic.value("related").toArray(), QJsonArray());

    r = tamo({"show", "--doc", doc, "Datei"});
    QCOMPARE(QString::fromUtf8(r.out),
             QString("Datei\n\nZeile 1\n\nVerwandte Themen:\n  Anhang\n  Zugriff\n"));

    r = tamo({"prefix", "--json", "--doc", doc, "dat"});
    QCOMPARE(parse(r.out).value("topics").toArray(), QJsonArray({"Datei", "Daten"}));
    r = tamo({"prefix", "--doc", doc, "Z"});
    QCOMPARE(r.out, QByteArray("Zugriff\n"));
    r = tamo({"show", "--doc", doc});
    QCOMPARE(r.exitCode, 2); // NAME is missing
}

void TestTamo::findsDocumentationLikeTheViewer()
{
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("docs");
    writeTempFile(dir, "docs/tamo.txw", "###InDocs\r\n");
    writeTempFile(dir, "tamoini.txt", "docs\r\n");
    Run r = tamo({"topics"}, dir.path());
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, QByteArray("InDocs\n"));

    QFile::remove(QDir(dir.path()).filePath("tamoini.txt"));
    writeTempFile(dir, "tamo.txw", "###Here\r\n");
    r = tamo({"topics"}, dir.path());
    QCOMPARE(r.out, QByteArray("Here\n"));
    QVERIFY(!QFileInfo::exists(QDir(dir.path()).filePath("tamoini.txt"))); // nothing created
}

void TestTamo::errors()
{
    QTemporaryDir dir;
    // No documentation: an error naming the file, and nothing is created.
    Run r = tamo({"topics"}, dir.path());
    QCOMPARE(r.exitCode, 2);
    QVERIFY(r.err.contains("tamo.txw"));
    QVERIFY(!QFileInfo::exists(QDir(dir.path()).filePath("tamo.txw")));

    writeTempFile(dir, "tamoini.txt", "missing-dir\r\n");
    r = tamo({"topics"}, dir.path());
    QCOMPARE(r.exitCode, 2);
    QVERIFY(r.err.contains("missing-dir"));
    QCOMPARE(r.err.count('\n'), 1);

    r = tamo({"topics", "--doc", dir.filePath("none.txw")});
    QCOMPARE(r.exitCode, 2);
    QVERIFY(r.err.contains("none.txw"));

    for (const QStringList &bad :
         {QStringList{}, QStringList{"frobnicate"}, QStringList{"topics", "extra"},
          QStringList{"topics", "--doc"}, QStringList{"topics", "--bogus"}}) {
        r = tamo(bad);
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.err.contains("tamo topics"));
    }
    r = tamo({"--help"});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.out.contains("tamo search"));
}

QTEST_GUILESS_MAIN(TestTamo)
#include "tst_tamo.moc"
