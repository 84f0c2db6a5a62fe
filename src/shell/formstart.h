#pragma once

#include "store/topicindex.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <functional>

class Form1;

// The splash window: a picture, a disclaimer and the loading progress. About a second after
// it comes up its timer loads and shows the main window; about two seconds later (at once
// when loading took longer than two seconds) it closes and hands the focus over.
class FormStart : public QWidget {
    Q_OBJECT
public:
    // clock: seconds since midnight; tests pass a fake one. The main window is made on the
    // first tick by makeMainWindow.
    explicit FormStart(std::function<Form1 *()> makeMainWindow, std::function<double()> clock = {},
                       QWidget *parent = nullptr);

    void Timer1_Timer();

    QLabel *Label2; // status: "QuarnTamo wird initialisiert..." then the loading caption
    QLabel *Label1; // disclaimer
    QTimer *Timer1;
    QString Tag = QStringLiteral("3"); // the countdown of Timer1
    double SplashStart = 0;

    Form1 *mainWindow() const { return m_main; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void showProgress(const QString &caption);

    std::function<Form1 *()> m_makeMainWindow;
    std::function<double()> m_clock;
    Form1 *m_main = nullptr;
    QPixmap m_picture;
    QElapsedTimer m_sinceRepaint;
};
