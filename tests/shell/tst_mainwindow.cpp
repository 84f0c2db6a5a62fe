#include "shell/choicelist.h"
#include "shell/layout.h"
#include "shell/mainwindow.h"
#include "shell/pictureview.h"
#include "shell/searchprogressbar.h"
#include "shell/topictextview.h"
#include "support/tempdoc.h"
#include "viewer/topicreader.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QWheelEvent>

#include <memory>

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

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
    ~WindowFixture() { QDir::setCurrent(startDir); }

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

    // Types into the query box key by key (each key filters the list); Return searches.
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

// An empty file that tells whether anything opened it once it was made.
class WatchedFile {
public:
    explicit WatchedFile(const QString &path)
        : m_watch(inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || m_watch < 0 ||
            inotify_add_watch(m_watch, QFile::encodeName(path).constData(), IN_OPEN) < 0)
            qFatal("cannot watch %s", qPrintable(path));
    }
    ~WatchedFile() { ::close(m_watch); }
    bool opened() const
    {
        char events[4096];
        return ::read(m_watch, events, sizeof events) > 0;
    }

private:
    int m_watch;
};

const QByteArray kDoc = "###Verwendung_der_Dokumentation\r\nSo benutzen Sie den Viewer.\r\n"
                        "---Zugriff\r\n---Datei\r\n"
                        "###Datei\r\nDateien lesen und schreiben.\r\n---Zugriff\r\n---Liste\r\n"
                        "###Zugriff\r\nRechte beim Zugriff auf eine Datei.\r\n"
                        "###Liste\r\nListen.\r\n";
const QStringList kAllNames{"Datei", "Liste", "Verwendung_der_Dokumentation", "Zugriff"};
const QString kStart = QStringLiteral("Verwendung_der_Dokumentation");
const QByteArray kPictureTopic = "###Bild\r\n%%%bild.png\r\nText\r\n";
const QRectF kTall(103.25, 0, 206.5, 413);
const QRectF kWide(0, 103.25, 413, 206.5);
// Topics with pictures: none, a huge one, a tall and a wide one, a BMP.
const QByteArray kPictureDoc = "###Verwendung_der_Dokumentation\r\nText\r\n"
                               "###Riesig\r\n%%%riesig.png\r\nText\r\n"
                               "###Zwei\r\nA\r\n%%%hoch.png\r\nB\r\n%%%quer.png\r\n"
                               "###Bmp\r\n%%%bild.bmp\r\nText\r\n";

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    // The lists, the history and the keyboard focus.
    void startsInPlaceOnTheStartTopicWithNamedControls();
    void forwardLeavesTheFocusAndHistoryHoldsEachTopicOnce();
    void tabbingShowsTheFocusAndChoosesNothing();
    void screenReadersHearAndChooseTopics();
    void backAndForwardKeysAndMouseButtons();
    void textSizeButtonsKeysAndWheel();
    void printsTheShownTopic();
    // The query box.
    void queryBoxFiltersAndEnterSearches();
    void searchHitsAreMarked();
    void longTopicMarksTheLinesInView();
    void documentationFileGivenByName();
    void requestsFromOutside();
    // The find panel and the window's place.
    void keysReachTheFindCommand();
    void findPanelShowsWholeCaptions();
    // The picture beside the text.
    void pictureFollowsTheCaret();
    void otherTopicsHideThePicture();
    void pictureIsKeptWhileItsFileStaysTheSame();
    // Hostile files: pipes are refused at once, a huge topic is shown cut and stays usable,
    // and a settings problem leaves no warning behind.
    void hostileFile_data();
    void hostileFile();
    void messageBoxShowsPlainText();
    void largeTopicStaysUsable();
    // The documentation followed while it is written: the window shows the new state at the
    // same place, without a new history entry.
    void followsTheDocumentation();
    void documentationGoneKeepsTheShownTopic();
};

// Nothing chosen at the start; every control has a name for assistive technology (Qt's parts
// inside a control aside). A topic that does not exist shows the not-found topic and keeps the
// related topics. Moved away, the window returns to its place.
void TestMainWindow::startsInPlaceOnTheStartTopicWithNamedControls()
{
    WindowFixture f(kDoc);
    QCOMPARE(f.title(), kStart);
    QCOMPARE(f.topicList()->entries(), kAllNames);
    QCOMPARE(f.topicList()->selectedRow(), -1);
    for (QWidget *c : f.window->findChildren<QWidget *>(QRegularExpression("^(?!qt_).")))
        QVERIFY2(!c->accessibleName().isEmpty(), qPrintable(c->objectName()));
    f.window->requestTopic("Gibt es nicht");
    QCOMPARE(f.title(), QString::fromUtf16(tamo::kNotFoundTitle));
    QCOMPARE(f.relatedList()->entries(), QStringList({"Datei", "Zugriff"}));
    const QPoint home = f.window->pos();
    f.window->move(home + QPoint(40, 30));
    QTRY_COMPARE(f.window->pos(), home);
}

