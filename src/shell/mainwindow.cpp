// The main window: its controls, loading the documentation, and holding the window in place.

#include "shell/mainwindow.h"

#include "shell/choicelist.h"
#include "shell/findpanel.h"
#include "shell/layout.h"
#include "shell/pictureview.h"
#include "shell/queryedit.h"
#include "shell/searchprogressbar.h"
#include "shell/topictextview.h"
#include "std/textroutines.h"
#include "store/doclocation.h"
#include "store/docreader.h"
#include "store/regularfile.h"
#include "viewer/windowplace.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <memory>

namespace tamo {

namespace {

// A key as the tooltips name it: "Alt+Links", "Strg+Plus", "Strg+F".
QString keyName(const layout::StandardKey &k)
{
    QString name;
    if (k.modifiers & Qt::ControlModifier)
        name += QStringLiteral("Strg+");
    if (k.modifiers & Qt::AltModifier)
        name += QStringLiteral("Alt+");
    switch (k.key) {
    case Qt::Key_Left:
        return name + QStringLiteral("Links");
    case Qt::Key_Right:
        return name + QStringLiteral("Rechts");
    case Qt::Key_Plus:
        return name + QStringLiteral("Plus");
    case Qt::Key_Minus:
        return name + QStringLiteral("Minus");
    default:
        return name + QChar(char16_t(k.key)); // a letter: its key code is its character
    }
}

} // namespace

MainWindow::MainWindow(Clock clock, MessageSink messages, QWidget *parent)
    : QWidget(parent)
    , m_clock(clock ? std::move(clock) : systemClock)
    , m_messages(std::move(messages))
    , m_textFont(initialTextFont)
{
    if (!m_messages) {
        m_messages = [this](const QString &text, const QString &title) {
            const std::unique_ptr<QMessageBox> box(makeMessageBox(text, title, this));
            box->exec();
        };
    }
    prepareShell();
    createControls();
    connectControls();
    // Key preview: the window sees every key press before the control that has the focus.
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow()
{
    qApp->removeEventFilter(this);
}

void MainWindow::createControls()
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QString::fromUtf16(layout::kWindowTitle));
    setAccessibleName(windowTitle());
    setFixedSize(layout::kWindowSize);
    setFont(defaultWindowFont());
    setWindowIcon(QIcon(QStringLiteral(":/quarntamo/icon.png")));

    // Created back to front, so that each control lies in front of those made before it.
    m_topicTitle = makeControl<QLabel>(layout::kTopicTitle, this);
    QFont bold = defaultWindowFont();
    bold.setBold(true);
    m_topicTitle->setFont(bold);
    // Its accessible name becomes the shown topic's name (showSelectedTopic()).
    m_topicTitle->setAccessibleDescription(QStringLiteral("Name des angezeigten Themas"));
    m_topicTitle->hide();
    m_relatedLabel = makeControl<QLabel>(layout::kRelatedLabel, this);
    m_relatedLabel->hide();
    m_topicText = makeControl<TopicTextView>(layout::kTopicText, this);
    m_topicText->hide();
    applyTopicFont();
    m_relatedList = makeControl<ChoiceList>(layout::kRelatedList, this);
    m_relatedList->hide();
    m_topicList = makeControl<ChoiceList>(layout::kTopicList, this);
    m_queryBox = makeControl<QueryEdit>(layout::kQueryBox, this);
    m_backButton = makeButton(layout::kBackButton, this);
    m_backButton->setEnabled(false);
    m_forwardButton = makeButton(layout::kForwardButton, this);
    m_forwardButton->setEnabled(false);
    m_largerTextButton = makeButton(layout::kLargerTextButton, this);
    m_smallerTextButton = makeButton(layout::kSmallerTextButton, this);

    m_geometryGuard = new QTimer(this);
    m_geometryGuard->setObjectName(QStringLiteral("geometryGuard"));
    // The window and the separator options are kept in step on every change of geometry,
    // window state or "nur ganze Wörter suchen"; this slow tick only backs that up, so an
    // idle window costs nothing.
    m_geometryGuard->setInterval(1000);

