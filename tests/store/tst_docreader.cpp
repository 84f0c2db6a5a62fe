#include "std/textroutines.h"
#include "store/docreader.h"
#include "support/tempdoc.h"

#include <QTest>

using namespace tamo;

class TestDocReader : public QObject {
    Q_OBJECT
private slots:
    // Each row: the file's bytes, and the expected lines, each followed by the position after
    // it, written as "line@position"; the end-of-file mark is "<EOF>@position".
    void lines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("empty file") << QByteArray() << QStringList{"<EOF>@1", "<EOF>@1"};
        QTest::newRow("crlf lines")
            << QByteArray("abc\r\n\r\nd\r\n") << QStringList{"abc@6", "@8", "d@11", "<EOF>@11"};
        QTest::newRow("no line end on the last line, its cr kept")
            << QByteArray("ab\r\nxy\r") << QStringList{"ab@5", "xy\r@9", "<EOF>@9", "<EOF>@9"};
        QTest::newRow("bare lf loses a character")
            << QByteArray("abc\n\nx\r\n") << QStringList{"ab@5", "@6", "x@9", "<EOF>@9"};
        QTest::newRow("lone cr line ends the file")
            << QByteArray("a\r\n\r\r\nb\r\n") << QStringList{"a@4", "<EOF>@7"};
    }
    // At every block size, from one byte up, and again after a seek to where each line began.
    void lines()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, expected);
        const QString path = writeTempFile(m_dir, "lines.txw", bytes);
        for (qint64 block : {1, 2, 3, 7, 64 * 1024}) {
            DocReader reader;
            QVERIFY(reader.open(path));
            reader.setBlockSize(block);
            auto read = [&reader] {
                const QString line = reader.readLine();
                const QString shown = line == endOfFileMark() ? QStringLiteral("<EOF>") : line;
                return shown + u'@' + QString::number(reader.position());
            };
            QList<qint64> starts;
            QStringList got;
            for (int i = 0; i < expected.size(); ++i) {
                starts += reader.position();
                got += read();
            }
            QCOMPARE(got, expected);
            for (qsizetype i = starts.size() - 1; i >= 0; --i) {
                reader.seek(starts[i]);
                QCOMPARE(read(), expected[i]);
            }
            reader.seek(bytes.size() + 5);
            QCOMPARE(reader.readLine(), endOfFileMark());
        }
    }

    void longLinesCutAtALimit()
    {
        // Limit 2: "ab" and the rest past (the position behind the line), the bare LF's "cd"
        // whole, and a line that reads as the end of the file never cut to nothing, even by
        // limit 0.
        DocReader reader;
        QVERIFY(reader.open(writeTempFile(m_dir, "cut.txw", "abcdef\r\ncde\n\r\r\n")));
        reader.setBlockSize(3);
        bool cut = false;
        QCOMPARE(reader.readRawLine(2, &cut), QByteArrayView("ab"));
        QVERIFY(cut);
        QCOMPARE(reader.position(), 9);
        QCOMPARE(reader.readRawLine(2, &cut), QByteArrayView("cd"));
        QVERIFY(!cut);
        QCOMPARE(reader.readRawLine(0), QByteArrayView("\r"));

        // A missing file: a reason, and the closed reader is at its end.
        QString error;
        QVERIFY(!reader.open(m_dir.filePath("nothing.txw"), &error) && !error.isEmpty());
        QCOMPARE(reader.readLine(), endOfFileMark());
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestDocReader)
#include "tst_docreader.moc"
