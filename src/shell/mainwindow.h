#pragma once

#include "find/findnext.h"
#include "shell/appearance.h"
#include "store/topicindex.h"
#include "viewer/history.h"
#include "viewer/textsize.h"

#include <QImage>
#include <QWidget>

#include <functional>

class QKeyEvent;
class QMouseEvent;
class QLabel;
class QPrinter;
class QPushButton;
class QTimer;

namespace tamo {

class ChoiceList;
class DocumentationReloader;
class DocumentationWatcher;
class FindPanel;
class PictureView;
class QueryEdit;
class SearchProgressBar;
class TopicTextView;
struct ReloadedDocumentation;
struct TopicContent;

// Shows a message to the user: text and window title. The window shows a message box; tests
// record the messages instead.
using MessageSink = std::function<void(const QString &text, const QString &title)>;

// Asks where and how to print (mainwindow_print.cpp); true to print. The window shows Qt's print
// dialog; tests choose a PDF file instead.
using PrintDialog = std::function<bool(QPrinter &printer)>;

// The main window: the shown topic (title, text, picture, related topics), the topic list
// with its query box, the back, forward and text-size buttons, and the find panel that finds
// a string in the topic text.
//
// Every topic is shown the same way: its name becomes the selected entry of the topic list,
// and the list's choice shows it. The start-up, back, forward and the related topics all go
// through requestTopic(); the user chooses from the list directly.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(Clock clock = {}, MessageSink messages = {}, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Loads the documentation and shows the start topic (the first time only), then shows the
    // window. progress receives the loading caption after every heading.
    void loadAndShow(const LoadProgress &progress = {});

    // Shows a topic as if the user had chosen it: the topic list holds just this name.
    void requestTopic(const QString &name);

    // Reads this documentation file, whatever its name, in place of finding tamo.txw through
    // tamoini.txt; its directory becomes the working directory. Call before loadAndShow().
    void setDocumentationFile(const QString &path) { m_docPath = path; }

    // Replaces the print dialog that Ctrl+P opens.
    void setPrintDialog(PrintDialog dialog) { m_printDialog = std::move(dialog); }

    // Requests from outside the window: the command line, the session bus and quarntamo:
    // links (mainwindow_requests.cpp). Each acts as the user's own action would; they are
    // made once the documentation is loaded (see loaded()).
    // Shows a topic as following a related topic does; false when it is no topic (the
    // not-found topic is shown).
    bool showTopicRequest(const QString &name);
    // Runs the full search as if query were typed into the query box and Enter pressed.
    void searchRequest(const QString &query);
    // Reads another documentation (a directory read as the start directory, or a file) and
    // shows it from its start topic with a fresh history.
    void openDocumentation(const QString &fileOrDirectory);
    // Brings the window to the front and activates it; activationToken is the launcher's
    // token for the window system (XDG activation), empty where there is none.
    void raiseForRequest(const QByteArray &activationToken);
    // What the window shows, for callers that report on a request.
    QString shownTopic() const;
    QString queryText() const;
    QStringList topicListEntries() const;
    QString documentationPath() const { return m_docPath; }

signals:
    // The documentation has been loaded and its start topic shown (once, at the first show).
    void loaded();

protected:
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void connectControls();
    void loadDocumentation(const LoadProgress &progress);
    void reportLoadProblem(const QString &text);

    // Topic display, history and related topics (mainwindow_topic.cpp).
    void showSelectedTopic();
    // Puts a topic's related topics, text with its search marks, and title on screen. A
    // display starts the related list afresh; a reload keeps its place in it.
    enum class RelatedPlace { Fresh, Kept };
    void putTopicOnScreen(const TopicContent &topic, RelatedPlace related);
    void goBack();
    void goForward();
    void openRelatedTopic();
    void updateHistoryButtons();

    // The query box (mainwindow_topic.cpp): every key filters the topic list by the beginning
    // of the names; Enter runs the full-text search.
    void onQueryKeyReleased(int key);
    void onQueryFocused();
    void filterTopicList();
    void runFullSearch();

