#include "shell/formstart.h"

#include "shell/form1.h"
#include "store/splashcountdown.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace {

// The caption is repainted at most once per display frame while loading: a screen shows no
// more, and repainting for each of thousands of headings would dominate loading.
constexpr qint64 kFrameMs = 16;

QLabel *makeLabel(const QString &text, QWidget *parent, int left, int top, int width, int height)
{
    auto *label = new QLabel(text, parent);
    label->setGeometry(left, top, width, height);
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

FormStart::FormStart(std::function<Form1 *()> makeMainWindow, std::function<double()> clock,
                     QWidget *parent)
    : QWidget(parent)
    , m_makeMainWindow(std::move(makeMainWindow))
    , m_clock(clock ? std::move(clock) : systemClock)
{
    initShellResources();
    m_picture = QPixmap(QStringLiteral(":/quarntamo/splash.png"));
    setFont(defaultWindowFont());
    setWindowTitle(QStringLiteral("QuarnTamo"));
    setFixedSize(482, 344);
    setAttribute(Qt::WA_QuitOnClose, false); // closing the splash never ends the program
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(0, 0), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }

    Label2 = makeLabel(QStringLiteral("QuarnTamo wird initialisiert..."), this, 24, 192, 433, 33);
    Label1 = makeLabel(
        QStringLiteral(
            "Die Verwendung, Erweiterung, Veränderung oder Verbreitung von Quarn, von Komponenten "
            "oder von mit dieser Programmiersprache erstellten Programmen und Dateien erfolgt auf "
            "eigene Gefahr und Verantwortung. Der Entwickler dieser Programmiersprache übernimmt "
            "keinerlei Haftung für Schäden, die von dieser Programmiersprache, einer oder mehrerer "
            "ihrer Komponenten oder von, mit Hilfe dieser Programmiersprache erstellten, "
            "Programmen "
            "und Dateien verursacht wurden."),
        this, 24, 232, 433, 81);
    Label2->setAccessibleName(QStringLiteral("Status"));
    Label1->setAccessibleName(QStringLiteral("Haftungsausschluss"));

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &FormStart::Timer1_Timer);
    Timer1->start();
}

void FormStart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_picture.isNull())
        painter.fillRect(rect(), QColor(0, 0, 160));
    else
        painter.drawPixmap(rect(), m_picture);
}

void FormStart::showProgress(const QString &caption)
{
    Label2->setText(caption);
    if (!m_sinceRepaint.isValid() || m_sinceRepaint.elapsed() >= kFrameMs) {
        Label2->repaint();
        m_sinceRepaint.start();
    }
}

void FormStart::Timer1_Timer()
{
    const SplashStep step = splashTick(Tag);
    Tag = step.tag;
    if (step.showMainWindow) {
        SplashStart = m_clock();
        Timer1->stop();
        if (!m_main)
            m_main = m_makeMainWindow();
        m_sinceRepaint.invalidate();
        m_main->Show([this](const QString &caption) { showProgress(caption); });
        Label2->repaint(); // the last caption stays until the splash closes
        Timer1->start();
        raise();
        activateWindow();
        if (loadingTookTooLong(SplashStart, m_clock())) {
            Tag = QStringLiteral("1");
            Timer1_Timer();
        }
    } else if (step.closeSplash) {
        Timer1->stop();
        close();
        if (m_main) {
            m_main->setEnabled(true);
            m_main->raise();
            m_main->activateWindow();
        }
    }
}