// ">" pressed with the keyboard disables itself: the focus goes to the topic text it has
// changed, not on to the related topics, where the next Down would open one. "<" and ">" add
// nothing to the history. A click on the selected entry shows it again, which keeps the
// forward history.
void TestMainWindow::forwardLeavesTheFocusAndHistoryHoldsEachTopicOnce()
{
    WindowFixture f(kDoc);
    f.choose("Liste");
    f.choose("Datei");
    f.click("backButton");
    f.press(f.control("backButton"), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), f.control("forwardButton"));
    QTest::keyClick(f.control("forwardButton"), Qt::Key_Space);
    QCOMPARE(f.title(), QString("Datei"));
    QVERIFY(!f.enabled("forwardButton"));
    QCOMPARE(QApplication::focusWidget(), f.text());
    QCOMPARE(f.relatedList()->selectedRow(), -1);

    WindowFixture::clickEntry(f.relatedList(), "Zugriff");
    f.click("backButton");
    f.click("backButton");
    f.click("backButton"); // the history is start, Liste, Datei, Zugriff and nothing more
    QCOMPARE(f.title(), kStart);
    QVERIFY(!f.enabled("backButton"));

    f.choose("Datei");
    f.choose("Zugriff");
    f.click("backButton");
    WindowFixture::clickEntry(f.topicList(), "Datei");
    f.choose("Liste");
    f.click("forwardButton");
    QCOMPARE(f.title(), QString("Zugriff"));
}

