#include "shell/form1.h"

#include "std/textroutines.h"
#include "store/doclocation.h"
#include "store/docreader.h"
#include "viewer/picturethrottle.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QKeyEvent>
#include <QMessageBox>
#include <QScreen>
#include <QTime>

#include <algorithm>

namespace {

void place(QWidget *w, int left, int top, int width, int height)
{
    w->setGeometry(left, top, width, height);
}

} // namespace

double systemClock()
{
    return secondsSinceMidnight(QTime::currentTime());
}

void initShellResources()
{
    Q_INIT_RESOURCE(shell);
}

// The fonts go by the names the windows were designed with; installFontSubstitutes() maps
// them to installed look-alikes.
QFont defaultWindowFont()
{
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPointSizeF(8.25);
    return f;
}

void installFontSubstitutes()
{
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans"),
                                QStringLiteral("Arial")});
    QFont::insertSubstitutions(
        QStringLiteral("Times New Roman"),
        {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
}

Form1::Form1(std::function<double()> clock, QWidget *parent)
    : QWidget(parent)
    , m_clock(clock ? std::move(clock) : systemClock)
    , m_textFont(initialTextFont)
{
    messageBox = [this](const QString &text, const QString &title) {
        QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, this);
        box.exec();
    };
    List6.Tag = QStringLiteral("1");
    initShellResources();
    createControls();
    // Key preview: the window sees every key press before the control that has the focus.
    qApp->installEventFilter(this);
}

Form1::~Form1()
{
    qApp->removeEventFilter(this);
}

