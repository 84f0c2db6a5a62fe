#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QTest>

namespace {

enum Kind { Any, Opaque, Palette16 };

} // namespace

// The shipped pictures as the programs and desktops rely on them: the splash window is
// exactly 482 x 344 with the picture, as the build renders it, drawn unscaled and opaque (and
// twice that size for a device pixel ratio of 2), the small icon is a palette picture of at
// most 16 colours, and every documentation picture, as the build renders it, fills the
// viewer's 413 x 413 picture area sharply at a device pixel ratio of 2 (826 pixels on its
// longer side) without being larger than 1200 pixels on either side.
class TestPictures : public QObject {
    Q_OBJECT
private slots:
    void pictures_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size"); // exact; invalid: a documentation picture
        QTest::addColumn<Kind>("kind");
        const QString source = QStringLiteral(QUARNTAMO_SOURCE_DIR);
        const QString icon = source + "/data/icons/quarntamo-";
#ifdef QUARNTAMO_SPLASH_DIR
        const QString splash = QStringLiteral(QUARNTAMO_SPLASH_DIR "/splash");
        QTest::newRow("splash") << splash + ".png" << QSize(482, 344) << Opaque;
        QTest::newRow("splash 2x") << splash + "@2x.png" << QSize(964, 688) << Opaque;
#endif
        QTest::newRow("icon 32") << icon + "32.png" << QSize(32, 32) << Palette16;
        QTest::newRow("icon 48") << icon + "48.png" << QSize(48, 48) << Any;
        QTest::newRow("icon 128") << icon + "128.png" << QSize(128, 128) << Any;
        QTest::newRow("icon 256") << icon + "256.png" << QSize(256, 256) << Any;
        const QDir pictures(QStringLiteral(QUARNTAMO_DOC_DIR));
        const QStringList names = pictures.entryList({"*.png"}, QDir::Files);
        QVERIFY(!names.isEmpty());
        for (const QString &name : names)
            QTest::newRow(qPrintable(name)) << pictures.filePath(name) << QSize() << Any;
    }
    void pictures()
    {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        QFETCH(Kind, kind);
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
        if (kind == Opaque)
            QVERIFY(!image.hasAlphaChannel());
        if (kind == Palette16) {
            QCOMPARE(image.format(), QImage::Format_Indexed8);
            QVERIFY(image.colorCount() <= 16);
        }
    }
};

QTEST_GUILESS_MAIN(TestPictures)
#include "tst_pictures.moc"