    // The picture beside the text and the text size (mainwindow_picture.cpp).
    void requestPictureUpdate();
    void runDeferredPictureUpdate();
    void updatePicture(); // for the caret, now
    void hidePicture();
    void enlargeText();
    void shrinkText();
    void applyTopicFont();
    void zoomText(int steps);

    // The find panel (mainwindow_find.cpp).
    void openFindPanel();
    void closeFindPanel();
    void findNext();
    void onWindowKey(int key, Qt::KeyboardModifiers modifiers);
    // The keys and mouse buttons that readers of documentation expect beside the window's own:
    // Alt+Left/Right and Back/Forward, Ctrl+F, Ctrl+plus/minus. Each acts as its button does,
    // and not at all while that button is disabled; Ctrl+P prints. True when the event was
    // taken.
    bool onStandardKey(const QKeyEvent *event);
    bool onMouseButton(const QMouseEvent *event);
    void onFindTextKey(int key, Qt::KeyboardModifiers modifiers);
    void runFindKeyAction(FindKeyAction action);

    // Following the documentation as it is written (mainwindow_reload.cpp): the file and the
    // shown topic's pictures are watched, and a change reloads the index, the topic list and
    // the shown topic in place.
    void followDocumentation();
    void reloadDocumentation();
    void applyReload(const ReloadedDocumentation &result);
    void showReloadedTopic(const TopicContent &topic);
    void watchShownPictures();
    void refreshPicture();
    void reportDocumentationProblem(const QString &problem);

    // Ctrl+P prints the shown topic: its name, its text as shown and its pictures
    // (mainwindow_print.cpp).
    void printTopic();
    void printTopicOn(QPrinter &printer) const;

    // The window stays where loading found it, and the separator options follow "nur ganze
    // Wörter suchen" (mainwindow.cpp).
    void scheduleGeometryCheck();
    void keepWindowInPlace();

    // Controls, back to front.
    QLabel *m_topicTitle = nullptr;
    QLabel *m_relatedLabel = nullptr;
    TopicTextView *m_topicText = nullptr;
    ChoiceList *m_relatedList = nullptr;
    ChoiceList *m_topicList = nullptr;
    QueryEdit *m_queryBox = nullptr;
    QPushButton *m_backButton = nullptr;
    QPushButton *m_forwardButton = nullptr;
    QPushButton *m_largerTextButton = nullptr;
    QPushButton *m_smallerTextButton = nullptr;
    QPushButton *m_openFindButton = nullptr;
    PictureView *m_picture = nullptr;
    FindPanel *m_findPanel = nullptr;
    SearchProgressBar *m_searchProgress = nullptr;
    QTimer *m_geometryGuard = nullptr;
    QTimer *m_pictureDelay = nullptr; // the deferred picture update

    // The documentation and what the window shows of it.
    Clock m_clock;
    MessageSink m_messages;
    PrintDialog m_printDialog;
    QString m_docPath; // tamo.txw in the documentation directory, or the file given
    TopicIndex m_topicIndex;
    History m_history;
    QString m_topicFullText; // the shown topic's text with its picture lines
    QImage m_topicPicture;
    QString m_topicPictureKey; // the file it was read from (path, size, time of change)
    double m_lastPictureRequest = 0;
    TextFont m_textFont;
    // The query of the last full search while the topic list shows its result: topics shown
    // from it get their hits marked.
    QString m_resultQuery;
    // What the topic list shows, so that a reload can fill it again the same way: the names
    // that begin with the query, the full search for it, or a topic asked for by name.
    enum class ListSource { Prefix, Search, Request };
    ListSource m_listSource = ListSource::Prefix;
    QString m_listQuery;
    ListSource m_reloadListSource = ListSource::Prefix; // the same when the reload began
    QString m_reloadListQuery;
    QString m_reloadShownName;
    QString m_shownName; // the name the shown topic was asked for by (found or not)
    DocumentationWatcher *m_watcher = nullptr;
    DocumentationReloader *m_reloader = nullptr;
    QString m_docProblem; // why the documentation file cannot be read now; empty when it can
    QRect m_homeGeometry; // position and size as loading began
    bool m_loaded = false;
    bool m_geometryCheckPending = false;
};

} // namespace tamo
