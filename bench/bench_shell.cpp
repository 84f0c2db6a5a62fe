// bench_shell: the main window on a generated 20 MB / 30,000-topic documentation.
//   loading alone vs loading under the splash window (its caption repainted while loading),
//   one key release in the query box (the topic list rebuilt), one topic display.
// Run it under a real display (Xvfb) or with QT_QPA_PLATFORM=offscreen; it prints figures and
// the ratios the viewer aims for: splash loading within 2x of plain loading, a key release and
// a display each well under one frame (16 ms).

#include "shell/form1.h"
#include "shell/formstart.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

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
    installFontSubstitutes();
    QTemporaryDir dir;
    QProcess::execute(QStringLiteral(GENDOC_BINARY),
                      {"--topics", "30000", "--bytes", "20000000", dir.filePath("tamo.txw")});
    const QString start = QDir::currentPath();

    constexpr int kRuns = 5;
    std::vector<double> plain, splash, keyUp, display;
    for (int run = 0; run < kRuns; ++run) {
        QDir::setCurrent(dir.path());
        {
            Form1 form;
            QElapsedTimer t;
            t.start();
            form.Form_Load();
            plain.push_back(msSince(t));

            // One key release: the prefix list of "D" (a few thousand names), then of "" (all).
            form.Text2->setText("D");
            t.start();
            form.Text2_KeyUp('D', 0);
            form.Text2->setText(QString());
            form.Text2_KeyUp(8, 0);
            keyUp.push_back(msSince(t) / 2);

            // One topic display, from the middle of the index.
            const QString name = form.topicIndex.names.at(form.topicIndex.count() / 2);
            t.start();
            form.RequestTopic(name);
            display.push_back(msSince(t));
        }
        QDir::setCurrent(dir.path());
        {
            FormStart start([] { return new Form1; });
            start.Timer1->stop();
            start.show();
            QCoreApplication::processEvents();
            QElapsedTimer t;
            t.start();
            start.Timer1_Timer(); // loads and shows the main window under the splash
            splash.push_back(msSince(t));
            delete start.mainWindow();
        }
    }
    QDir::setCurrent(start);

    const double p = median(plain), s = median(splash);
    std::printf("loading, main window alone      %8.1f ms\n", p);
    std::printf("loading under the splash window %8.1f ms  (%.2fx)\n", s, s / p);
    std::printf("key release in the query box    %8.2f ms\n", median(keyUp));
    std::printf("one topic display               %8.2f ms\n", median(display));
    return 0;
}
