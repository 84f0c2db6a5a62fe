#include "shell/topictextview.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QTextBlock>
#include <QTextCursor>
#include <QWheelEvent>

#include <algorithm>

namespace tamo {

TopicTextView::TopicTextView(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setUndoRedoEnabled(false);
    // Scrolling, resizing and a new text size bring other lines into view.
    connect(this, &QPlainTextEdit::updateRequest, this, [this] { showVisibleMarks(); });
    // The find command marks its match while the focus stays in the search box: keep the
    // selection as visible as when the text has the focus.
    QPalette p = palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight,
               p.color(QPalette::Active, QPalette::Highlight));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText,
               p.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(p);
}

void TopicTextView::setTopicText(const QString &text)
{
    m_text = text;
    m_breaks.clear();
    m_splits.clear();
    QString shown;
    shown.reserve(text.size());
    qsizetype run = 0; // characters on the editor's line so far
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') {
            m_breaks.push_back(i);
            shown += u'\n';
            run = 0;
            ++i;
            continue;
        }
        if (run == kLongestShownLine) {
            m_splits.push_back(shown.size() - qsizetype(m_splits.size()));
            shown += u'\n';
            run = 0;
        }
        ++run;
        if (c == u'\r' || c == u'\n') {
            // A lone CR or LF inside a line: shown as a visible mark, one character as in
            // the text, so positions stay in step.
            shown += QChar(0x240D);
        } else {
            shown += c;
        }
    }
    // A text that ends with CR LF keeps an empty last line, so that the caret can stand
    // behind the last line break as every position of the text allows.
    setMarks({});
    setPlainText(shown);
    moveCursor(QTextCursor::Start);
}

qsizetype TopicTextView::toEditor(qsizetype position) const
{
    // Every break that starts before the position, except one split by it, counts one less.
    const auto before = std::lower_bound(m_breaks.begin(), m_breaks.end(), position);
    qsizetype pairs = before - m_breaks.begin();
    const qsizetype joined = position - pairs;
    // A position where a long line is split stands at the start of the next editor line.
    return joined + (std::upper_bound(m_splits.begin(), m_splits.end(), joined) - m_splits.begin());
}

qsizetype TopicTextView::fromEditor(qsizetype position) const
{
    // The split before joined position m_splits[k] is the editor's character m_splits[k] + k;
    // the positions in front of it and behind it are the same place in the text.
    qsizetype splits = 0;
    qsizetype high = qsizetype(m_splits.size());
    while (splits < high) {
        const qsizetype mid = (splits + high) / 2;
        if (m_splits[mid] + mid < position)
            splits = mid + 1;
        else
            high = mid;
    }
    position -= splits;
    // The k-th break (0-based) stands at editor position m_breaks[k] - k.
    qsizetype low = 0;
    high = qsizetype(m_breaks.size());
    while (low < high) {
        const qsizetype mid = (low + high) / 2;
        if (m_breaks[mid] - mid < position)
            low = mid + 1;
        else
            high = mid;
    }
    return position + low;
}

qsizetype TopicTextView::selectionStart() const
{
    return fromEditor(textCursor().selectionStart());
}

qsizetype TopicTextView::selectionLength() const
{
    const QTextCursor c = textCursor();
    return fromEditor(c.selectionEnd()) - fromEditor(c.selectionStart());
}

QString TopicTextView::selectedTopicText() const
{
    return m_text.mid(selectionStart(), selectionLength());
}

void TopicTextView::selectRange(qsizetype start, qsizetype length)
{
    const int last = document()->characterCount() - 1;
    const int from = int(std::clamp<qsizetype>(toEditor(start), 0, last));
    const int to = int(std::clamp<qsizetype>(toEditor(start + length), 0, last));
    QTextCursor c = textCursor();
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    setTextCursor(c);
    ensureCursorVisible();
}

void TopicTextView::setMarks(const QList<TextRange> &ranges)
{
    m_marks = ranges;
    m_markedLines = {-1, -1};
    showVisibleMarks();
}

void TopicTextView::showVisibleMarks()
{
    if (m_settingMarks)
        return;
    const QScopedValueRollback guard(m_settingMarks, true);
    if (m_marks.isEmpty()) {
        if (!extraSelections().isEmpty())
            setExtraSelections({});
        return;
    }
    // The lines in view, and as many again before and after, so that scrolling a little
    // shows marks at once.
    constexpr int kSpareLines = 64;
    QTextBlock block = firstVisibleBlock();
    const int first = std::max(0, block.blockNumber() - kSpareLines);
    const QPointF offset = contentOffset();
    int last = block.blockNumber();
    while (block.isValid() &&
           blockBoundingGeometry(block).translated(offset).top() < viewport()->height()) {
        last = block.blockNumber();
        block = block.next();
    }
    last = std::min(document()->blockCount() - 1, last + kSpareLines);
    if (m_markedLines == std::pair(first, last))
        return;
    m_markedLines = {first, last};

    const QTextBlock lastBlock = document()->findBlockByNumber(last);
    const qsizetype from = fromEditor(document()->findBlockByNumber(first).position());
    const qsizetype to = fromEditor(lastBlock.position() + lastBlock.length());
    auto it = std::lower_bound(m_marks.cbegin(), m_marks.cend(), from,
                               [](const TextRange &r, qsizetype p) { return r.start < p; });
    QList<QTextEdit::ExtraSelection> marks;
    QTextEdit::ExtraSelection mark;
    mark.format.setBackground(QColor(255, 236, 139));
    mark.cursor = QTextCursor(document());
    for (; it != m_marks.cend() && it->start < to; ++it) {
        mark.cursor.setPosition(int(toEditor(it->start)));
        mark.cursor.setPosition(int(toEditor(it->start + it->length)), QTextCursor::KeepAnchor);
        marks.append(mark);
    }
    setExtraSelections(marks);
}

void TopicTextView::wheelEvent(QWheelEvent *event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        m_wheelAngle = 0;
        QPlainTextEdit::wheelEvent(event);
        return;
    }
    event->accept();
    m_wheelAngle += event->angleDelta().y();
    const int steps = m_wheelAngle / QWheelEvent::DefaultDeltasPerStep;
    m_wheelAngle -= steps * QWheelEvent::DefaultDeltasPerStep;
    if (steps != 0)
        emit zoomRequested(steps);
}

void TopicTextView::keyReleaseEvent(QKeyEvent *event)
{
    QPlainTextEdit::keyReleaseEvent(event);
    if (!event->isAutoRepeat())
        emit keyReleased(event->key(), event->modifiers());
}

void TopicTextView::mouseReleaseEvent(QMouseEvent *event)
{
    QPlainTextEdit::mouseReleaseEvent(event);
    emit mouseReleased();
}

} // namespace tamo
