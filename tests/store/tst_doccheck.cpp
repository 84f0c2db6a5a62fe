#include "store/doccheck.h"
#include "store/docreader.h"
#include "store/topicindex.h"
#include "support/tempdoc.h"
#include "viewer/topicreader.h"

#include <QRandomGenerator>
#include <QSet>
#include <QTest>

#include <limits>

using namespace tamo;

namespace {

// The start topic, so that rows about other problems do not report it missing.
const QByteArray S = "###Verwendung_der_Dokumentation\r\n";

// Problems written as "line:kind", in the order reported.
QStringList found(const QList<DocProblem> &problems)
{
    QStringList result;
    for (const DocProblem &p : problems)
        result += QString::number(p.line) + u':' + QString::fromLatin1(kindId(p.kind));
    return result;
}

// Pictures by name: ok.png can be shown, bad.png is no picture, big.png is too large, the
// rest do not exist. Every question asked is recorded.
struct FakePictures {
    QStringList asked;

    PictureProbe probe()
    {
        return [this](const QString &path) {
            asked += path;
            if (path.endsWith(u"/ok.png"))
                return PictureStatus::Ok;
            if (path.endsWith(u"/bad.png"))
                return PictureStatus::Unreadable;
            if (path.endsWith(u"/big.png"))
                return PictureStatus::TooLarge;
            return PictureStatus::Missing;
        };
    }
};

} // namespace

class TestDocCheck : public QObject {
    Q_OBJECT
private slots:
    void problems_data();
    void problems();
    void messagesSayWhatTheReaderSees_data();
    void messagesSayWhatTheReaderSees();
    void picturesAreLookedUpOnceInTheDocumentDirectory();
    void settingsFirstLine_data();
    void settingsFirstLine();
    void relatedErrorsAgreeWithTheTopicReader();

private:
    QTemporaryDir m_dir;
};

