#include "store/docwatcher.h"
#include "support/tempdoc.h"
#include "viewer/docreload.h"

#include <QSignalSpy>
#include <QTest>

using namespace tamo;

Q_DECLARE_METATYPE(SaveWay)

namespace {

QByteArray docOf(const QStringList &names, int linesPerTopic = 1)
{
    QByteArray doc;
    for (const QString &name : names) {
        doc += "###" + name.toLatin1() + "\r\n";
        for (int i = 0; i < linesPerTopic; ++i)
            doc += "Eine Zeile Text, die das Thema " + name.toLatin1() + " beschreibt.\r\n";
    }
    return doc;
}

} // namespace

class TestDocWatcher : public QObject {
    Q_OBJECT
private slots:
    void savesAreReportedOnce_data();
    void savesAreReportedOnce();
    void picturesOfTheShownTopic();
    void reloadStartsOverAndDeliversTheLatest();
};

void TestDocWatcher::savesAreReportedOnce_data()
{
    QTest::addColumn<SaveWay>("way");
    QTest::newRow("in place") << SaveWay::InPlace;
    QTest::newRow("truncated and written") << SaveWay::Truncate;
    QTest::newRow("written new and renamed over") << SaveWay::Rename;
}

void TestDocWatcher::savesAreReportedOnce()
{
    QFETCH(SaveWay, way);
    QTemporaryDir dir;
    writeTempFile(dir, "tamo.txw", docOf({"Alt"}));
    DocumentationWatcher watcher;
    watcher.setDocumentation(dir.filePath("tamo.txw"));
    QSignalSpy changed(&watcher, &DocumentationWatcher::documentationChanged);
    QSignalSpy gone(&watcher, &DocumentationWatcher::documentationGone);

    // One save, of several events, is one change; the file saved over is still followed, in
    // place too.
    saveTempFile(dir, "tamo.txw", docOf({"Alt", "Neu"}), way);
    QTRY_COMPARE(changed.size(), 1);
    saveTempFile(dir, "tamo.txw", docOf({"Neu"}), way);
    QTRY_COMPARE(changed.size(), 2);
    saveTempFile(dir, "tamo.txw", docOf({"Neuer"}), SaveWay::InPlace);
    QTRY_COMPARE(changed.size(), 3);

    // Deleted: said once; back: a change.
    QVERIFY(QFile::remove(dir.filePath("tamo.txw")));
    QTRY_COMPARE(gone.size(), 1);
    writeTempFile(dir, "tamo.txw", docOf({"Wieder"}));
    QTRY_COMPARE(changed.size(), 4);
    QCOMPARE(gone.size(), 1);
}

void TestDocWatcher::picturesOfTheShownTopic()
{
    QTemporaryDir dir;
    writeTempFile(dir, "tamo.txw", docOf({"Alt"}));
    writeTempFile(dir, "da.png", "alt");
    DocumentationWatcher watcher;
    watcher.setDocumentation(dir.filePath("tamo.txw"));
    watcher.setPictures({dir.filePath("da.png"), dir.filePath("fehlt.png")});
    QSignalSpy changed(&watcher, &DocumentationWatcher::documentationChanged);
    QSignalSpy pictures(&watcher, &DocumentationWatcher::picturesChanged);

    saveTempFile(dir, "da.png", "neu", SaveWay::InPlace); // the same size
    QTRY_COMPARE(pictures.size(), 1);
    writeTempFile(dir, "fehlt.png", "jetzt da");
    QTRY_COMPARE(pictures.size(), 2);
    watcher.setPictures({});
    saveTempFile(dir, "da.png", "wieder neu", SaveWay::Rename);
    writeTempFile(dir, "tamo.txw", docOf({"Neu"}));
    QTRY_COMPARE(changed.size(), 1);
    QCOMPARE(pictures.size(), 2);
}

void TestDocWatcher::reloadStartsOverAndDeliversTheLatest()
{
    // Large enough to be read on a thread of its own.
    QTemporaryDir dir;
    const QStringList first{"Erstes", "Zweites"};
    const QStringList second{"Drittes", "Viertes"};
    const QString path = writeTempFile(dir, "tamo.txw", docOf(first, 20000));
    QVERIFY(QFileInfo(path).size() > DocumentationReloader::kInPlaceLimit);
    const TopicListMaker prefix = [](const TopicIndex &index) {
        return index.namesStartingWith(QStringLiteral("v"));
    };

    DocumentationReloader reloader;
    QSignalSpy finished(&reloader, &DocumentationReloader::finished);
    QStringList names;
    QStringList list;
    QString title;
    connect(&reloader, &DocumentationReloader::finished, this,
            [&](const ReloadedDocumentation &result) {
                names = result.index.names;
                list = result.list;
                title = result.topic.title;
            });
    reloader.reload(path, prefix, "Zweites");
    QVERIFY(reloader.isRunning() && finished.isEmpty());
    writeTempFile(dir, "tamo.txw", docOf(second, 20000));
    reloader.reload(path, prefix, "Zweites"); // the first is dropped, however far it got
    QTRY_COMPARE(finished.size(), 1);
    QCOMPARE(names, second);
    QCOMPARE(list, QStringList("Viertes"));
    QCOMPARE(title, QString::fromUtf16(kNotFoundTitle));
    QTRY_VERIFY(!reloader.isRunning());

    // A small file is read at once.
    writeTempFile(dir, "tamo.txw", docOf(first));
    reloader.reload(path, prefix, "Zweites");
    QCOMPARE(finished.size(), 2);
    QCOMPARE(names, first);
    QCOMPARE(title, QString("Zweites"));
}

QTEST_GUILESS_MAIN(TestDocWatcher)
#include "tst_docwatcher.moc"
