#pragma once

#include "shell/appearance.h"
#include "store/topicindex.h"
#include "viewer/startup.h"

#include <QElapsedTimer>
#include <QPixmap>
#include <QWidget>

#include <functional>

class QLabel;
class QTimer;

namespace tamo {

class MainWindow;

// The splash window: a picture, a disclaimer and the loading progress. About a second after
// it comes up, its countdown loads and shows the main window; about two seconds later (at
// once when loading took longer than two seconds) it closes and hands the focus over.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    // The main window is made on the first tick by makeMainWindow; the splash window does not
    // own it.
    explicit SplashWindow(std::function<MainWindow *()> makeMainWindow, Clock clock = {},
                          QWidget *parent = nullptr);

    MainWindow *mainWindow() const { return m_main; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void tick();
    void showProgress(const QString &caption);

    QLabel *m_status; // "QuarnTamo wird initialisiert..." then the loading caption
    QLabel *m_disclaimer;
    QTimer *m_countdownTimer;
    int m_countdown = kSplashCountdownStart;
    double m_loadStart = 0; // clock when the main window began to load

    std::function<MainWindow *()> m_makeMainWindow;
    Clock m_clock;
    MainWindow *m_main = nullptr;
    QPixmap m_picture;
    QElapsedTimer m_sinceRepaint;
};

} // namespace tamo
