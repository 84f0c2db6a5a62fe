#pragma once

#include "search/searchhits.h"

#include <QList>
#include <QPlainTextEdit>
#include <QString>

#include <utility>
#include <vector>

namespace tamo {

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

} // namespace tamo
