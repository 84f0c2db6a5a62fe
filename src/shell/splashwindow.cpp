#include "shell/splashwindow.h"

#include "shell/layout.h"
#include "shell/mainwindow.h"
#include "viewer/startup.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace tamo {

namespace {

// The caption is repainted at most once per display frame while loading: a screen shows no
// more, and repainting for each of thousands of headings would dominate loading.
constexpr qint64 kFrameMs = 16;

QLabel *makeLabel(const layout::Control &entry, QWidget *parent)
{
    auto *label = new QLabel(parent);
    applyLayout(label, entry);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(true);
    label->setAutoFillBackground(true);
    QPalette p = label->palette();
    p.setColor(QPalette::Window, QColor(0, 0, 255));
    p.setColor(QPalette::WindowText, QColor(255, 255, 0));
    label->setPalette(p);
    return label;
}

} // namespace

SplashWindow::SplashWindow(std::function<MainWindow *()> makeMainWindow, Clock clock,
                           QWidget *parent)
    : QWidget(parent)
    , m_makeMainWindow(std::move(makeMainWindow))
    , m_clock(clock ? std::move(clock) : systemClock)
{
    prepareShell();
    // Above a device pixel ratio of 1 the picture at twice the size, drawn scaled down if need be.
    const bool dense = devicePixelRatioF() > 1;
    m_picture = QPixmap(dense ? QStringLiteral(":/quarntamo/splash@2x.png")
                              : QStringLiteral(":/quarntamo/splash.png"));
    m_picture.setDevicePixelRatio(dense ? 2 : 1);
    setObjectName(QStringLiteral("splashWindow"));
    setFont(defaultWindowFont());
    setWindowTitle(QStringLiteral("QuarnTamo"));
    setFixedSize(layout::kSplashSize);
    setAttribute(Qt::WA_QuitOnClose, false); // closing the splash never ends the program
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(0, 0), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }

    m_status = makeLabel(layout::kSplashStatus, this);
    m_disclaimer = makeLabel(layout::kSplashDisclaimer, this);

    m_countdownTimer = new QTimer(this);
    m_countdownTimer->setObjectName(QStringLiteral("countdownTimer"));
    m_countdownTimer->setInterval(1000);
    connect(m_countdownTimer, &QTimer::timeout, this, &SplashWindow::tick);
    m_countdownTimer->start();
}

void SplashWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (m_picture.isNull())
        painter.fillRect(rect(), QColor(0, 0, 160));
    else
        painter.drawPixmap(rect(), m_picture);
}

void SplashWindow::showProgress(const QString &caption)
{
    m_status->setText(shownName(caption)); // it ends with a topic name from the file
    if (!m_sinceRepaint.isValid() || m_sinceRepaint.elapsed() >= kFrameMs) {
        m_status->repaint();
        m_sinceRepaint.start();
    }
}

void SplashWindow::tick()
{
    const SplashStep step = splashTick(m_countdown);
    m_countdown = step.countdown;
    if (step.showMainWindow) {
        m_loadStart = m_clock();
        m_countdownTimer->stop();
        if (!m_main)
            m_main = m_makeMainWindow();
        m_sinceRepaint.invalidate();
        m_main->loadAndShow([this](qint64 positionAfter, qint64 fileSize, const QString &name) {
            showProgress(loadingCaption(positionAfter, fileSize, name));
        });
        m_status->repaint(); // the last caption stays until the splash closes
        m_countdownTimer->start();
        raise();
        activateWindow();
        if (loadingTookTooLong(m_loadStart, m_clock())) {
            m_countdown = 1;
            tick();
        }
    } else if (step.closeSplash) {
        m_countdownTimer->stop();
        close();
        if (m_main) {
            m_main->setEnabled(true);
            m_main->raise();
            m_main->activateWindow();
        }
    }
}

} // namespace tamo
