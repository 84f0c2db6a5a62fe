#pragma once

#include "shell/controls.h"
#include "shell/mainwindow.h"
#include "support/tempdoc.h"

#include <QAbstractButton>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QTest>

#include <memory>

// A main window loaded and shown on a documentation file in a temporary directory, with a
// clock the test moves by hand and messages recorded instead of shown. Controls are found by
// their object names and driven with real mouse and key events.
struct WindowFixture {
    // A docFile other than tamo.txw is given to the window as its documentation file.
    explicit WindowFixture(const QByteArray &doc, const QByteArray &settings = QByteArray(),
                           const QString &docFile = "tamo.txw")
    {
        QDir(dir.path()).mkpath(QFileInfo(dir.filePath(docFile)).path());
        writeTempFile(dir, docFile, doc);
        if (!settings.isNull())
            writeTempFile(dir, "tamoini.txt", settings);
        QDir::setCurrent(dir.path());
        window = std::make_unique<tamo::MainWindow>(
            [this] { return now; },
            [this](const QString &text, const QString &) { messages << text; });
        if (docFile != u"tamo.txw")
            window->setDocumentationFile(dir.filePath(docFile));
        window->loadAndShow();
        // Focus moves, and with them the query box's own reactions, need an active window.
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get()))
            qFatal("the main window did not become active");
    }
    ~WindowFixture()
    {
        window.reset();
        QDir::setCurrent(startDir);
    }

    template <typename T = QWidget> T *control(const char *name) const
    {
        T *c = window->findChild<T *>(QString::fromLatin1(name));
        if (!c)
            qFatal("no control %s", name);
        return c;
    }
    tamo::TopicTextView *text() const { return control<tamo::TopicTextView>("topicText"); }
    tamo::ChoiceList *topicList() const { return control<tamo::ChoiceList>("topicList"); }
    tamo::ChoiceList *relatedList() const { return control<tamo::ChoiceList>("relatedList"); }
    QString title() const { return control<QLabel>("topicTitle")->text(); }
    bool enabled(const char *name) const { return control(name)->isEnabled(); }

    void click(const char *name) const { QTest::mouseClick(control(name), Qt::LeftButton); }

    // Clicks the entry of a visible list, as the user would.
    static void clickEntry(tamo::ChoiceList *list, const QString &entry)
    {
        const QModelIndex index = list->model()->index(int(list->entries().indexOf(entry)), 0);
        QVERIFY2(index.isValid(), qPrintable(entry));
        list->scrollTo(index);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
    }

    // Keys reach the window through the control that has the focus.
    void press(QWidget *w, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) const
    {
        w->setFocus();
        QTest::keyClick(w, key, modifiers);
    }

    // Types into the query box key by key; every key release filters the topic list. Return
    // then runs the full search.
    void typeQuery(const QString &query, bool search = false) const
    {
        auto *box = control<QLineEdit>("queryBox");
        box->setFocus();
        box->clear();
        QTest::keyClicks(box, query);
        if (search)
            QTest::keyClick(box, Qt::Key_Return);
    }

    // Chooses a topic from the topic list by typing its name and clicking its entry.
    void choose(const QString &name) const
    {
        typeQuery(name);
        clickEntry(topicList(), name);
    }

    // Moves the clock past the picture throttle, so the next update runs at once.
    void later() { now += 5; }

    // Shows a topic once the picture throttle has passed.
    void show(const QString &topic)
    {
        later();
        window->requestTopic(topic);
    }

    void savePicture(const QString &name, int width, int height) const
    {
        QImage picture(width, height, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(dir.filePath(name)));
    }

    QTemporaryDir dir;
    QString startDir = QDir::currentPath();
    double now = 36000; // 10:00
    QStringList messages;
    std::unique_ptr<tamo::MainWindow> window;
};