void TestDocCheck::problems_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("clean, forward reference, blank related lines")
        << S + "Text\r\n\r\n%%%ok.png\r\n---B\r\n  \r\n---Verwendung_der_Dokumentation\r\n"
               "###B\r\nb\r\n"
        << QStringList{};
    QTest::newRow("empty file") << QByteArray() << QStringList{"1:start-topic-missing"};

    // errors
    QTest::newRow("lone cr line") << S + "a\r\n\r\r\n###B\r\n" << QStringList{"3:end-mark"};
    QTest::newRow("last line one cr") << S + "\r" << QStringList{"2:end-mark"};
    QTest::newRow("cr then a bare lf reads as the end too")
        << S + "\rx\n"
        << QStringList{"2:bare-lf", "2:end-mark"};
    QTest::newRow("related topic without heading")
        << S + "---Fehlt\r\n---Verwendung_der_Dokumentation\r\n"
        << QStringList{"2:related-not-found"};
    QTest::newRow("every non-blank line of the related section names a topic")
        << S + "---Verwendung_der_Dokumentation\r\nStray\r\n%%%ok.png\r\n"
        << QStringList{"3:related-not-found", "4:related-not-found"};
    QTest::newRow("a lone --- names the empty topic") << S + "---\r\n"
                                                      << QStringList{"2:related-not-found"};
    QTest::newRow("the empty topic exists") << S + "---\r\n###\r\n"
                                            << QStringList{"3:heading-empty"};
    QTest::newRow("heading hidden behind the end mark")
        << S + "---B\r\n\r\r\n###B\r\n---B\r\n"
        << QStringList{"2:related-not-found", "3:end-mark"};
    QTest::newRow("picture files") << S + "%%%none.png\r\n%%%bad.png\r\n%%%big.png\r\n%%%\r\n"
                                   << QStringList{"2:picture-missing", "3:picture-unreadable",
                                                  "4:picture-too-large", "5:picture-missing"};
    QTest::newRow("start topic missing")
        << QByteArray("###A\r\n") << QStringList{"1:start-topic-missing"};
    QTest::newRow("start topic found by prefix, any case")
        << QByteArray("###verwendung_der_dokumentation_neu\r\n") << QStringList{};
    QTest::newRow("start topic behind the end mark")
        << QByteArray("###A\r\n\r\r\n") + S << QStringList{"1:start-topic-missing", "2:end-mark"};

    // warnings
    QTest::newRow("bare lf") << S + "abc\n\n###Datei\n" << QStringList{"2:bare-lf", "4:bare-lf"};
    QTest::newRow("bare lf shortens a related name")
        << S + "---Verwendung_der_Dokumentation\n"
        << QStringList{"2:bare-lf", "2:related-not-found"};
    QTest::newRow("duplicate headings: the earlier is hidden")
        << S + "###A\r\n###A\r\n###A\r\n"
        << QStringList{"2:duplicate-heading", "3:duplicate-heading"};
    QTest::newRow("names differing in case only")
        << S + "###Abc\r\n###ABC\r\n###abc\r\n###ABC\r\n"
        << QStringList{"3:duplicate-heading", "3:heading-case", "4:heading-case"};
    QTest::newRow("text before the first heading, blank lines aside")
        << QByteArray("\r\n  \r\nVorwort\r\n---x\r\n") + S << QStringList{"3:text-before-heading"};
    QTest::newRow("heading as the last line without line end")
        << S + "###B" << QStringList{"2:heading-at-end"};
    QTest::newRow("last text line without line end") << S + "text" << QStringList{};
    QTest::newRow("heading blanks") << S + "### A\r\n###B \r\n###C\tD\r\n"
                                    << QStringList{"2:heading-blanks", "3:heading-blanks"};
    QTest::newRow("words of 255, 256 and 300 characters: one report")
        << S + QByteArray(255, 'u') + " " + QByteArray(256, 'w') + " " + QByteArray(300, 'v') +
               "\r\n"
        << QStringList{"2:long-word"};
    QTest::newRow("related topic twice in one topic, once in another")
        << S + "---B\r\n---B\r\n###B\r\n---B\r\n"
        << QStringList{"3:related-duplicate"};
    QStringList repeats;
    for (int line = 3; line <= 21; ++line)
        repeats += QString::number(line) + QStringLiteral(":related-duplicate");
    QTest::newRow("related topic repeated in a long section")
        << S + QByteArray("---Verwendung_der_Dokumentation\r\n").repeated(20) << repeats;
    QTest::newRow("blank after the picture marker")
        << S + "%%% ok.png\r\n"
        << QStringList{"2:picture-blank", "2:picture-missing"};
    QTest::newRow("bytes windows-1252 leaves undefined")
        << S + "a\x81\x8D\r\n\x8F\r\n\x90\x9D\r\n\xE4\x80\x9F\r\n"
        << QStringList{"2:undefined-byte", "3:undefined-byte", "4:undefined-byte"};
    QTest::newRow("the hidden part is still checked line by line")
        << S + "\r\r\n###B\n---Fehlt\r\n---B\r\n"
        << QStringList{"2:end-mark", "3:bare-lf", "3:heading-empty", "4:related-not-found",
                       "5:related-not-found"};
}

void TestDocCheck::problems()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, expected);
    FakePictures pictures;
    const QList<DocProblem> problems =
        checkDocument(bytes, {QStringLiteral("/doc"), pictures.probe()});
    QCOMPARE(found(problems), expected);
    for (const DocProblem &p : problems)
        QVERIFY(!p.message.isEmpty());
}

void TestDocCheck::messagesSayWhatTheReaderSees_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("parts");
    QTest::newRow("bare lf: the shortened text")
        << S + "###Datei\n"
        << "bare-lf" << QStringList{"„###Date“ statt „###Datei“", "CR LF"};
    QTest::newRow("bare lf: the end of a long line")
        << S + QByteArray(50, 'a') + "xyz\n"
        << "bare-lf" << QStringList{"aaxy“ statt „…a", "axyz“"};
    QTest::newRow("end mark: one line, one topic")
        << S + "\r\r\n###A"
        << "end-mark" << QStringList{"(1 Zeile, 1 Thema)"};
    QTest::newRow("related: the right case")
        << S + "###Datei\r\n---datei\r\n"
        << "related-not-found"
        << QStringList{"„datei“", "Fehler: Thema nicht gefunden.", "„Datei“ (Zeile 2)"};
    QTest::newRow("related: heading hidden")
        << S + "---B\r\n\r\r\n###B\r\n"
        << "related-not-found" << QStringList{"Zeile 4", "Dateiende in Zeile 3"};
    QTest::newRow("duplicate: which one wins")
        << S + "###A\r\n###A\r\n"
        << "duplicate-heading" << QStringList{"Zeile 3", "nie zu sehen"};
    QTest::newRow("undefined byte: where and how many")
        << S + "ab\x9D\x81\r\n"
        << "undefined-byte" << QStringList{"0x9D", "Spalte 3", "1 weitere"};
    QTest::newRow("text before the heading: singular")
        << "Vorwort\r\n" + S << "text-before-heading" << QStringList{"(1 Zeile)", "gehört"};
    QTest::newRow("start topic: hidden")
        << "\r\r\n" + S << "start-topic-missing" << QStringList{"Zeile 2", "Dateiende in Zeile 1"};
}

