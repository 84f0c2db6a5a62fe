#include "store/docreader.h"
#include "store/topicindex.h"
#include "support/tempdoc.h"
#include "viewer/history.h"
#include "viewer/picturechoice.h"
#include "viewer/picturethrottle.h"
#include "viewer/splash.h"
#include "viewer/textsize.h"
#include "viewer/topicreader.h"
#include "viewer/viewrequest.h"
#include "viewer/windowplace.h"

#include <QTest>

using namespace tamo;

namespace {

// Steps as the window takes them, blank-separated: a title is a display of that topic; "<"
// and ">" go back and forward, which brackets one display; "<!" goes back to a topic that
// cannot be shown any more, so the display records the error title "E" instead.
struct Steps {
    QString steps, back, forward; // the lists blank-separated
    bool keepForward;
};

struct Choice {
    QString fullText;
    int caret;
    QString picture; // null: none chosen
};

struct Fit {
    int width, height;
    FitRect rect;
};

// Two clock readings (seconds since midnight), their difference in single precision: a picture
// request is deferred below a second.
struct Clock {
    double before, after;
    bool deferred;
};

struct Size {
    TextFont before;
    bool enlarge;
    TextFont after;
};

struct Topic {
    QByteArray bytes;
    QString name, shown;
    QStringList related = {};
    QString full = {}; // null: as shown
};

} // namespace

class TestViewer : public QObject {
    Q_OBJECT
private slots:
    // The splash window closes at once when loading took more than two seconds, the difference
    // taken in single precision: late in the day a float resolves only about 8 ms.
    void loadingTookTooLong()
    {
        const QList<std::tuple<double, double, bool>> rows = {{100, 102, false},
                                                              {86399.5, 1.5, false},
                                                              {10, 12.003, true},
                                                              {86000, 86002.003, false}};
        for (const auto &[start, after, tooLong] : rows)
            QCOMPARE(tamo::loadingTookTooLong(start, after), tooLong);
    }

    // The splash window's loading caption: one decimal at most, truncated, without a leading zero,
    // at most four characters.
    void loadingCaption()
    {
        const QList<std::tuple<qint64, qint64, QString>> rows = {
            {3, 1000, ".2"},
            {9997, 10000, "99.9"},
            {3'000'000'000, 4'000'000'000, "74.9"},
            {9, 7, "112."}, // a last heading without line end leaves the position past the end
            {29, 28, "100"}};
        for (const auto &[after, size, percent] : rows)
            QCOMPARE(tamo::loadingCaption(after, size, "Datei"),
                     "Quarn-Tamo wird geladen... (" + percent + "%)\r\nDatei");
    }

    void topics_data()
    {
        QTest::addColumn<Topic>("row");
        const QByteArray doc =
            "intro\r\n###A\r\nline 1\r\n%%%pic.png\r\n\r\nline 2\r\n---B\r\n"
            "\r\n   \r\n---\r\ntext in section\r\n---b\r\n###B\r\nb body\r\n###C\r\nc";
        // Related topics come sorted; of names equal without case the later one comes first.
        QTest::newRow("body, picture line, related sorted with blanks and an empty entry")
            << Topic{doc,
                     "A",
                     "line 1\r\n\r\nline 2\r\n",
                     {"", "b", "B", "t in section"},
                     "line 1\r\n%%%pic.png\r\n\r\nline 2\r\n"};
        QTest::newRow("last topic without line end") << Topic{doc, "C", "c\r\n"};
        QTest::newRow("duplicates: the later heading")
            << Topic{"###D\r\nfirst\r\n###D\r\nsecond\r\n", "D", "second\r\n"};
        QTest::newRow("case-sensitive lookup, body up to the next heading")
            << Topic{"###abc\r\nlow\r\n###ABC\r\nup\r\n", "abc", "low\r\n"};
        QTest::newRow("heading at the end without line end") << Topic{"###X\r\nx\r\n###L", "L", ""};
    }
    void topics()
    {
        QFETCH(Topic, row);
        DocReader reader;
        reader.open(writeTempFile(m_dir, "doc.txw", row.bytes));
        const TopicContent topic = readTopic(reader, buildTopicIndex(reader), row.name);
        QVERIFY(topic.found);
        QCOMPARE(topic.shownText, row.shown);
        QCOMPARE(topic.fullText, row.full.isNull() ? row.shown : row.full);
        QCOMPARE(topic.related, row.related);
    }

