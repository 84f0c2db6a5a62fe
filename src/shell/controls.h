#pragma once

#include <QFrame>
#include <QImage>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRectF>
#include <QStringList>
#include <QStringListModel>

#include "search/searchhits.h"

#include <vector>

// The main window's own controls: a list that reports the entry the user chooses, a topic
// text view that speaks in positions of its CR LF text, edit boxes that report their keys,
// a picture view that draws into a fractional rectangle, and a progress bar counting in
// real numbers.

namespace tamo {

// A list of texts shown in a view, each as shownName() cuts it (entries() keeps them whole).
// chosen() is raised exactly when an entry is chosen: by a mouse click on an entry (the
// selected one too), by the keys that move the selection as a platform list does (arrows,
// Page Up/Down, Home, End, type-ahead), or by selectRow() with another row. Gaining the
// focus, Tab, refilling the list and key chords with Ctrl or Alt never choose anything, so a
// focus move (say, away from a button being disabled) cannot open a topic by itself.
class ChoiceList : public QListView {
    Q_OBJECT
public:
    explicit ChoiceList(QWidget *parent = nullptr);

    // Replaces all entries; nothing is selected or current, and nothing is raised.
    void setEntries(const QStringList &entries);
    // Replaces all entries as the same list filled anew: the selected entry stays selected where
    // it is still there (in its row, else where it now stands first), and the view keeps its
    // scroll position as far as the entries allow. Nothing is raised.
    void refill(const QStringList &entries);
    const QStringList &entries() const { return m_entries; }

    // The selected row, or -1.
    int selectedRow() const { return m_selectedRow; }
    QString selectedEntry() const { return m_entries.value(m_selectedRow); }
    // Selects a row and raises chosen() when it differs from the selected one; -1 clears the
    // selection quietly.
    void selectRow(int row);

signals:
    void chosen();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void choose(int row);

    QStringListModel m_model;
    QStringList m_entries;
    int m_selectedRow = -1;
};

// The read-only, multi-line topic text. Its text holds CR LF line breaks, as the topic reader
// builds it, and every position (selection start and length) counts CR and LF as two
// characters; the editor underneath shows one break per CR LF.
//
// A line longer than kLongestShownLine characters goes on in the next editor line: the editor
// lays out a whole line at a time, and a line of millions of characters would take seconds
// per click. Positions still count the text's characters only.
class TopicTextView : public QPlainTextEdit {
    Q_OBJECT
public:
    static constexpr qsizetype kLongestShownLine = 10000;

    explicit TopicTextView(QWidget *parent = nullptr);

    void setTopicText(const QString &text); // puts the caret at the start
    const QString &topicText() const { return m_text; }

    qsizetype selectionStart() const;
    qsizetype selectionLength() const;
    QString selectedTopicText() const;
    // Selects and brings the selection into view.
    void selectRange(qsizetype start, qsizetype length);

    // Marks runs of the text with a background, beside the selection and without moving it;
    // an empty list removes the marks. ranges are in text order.
    void setMarks(const QList<TextRange> &ranges);

signals:
    void keyReleased(int key, Qt::KeyboardModifiers modifiers);
    void mouseReleased();
    // Ctrl+wheel: one step per notch, positive to enlarge. The view does not zoom by itself.
    void zoomRequested(int steps);

protected:
    void keyReleaseEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    qsizetype toEditor(qsizetype position) const;
    qsizetype fromEditor(qsizetype position) const;
    void showVisibleMarks();

    QString m_text;
    std::vector<qsizetype> m_breaks; // positions of the CR of every CR LF in m_text
    int m_wheelAngle = 0;            // Ctrl+wheel turned so far, short of a notch
    // The marks, and the lines they are drawn on for now: a large topic can hold tens of
    // thousands, and the editor handles that many highlights slowly, so only the lines in
    // view (and a few around them) carry theirs.
    QList<TextRange> m_marks;
    std::pair<int, int> m_markedLines{-1, -1};
    bool m_settingMarks = false; // setting them asks for a repaint, which asks for them again
    // Where a long line continues on the next editor line: positions in the text with every
    // CR LF counted as one character, ascending.
    std::vector<qsizetype> m_splits;
};

// The one-line query box above the topic list: reports key releases and gaining the focus.
class QueryEdit : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

signals:
    void keyReleased(int key, Qt::KeyboardModifiers modifiers);
    void focused();

protected:
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
};

// The one-line box of the find panel holding the string to find: reports key presses.
class FindEdit : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

signals:
    void keyPressed(int key, Qt::KeyboardModifiers modifiers);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

// The picture beside the topic text: a 2-pixel sunken border around a client area into which
// one picture is drawn, stretched into a rectangle given with fractions.
class PictureView : public QFrame {
    Q_OBJECT
public:
    explicit PictureView(QWidget *parent = nullptr);

    void clear();
    void showPicture(const QImage &picture, const QRectF &target);
    const QRectF &target() const { return m_target; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_picture;
    QRectF m_target;
};

// A progress bar whose range and value are real numbers (a search over a large file counts
// bytes beyond the range of an int); the bar shows them scaled.
class SearchProgressBar : public QProgressBar {
    Q_OBJECT
public:
    explicit SearchProgressBar(QWidget *parent = nullptr);

    double rangeEnd() const { return m_end; }
    double progress() const { return m_value; }
    void setProgressRange(double start, double end);
    void setProgress(double value);

private:
    void updateBar();
    double m_start = 0;
    double m_end = 100;
    double m_value = 0;
};

} // namespace tamo