void Form1::createControls()
{
    setWindowTitle(QStringLiteral("QUARN-Dokumentation"));
    setFixedSize(792, 573);
    setFont(defaultWindowFont());
    setAccessibleName(QStringLiteral("QUARN-Dokumentation"));
    setWindowIcon(QIcon(QStringLiteral(":/quarntamo/icon.png")));

    // Created back to front, so that each control lies in front of those made before it.
    Label1 = new QLabel(QStringLiteral("Thema"), this);
    place(Label1, 8, 0, 777, 17);
    QFont bold = defaultWindowFont();
    bold.setBold(true);
    Label1->setFont(bold);
    Label1->setAccessibleName(QStringLiteral("Thema"));
    Label1->hide();

    Label2 = new QLabel(QStringLiteral("Verwandte Themen"), this);
    place(Label2, 8, 448, 97, 17);
    Label2->hide();

    Text1 = new TopicTextBox(this);
    place(Text1, 0, 16, 795, 417);
    Text1->setAccessibleName(QStringLiteral("Thementext"));
    Text1->hide();
    applyTopicFont();

    List1 = new ListBox(this);
    place(List1, 0, 464, 385, 108);
    List1->setAccessibleName(QStringLiteral("Verwandte Themen"));
    List1->hide();

    List2 = new ListBox(this);
    place(List2, 392, 464, 401, 108);
    List2->setAccessibleName(QStringLiteral("Themenliste"));

    Text2 = new QueryBox(this);
    place(Text2, 392, 440, 401, 19);
    Text2->setAccessibleName(QStringLiteral("Themensuche"));

    auto button = [this](const QString &caption, const QString &name, int l, int t, int w, int h) {
        auto *b = new QPushButton(caption, this);
        place(b, l, t, w, h);
        b->setAccessibleName(name);
        b->setAutoDefault(false);
        return b;
    };
    Command1 = button(QStringLiteral("<"), QStringLiteral("Zurück"), 312, 440, 33, 17);
    Command1->setEnabled(false);
    Command2 = button(QStringLiteral(">"), QStringLiteral("Vorwärts"), 352, 440, 33, 17);
    Command2->setEnabled(false);
    Command3 = button(QStringLiteral("+"), QStringLiteral("Schrift größer"), 168, 440, 33, 17);
    Command4 = button(QStringLiteral("-"), QStringLiteral("Schrift kleiner"), 208, 440, 33, 17);

    Timer1 = new QTimer(this);
    // The window and the separator options are kept in step on every change of geometry,
    // window state or "nur ganze Wörter suchen"; this slow tick only backs that up, so an
    // idle window costs nothing.
    Timer1->setInterval(1000);

    Command5 = button(QStringLiteral("Suchen"), QStringLiteral("Suchen"), 248, 440, 57, 17);

    Picture1 = new PictureBox(this);
    place(Picture1, 376, 16, 417, 417);
    Picture1->setAccessibleName(QStringLiteral("Bild"));
    Picture1->hide();

    Frame1 = new QGroupBox(this);
    place(Frame1, -8, 432, 808, 145);
    Frame1->setAccessibleName(QStringLiteral("Suchen im Thementext"));
    Frame1->setAutoFillBackground(true); // it covers the lower strip of the window
    Frame1->hide();

    Label3 =
        new QLabel(QStringLiteral("Wenn Sie die Tasten [Shift]+[F3] oder [Strg]+[F3] verwenden, "
                                  "wird die markierte Zeichenfolge mit den hiesigen "
                                  "Einstellungen gesucht. Die Taste [F3] setzt die Suche "
                                  "fort."),
                   Frame1);
    place(Label3, 448, 64, 217, 57);
    Label3->setWordWrap(true);
    Label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Text3 = new SearchBox(Frame1);
    place(Text3, 8, 16, 785, 19);
    Text3->setAccessibleName(QStringLiteral("Zu suchender Text"));

    Check1 = new QCheckBox(QStringLiteral("Groß- und Kleinschreibung beachten"), Frame1);
    place(Check1, 8, 40, 193, 17);
    Check4 = new QCheckBox(QStringLiteral("nur ganze Wörter suchen"), Frame1);
    place(Check4, 8, 56, 145, 17);

    // The substitute fonts run a little wider than the designed one: a check box whose
    // caption would be cut keeps its place and grows to the right.
    for (QCheckBox *box : {Check1, Check4})
        box->resize(std::max(box->width(), box->sizeHint().width()), box->height());

    Frame2 = new QGroupBox(QStringLiteral("Worttrennzeichen sind:"), Frame1);
    place(Frame2, 8, 72, 369, 57);
    const struct {
        int index;
        const char16_t *caption;
        int left, top, width;
        bool checked;
    } boxes[] = {{0, u"Leerzeichen", 8, 16, 81, true},
                 {1, u"Tabulator und [Enter]", 8, 32, 121, true},
                 {3, u"Bindestriche", 136, 32, 81, false},
                 {2, u"Unterstreichung", 136, 16, 113, false},
                 {4, u"andere Sonderzeichen", 232, 16, 129, true}};
    for (const auto &b : boxes) {
        auto *box = new QCheckBox(QString::fromUtf16(b.caption), Frame2);
        place(box, b.left, b.top, b.width, 17);
        box->setChecked(b.checked);
        Check2[b.index] = box;
    }

    Command7 = new QPushButton(QStringLiteral("Suchen"), Frame1);
    place(Command7, 696, 40, 97, 17);
    Command7->setAccessibleName(QStringLiteral("Weitersuchen"));
    Command7->setAutoDefault(false);
    Command6 = new QPushButton(QStringLiteral("Fenster schließen"), Frame1);
    place(Command6, 696, 120, 97, 17);
    Command6->setAutoDefault(false);

    Timer2 = new QTimer(this);
    // Not single-shot: the timer stays enabled while its own tick runs, so that a request
    // deferred from inside the tick finds it enabled, and the tick then switches it off.
    Timer2->setInterval(1200);

    ProgressBar1 = new ProgressBar(this);
    place(ProgressBar1, 392, 440, 401, 19);
    ProgressBar1->setAccessibleName(QStringLiteral("Suchfortschritt"));
    ProgressBar1->hide();

    // Keyboard focus order.
    const QList<QWidget *> tabOrder = {Text1,     Command3,  Command4,  Command1,  Command2,
                                       List1,     Text2,     List2,     Command5,  Command6,
                                       Text3,     Check1,    Check4,    Check2[0], Check2[1],
                                       Check2[3], Check2[2], Check2[4], Command7};
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);

    // Events to handlers.
    connect(List2, &ListBox::Click, this, &Form1::List2_Click);
    connect(List1, &ListBox::Click, this, &Form1::List1_Click);
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form1::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &Form1::Command6_Click);
    connect(Command7, &QPushButton::clicked, this, &Form1::Command7_Click);
    connect(Text1, &TopicTextBox::KeyUp, this, &Form1::Text1_KeyUp);
    connect(Text1, &TopicTextBox::MouseUp, this, &Form1::Text1_MouseUp);
    connect(Text2, &QueryBox::KeyUp, this, &Form1::Text2_KeyUp);
    connect(Text2, &QueryBox::GotFocus, this, &Form1::Text2_GotFocus);
    connect(Text3, &SearchBox::KeyDown, this, &Form1::Text3_KeyDown);
    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    connect(Timer2, &QTimer::timeout, this, &Form1::Timer2_Timer);
    connect(Check4, &QCheckBox::toggled, this, &Form1::Timer1_Timer);
}