    void outdatedIndexRescansOnce()
    {
        const QString path = writeTempFile(m_dir, "old.txw", "###A\r\na\r\n###B\r\nb\r\n");
        DocReader reader;
        reader.open(path);
        const TopicIndex index = buildTopicIndex(reader);
        reader.close();

        // The file changes after loading: B now stands before its stored position.
        writeTempFile(m_dir, "old.txw", "###B\r\nnew b\r\n###A\r\n");
        reader.open(path);
        TopicContent topic = readTopic(reader, index, "B");
        QVERIFY(topic.found);
        QCOMPARE(topic.shownText, QString("new b\r\n"));

        // A name that is nowhere: the error topic after one scan from the start.
        topic = readTopic(reader, index, "Missing");
        QVERIFY(!topic.found);
        QCOMPARE(topic.shownText, notFoundText());
    }

    void history_data()
    {
        QTest::addColumn<Steps>("row");
        QTest::newRow("forward") << Steps{"A B C < < >", "A B", "C", false};
        QTest::newRow("new topic drops forward") << Steps{"A B C < < > D", "A B D", "", false};
        QTest::newRow("back to a lost topic") << Steps{"U A U B <!", "U A U E", "B", false};
        // Showing the topic on display again keeps the forward history for later new topics.
        QTest::newRow("shown topic again") << Steps{"U A U B <! < U", "U A U", "E B", true};
        QTest::newRow("then a new topic") << Steps{"U A U B <! < U N", "U A U N", "E B", true};
    }
    void history()
    {
        QFETCH(Steps, row);
        History h;
        for (const QString &step : row.steps.split(u' ')) {
            if (step == u">") {
                QVERIFY(h.canGoForward());
                h.recordShownTopic(h.beginForward());
            } else if (step.startsWith(u'<')) {
                QVERIFY(h.canGoBack());
                const QString title = h.beginBack();
                h.recordShownTopic(step == u"<!" ? QStringLiteral("E") : title);
            } else {
                h.recordShownTopic(step);
                continue;
            }
            h.endNavigation();
        }
        QCOMPARE(h.back, row.back.split(u' ', Qt::SkipEmptyParts));
        QCOMPARE(h.forward, row.forward.split(u' ', Qt::SkipEmptyParts));
        QCOMPARE(h.keepForward, row.keepForward);
    }

    void pictureChoice_data()
    {
        QTest::addColumn<Choice>("row");
        const QString one = QStringLiteral("AB\r\n%%%x.bmp\r\nCD\r\n"); // shown: "AB\r\nCD\r\n"
        QTest::newRow("one, caret 0") << Choice{one, 0, QString()};
        QTest::newRow("one, caret 1") << Choice{one, 1, "x.bmp"};
        // Shown "A\r\nB\r\nC\r\n": carets 0 to 4 belong to p1, from 5 on to p2.
        const QString two = QStringLiteral("A\r\n%%%p1\r\nB\r\n%%%p2\r\nC\r\n");
        QTest::newRow("two, caret 4") << Choice{two, 4, "p1"};
        QTest::newRow("two, caret 5") << Choice{two, 5, "p2"};
        // A picture on the first line starts the count afresh; the last name has no line end.
        const QString first = QStringLiteral("%%%p1\r\nAB\r\n%%%p2");
        QTest::newRow("first line, caret 2") << Choice{first, 2, "p1"};
        QTest::newRow("first line, caret 3") << Choice{first, 3, "p2"};
        QTest::newRow("blank after marker") << Choice{"A\r\n%%% a.bmp\r\n", 3, " a.bmp"};
        QTest::newRow("marker only") << Choice{"A\r\n%%%\r\nB\r\n", 3, QStringLiteral("")};
        QTest::newRow("marker inside a line") << Choice{"A %%%x.bmp\r\n", 5, QString()};
    }
    void pictureChoice()
    {
        QFETCH(Choice, row);
        const QString chosen = pictureForCaret(row.fullText, row.caret);
        QCOMPARE(chosen.isNull(), row.picture.isNull());
        QCOMPARE(chosen, row.picture);
    }

