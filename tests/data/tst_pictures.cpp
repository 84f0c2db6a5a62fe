#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QTest>

// The shipped pictures, splash and documentation ones as the build renders them: the splash
// is exactly 482 x 344 (twice that at a device pixel ratio of 2) and opaque, the small icon a
// palette of at most 16 colours, and every documentation picture fills the 413 x 413 picture
// area sharply at a ratio of 2 (826 pixels on its longer side) and is at most 1200 x 1200.
class TestPictures : public QObject {
    Q_OBJECT
private slots:
    void pictures_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");   // exact; invalid: a documentation picture
        QTest::addColumn<QString>("kind"); // "opaque", "palette16" or empty
#ifdef QUARNTAMO_SPLASH_DIR
        const QString splash = QStringLiteral(QUARNTAMO_SPLASH_DIR "/splash");
        QTest::newRow("splash") << splash + ".png" << QSize(482, 344) << "opaque";
        QTest::newRow("splash 2x") << splash + "@2x.png" << QSize(964, 688) << "opaque";
#endif
        const QString icon = QStringLiteral(QUARNTAMO_SOURCE_DIR "/data/icons/quarntamo-%1.png");
        for (int side : {32, 48, 128, 256})
            QTest::addRow("icon %d", side)
                << icon.arg(side) << QSize(side, side) << (side == 32 ? "palette16" : "");
        const QDir pictures(QStringLiteral(QUARNTAMO_DOC_DIR));
        const QStringList names = pictures.entryList({"*.png"}, QDir::Files);
        QVERIFY(!names.isEmpty());
        for (const QString &name : names)
            QTest::newRow(qPrintable(name)) << pictures.filePath(name) << QSize() << "";
    }
    void pictures()
    {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        QFETCH(QString, kind);
        QImageReader reader(path);
        QCOMPARE(reader.format(), QByteArray("png"));
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
        if (size.isValid())
            QCOMPARE(image.size(), size);
        else
            QVERIFY2(qMax(image.width(), image.height()) >= 826 && image.width() <= 1200 &&
                         image.height() <= 1200,
                     qPrintable(path));
        QVERIFY(kind != "opaque" || !image.hasAlphaChannel());
        QVERIFY(kind != "palette16" ||
                (image.format() == QImage::Format_Indexed8 && image.colorCount() <= 16));
    }
};

QTEST_GUILESS_MAIN(TestPictures)
#include "tst_pictures.moc"
