#include "shell/startup.h"
#include "shell/topictextview.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <memory>

// What the viewer prepares before its windows: Qt's own texts in German, and the message box
// for a documentation argument that cannot be used.
class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void qtTextsAreGerman()
    {
        QVERIFY(tamo::loadQtTranslations());
        tamo::TopicTextView text;
        text.setTopicText(QStringLiteral("Zeile"));
        const std::unique_ptr<QMenu> menu(text.createStandardContextMenu());
        QStringList captions;
        for (const QAction *action : menu->actions())
            captions += action->text().remove(u'&').section(u'\t', 0, 0);
        QVERIFY2(captions.contains(u"Kopieren") && captions.contains(u"Alles auswählen"),
                 qPrintable(captions.join(u", ")));
    }

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