    void fit_data()
    {
        QTest::addColumn<Fit>("row");
        QTest::newRow("wide") << Fit{200, 100, {0, 103.25, 413, 206.5}};
        QTest::newRow("tall") << Fit{100, 200, {103.25, 0, 206.5, 413}};
        QTest::newRow("square") << Fit{50, 50, {0, 0, 413, 413}};
        QTest::newRow("no width") << Fit{0, 100, {0, 0, 0, 0}};
        QTest::newRow("no height") << Fit{100, -1, {0, 0, 0, 0}};
    }
    void fit()
    {
        QFETCH(Fit, row);
        const FitRect r = fitPicture(row.width, row.height, 413);
        QCOMPARE(QList<double>({r.x, r.y, r.width, r.height}),
                 QList<double>({row.rect.x, row.rect.y, row.rect.width, row.rect.height}));
    }

    void clock_data()
    {
        QTest::addColumn<Clock>("row");
        QTest::newRow("exactly a second") << Clock{100, 101, false};
        QTest::newRow("clock went back a little") << Clock{100, 99.5, true};
        QTest::newRow("across midnight, 0.4 s later") << Clock{86399.8, 0.2, false};
        // Late in the day a float resolves only about 8 ms.
        QTest::newRow("float, early") << Clock{10, 10.9999, true};
        QTest::newRow("float, late") << Clock{86399, 86399.9999, false};
    }
    void clock()
    {
        QFETCH(Clock, row);
        double last = row.before;
        QCOMPARE(pictureRequest(row.after, last),
                 row.deferred ? PictureRequest::Defer : PictureRequest::Run);
        QCOMPARE(last, row.after);
    }

    void textSize_data()
    {
        QTest::addColumn<Size>("row");
        QTest::newRow("+ from the start") << Size{{9.75, false}, true, {11, false}};
        QTest::newRow("+ bold above 11") << Size{{11, false}, true, {12, true}};
        QTest::newRow("+ at 24 still bolds") << Size{{24, false}, true, {24, true}};
        QTest::newRow("+ 12.5 to 12") << Size{{11.5, false}, true, {12, true}};
        QTest::newRow("- keeps bold from 12") << Size{{13, true}, false, {12, true}};
        QTest::newRow("- regular below 12") << Size{{12, true}, false, {11, false}};
        QTest::newRow("- at 6") << Size{{6, true}, false, {6, false}};
        QTest::newRow("- 11.5 to 12") << Size{{12.5, false}, false, {12, false}};
    }
    void textSize()
    {
        QFETCH(Size, row);
        const TextFont f = row.enlarge ? enlargeText(row.before) : shrinkText(row.before);
        QCOMPARE(f.size, row.after.size);
        QCOMPARE(f.bold, row.after.bold);
    }

    // Start arguments and links: what is asked for, or the message of a call that cannot be
    // used. A link only ever yields a topic or a search.
    void viewRequest_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("kind"); // ViewRequest::Kind
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error"); // a part of the message; empty: none
        using K = ViewRequest::Kind;
        auto row = [](const char *name, const QStringList &arguments, K kind, const QString &text,
                      const QString &error = "") {
            QTest::newRow(name) << arguments << int(kind) << text << error;
        };
        auto refused = [&row](const char *name, const QStringList &arguments,
                              const QString &error) {
            row(name, arguments, K::Plain, "", error);
        };
        const QString longest(kLongestRequestText, u'x');
        row("nothing", {}, K::Plain, "");
        row("--topic NAME", {"--topic", "Datei"}, K::Topic, "Datei");
        row("--topic=NAME keeps blanks and '='", {"--topic= a=b "}, K::Topic, " a=b ");
        row("--search QUERY", {"--search", "Datei Zugriff"}, K::Search, "Datei Zugriff");
        row("a value that looks like an option", {"--topic", "--search"}, K::Topic, "--search");
        row("directory", {"docs"}, K::Documentation, "docs");
        row("after --, a dash is a name", {"--", "-x"}, K::Documentation, "-x");
        row("file URL", {"file:///tmp/a%20b.txw"}, K::Documentation, "/tmp/a b.txw");
        row("file URL of another host", {"file://server/a.txw"}, K::Plain, "", "dieses Rechners");
        row("link to a topic, UTF-8 escapes", {"quarntamo:Datei_%C3%B6ffnen"}, K::Topic,
            "Datei_öffnen");
        row("link written unescaped, scheme in capitals", {"QUARNTAMO:Datei_öffnen"}, K::Topic,
            "Datei_öffnen");
        row("link keeps '+' and drops a fragment", {"quarntamo:a+b%23c#d"}, K::Topic, "a+b#c");
        row("link to a search, '+' a blank", {"quarntamo:?suche=Datei+Zugriff%2B"}, K::Search,
            "Datei Zugriff+");
        row("link with a path, a file is a topic name", {"quarntamo:../../etc/passwd"}, K::Topic,
            "../../etc/passwd");
        row("longest name", {"--topic", longest}, K::Topic, longest);

