#include "support/tempdoc.h"

#include <QImage>
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
    void check();
    void checkJson();
    void checkPictures();
    void checkSettingsFile();
    void bundledDocumentationChecksClean();

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

void TestTamo::check()
{
    // Exit 0 with warnings only, 1 with an error, 2 when the file is missing.
    const QString warned =
        writeTempFile(m_dir, "warned.txw", "###Verwendung_der_Dokumentation\r\n###Datei\n");
    Run r = tamo({"check", "--doc", warned});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.out.startsWith(warned.toUtf8() + ":2: warning: Die Zeile endet mit LF"));
    QVERIFY(r.out.endsWith(".\n0 Fehler, 1 Warnung\n"));

    const QString broken = writeTempFile(m_dir, "broken.txw", "###A\r\n---B\r\n\r\r\n###B\n");
    r = tamo({"check", "--doc", broken});
    QCOMPARE(r.exitCode, 1);
    const QList<QByteArray> lines = r.out.split('\n');
    QCOMPARE(lines.size(), 7); // five problems, the summary, nothing after the last LF
    QVERIFY(lines[0].startsWith(broken.toUtf8() + ":1: error: Es gibt kein Thema"));
    QVERIFY(lines[1].startsWith(broken.toUtf8() + ":2: error: Kein Thema hei"));
    QVERIFY(lines[2].startsWith(broken.toUtf8() + ":3: error: Die Zeile besteht"));
    QVERIFY(lines[3].startsWith(broken.toUtf8() + ":4: warning: "));
    QVERIFY(lines[4].startsWith(broken.toUtf8() + ":4: warning: ")); // "###B" lost its B
    QCOMPARE(lines[5], QByteArray("3 Fehler, 2 Warnungen"));

    r = tamo({"check", "--doc", m_dir.filePath("none.txw")});
    QCOMPARE(r.exitCode, 2);
    QVERIFY(r.err.contains("none.txw"));
    r = tamo({"check", "--doc", warned, "extra"});
    QCOMPARE(r.exitCode, 2);
}

void TestTamo::checkJson()
{
    const QString doc = writeTempFile(m_dir, "json.txw", "###A\r\n###A\r\n---\"x\\\r\n");
    const Run r = tamo({"check", "--json", "--doc", doc});
    QCOMPARE(r.exitCode, 1);
    const QJsonObject root = parse(r.out);
    QCOMPARE(root.keys(), QStringList({"problems"}));
    const QJsonArray problems = root.value("problems").toArray();
    QStringList got;
    for (const QJsonValue &v : problems) {
        const QJsonObject p = v.toObject();
        QCOMPARE(p.keys(), QStringList({"kind", "line", "message", "severity"}));
        QVERIFY(!p.value("message").toString().isEmpty());
        got += QString::number(p.value("line").toInteger()) + u' ' +
               p.value("severity").toString() + u' ' + p.value("kind").toString();
    }
    QCOMPARE(got, QStringList({"1 warning duplicate-heading", "1 error start-topic-missing",
                               "3 error related-not-found"}));
    QVERIFY(problems[2].toObject().value("message").toString().contains(u"„\"x\\“"));
}

void TestTamo::checkPictures()
{
    // Read as the viewer reads them: PNG built in, JPEG through a plugin, a picture that
    // declares 9000 x 9000 pixels refused, a text file unreadable.
    QTemporaryDir dir;
    QVERIFY(QFile::copy(QFileInfo(QStringLiteral(BUNDLED_DOC)).dir().filePath("ablauf.png"),
                        dir.filePath("ok.png")));
    QImage image(8, 4, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QVERIFY(image.save(dir.filePath("ok.jpg"), "JPEG"));
    writeTempFile(dir, "huge.png",
                  QByteArray("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\x23\x28\0\0\x23\x28\x08\x02\0\0\0"
                             "\xe2\xb7\xe5\xed\0\0\0\x0bIDAT\x78\x9c\x63\x60\x80\x01\0\0\x0a\0\x01"
                             "\x7f\x80\x74\x5e\0\0\0\0IEND\xae\x42\x60\x82",
                             68));
    writeTempFile(dir, "text.png", "kein Bild");
    QDir(dir.path()).mkdir("sub");
    const QString doc = writeTempFile(dir, "sub/../doc.txw",
                                      "###Verwendung_der_Dokumentation\r\n%%%ok.png\r\n"
                                      "%%%ok.jpg\r\n%%%huge.png\r\n%%%text.png\r\n%%%no.png\r\n");
    const Run r = tamo({"check", "--json", "--doc", doc}, QDir::tempPath());
    QStringList got;
    for (const QJsonValue &v : parse(r.out).value("problems").toArray())
        got += QString::number(v.toObject().value("line").toInteger()) + u' ' +
               v.toObject().value("kind").toString();
    QCOMPARE(got,
             QStringList({"4 picture-too-large", "5 picture-unreadable", "6 picture-missing"}));
}

void TestTamo::checkSettingsFile()
{
    // tamoini.txt names "docs/" with a bare LF: "docs" still works, but the warning says why
    // the name lost a character.
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("docs");
    writeTempFile(dir, "docs/tamo.txw", "###Verwendung_der_Dokumentation\r\n");
    writeTempFile(dir, "tamoini.txt", "docs/\n");
    Run r = tamo({"check"}, dir.path());
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.out.startsWith("tamoini.txt:1: warning: "));
    QVERIFY(r.out.endsWith("\n0 Fehler, 1 Warnung\n"));
    r = tamo({"check", "--doc", dir.filePath("docs/tamo.txw")}, dir.path()); // not consulted
    QCOMPARE(r.out, QByteArray("0 Fehler, 0 Warnungen\n"));
}

void TestTamo::bundledDocumentationChecksClean()
{
    const Run r = tamo({"check", "--doc", QStringLiteral(BUNDLED_DOC)});
    QCOMPARE(QString::fromUtf8(r.out), QString("0 Fehler, 0 Warnungen\n"));
    QCOMPARE(r.exitCode, 0);
}

QTEST_GUILESS_MAIN(TestTamo)
#include "tst_tamo.moc"
