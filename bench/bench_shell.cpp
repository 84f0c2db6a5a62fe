// bench_shell: the main window on a generated 20 MB / 30,000-topic documentation.
//   loading alone vs loading under the splash window (its caption repainted while loading),
//   one key release in the query box (the topic list rebuilt), one topic display.
// Run it under a real display (Xvfb) or with QT_QPA_PLATFORM=offscreen; it prints figures and
// the ratios the viewer aims for: splash loading within 2x of plain loading, a key release and
// a display each well under one frame (16 ms).

#include "search/searchhits.h"
#include "shell/choicelist.h"
#include "shell/mainwindow.h"
#include "shell/splashwindow.h"
#include "shell/topictextview.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double msSince(const QElapsedTimer &t)
{
    return t.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QProcess::execute(QStringLiteral(GENDOC_BINARY),
                      {"--topics", "30000", "--bytes", "20000000", dir.filePath("tamo.txw")});
    const QString start = QDir::currentPath();

    constexpr int kRuns = 5;
    std::vector<double> plain, splash, keyUp, display;
    for (int run = 0; run < kRuns; ++run) {
        QDir::setCurrent(dir.path());
        {
            tamo::MainWindow window;
            QElapsedTimer t;
            t.start();
            window.loadAndShow();
            plain.push_back(msSince(t));

            // One key release: the prefix list of "D" (a few thousand names), then of "" (all).
            auto *queryBox = window.findChild<QLineEdit *>("queryBox");
            auto *topicList = window.findChild<tamo::ChoiceList *>("topicList");
            queryBox->setFocus();
            t.start();
            QTest::keyClick(queryBox, Qt::Key_D, Qt::ShiftModifier);
            QTest::keyClick(queryBox, Qt::Key_Backspace);
            keyUp.push_back(msSince(t) / 2);

            // One topic display, from the middle of the list.
            const QString name = topicList->entries().at(topicList->entries().size() / 2);
            t.start();
            window.requestTopic(name);
            display.push_back(msSince(t));
        }
        QDir::setCurrent(dir.path());
        {
            tamo::SplashWindow splashWindow([] { return new tamo::MainWindow; });
            auto *countdown = splashWindow.findChild<QTimer *>("countdownTimer");
            countdown->stop();
            splashWindow.show();
            QCoreApplication::processEvents();
            QElapsedTimer t;
            t.start();
            // The first tick loads and shows the main window under the splash.
            QMetaObject::invokeMethod(countdown, "timeout");
            splash.push_back(msSince(t));
            delete splashWindow.mainWindow();
        }
    }
    QDir::setCurrent(start);

    // Marking the hits of a two-word search in a 400 KB topic: finding them, then marking
    // them in the text view.
    QString big;
    while (big.size() < 400 * 1024)
        big += QStringLiteral("Die Datei wird mit Zugriff auf den Puffer gelesen, Zeile %1.\r\n")
                   .arg(big.size());
    std::vector<double> findHits, markHits;
    qsizetype hitCount = 0;
    for (int run = 0; run < kRuns; ++run) {
        tamo::TopicTextView view;
        view.setTopicText(big);
        QElapsedTimer t;
        t.start();
        const QList<tamo::TextRange> hits = tamo::searchHits(big, QStringLiteral("datei zugriff "));
        findHits.push_back(msSince(t));
        t.start();
        view.setMarks(hits);
        markHits.push_back(msSince(t));
        hitCount = hits.size();
    }

    const double p = median(plain), s = median(splash);
    std::printf("loading, main window alone      %8.1f ms\n", p);
    std::printf("loading under the splash window %8.1f ms  (%.2fx)\n", s, s / p);
    std::printf("key release in the query box    %8.2f ms\n", median(keyUp));
    std::printf("one topic display               %8.2f ms\n", median(display));
    std::printf("hits in a 400 KB topic: find    %8.2f ms, mark %.2f ms (%lld hits)\n",
                median(findHits), median(markHits), static_cast<long long>(hitCount));
    return 0;
}