    m_openFindButton = makeButton(layout::kOpenFindButton, this);
    m_picture = makeControl<PictureView>(layout::kPicture, this);
    m_picture->hide();
    m_findPanel = new FindPanel(this);

    m_pictureDelay = new QTimer(this);
    m_pictureDelay->setObjectName(QStringLiteral("pictureDelay"));
    m_pictureDelay->setSingleShot(true);
    m_pictureDelay->setInterval(1200);

    m_searchProgress = makeControl<SearchProgressBar>(layout::kSearchProgress, this);
    m_searchProgress->hide();

    for (const auto &[name, tip] : layout::kToolTips) {
        const auto key = std::find_if(
            layout::kStandardKeys.begin(), layout::kStandardKeys.end(),
            [name = name](const layout::StandardKey &k) { return qstrcmp(k.control, name) == 0; });
        QString text = QString::fromUtf16(tip);
        if (key != layout::kStandardKeys.end())
            text += QStringLiteral(" (%1)").arg(keyName(*key));
        findChild<QWidget *>(QString::fromLatin1(name))->setToolTip(text);
    }

    applyTabOrder(this, layout::kTabOrder);
    m_findPanel->placeInTabOrderAfter(m_openFindButton);
}

void MainWindow::connectControls()
{
    connect(m_topicList, &ChoiceList::chosen, this, &MainWindow::showSelectedTopic);
    connect(m_relatedList, &ChoiceList::chosen, this, &MainWindow::openRelatedTopic);
    connect(m_backButton, &QPushButton::clicked, this, &MainWindow::goBack);
    connect(m_forwardButton, &QPushButton::clicked, this, &MainWindow::goForward);
    connect(m_largerTextButton, &QPushButton::clicked, this, &MainWindow::enlargeText);
    connect(m_smallerTextButton, &QPushButton::clicked, this, &MainWindow::shrinkText);
    connect(m_openFindButton, &QPushButton::clicked, this, &MainWindow::openFindPanel);
    connect(m_findPanel, &FindPanel::closeRequested, this, &MainWindow::closeFindPanel);
    connect(m_findPanel, &FindPanel::findNextRequested, this, &MainWindow::findNext);
    connect(m_topicText, &TopicTextView::keyReleased, this, &MainWindow::requestPictureUpdate);
    connect(m_topicText, &TopicTextView::mouseReleased, this, &MainWindow::requestPictureUpdate);
    connect(m_topicText, &TopicTextView::zoomRequested, this, &MainWindow::zoomText);
    connect(m_queryBox, &QueryEdit::keyReleased, this,
            [this](int key) { onQueryKeyReleased(key); });
    connect(m_queryBox, &QueryEdit::focused, this, &MainWindow::onQueryFocused);
    connect(m_findPanel, &FindPanel::searchKeyPressed, this, &MainWindow::onFindTextKey);
    connect(m_geometryGuard, &QTimer::timeout, this, &MainWindow::keepWindowInPlace);
    connect(m_pictureDelay, &QTimer::timeout, this, &MainWindow::runDeferredPictureUpdate);
}

void MainWindow::loadAndShow(const LoadProgress &progress)
{
    const bool firstShow = !m_loaded;
    if (firstShow) {
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            move(homeFramePosition(frameGeometry().size(), screen->availableGeometry()));
        loadDocumentation(progress);
    }
    show();
    m_geometryGuard->start();
    scheduleGeometryCheck();
    if (firstShow)
        emit loaded();
}

