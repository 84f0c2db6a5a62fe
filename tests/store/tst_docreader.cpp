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
        QTest::newRow("no line end on last line")
            << QByteArray("ab\r\nxyz") << QStringList{"ab@5", "xyz@9", "<EOF>@9", "<EOF>@9"};
        QTest::newRow("bare lf loses a character")
            << QByteArray("abc\n\nx\r\n") << QStringList{"ab@5", "@6", "x@9", "<EOF>@9"};
        QTest::newRow("lone cr line ends the file")
            << QByteArray("a\r\n\r\r\nb\r\n") << QStringList{"a@4", "<EOF>@7"};
        QTest::newRow("last line a lone cr")
            << QByteArray("a\r\n\r") << QStringList{"a@4", "<EOF>@6"};
        QTest::newRow("trailing cr kept without lf")
            << QByteArray("a\r\nbc\r") << QStringList{"a@4", "bc\r@8", "<EOF>@8"};
        QTest::newRow("high bytes") << QByteArray("###\x80\xe4\xff\r\n")
                                    << QStringList{QString::fromUtf8("###€äÿ@9"), "<EOF>@9"};
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
        // A limit of 4: longer texts come cut ("+"), a bare LF still drops a byte, and the
        // position stands behind the whole line.
        const QString path = writeTempFile(m_dir, "cut.txw", "abcdefgh\r\nabcd\r\nabcde\nxyz0123");
        for (qint64 block : {1, 3, 64 * 1024}) {
            DocReader reader;
            QVERIFY(reader.open(path));
            reader.setBlockSize(block);
            QStringList got;
            for (int i = 0; i < 5; ++i) {
                bool cut = false;
                const QByteArray line = reader.readRawLine(4, &cut).toByteArray();
                got += QString::fromLatin1(line + (cut ? "+@" : "@")) +
                       QString::number(reader.position());
            }
            QCOMPARE(got, QStringList({"abcd+@11", "abcd@17", "abcd@23", "xyz0+@31", "\r@31"}));
        }
        // No limit cuts the line that reads as the end of the file to nothing.
        DocReader reader;
        QVERIFY(reader.open(writeTempFile(m_dir, "mark.txw", "ab\r\n\r\r\n")));
        QCOMPARE(reader.readRawLine(0), QByteArrayView("a"));
        QCOMPARE(reader.readRawLine(0), QByteArrayView("\r"));
    }

    void missingFile()
    {
        DocReader reader;
        QString error;
        QVERIFY(!reader.open(m_dir.filePath("nothing.txw"), &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(reader.readLine(), endOfFileMark()); // a closed reader is at its end
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestDocReader)
#include "tst_docreader.moc"