void Form1::Show(const LoadProgress &progress)
{
    if (!m_loaded) {
        if (const QScreen *screen = QGuiApplication::primaryScreen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
        Form_Load(progress);
    }
    show();
    Timer1->start();
    scheduleWindowTick();
}

void Form1::Form_Load(const LoadProgress &progress)
{
    if (m_loaded)
        return;
    m_loaded = true;
    WindowBounds = QRect(pos(), size());

    // Find the documentation: the directory named by tamoini.txt becomes the working
    // directory. Problems are reported and the window opens on what could be read.
    const DocLocation location = locateDocumentation(QDir::currentPath(), true);
    DocReader reader;
    if (!location.error.isEmpty()) {
        showLoadProblem(location.error);
    } else if (!QDir::setCurrent(location.directory)) {
        showLoadProblem(
            QStringLiteral("In das Verzeichnis \u201E%1\u201C kann nicht gewechselt werden.")
                .arg(location.directory));
    } else {
        docPath = QDir(location.directory).filePath(QString::fromLatin1(kDocFileName));
        createIfMissing(docPath); // where it cannot be created, the index stays empty
        QString error;
        if (reader.open(docPath, &error))
            topicIndex = buildTopicIndex(reader, progress);
        else if (QFileInfo::exists(docPath))
            showLoadProblem(
                QStringLiteral("Die Dokumentation \u201E%1\u201C kann nicht gelesen werden: %2")
                    .arg(QDir::toNativeSeparators(docPath), error));
        reader.close();
    }

    // The start topic, then every topic in the list.
    const QString startTopic = QStringLiteral("Verwendung_der_Dokumentation");
    Text2->setText(startTopic);
    Text2_KeyUp(0, 0);
    if (List2->ListCount() > 0)
        List2->setListIndex(0);
    else
        RequestTopic(startTopic); // shows the not-found topic
    Text2->setText(QString());
    Text2_KeyUp(13, 0);
    Text1_KeyUp(0, 0);
}

void Form1::showLoadProblem(const QString &text)
{
    if (messageBox)
        messageBox(text, QStringLiteral("QUARN-Dokumentation"));
}

void Form1::applyTopicFont()
{
    QFont f(QStringLiteral("Times New Roman"));
    f.setPointSizeF(m_textFont.size);
    f.setBold(m_textFont.bold);
    Text1->setFont(f);
}

// ---- window geometry and the separator options ----

void Form1::scheduleWindowTick()
{
    if (m_tickPending)
        return;
    m_tickPending = true;
    QTimer::singleShot(0, this, [this] {
        m_tickPending = false;
        Timer1_Timer();
    });
}

void Form1::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    scheduleWindowTick();
}

void Form1::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    scheduleWindowTick();
}

void Form1::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        scheduleWindowTick();
}

void Form1::Timer1_Timer()
{
    // A minimized window is left alone, and so is a maximized one (the platform refuses to
    // move or size it).
    if (isMinimized() || isMaximized())
        return;
    if (m_loaded && isVisible()) {
        if (pos() != WindowBounds.topLeft())
            move(WindowBounds.topLeft());
        if (size() != WindowBounds.size())
            resize(WindowBounds.size());
    }
    const bool want = Check4->isChecked();
    if (Frame2->isEnabled() != want) {
        Frame2->setEnabled(want);
        for (QCheckBox *box : Check2)
            box->setEnabled(want);
    }
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        auto *widget = static_cast<QWidget *>(watched);
        const QWidget *focus = QApplication::focusWidget();
        // Each key press once: where it is first delivered, the focused control (or the
        // window itself when nothing in it has the focus).
        if (widget->window() == this && (widget == focus || (!focus && widget == this))) {
            const auto *key = static_cast<QKeyEvent *>(event);
            Form_KeyDown(vbKeyCode(key), vbShiftMask(key->modifiers()));
        }
    }
    return QWidget::eventFilter(watched, event);
}
