#pragma once

#include "find/findnext.h"
#include "find/wholeword.h"
#include "search/ranking.h"
#include "shell/controls.h"
#include "std/textlist.h"
#include "store/topicindex.h"
#include "viewer/textsize.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>

class SearchProgress;

// The main window: the shown topic (title, text, picture, related topics), the topic list
// with its query box, the navigation and text-size buttons, and the search panel that finds
// a string in the topic text. Handlers keep the names of the events they answer
// (control_event) and call one another directly, as the user's actions would.
class Form1 : public QWidget {
    Q_OBJECT
public:
    // clock: seconds since midnight, with fractions; tests pass a fake one.
    explicit Form1(std::function<double()> clock = {}, QWidget *parent = nullptr);
    ~Form1() override;

    // Loads the window once (Form_Load), then shows it. progress receives the loading
    // caption after every heading.
    void Show(const LoadProgress &progress = {});
    bool isLoaded() const { return m_loaded; }

    // Loading: finds and indexes the documentation, then shows the start topic.
    void Form_Load(const LoadProgress &progress = {});

    // Topic display, history and related topics.
    void List2_Click();
    void RequestTopic(const QString &title);
    void Command1_Click();
    void Command2_Click();
    void List1_Click();

    // The query box: prefix list, all names, full search.
    void Text2_KeyUp(int keyCode, int shift);
    void Text2_GotFocus();

    // Pictures and text size.
    void Text1_KeyUp(int keyCode, int shift);
    void Text1_MouseUp();
    void Timer2_Timer();
    void Command3_Click();
    void Command4_Click();

    // The search panel.
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Form_KeyDown(int keyCode, int shift);
    void Text3_KeyDown(int keyCode, int shift);
    void Timer1_Timer();
    bool IsWholeWordSelection() const;

    // The message box of the find command; tests replace it.
    std::function<void(const QString &text, const QString &title)> messageBox;

    // Controls, in front-to-back order.
    ProgressBar *ProgressBar1;
    QTimer *Timer2;
    QGroupBox *Frame1;
    QPushButton *Command6;
    QPushButton *Command7;
    QGroupBox *Frame2;
    std::array<QCheckBox *, 5> Check2{};
    QCheckBox *Check4;
    QCheckBox *Check1;
    SearchBox *Text3;
    QLabel *Label3;
    PictureBox *Picture1;
    QPushButton *Command5;
    QTimer *Timer1;
    QPushButton *Command4;
    QPushButton *Command3;
    QPushButton *Command2;
    QPushButton *Command1;
    QueryBox *Text2;
    ListBox *List2;
    ListBox *List1;
    TopicTextBox *Text1;
    QLabel *Label2;
    QLabel *Label1;

    // The lists that are never shown: the topic index (List3 names, List7 positions), the
    // ranking of the last full search (List4), the back history (List5) and the forward
    // history (List6, its Tag the keep flag).
    TopicIndex topicIndex;
    QList<RankedTopic> List4;
    TextList List5;
    TextList List6;

    // Form-level state.
    QString TopicFullText;
    QImage TopicPicture;
    double PictureRequestTime = 0;
    QRect WindowBounds; // left, top, width, height in pixels as loading began
    QString docPath;    // the documentation file, tamo.txw in the documentation directory

protected:
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void applyTopicFont();
    void showLoadProblem(const QString &text);
    void scheduleWindowTick();
    void runFindKeyAction(FindKeyAction action);

    std::function<double()> m_clock;
    TextFont m_textFont;
    bool m_loaded = false;
    bool m_tickPending = false;
};

// The fonts the window names, mapped to installed look-alikes where they are missing.
void installFontSubstitutes();

// The windows' pictures (splash picture, icon) are compiled into this library; a static
// library must register them before use. Safe to call more than once.
void initShellResources();

// The clock of the windows: seconds since midnight, with fractions.
double systemClock();

// The window's default font: "MS Sans Serif" 8.25 pt, by its design name.
QFont defaultWindowFont();