// A list that has the focus shows it, also while no entry is current. Tab round every control
// twice ("<" enabled too): nothing is shown, nothing is chosen.
void TestMainWindow::tabbingShowsTheFocusAndChoosesNothing()
{
    WindowFixture f(kDoc);
    f.text()->setFocus();
    const QImage unfocused = f.relatedList()->grab().toImage();
    f.press(f.control("smallerTextButton"), Qt::Key_Tab); // "<" and ">" are disabled
    QCOMPARE(QApplication::focusWidget(), f.relatedList());
    QVERIFY(!f.relatedList()->currentIndex().isValid());
    QVERIFY(f.relatedList()->grab().toImage() != unfocused);

    f.choose("Datei");
    f.window->requestTopic(kStart);
    f.text()->setFocus();
    for (int i = 0; i < 40; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(f.title(), kStart);
    QVERIFY(!f.relatedList()->currentIndex().isValid());
}

// What a screen reader hears and does through Qt's accessibility interfaces: the title's name
// is the shown topic's (Qt announces each new name to an active screen reader; without one,
// as here, it raises no events); an entry of a list is chosen by its action or by the list's
// row selection (Qt 6.4 offers no more: the action is Qt's "Toggle", and a list has no
// selection interface of its own).
void TestMainWindow::screenReadersHearAndChooseTopics()
{
    WindowFixture f(kDoc);
    QAccessibleInterface *titleAccess =
        QAccessible::queryAccessibleInterface(f.control<QLabel>("topicTitle"));
    QCOMPARE(titleAccess->text(QAccessible::Name), kStart);

    // The arrow keys choose as a list does; the refilled list then marks nothing.
    f.press(f.relatedList(), Qt::Key_Down);
    QCOMPARE(f.title(), QString("Datei"));
    QVERIFY(!f.relatedList()->selectionModel()->hasSelection());
    QCOMPARE(titleAccess->text(QAccessible::Name), QString("Datei"));

    // An entry's action, as the screen reader offers it.
    QAccessibleInterface *list = QAccessible::queryAccessibleInterface(f.relatedList());
    QAccessibleInterface *entry = nullptr;
    for (int i = 0; i < list->childCount() && !entry; ++i) {
        if (list->child(i)->text(QAccessible::Name) == u"Liste")
            entry = list->child(i);
    }
    QVERIFY(entry && entry->actionInterface());
    entry->actionInterface()->doAction(entry->actionInterface()->actionNames().value(0));
    QTRY_COMPARE(f.title(), QString("Liste"));
    QCOMPARE(f.relatedList()->selectedRow(), -1); // the list is refilled for the new topic

    // The topic list's row selection.
    f.typeQuery("Zu");
    QAccessibleInterface *topics = QAccessible::queryAccessibleInterface(f.topicList());
    QVERIFY(topics->tableInterface());
    QVERIFY(topics->tableInterface()->selectRow(0));
    QTRY_COMPARE(f.title(), QString("Zugriff"));
    f.click("backButton");
    QCOMPARE(f.title(), QString("Liste"));
}

void TestMainWindow::backAndForwardKeysAndMouseButtons()
{
    WindowFixture f(kDoc);
    f.choose("Datei");
    f.choose("Zugriff");
    // Alt+Left and Alt+Right, the Back and Forward keys and the mouse's own buttons act as "<"
    // and ">", once per press, wherever the focus or the pointer is.
    f.press(f.relatedList(), Qt::Key_Left, Qt::AltModifier);
    QCOMPARE(f.title(), QString("Datei"));
    f.press(f.text(), Qt::Key_Right, Qt::AltModifier);
    QCOMPARE(f.title(), QString("Zugriff"));
    f.press(f.control("queryBox"), Qt::Key_Back);
    QCOMPARE(f.title(), QString("Datei"));
    f.press(f.text(), Qt::Key_Forward);
    QCOMPARE(f.title(), QString("Zugriff"));
    QTest::mouseClick(f.topicList()->viewport(), Qt::BackButton, {}, QPoint(5, 5));
    QCOMPARE(f.title(), QString("Datei"));
    QTest::mouseClick(f.text()->viewport(), Qt::ForwardButton);
    QCOMPARE(f.title(), QString("Zugriff"));
    // The tooltips name the keys from the same table the key handling reads.
    QCOMPARE(f.control("backButton")->toolTip(), "Zurück zum vorigen Thema (Alt+Links)");
    QCOMPARE(f.control("largerTextButton")->toolTip(), "Schrift größer (Strg+Plus)");
}

// The buttons "+" and "-", Ctrl+plus (or =) and Ctrl+minus, and Ctrl+wheel one step per notch
// set the text size; from 12 points the text is bold.
void TestMainWindow::textSizeButtonsKeysAndWheel()
{
    WindowFixture f(kDoc);
    f.click("largerTextButton");
    f.press(f.text(), Qt::Key_Equal, Qt::ControlModifier);
    QCOMPARE(f.text()->font().pointSizeF(), 12.0);
    QVERIFY(f.text()->font().bold());
    f.press(f.text(), Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier);
    f.click("smallerTextButton");
    QCOMPARE(f.text()->font().pointSizeF(), 10.0);
    f.press(f.text(), Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(f.text()->font().pointSizeF(), 11.0);
    auto wheel = [&f](int angle, Qt::KeyboardModifiers modifiers) {
        QWheelEvent event({}, {}, {}, {0, angle}, Qt::NoButton, modifiers, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(f.text()->viewport(), &event);
    };
    wheel(-240, Qt::ControlModifier);
    QCOMPARE(f.text()->font().pointSizeF(), 9.0);
    wheel(60, Qt::ControlModifier); // half a notch: not yet
    wheel(60, Qt::ControlModifier);
    wheel(120, Qt::NoModifier); // scrolls, no zoom
    QCOMPARE(f.text()->font().pointSizeF(), 10.0);
}

namespace {

// The standard output of a tool from poppler-utils, which reads PDF files.
QString popplerOutput(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        qFatal("%s failed: install the Debian package poppler-utils", qPrintable(tool));
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

// Ctrl+P, wherever the focus is, asks the print dialog and prints the shown topic: its name,
// its text as shown (markup too, as plain text) and its pictures, each where its line stands.
void TestMainWindow::printsTheShownTopic()
{
    WindowFixture f(kDoc + "###Bilder\r\nVor dem Bild.\r\n%%%bild.png\r\n<b>Danach</b> mehr.\r\n"
                           "%%%fehlt.png\r\nEnde.\r\n");
    f.savePicture("bild.png", 120, 80);
    const QString pdf = f.dir.filePath("thema.pdf");
    QString output = pdf;
    int dialogs = 0;
    bool accept = false;
    f.window->setPrintDialog([&](QPrinter &printer) {
        ++dialogs;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(output);
        return accept;
    });
    f.show("Bilder");
    f.press(f.text(), Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(dialogs, 1);
    QVERIFY(!QFileInfo::exists(pdf)); // the dialog was cancelled

    accept = true;
    f.press(f.control("queryBox"), Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(dialogs, 2);
    QStringList lines = popplerOutput("pdftotext", {pdf, "-"}).split(u'\n', Qt::SkipEmptyParts);
    lines.removeIf([](const QString &l) { return l.trimmed().isEmpty() || l.startsWith(u'\f'); });
    QCOMPARE(lines.mid(0, 4),
             QStringList({"Bilder", "Vor dem Bild.", "<b>Danach</b> mehr.", "Ende."}));
    // The one picture that can be read, at its own size.
    const QStringList images =
        popplerOutput("pdfimages", {"-list", pdf}).split(u'\n', Qt::SkipEmptyParts).mid(2);
    QCOMPARE(images.size(), 1);
    QCOMPARE(images[0].simplified().section(u' ', 3, 4), QString("120 80"));
    QCOMPARE(popplerOutput("pdfinfo", {pdf}).section(u'\n', 0, 0).simplified(),
             QString("Title: Bilder"));

    // A printer that cannot print says so.
    output = f.dir.filePath("fehlt/thema.pdf");
    QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    f.press(f.text(), Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(f.messages, QStringList("Das Thema \u201EBilder\u201C konnte nicht gedruckt werden."));
}

// Every key filters the topic list by the beginning of the names; gaining the focus brings
// that list back in place of a search result. Enter runs the full search: best first, nothing
// chosen (so the shown topic stays), and the bar has run from 0 to words x file size. On
// blanks it lists every topic.
void TestMainWindow::queryBoxFiltersAndEnterSearches()
{
    WindowFixture f(kDoc);
    auto *box = f.control<QLineEdit>("queryBox");
    f.typeQuery("LI");
    QCOMPARE(f.topicList()->entries(), QStringList({"Liste"}));
    f.typeQuery("datei", true);
    box->setText("z");
    f.text()->setFocus();
    box->setFocus();
    QCOMPARE(f.topicList()->entries(), QStringList({"Zugriff"}));

    f.typeQuery("  Datei   Zugriff ");
    QTest::keyClick(f.control("queryBox"), Qt::Key_Enter);
    QCOMPARE(f.topicList()->entries().value(0), QString("Zugriff"));
    QCOMPARE(f.topicList()->selectedRow(), -1);
    auto *bar = f.control<tamo::SearchProgressBar>("searchProgress");
    QVERIFY(bar->isHidden());
    QCOMPARE(bar->rangeEnd(), 2.0 * QFileInfo(f.dir.filePath("tamo.txw")).size());
    QCOMPARE(bar->progress(), bar->rangeEnd());
    f.typeQuery("   ", true);
    QCOMPARE(f.topicList()->entries(), kAllNames);
}

// Search hits are marked in the topics chosen from the result.
void TestMainWindow::searchHitsAreMarked()
{
    WindowFixture f(kDoc);
    f.typeQuery("datei", true);
    WindowFixture::clickEntry(f.topicList(), "Datei");
    QCOMPARE(f.text()->extraSelections().value(0).cursor.selectedText(), QString("Dateien"));
    f.click("openFindButton"); // a find leaves them
    f.control<QLineEdit>("findText")->setText("lesen");
    f.click("findNextButton");
    QCOMPARE(f.text()->extraSelections().size(), 1);
    // Any other display clears them: a related topic (as history), the prefix list.
    WindowFixture::clickEntry(f.relatedList(), "Zugriff");
    QVERIFY(f.text()->extraSelections().isEmpty());
    f.typeQuery("datei", true);
    f.choose("Zugriff");
    QVERIFY(f.text()->extraSelections().isEmpty());
}

// A long topic carries marks on the lines in view; scrolled, the others get theirs.
void TestMainWindow::longTopicMarksTheLinesInView()
{
    QByteArray lines = "###Verwendung_der_Dokumentation\r\n";
    for (int i = 0; i < 2000; ++i)
        lines += "eine Datei " + QByteArray::number(i) + "\r\n";
    WindowFixture f(lines);
    f.typeQuery("datei", true);
    WindowFixture::clickEntry(f.topicList(), kStart);
    const auto shown = f.text()->extraSelections();
    QVERIFY(!shown.isEmpty() && shown.size() < 2000);
    QCOMPARE(shown.first().cursor.selectionStart(), 5);
    f.press(f.text(), Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(f.text()->extraSelections().last().cursor.block().text(), QString("eine Datei 1999"));
}

void TestMainWindow::documentationFileGivenByName()
{
    // quarntamo FILE: the file is read whatever its name, from its own directory; the
    // tamoini.txt of the start directory plays no part, and nothing is created.
    WindowFixture f(kDoc, "kein-solches-verzeichnis\r\n", "docs/eigene.txw");
    QCOMPARE(f.title(), kStart);
    QCOMPARE(QDir::currentPath(), f.dir.filePath("docs"));
    QCOMPARE(QDir(f.dir.filePath("docs")).entryList(QDir::Files), QStringList("eigene.txw"));
}

void TestMainWindow::requestsFromOutside()
{
    WindowFixture f(kDoc);
    // A topic as a related topic is shown: the list holds just its name, the history grows.
    QVERIFY(f.window->showTopicRequest("Zugriff"));
    QCOMPARE(f.topicList()->entries(), QStringList("Zugriff"));
    QVERIFY(f.enabled("backButton"));

    // A search as typed and entered: the result stays listed when the window is activated
    // again, which gives the focus back to where it was (the query box filters on focus).
    f.typeQuery("Li");
    f.window->searchRequest("Datei Zugriff");
    const QStringList result = f.topicList()->entries();
    QVERIFY(result.contains("Datei") && result.contains("Zugriff") && !result.contains("Liste"));
    QVERIFY(!f.control("queryBox")->hasFocus());
    f.window->showMinimized();
    QTRY_VERIFY(f.window->isMinimized());
    f.window->raiseForRequest("token");
    QTRY_VERIFY(!f.window->isMinimized());
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
    QCOMPARE(f.topicList()->entries(), result);
    // The topic from the result has its words marked, as after Enter.
    WindowFixture::clickEntry(f.topicList(), "Zugriff");
    QVERIFY(!f.text()->extraSelections().isEmpty());

    // Another documentation, a directory read as a start directory: its start topic with a
    // fresh history.
    QDir(f.dir.path()).mkdir("andere");
    writeTempFile(f.dir, "andere/tamo.txw",
                  "###Verwendung_der_Dokumentation_2\r\nAndere.\r\n###Datei\r\nAnders.\r\n");
    f.window->openDocumentation(f.dir.filePath("andere"));
    QCOMPARE(f.topicList()->entries(), QStringList({"Datei", "Verwendung_der_Dokumentation_2"}));
    QVERIFY(!f.enabled("backButton") && !f.enabled("forwardButton"));
    QVERIFY(f.window->showTopicRequest("Datei"));
    QCOMPARE(f.text()->topicText(), QString("Anders.\r\n"));
    // The window follows the documentation it shows now, and that one only.
    writeTempFile(f.dir, "tamo.txw", kDoc + "###Alt\r\n");
    saveTempFile(f.dir, "andere/tamo.txw",
                 "###Verwendung_der_Dokumentation_2\r\nAndere.\r\n###Datei\r\nNeu.\r\n",
                 SaveWay::InPlace);
    QTRY_COMPARE(f.text()->topicText(), QString("Neu.\r\n"));
    QVERIFY(!f.window->showTopicRequest("Alt"));
    QVERIFY(f.messages.isEmpty());
}

void TestMainWindow::keysReachTheFindCommand()
{
    WindowFixture f("###Verwendung_der_Dokumentation\r\nDie Liste der Themen steht rechts.\r\n"
                    "Eine Liste_der Themen.\r\n");
    tamo::TopicTextView *text = f.text();
    auto *findText = f.control<QLineEdit>("findText");
    const qsizetype second = text->topicText().indexOf("Liste_der");
    // Ctrl+F with nothing selected: the prompt, selected so that typing replaces it.
    f.press(text, Qt::Key_F, Qt::ControlModifier);
    QVERIFY(findText->hasFocus() && !findText->text().isEmpty());
    QCOMPARE(findText->selectedText(), findText->text());
    QTest::keyClick(findText, Qt::Key_Escape);
    QVERIFY(f.control("findPanel")->isHidden());

    // Shift+F3 with "Liste" selected: the panel ends hidden, the next occurrence is selected.
    text->selectRange(4, 5);
    f.press(text, Qt::Key_F3, Qt::ShiftModifier);
    QVERIFY(f.control("findPanel")->isHidden());
    QCOMPARE(text->selectionStart(), second);

    // In the search box F3 reaches the window once, and Enter finds with the options: a whole
    // word passes "Liste_der" over, until "_" separates words.
    f.click("openFindButton");
    QTest::keyClick(findText, Qt::Key_F3);
    QCOMPARE(text->selectionStart(), 4);
    QVERIFY(!f.enabled("separatorUnderscore")); // the separators follow the whole-word option
    f.click("wholeWords");
    QTest::keyClick(findText, Qt::Key_Return);
    QCOMPARE(text->selectionStart(), 4);
    f.click("separatorUnderscore");
    QTest::keyClick(findText, Qt::Key_Return);
    QCOMPARE(text->selectionStart(), second);
    f.click("closeFindButton");
    QVERIFY(f.control("findPanel")->isHidden());

    // Ctrl+F3 with nothing selected searches for the prompt, which is not there: one message,
    // and the caret stays.
    text->selectRange(3, 0);
    f.press(text, Qt::Key_F3, Qt::ControlModifier);
    QCOMPARE(f.messages.size(), 1);
    QVERIFY(text->selectionStart() == 3 && text->selectionLength() == 0);
}

// Each check box shows its whole caption: it fits in the box, and no box to its right on the
// same row covers it.
void TestMainWindow::findPanelShowsWholeCaptions()
{
    WindowFixture f({});
    f.click("openFindButton");
    const QList<QCheckBox *> boxes = f.control("findPanel")->findChildren<QCheckBox *>();
    for (QCheckBox *box : boxes) {
        int room = box->width();
        for (QCheckBox *other : boxes) {
            if (other->parentWidget() == box->parentWidget() && other->y() == box->y() &&
                other->x() > box->x())
                room = std::min(room, other->x() - box->x());
        }
        QVERIFY2(box->sizeHint().width() <= room, qPrintable(box->text()));
    }
    // The hint keeps every key combination on one line and all its lines in its box.
    auto *hint = f.control<QLabel>("findHint");
    QVERIFY(hint->heightForWidth(hint->width()) <= hint->height());
    QVERIFY(hint->geometry().right() < f.control("findNextButton")->x());
    QVERIFY(hint->text().contains(QStringLiteral("[Strg]\u2060+\u2060[F3]")));
}

void TestMainWindow::pictureFollowsTheCaret()
{
    WindowFixture f(kPictureDoc);
    f.savePicture("hoch.png", 100, 200);
    f.savePicture("quer.png", 200, 100);
    auto *delay = f.control<QTimer>("pictureDelay");
    auto *picture = f.control<tamo::PictureView>("picture");

    // The start-up's own last update came right after the first display: it was deferred.
    QVERIFY(delay->isActive());
    f.later();
    QVERIFY(QMetaObject::invokeMethod(delay, "timeout")); // as the timer would
    f.show("Zwei"); // carried out at once: the picture of the first line, beside the text
    QCOMPARE(picture->target(), kTall);
    QCOMPARE(f.text()->width(), tamo::layout::kTextBesidePicture);

    // Ctrl+Home, then Ctrl+End a quarter second later: the tick comes less than a second after
    // the last release and still brings the picture up to date. The caret can stand behind the
    // final line break.
    f.later();
    f.press(f.text(), Qt::Key_Home, Qt::ControlModifier); // Home at once, Ctrl deferred
    QCOMPARE(picture->target(), kTall);
    QVERIFY(delay->isActive());
    f.now += 0.25;
    f.press(f.text(), Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(f.text()->selectionStart(), 6);
    QCOMPARE(picture->target(), kTall);
    f.now += 0.95; // 1.2 s after the timer started
    QVERIFY(QMetaObject::invokeMethod(delay, "timeout"));
    QVERIFY(!delay->isActive());
    QCOMPARE(picture->target(), kWide);

    // A click below the text puts the caret behind the final line break, as Ctrl+End does.
    f.press(f.text(), Qt::Key_Home, Qt::ControlModifier);
    QTest::mouseClick(f.text()->viewport(), Qt::LeftButton, {},
                      QPoint(5, f.text()->viewport()->height() - 5));
    QCOMPARE(f.text()->selectionStart(), 6);
}

// The next topic display hides the picture and restores the width; so does a small file that
// declares a huge picture, which is refused, never allocated.
void TestMainWindow::otherTopicsHideThePicture()
{
    WindowFixture f(kPictureDoc);
    f.savePicture("hoch.png", 100, 200);
    auto *picture = f.control<tamo::PictureView>("picture");
    writeTempFile(f.dir, "riesig.png", QByteArray("P4\n100000 100000\n") + QByteArray(64, '\0'));
    for (const char *topic : {"Zwei", "Verwendung_der_Dokumentation", "Zwei", "Riesig"}) {
        f.show(topic);
        QCOMPARE(picture->isHidden(), qstrcmp(topic, "Zwei") != 0);
        QCOMPARE(f.text()->width(), picture->isHidden() ? tamo::layout::kTextFullWidth
                                                        : tamo::layout::kTextBesidePicture);
    }
}

// A decoded picture is kept while the file stays the same as far as the window can tell: two
// pictures of the same file size, told apart only by the time of the last change.
void TestMainWindow::pictureIsKeptWhileItsFileStaysTheSame()
{
    WindowFixture f(kPictureDoc);
    auto *picture = f.control<tamo::PictureView>("picture");
    const QString bmp = f.dir.filePath("bild.bmp");
    f.savePicture("bild.bmp", 200, 100);
    f.show("Bmp");
    for (const qint64 secondsLater : {0, 10}) {
        const QDateTime changed = QFileInfo(bmp).lastModified();
        f.savePicture("bild.bmp", 100, 200);
        QFile file(bmp);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(changed.addSecs(secondsLater), QFile::FileModificationTime));
        f.later();
        f.press(f.text(), Qt::Key_Down);
        QCOMPARE(picture->target(), secondsLater == 0 ? kWide : kTall);
    }
}

void TestMainWindow::hostileFile_data()
{
    QTest::addColumn<QByteArray>("doc");      // "fifo": a named pipe; null: none yet
    QTest::addColumn<QByteArray>("settings"); // null: tamoini.txt names the documentation
    QTest::addColumn<QString>("message");     // a part of the message; empty: none, start shown
    QTest::newRow("fifo document") << QByteArray("fifo") << QByteArray() << "benannte Pipe";
    QTest::newRow("fifo picture on the start topic")
        << QByteArray("###Verwendung_der_Dokumentation\r\n%%%fifo.png\r\n") << QByteArray()
        << QString();
    QTest::newRow("no documentation yet: created empty")
        << QByteArray() << QByteArray() << QString();
    QTest::newRow("settings name no directory")
        << kDoc << QByteArray("fehlt\r\n") << "wurde nicht gefunden";
    // A heading that looks like HTML is shown as it is written: no bold text, no picture, and
    // the files its <img> tags name are never opened (WATCHED is a file that tells).
    QTest::newRow("html in a heading")
        << QByteArray("###Verwendung_der_Dokumentation <b>x</b><img src=\"WATCHED\">\r\nText\r\n")
        << QByteArray() << QString();
    // A heading of 100,000 characters: shown cut in the middle, in the title and the list.
    QTest::newRow("long heading") << "###Verwendung_der_Dokumentation" + QByteArray(100000, 'x') +
                                         "\r\nText\r\n"
                                  << QByteArray() << QString();
}

void TestMainWindow::hostileFile()
{
    QFETCH(QByteArray, doc);
    QFETCH(QByteArray, settings);
    QFETCH(QString, message);
    QTemporaryDir docs;
    const WatchedFile watched(docs.filePath("watched.png"));
    doc.replace("WATCHED", QFile::encodeName(docs.filePath("watched.png")));
    const QString heading =
        doc.startsWith("###") ? QString::fromLatin1(doc.mid(3, doc.indexOf('\r') - 3)) : QString();
    const QString title = !message.isEmpty() || doc.isNull() || doc == "fifo"
                              ? QString::fromUtf16(tamo::kNotFoundTitle)
                              : heading;
    if (doc == "fifo")
        QVERIFY(mkfifo(QFile::encodeName(docs.filePath("tamo.txw")).constData(), 0600) == 0);
    else if (!doc.isNull())
        writeTempFile(docs, "tamo.txw", doc);
    QVERIFY(mkfifo(QFile::encodeName(docs.filePath("fifo.png")).constData(), 0600) == 0);

    WindowFixture f({}, settings.isNull() ? docs.path().toUtf8() + "\r\n" : settings);
    QCOMPARE(f.messages.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty())
        QVERIFY2(f.messages.first().contains(message), qPrintable(f.messages.first()));
    // The title shows exactly the heading's text, cut in the middle when long; the topic list
    // shows the same and keeps the whole name, which still shows the topic.
    const QString shown = title.size() <= 200 ? title : title.left(100) + u'…' + title.right(99);
    QCOMPARE(f.title(), shown);
    const QStringList names = f.topicList()->entries();
    if (!names.isEmpty()) {
        QCOMPARE(names.first(), title);
        QCOMPARE(f.topicList()->model()->index(0, 0).data().toString(), shown);
    }
    QVERIFY(f.control("picture")->isHidden());
    QVERIFY(QFileInfo::exists(docs.filePath("tamo.txw")));

    // Whatever the window then does, nothing is tried on a file that is not there (once every
    // click warned of an empty file name).
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    f.typeQuery("Verw", true);
    f.show(heading.isEmpty() ? kStart : heading);
    f.later();
    f.press(f.text(), Qt::Key_Down);
    QCOMPARE(f.title(), shown);
    QVERIFY(f.control("picture")->isHidden());
    f.window->grab(); // everything drawn once
    QVERIFY(!watched.opened());
    QCOMPARE(f.control<QLabel>("topicTitle")->textFormat(), Qt::PlainText);
}

void TestMainWindow::messageBoxShowsPlainText()
{
    // The message box of a window without a message sink, on tamoini.txt naming a directory
    // that looks like HTML: the message shows the line literally, with nothing to click.
    QTemporaryDir dir;
    const QByteArray line =
        "<b>fett</b><img src=\"bild.png\"><a href=\"file:///etc/passwd\">passwd</a>";
    writeTempFile(dir, "tamoini.txt", line + "\r\n");
    const QString startDir = QDir::currentPath();
    QDir::setCurrent(dir.path());
    tamo::MainWindow window([] { return 36000.0; });
    QString shown;
    Qt::TextFormat format = Qt::AutoText;
    QTimer::singleShot(0, &window, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        format = box->textFormat();
        shown = box->text();
        box->accept();
    });
    window.loadAndShow();
    QDir::setCurrent(startDir);
    QCOMPARE(format, Qt::PlainText);
    QVERIFY2(shown.contains(QString::fromUtf8(line)), qPrintable(shown));
}

void TestMainWindow::largeTopicStaysUsable()
{
    // A picture line, then one line longer than the limit, cut with a note: the editor gets
    // it in pieces, and the picture and find still work.
    const QByteArray line = QByteArray("Wort ").repeated(tamo::kTopicTextLimit / 5 + 1000);
    WindowFixture f(kDoc + "###Gross\r\n%%%bild.png\r\n" + line + "\r\n");
    f.savePicture("bild.png", 200, 100);
    f.show("Gross");
    QVERIFY(f.control("picture")->isVisible());
    QVERIFY(f.text()->document()->blockCount() >
            tamo::kTopicTextLimit / tamo::TopicTextView::kLongestShownLine);

    // Positions count the text's characters across the pieces.
    const qsizetype at = 2 * tamo::TopicTextView::kLongestShownLine - 2;
    f.text()->selectRange(at, 7);
    QCOMPARE(f.text()->selectionStart(), at);
    QCOMPARE(f.text()->selectedTopicText(), f.text()->topicText().mid(at, 7));

    f.click("openFindButton");
    f.control<QLineEdit>("findText")->setText("Wort");
    f.click("findNextButton");
    QCOMPARE(f.text()->selectedTopicText(), QString("Wort"));
    QVERIFY(f.text()->selectionStart() > at);
}

void TestMainWindow::followsTheDocumentation()
{
    QByteArray lines;
    for (int i = 0; i < 200; ++i)
        lines += "Zeile " + QByteArray::number(i) + "\r\n";
    WindowFixture f(kDoc + "###Lang\r\n" + lines);
    f.choose("Datei");
    f.typeQuery("l");
    WindowFixture::clickEntry(f.topicList(), "Lang");
    f.text()->selectRange(f.text()->topicText().indexOf("Zeile 150") + 3, 0);
    const int scrolled = f.text()->verticalScrollBar()->value();
    QVERIFY(scrolled > 0);
    f.click("largerTextButton");
    f.click("openFindButton");

    // A topic added, one removed, a line above the caret changed.
    QByteArray doc = kDoc + "###Lang\r\n" + lines + "###Leser\r\nNeu.\r\n";
    doc.replace("###Liste\r\nListen.\r\n", "").replace("Zeile 3\r\n", "Zeile drei\r\n");
    saveTempFile(f.dir, "tamo.txw", doc, SaveWay::Rename);
    QTRY_COMPARE(f.topicList()->entries(), QStringList({"Lang", "Leser"}));
    QCOMPARE(f.topicList()->selectedEntry(), QString("Lang"));
    QVERIFY(f.text()->topicText().contains("Zeile drei"));
    QCOMPARE(f.text()->textCursor().blockNumber(), 150);
    QCOMPARE(f.text()->textCursor().positionInBlock(), 3);
    QCOMPARE(f.text()->verticalScrollBar()->value(), scrolled);
    QCOMPARE(f.text()->font().pointSizeF(), 11.0);
    QVERIFY(f.control("findPanel")->isVisible());
    f.click("backButton"); // the reload added nothing to the history
    QCOMPARE(f.title(), QString("Datei"));

    // A search result is searched again; the shown topic gone shows the not-found topic.
    f.typeQuery("zugriff", true);
    saveTempFile(f.dir, "tamo.txw", doc.replace("###Datei\r\n", "###Neu\r\nZugriff.\r\n"),
                 SaveWay::InPlace);
    QTRY_VERIFY(f.topicList()->entries().contains("Neu"));
    QCOMPARE(f.title(), QString::fromUtf16(tamo::kNotFoundTitle));
    QVERIFY(f.messages.isEmpty());
}

// A picture edited in place is shown anew. The file deleted: the window keeps what it shows
// and says so on the title; back, it is read again.
void TestMainWindow::documentationGoneKeepsTheShownTopic()
{
    WindowFixture f(kDoc + kPictureTopic);
    f.savePicture("bild.png", 200, 100);
    auto *view = f.control<tamo::PictureView>("picture");
    f.show("Bild");
    QCOMPARE(view->target(), kWide);
    f.savePicture("bild.png", 100, 200);
    QTRY_COMPARE(view->target(), kTall);
    auto *title = f.control<QLabel>("topicTitle");
    const QString path = f.dir.filePath("tamo.txw");
    QVERIFY(QFile::remove(path));
    QTRY_VERIFY(!title->toolTip().isEmpty());
    QCOMPARE(f.text()->topicText(), QString("Text\r\n"));
    writeTempFile(f.dir, "tamo.txw", kDoc + "###Bild\r\n%%%bild.png\r\nText wieder\r\n");
    QTRY_COMPARE(f.text()->topicText(), QString("Text wieder\r\n"));
    QVERIFY(title->toolTip().isEmpty());
    QVERIFY(view->isVisible());
    QVERIFY(f.messages.isEmpty());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