void MainWindow::loadDocumentation(const LoadProgress &progress)
{
    m_loaded = true;
    m_homeGeometry = QRect(pos(), size());

    // Find the documentation: the directory named by tamoini.txt, or that of the file given,
    // becomes the working directory. Problems are reported and the window opens on what could
    // be read.
    const DocLocation location = m_docPath.isEmpty()
                                     ? locateDocumentation(QDir::currentPath(), true)
                                     : documentationFile(m_docPath);
    if (!location.error.isEmpty()) {
        reportLoadProblem(location.error);
    } else if (!QDir::setCurrent(location.directory)) {
        reportLoadProblem(
            QStringLiteral("In das Verzeichnis \u201E%1\u201C kann nicht gewechselt werden.")
                .arg(elidedForMessage(location.directory)));
    } else {
        m_docPath = location.docPath;
        createIfMissing(m_docPath); // where it cannot be created, the index stays empty
        followDocumentation();      // from before the reading: a save meanwhile is seen
        DocReader reader;
        QString error;
        if (reader.open(m_docPath, &error))
            m_topicIndex = buildTopicIndex(reader, progress);
        else if (!nothingAt(m_docPath)) // a link that leads nowhere is reported too
            reportLoadProblem(
                QStringLiteral("Die Dokumentation \u201E%1\u201C kann nicht gelesen werden: %2")
                    .arg(elidedForMessage(QDir::toNativeSeparators(m_docPath)), error));
    }

    // The start topic, then every topic in the list.
    const QString startTopic = QString::fromLatin1(kStartTopic);
    m_queryBox->setText(startTopic);
    onQueryKeyReleased(0);
    if (!m_topicList->entries().isEmpty())
        m_topicList->selectRow(0);
    else
        requestTopic(startTopic); // shows the not-found topic
    m_queryBox->clear();
    onQueryKeyReleased(Qt::Key_Return);
    requestPictureUpdate();
}

void MainWindow::reportLoadProblem(const QString &text)
{
    m_messages(text, windowTitle());
}

// ---- window geometry and the separator options ----

void MainWindow::scheduleGeometryCheck()
{
    if (m_geometryCheckPending)
        return;
    m_geometryCheckPending = true;
    QTimer::singleShot(0, this, [this] {
        m_geometryCheckPending = false;
        keepWindowInPlace();
    });
}

void MainWindow::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    scheduleGeometryCheck();
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    scheduleGeometryCheck();
}

void MainWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        scheduleGeometryCheck();
}

void MainWindow::keepWindowInPlace()
{
    // A minimized window is left alone. A maximized one keeps its state (the platform refuses
    // to move or size it), but the separator options still follow.
    if (isMinimized())
        return;
    if (m_loaded && isVisible() && !isMaximized()) {
        if (pos() != m_homeGeometry.topLeft())
            move(m_homeGeometry.topLeft());
        if (size() != m_homeGeometry.size())
            resize(m_homeGeometry.size());
    }
    m_findPanel->syncSeparatorOptions();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::KeyPress || type == QEvent::MouseButtonPress) && watched->isWidgetType()) {
        auto *widget = static_cast<QWidget *>(watched);
        if (widget->window() != this)
            return QWidget::eventFilter(watched, event);
        if (type == QEvent::MouseButtonPress)
            return onMouseButton(static_cast<QMouseEvent *>(event)) ||
                   QWidget::eventFilter(watched, event);
        const QWidget *focus = QApplication::focusWidget();
        // Each key press once: where it is first delivered, the focused control (or the
        // window itself when nothing in it has the focus).
        if (widget == focus || (!focus && widget == this)) {
            const auto *key = static_cast<QKeyEvent *>(event);
            onWindowKey(key->key(), key->modifiers());
            if (onStandardKey(key))
                return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool MainWindow::onStandardKey(const QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers =
        event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    const auto matches = [event, modifiers](const layout::StandardKey &k) {
        return event->key() == k.key && modifiers == k.modifiers;
    };
    if (matches(layout::kPrintKey)) {
        printTopic();
        return true;
    }
    const auto key =
        std::find_if(layout::kStandardKeys.begin(), layout::kStandardKeys.end(), matches);
    if (key == layout::kStandardKeys.end())
        return false;
    // click() does nothing on a disabled button and, unlike a mouse click, leaves the focus
    // where it is.
    findChild<QPushButton *>(QString::fromLatin1(key->control))->click();
    return true;
}

bool MainWindow::onMouseButton(const QMouseEvent *event)
{
    if (event->button() == Qt::BackButton)
        m_backButton->click();
    else if (event->button() == Qt::ForwardButton)
        m_forwardButton->click();
    else
        return false;
    return true;
}

} // namespace tamo
