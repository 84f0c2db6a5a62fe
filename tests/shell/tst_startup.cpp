#include "shell/startup.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

// The message box for a documentation argument that cannot be used.
class TestStartup : public QObject {
    Q_OBJECT
private slots:
    // The box shows the message as plain text (a file name may look like markup) under the
    // main window's title, and returns once the user has clicked OK.
    void problemShownInABox()
    {
        QString text, title;
        Qt::TextFormat format = Qt::AutoText;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            text = box->text();
            title = box->windowTitle();
            format = box->textFormat();
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        });
        tamo::showStartupProblem(QStringLiteral("\u201E<b>nix</b>.txw\u201C gibt es nicht."));
        QCOMPARE(text, QStringLiteral("\u201E<b>nix</b>.txw\u201C gibt es nicht."));
        QCOMPARE(title, QStringLiteral("QUARN-Dokumentation"));
        QCOMPARE(format, Qt::PlainText);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
