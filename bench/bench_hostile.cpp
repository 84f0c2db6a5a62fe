// bench_hostile: the main window on documentation files made to hurt. Goal: no action takes
// more than 2 s, and peak memory stays under 3x the size of the hostile file. Files that look
// like HTML and pictures in formats other than PNG, JPEG, GIF and BMP (the cases from
// html-heading on) are shown literally or refused: goal 0.1 s for every action, tamo check
// included.
//
//   bench_hostile            every case, each in a process of its own (its own peak memory)
//   bench_hostile DIR CASE   one case on the files prepared in DIR
//
// Each case prints its slowest action, the slowest of the same actions on the ordinary bundled
// documentation measured in the same process (the baseline), their ratio, the resident memory
// before the hostile case and the process's peak, the peak against the size of the hostile
// file, and the length of the message that loading showed. A process that hangs is killed
// after 60 s and reported as such.

#include "shell/appearance.h"
#include "shell/mainwindow.h"
#include "shell/topictextview.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

constexpr qint64 kLargeLine = 200 * 1000 * 1000;
constexpr int kPictureSide = 8000;
constexpr int kQueryWords = 65000;

const QByteArray kStart = "###Verwendung_der_Dokumentation\r\nStart\r\n";

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    file.write(bytes);
}

// One directory per case, each holding tamo.txw and whatever else the case needs.
void prepare(const QDir &root)
{
    auto dir = [&root](const char *name) {
        root.mkdir(QString::fromLatin1(name));
        return QDir(root.filePath(QString::fromLatin1(name)));
    };
    QFile::copy(QStringLiteral(BUNDLED_DOC), dir("ordinary").filePath("tamo.txw"));
    QFile::copy(QStringLiteral(BUNDLED_DOC), dir("query-words").filePath("tamo.txw"));

    mkfifo(QFile::encodeName(dir("fifo-doc").filePath("tamo.txw")).constData(), 0600);

    const QDir fifoPicture = dir("fifo-picture");
    writeFile(fifoPicture.filePath("tamo.txw"), kStart + "%%%fifo.png\r\nText\r\n");
    mkfifo(QFile::encodeName(fifoPicture.filePath("fifo.png")).constData(), 0600);

    writeFile(dir("empty-heading").filePath("tamo.txw"), "###\r\nleer\r\n" + kStart);

    const QDir settings = dir("settings-line");
    writeFile(settings.filePath("tamoini.txt"), QByteArray(10 * 1000 * 1000, 'x') + "\r\n");

    // One topic of a single 200 MB line, with a picture line and a related topic behind it.
    const QDir large = dir("large-topic");
    QFile file(large.filePath("tamo.txw"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write the large topic");
    file.write(kStart + "###Gross\r\n%%%bild.png\r\n");
    const QByteArray chunk = QByteArray("Wort ").repeated(200000); // 1 MB
    for (qint64 written = 0; written < kLargeLine; written += chunk.size())
        file.write(chunk);
    file.write("Ende\r\n---Verwendung_der_Dokumentation\r\n");
    file.close();

    // Text that looks like HTML: in a heading, with pictures named by <img> (a pipe, an endless
    // device, sixteen times one picture of 5500 x 5500 pixels) and tables nested 22 deep, and
    // in tamoini.txt with a link. An SVG of 2,000 large translucent circles named as a PNG.
    const QDir html = dir("html-heading");
    mkfifo(QFile::encodeName(html.filePath("fifo.png")).constData(), 0600);
    writeFile(html.filePath("tamo.txw"),
              "###Verwendung_der_Dokumentation <b>x</b><img src=\"fifo.png\">"
              "<img src=\"/dev/zero\">\r\nText\r\n");
    const QDir bomb = dir("img-bomb");
    QImage square(5500, 5500, QImage::Format_RGB32);
    square.fill(Qt::white);
    square.save(bomb.filePath("f.png"));
    writeFile(bomb.filePath("tamo.txw"), "###Verwendung_der_Dokumentation " +
                                             QByteArray("<img src=\"f.png\">").repeated(16) +
                                             "\r\nText\r\n");
    writeFile(dir("nested-tables").filePath("tamo.txw"),
              "###Verwendung_der_Dokumentation " + QByteArray("<table><tr><td>").repeated(22) +
                  "x\r\nText\r\n");
    const QDir settingsHtml = dir("settings-html");
    mkfifo(QFile::encodeName(settingsHtml.filePath("fifo.png")).constData(), 0600);
    writeFile(settingsHtml.filePath("tamoini.txt"),
              "<b>fett</b><img src=\"fifo.png\"><a href=\"file:///etc/passwd\">passwd</a>\r\n");
    const QDir svg = dir("svg-picture");
    QByteArray circles = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"400\" height=\"300\">"
                         "<text x=\"10\" y=\"20\">Hallo</text>";
    for (int i = 0; i < 2000; ++i)
        circles += "<circle cx=\"200\" cy=\"150\" r=\"3000\" fill-opacity=\"0.01\"/>";
    writeFile(svg.filePath("bild.png"), circles + "</svg>");
    writeFile(svg.filePath("tamo.txw"), kStart + "%%%bild.png\r\nText\r\n");

    const QDir picture = dir("big-picture");
    writeFile(picture.filePath("tamo.txw"),
              kStart + "###Bild\r\n%%%gross.png\r\n" + QByteArray("Zeile\r\n").repeated(50));
    QImage image(kPictureSide, kPictureSide, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (int i = 0; i < kPictureSide; i += 400)
        painter.fillRect(i, 0, 200, kPictureSide, Qt::blue);
    painter.end();
    image.save(picture.filePath("gross.png"));
}

qint64 fileSize(const QDir &dir, const char *name)
{
    struct stat info {};
    return ::stat(QFile::encodeName(dir.filePath(QString::fromLatin1(name))).constData(), &info) ==
                   0
               ? info.st_size
               : 0;
}

// The main window on the documentation in dir, with a clock that never holds back the picture.
struct Window {
    explicit Window(const QDir &dir)
    {
        QDir::setCurrent(dir.path());
        window = std::make_unique<tamo::MainWindow>([this] { return now += 10; },
                                                    [this](const QString &text, const QString &) {
                                                        longestMessage =
                                                            std::max(longestMessage, text.size());
                                                        lastMessage = text;
                                                    });
    }
    template <typename T = QWidget> T *control(const char *name) const
    {
        return window->findChild<T *>(QString::fromLatin1(name));
    }
    void click(const char *button) const
    {
        QTest::mouseClick(control<QAbstractButton>(button), Qt::LeftButton);
    }
    double now = 36000;
    qsizetype longestMessage = 0;
    QString lastMessage;
    std::unique_ptr<tamo::MainWindow> window;
};

// The slowest of the actions timed, and which it was.
struct Slowest {
    double ms = 0;
    QString action;

    void time(const char *label, const std::function<void()> &action)
    {
        QElapsedTimer t;
        t.start();
        action();
        QCoreApplication::processEvents(); // the repaints the action asked for
        const double elapsed = t.nsecsElapsed() / 1e6;
        if (elapsed >= ms) {
            ms = elapsed;
            this->action = QString::fromLatin1(label);
        }
    }
};

// Shows a topic, moves the caret, clicks into the text, finds a word, searches the file.
void useTopic(Window &w, const QString &topic, Slowest &slowest)
{
    slowest.time("show", [&] { w.window->requestTopic(topic); });
    auto *text = w.control<tamo::TopicTextView>("topicText");
    for (int i = 0; i < 3; ++i)
        slowest.time("caret", [&] { QTest::keyClick(text, Qt::Key_Down); });
    slowest.time("click",
                 [&] { QTest::mouseClick(text->viewport(), Qt::LeftButton, {}, QPoint(40, 30)); });
    slowest.time("find", [&] {
        QTest::mouseClick(w.control<QAbstractButton>("openFindButton"), Qt::LeftButton);
        w.control<QLineEdit>("findText")->setText(QStringLiteral("Ende"));
        QTest::mouseClick(w.control<QAbstractButton>("findNextButton"), Qt::LeftButton);
    });
    slowest.time("search", [&] {
        auto *box = w.control<QLineEdit>("queryBox");
        box->setText(QStringLiteral("ende"));
        QTest::keyClick(box, Qt::Key_Return);
    });
}

// Resident memory of this process now (VmRSS) or at its peak (VmHWM, which unlike getrusage
// is not carried over from the parent that started it), in MB.
long memoryMegabytes(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(6).trimmed().split(' ').first().toLong() / 1024;
    }
    return 0;
}

int runCase(const QDir &root, const QString &name)
{
    Slowest baseline;
    {
        Window w(root.filePath("ordinary"));
        baseline.time("load", [&] { w.window->loadAndShow(); });
        useTopic(w, QStringLiteral("Verwendung_der_Dokumentation"), baseline);
    }
    const long before = memoryMegabytes("VmRSS:");
    const QDir dir(root.filePath(name));
    Window w(dir);
    Slowest slowest;
    qint64 hostileBytes = 0;
    slowest.time("load", [&] { w.window->loadAndShow(); });
    const qsizetype loadMessage = w.longestMessage;
    if (name == u"large-topic") {
        hostileBytes = fileSize(dir, "tamo.txw");
        useTopic(w, QStringLiteral("Gross"), slowest);
        slowest.time("back", [&] { w.click("backButton"); });
    } else if (name == u"big-picture") {
        hostileBytes = fileSize(dir, "gross.png");
        useTopic(w, QStringLiteral("Bild"), slowest);
    } else if (name == u"query-words") {
        QString query;
        for (int i = 0; i < kQueryWords; ++i)
            query += QChar(u'a' + QRandomGenerator::global()->bounded(26)) + u' ';
        auto *box = w.control<QLineEdit>("queryBox");
        box->setText(query);
        slowest.time("search", [&] { QTest::keyClick(box, Qt::Key_Return); });
        hostileBytes = fileSize(dir, "tamo.txw");
    } else if (name == u"settings-html") {
        slowest.time("message", [&] {
            const std::unique_ptr<QMessageBox> box(
                tamo::makeMessageBox(w.lastMessage, QStringLiteral("QuarnTamo"), nullptr));
            box->grab();
        });
        useTopic(w, QStringLiteral("Verwendung_der_Dokumentation"), slowest);
    } else if (name == u"svg-picture") {
        hostileBytes = fileSize(dir, "bild.png");
        useTopic(w, QStringLiteral("Verwendung_der_Dokumentation"), slowest);
        slowest.time("check", [&] {
            QProcess tamo;
            tamo.start(QStringLiteral(TAMO_BINARY),
                       {QStringLiteral("check"), QStringLiteral("--doc"),
                        dir.filePath(QStringLiteral("tamo.txw"))});
            tamo.waitForFinished(120000);
        });
    } else {
        if (name == u"settings-line")
            hostileBytes = fileSize(dir, "tamoini.txt");
        useTopic(w, QStringLiteral("Verwendung_der_Dokumentation"), slowest);
        slowest.time("draw", [&] { w.window->grab(); });
    }
    const long peak = memoryMegabytes("VmHWM:");
    const QString perFile =
        hostileBytes > 0 ? QString::asprintf("%.2fx", peak * 1048576.0 / double(hostileBytes))
                         : QStringLiteral("-");
    std::printf("%-14s %9.1f %-7s %9.1f %-7s %7.1fx %8ld %8ld %9.1f %7s %8lld\n", qPrintable(name),
                slowest.ms, qPrintable(slowest.action), baseline.ms, qPrintable(baseline.action),
                slowest.ms / std::max(baseline.ms, 0.1), before, peak, double(hostileBytes) / 1e6,
                qPrintable(perFile), static_cast<long long>(loadMessage));
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3)
        return runCase(QDir(args.at(1)), args.at(2));

    QTemporaryDir root;
    prepare(QDir(root.path()));
    std::printf("%-14s %9s %-7s %9s %-7s %8s %8s %8s %9s %7s %8s\n", "case", "max ms", "action",
                "base ms", "action", "ratio", "start MB", "peak MB", "file MB", "peak/f",
                "message");
    std::fflush(stdout);
    for (const char *name : {"fifo-doc", "fifo-picture", "empty-heading", "settings-line",
                             "large-topic", "big-picture", "query-words", "html-heading",
                             "img-bomb", "nested-tables", "settings-html", "svg-picture"}) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {root.path(), QString::fromLatin1(name)});
        if (!child.waitForFinished(60000)) {
            child.kill();
            child.waitForFinished();
            std::printf("%-14s hangs (killed after 60 s)\n", name);
        } else if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
            std::printf("%-14s failed (exit %d)\n", name, child.exitCode());
        }
        std::fflush(stdout);
    }
    return 0;
}
