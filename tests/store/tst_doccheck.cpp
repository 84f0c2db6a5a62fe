#include "store/doccheck.h"
#include "store/docreader.h"
#include "store/topicindex.h"
#include "support/tempdoc.h"
#include "viewer/topicreader.h"

#include <QFile>
#include <QHash>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

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
// rest do not exist. Every question asked is recorded in asked.
PictureProbe fakePictures(QStringList *asked)
{
    return [asked](const QString &path) {
        *asked += path;
        const QHash<QString, PictureStatus> known = {{"ok.png", PictureStatus::Ok},
                                                     {"bad.png", PictureStatus::Unreadable},
                                                     {"big.png", PictureStatus::TooLarge}};
        return known.value(path.section(u'/', -1), PictureStatus::Missing);
    };
}

} // namespace

class TestDocCheck : public QObject {
    Q_OBJECT
private slots:
    // The README's table of problem kinds lists every kind, in order, with its severity.
    void readmeListsEveryKind()
    {
        QFile readme(QStringLiteral(QUARNTAMO_SOURCE_DIR "/README.md"));
        QVERIFY(readme.open(QIODevice::ReadOnly));
        const QRegularExpression row(QStringLiteral("^\\| `([a-z-]+)` \\| (error|warning) \\|"),
                                     QRegularExpression::MultilineOption);
        QStringList listed;
        for (auto it = row.globalMatch(QString::fromUtf8(readme.readAll())); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            listed += m.captured(1) + u':' + m.captured(2);
        }
        QStringList kinds;
        for (const ProblemKind kind : allProblemKinds())
            kinds += QString::fromLatin1(kindId(kind)) + u':' +
                     QString::fromLatin1(severityOf(kind) == Severity::Error ? "error" : "warning");
        QCOMPARE(listed, kinds);
    }

    void problems_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QStringList>("parts"); // each in one of the messages
        auto row = [](const char *name, const QByteArray &bytes, const QStringList &expected,
                      const QStringList &parts = {}) {
            QTest::newRow(name) << bytes << expected << parts;
        };
        // Which related lines are found is held against the topic reader on random files below.
        row("clean, forward reference, blank related lines, last line without line end",
            S + "Text\r\n\r\n%%%ok.png\r\n---B\r\n  "
                "\r\n---Verwendung_der_Dokumentation\r\n###B\r\nb",
            {});
        row("empty file", {}, {"1:start-topic-missing"});

        row("end mark: one line, one topic", S + "\r\r\n###A", {"2:end-mark", "3:heading-at-end"},
            {"(1 Zeile, 1 Thema)"});
        row("related topic without heading, in the right case", S + "###Datei\r\n---datei\r\n",
            {"3:related-not-found"},
            {"„datei“", "Fehler: Thema nicht gefunden.", "„Datei“ (Zeile 2)"});
        row("heading hidden behind the end mark", S + "---B\r\n\r\r\n###B\r\n---B\r\n",
            {"2:related-not-found", "3:end-mark"}, {"Zeile 4", "Dateiende in Zeile 3"});
        row("picture files", S + "%%%none.png\r\n%%%bad.png\r\n%%%big.png\r\n%%%\r\n%%% ok.png\r\n",
            {"2:picture-missing", "3:picture-unreadable", "4:picture-too-large",
             "5:picture-missing", "6:picture-blank", "6:picture-missing"});
        row("start topic behind the end mark", "###A\r\n\r\r\n" + S,
            {"1:start-topic-missing", "2:end-mark"}, {"Zeile 3", "Dateiende in Zeile 2"});