        refused("unknown option", {"--bogus"}, "unbekannte Option --bogus");
        refused("--topic without a name", {"--topic"}, "Nach --topic fehlt");
        refused("empty name", {"--topic", ""}, "Thema");
        refused("blank query", {"--search=  "}, "Suchanfrage ist leer");
        refused("name too long", {"--topic", longest + "x"}, "länger als 4096");
        refused("two requests", {"--topic", "a", "--search", "b"}, "nur eine Anfrage");
        refused("topic and directory", {"--topic", "a", "docs"}, "nur eine Anfrage");
        refused("two directories", {"a", "b"}, "nur ein Verzeichnis");
        refused("empty link", {"quarntamo:"}, "Themas ist leer");
        refused("link with another parameter", {"quarntamo:?datei=/etc/passwd"},
                "anderes als eine Suche");
        refused("link with a second parameter", {"quarntamo:?suche=a&exec=b"},
                "anderes als eine Suche");
        refused("link with a host", {"quarntamo://host/a"}, "quarntamo:THEMA");
        refused("broken escape", {"quarntamo:a%2"}, "falsch kodiert");
        refused("not UTF-8", {"quarntamo:%FC"}, "falsch kodiert");
        refused("oversized link", {"quarntamo:" + QString(kLongestLink, u'a')},
                "Verweis ist länger");
        refused("escaped name too long",
                {"quarntamo:" + QString("%41").repeated(kLongestRequestText + 1)},
                "länger als 4096");
    }
    void viewRequest()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, kind);
        QFETCH(QString, text);
        QFETCH(QString, error);
        const ViewRequest request = parseStartArguments(arguments);
        QVERIFY2(error.isEmpty() ? request.error.isEmpty() : request.error.contains(error),
                 qPrintable(request.error));
        QCOMPARE(int(request.kind), kind);
        QCOMPARE(request.text, text);
    }

    // The window's frame on screens it fits and does not fit: the window is 792 x 573 with a
    // title bar; 1366 x 768 at scale 1.5 leaves 911 x 512 less a panel.
    void homePlace_data()
    {
        QTest::addColumn<QSize>("frame");
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QPoint>("home");
        QTest::newRow("fits: centred")
            << QSize(800, 600) << QRect(0, 0, 1920, 1080) << QPoint(560, 240);
        QTest::newRow("fits exactly") << QSize(800, 600) << QRect(0, 0, 800, 600) << QPoint(0, 0);
        QTest::newRow("fits beside a panel")
            << QSize(800, 600) << QRect(64, 32, 1856, 1048) << QPoint(592, 256);
        QTest::newRow("too tall: at the top, centred across")
            << QSize(792, 601) << QRect(0, 27, 911, 485) << QPoint(59, 27);
        QTest::newRow("too wide: at the left, centred down")
            << QSize(1000, 400) << QRect(0, 0, 911, 512) << QPoint(0, 56);
        QTest::newRow("neither: top left of the area")
            << QSize(1000, 600) << QRect(1920, -200, 911, 512) << QPoint(1920, -200);
    }
    void homePlace()
    {
        QFETCH(QSize, frame);
        QFETCH(QRect, available);
        QFETCH(QPoint, home);
        QCOMPARE(homeFramePosition(frame, available), home);
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestViewer)
#include "tst_viewer.moc"