void TestDocCheck::messagesSayWhatTheReaderSees()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, kind);
    QFETCH(QStringList, parts);
    const QList<DocProblem> problems = checkDocument(bytes);
    const auto it = std::find_if(problems.begin(), problems.end(), [&kind](const DocProblem &p) {
        return QLatin1StringView(kindId(p.kind)) == kind;
    });
    QVERIFY(it != problems.end());
    for (const QString &part : parts)
        QVERIFY2(it->message.contains(part), qPrintable(it->message));
}

void TestDocCheck::picturesAreLookedUpOnceInTheDocumentDirectory()
{
    FakePictures pictures;
    const QList<DocProblem> problems =
        checkDocument(S + "%%%none.png\r\n%%%none.png\r\n%%%/abs/ok.png\r\n%%%sub/ok.png\r\n"
                          "###B\r\n%%%none.png\r\n",
                      {QStringLiteral("/doc"), pictures.probe()});
    QCOMPARE(pictures.asked, QStringList({"/doc/none.png", "/abs/ok.png", "/doc/sub/ok.png"}));
    QCOMPARE(found(problems),
             QStringList({"2:picture-missing", "3:picture-missing", "7:picture-missing"}));
    QVERIFY(checkDocument(S + "%%%none.png\r\n").isEmpty()); // no probe, no picture check
}

void TestDocCheck::settingsFirstLine_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("cr lf") << QByteArray("docs\r\nx\n") << QStringList{};
    QTest::newRow("bare lf") << QByteArray("docs\n") << QStringList{"1:settings-bare-lf"};
    QTest::newRow("empty first line") << QByteArray("\n") << QStringList{};
    QTest::newRow("no line end") << QByteArray("docs") << QStringList{};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
}

void TestDocCheck::settingsFirstLine()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, expected);
    const QList<DocProblem> problems = checkSettings(bytes);
    QCOMPARE(found(problems), expected);
    if (!problems.isEmpty())
        QVERIFY(problems.first().message.contains(u"„doc“ statt „docs“"));
}

// On random files, the related topics reported missing before the first end mark are exactly
// those the viewer's own topic reader lists and then cannot find in the index.
void TestDocCheck::relatedErrorsAgreeWithTheTopicReader()
{
    QRandomGenerator rng(15);
    const QByteArrayList lines = {"---T1x", "---T2x", "---T3x", "---Q", "---", "Stray",
                                  "  ",     "",       "text",   "%%%p", "\r",  "###T"};
    for (int round = 0; round < 300; ++round) {
        QByteArray bytes;
        int heading = 0;
        const int count = rng.bounded(30);
        for (int i = 0; i < count; ++i) {
            // Headings are unique, so that every topic before the end mark can be shown.
            if (rng.bounded(4) == 0)
                bytes += "###T" + QByteArray::number(++heading) + 'x';
            else
                bytes += lines.at(rng.bounded(lines.size() - 1));
            bytes += rng.bounded(8) == 0 ? "\n" : "\r\n";
        }
        const QString path = writeTempFile(m_dir, "random.txw", bytes);

        DocReader reader;
        QVERIFY(reader.open(path));
        const TopicIndex index = buildTopicIndex(reader);
        qsizetype expected = 0;
        for (const QString &name : index.names) {
            for (const QString &related : readTopic(reader, index, name).related)
                expected += index.find(related) < 0;
        }

        qint64 endMark = std::numeric_limits<qint64>::max();
        qsizetype reported = 0;
        for (const DocProblem &p : checkDocument(bytes)) {
            if (p.kind == ProblemKind::EndMark)
                endMark = std::min(endMark, p.line);
        }
        for (const DocProblem &p : checkDocument(bytes))
            reported += p.kind == ProblemKind::RelatedNotFound && p.line < endMark;
        QVERIFY2(reported == expected, bytes.toPercentEncoding().constData());
    }
}

QTEST_GUILESS_MAIN(TestDocCheck)
#include "tst_doccheck.moc"