        row("bare lf: the shortened text, the end of a long line; last line one cr",
            S + "abc\n\n" + QByteArray(50, 'a') + "xyz\n\r",
            {"2:bare-lf", "4:bare-lf", "5:end-mark"},
            {"„ab“ statt „abc“", "CR LF", "aaxy“ statt „…a", "axyz“"});
        row("duplicate headings, the last one wins; names differing in case only",
            S + "###Abc\r\n###ABC\r\n###ABC\r\n###abc\r\n###ABC\r\n",
            {"3:duplicate-heading", "3:heading-case", "4:duplicate-heading", "5:heading-case"},
            {"„ABC“ steht in Zeile 6", "nie zu sehen"});
        row("before the end mark only earlier headings hide a topic, behind it every heading",
            S + "###a\r\nerstes\r\n\r\r\n###a\r\nzweites\r\n###b\r\n\r\r\n###b\r\n###b\r\n",
            {"2:duplicate-heading", "4:end-mark", "7:duplicate-heading", "8:end-mark",
             "9:duplicate-heading"},
            {"„a“ steht in Zeile 5 noch einmal (sie steht hinter dem Dateiende in Zeile 4): "
             "solange",
             "„b“ steht in Zeile 10 noch einmal: der Betrachter"});
        row("text before the first heading, blank lines aside; start topic found by prefix",
            "\r\n  \r\nVorwort\r\n---x\r\n###verwendung_der_dokumentation_neu\r\n",
            {"3:text-before-heading"}, {"(2 Zeilen)", "gehört"});
        row("a lone --- finds the empty topic; heading blanks",
            S + "---\r\n###\r\n### A\r\n###B \r\n###C\tD\r\n",
            {"3:heading-empty", "4:heading-blanks", "5:heading-blanks"});
        row("a long name is quoted by its ends",
            S + "### " + QByteArray(120, 'a') + " " + QByteArray(120, 'b') + "\r\n",
            {"2:heading-blanks"}, {"„ " + QString(99, u'a') + u'…' + QString(99, u'b') + u'“'});
        row("words of 255, 256 and 300 characters: one report",
            S + QByteArray(255, 'u') + " " + QByteArray(256, 'w') + " " + QByteArray(300, 'v') +
                "\r\n",
            {"2:long-word"});
        QStringList repeats{"3:related-duplicate"}; // past 16 lines, through a table
        for (int line = 8; line <= 26; ++line)
            repeats += QString::number(line) + QStringLiteral(":related-duplicate");
        row("related topic twice in one topic, once in another, repeated in a long section",
            S + "---B\r\n---B\r\n###B\r\n---B\r\n###C\r\n" + QByteArray("---B\r\n").repeated(20),
            repeats);
        row("bytes windows-1252 leaves undefined",
            S + "ab\x9D\x81\x8D\r\n\x8F\r\n\x90\x9D\r\n\xE4\x80\x9F\r\n",
            {"2:undefined-byte", "3:undefined-byte", "4:undefined-byte"},
            {"0x9D", "Spalte 3", "2 weitere"});
        // CR x LF reads as the end too.
        row("the hidden part is still checked line by line", S + "\rx\n###B\n---Fehlt\r\n---B\r\n",
            {"2:bare-lf", "2:end-mark", "3:bare-lf", "3:heading-empty", "4:related-not-found",
             "5:related-not-found"});
    }

    void problems()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, parts);
        QStringList asked;
        const QList<DocProblem> problems =
            checkDocument(bytes, {QStringLiteral("/doc"), fakePictures(&asked)});
        QCOMPARE(found(problems), expected);
        QString messages;
        for (const DocProblem &p : problems) {
            QVERIFY(!p.message.isEmpty());
            messages += p.message + u'\n';
        }
        for (const QString &part : parts)
            QVERIFY2(messages.contains(part), qPrintable(messages));
    }

    void picturesAreLookedUpOnceInTheDocumentDirectory()
    {
        QStringList asked;
        const QList<DocProblem> problems =
            checkDocument(S + "%%%none.png\r\n%%%none.png\r\n%%%/abs/ok.png\r\n%%%sub/ok.png\r\n"
                              "###B\r\n%%%none.png\r\n",
                          {QStringLiteral("/doc"), fakePictures(&asked)});
        QCOMPARE(asked, QStringList({"/doc/none.png", "/abs/ok.png", "/doc/sub/ok.png"}));
        QCOMPARE(found(problems),
                 QStringList({"2:picture-missing", "3:picture-missing", "7:picture-missing"}));
        QVERIFY(checkDocument(S + "%%%none.png\r\n").isEmpty()); // no probe, no picture check
    }

    // Only a first line that ends in a bare LF loses a character; how the line is read is
    // tst_docfiles'.
    void settingsFirstLine()
    {
        const QList<DocProblem> problems = checkSettings("docs\nx\n");
        QCOMPARE(found(problems), QStringList{"1:settings-bare-lf"});
        QVERIFY(problems.first().message.contains(u"„doc“ statt „docs“"));
        for (const char *clean : {"docs\r\nx\n", "\n", "docs", ""})
            QVERIFY2(checkSettings(clean).isEmpty(), clean);
    }

    // On random files, the related topics reported missing before the first end mark are exactly
    // those the viewer's own topic reader lists and then cannot find in the index.
    void relatedErrorsAgreeWithTheTopicReader()
    {
        QRandomGenerator rng(15);
        const QByteArrayList lines = {"---T1x", "---T2x", "---T3x", "---Q", "---", "Stray",
                                      "  ",     "",       "text",   "%%%p", "\r"};
        for (int round = 0; round < 300; ++round) {
            QByteArray bytes;
            int heading = 0;
            for (int i = rng.bounded(30); i > 0; --i) {
                // Headings are unique, so that every topic before the end mark can be shown.
                bytes += rng.bounded(4) ? lines.at(rng.bounded(lines.size()))
                                        : "###T" + QByteArray::number(++heading) + 'x';
                bytes += rng.bounded(8) ? "\r\n" : "\n";
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

            qsizetype reported = 0; // problems come in line order
            for (const DocProblem &p : checkDocument(bytes)) {
                if (p.kind == ProblemKind::EndMark)
                    break;
                reported += p.kind == ProblemKind::RelatedNotFound;
            }
            QVERIFY2(reported == expected, bytes.toPercentEncoding().constData());
        }
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestDocCheck)
#include "tst_doccheck.moc"
