#include "shell/controls.h"

#include "shell/appearance.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QTextBlock>
#include <QTextCursor>
#include <QWheelEvent>

#include <algorithm>

namespace tamo {

// ---- ChoiceList ----

ChoiceList::ChoiceList(QWidget *parent)
    : QListView(parent)
{
    setModel(&m_model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Thirty thousand entries refill in a millisecond or two only with uniform item sizes.
    setUniformItemSizes(true);
    // A screen reader selects an entry through the selection itself (an entry's action, or
    // the list's row selection): that is a choice, as a click is. Taken up once the selection
    // change is over, since a choice may refill this very list; clicks and keys have chosen by
    // then, and a refilled list has no selection.
    connect(
        selectionModel(), &QItemSelectionModel::selectionChanged, this,
        [this] {
            const QModelIndexList selected = selectionModel()->selectedIndexes();
            if (!selected.isEmpty() && selected.first().row() != m_selectedRow)
                choose(selected.first().row());
        },
        Qt::QueuedConnection);
}

void ChoiceList::setEntries(const QStringList &entries)
{
    m_entries = entries;
    // A name of megabytes shows cut (and blank otherwise); the entries keep it whole.
    QStringList shown = entries;
    if (std::any_of(entries.cbegin(), entries.cend(),
                    [](const QString &e) { return shownName(e).size() != e.size(); })) {
        for (QString &entry : shown)
            entry = shownName(entry);
    }
    m_model.setStringList(shown);
    m_selectedRow = -1;
    selectionModel()->clear();
}

void ChoiceList::refill(const QStringList &entries)
{
    const int oldRow = m_selectedRow;
    const QString selected = selectedEntry();
    const QPoint scrolled(horizontalScrollBar()->value(), verticalScrollBar()->value());
    setEntries(entries);
    doItemsLayout(); // the scroll bars' ranges for the new entries
    if (oldRow >= 0) {
        const int row = oldRow < entries.size() && entries.at(oldRow) == selected
                            ? oldRow
                            : int(entries.indexOf(selected));
        if (row >= 0) {
            selectionModel()->setCurrentIndex(m_model.index(row),
                                              QItemSelectionModel::ClearAndSelect);
            m_selectedRow = row;
        }
    }
    horizontalScrollBar()->setValue(scrolled.x());
    verticalScrollBar()->setValue(scrolled.y());
}

void ChoiceList::selectRow(int row)
{
    if (row < -1 || row >= m_entries.size() || row == m_selectedRow)
        return;
    if (row < 0) {
        selectionModel()->clear();
        m_selectedRow = -1;
        return;
    }
    choose(row);
}

void ChoiceList::choose(int row)
{
    const QModelIndex index = m_model.index(row);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
    m_selectedRow = row;
    emit chosen();
}

void ChoiceList::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore(); // other buttons belong to the window (back and forward)
        return;
    }
    event->accept();
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid()) // a click beside the entries changes nothing
        choose(index.row());
}

void ChoiceList::mouseMoveEvent(QMouseEvent *event)
{
    // Dragging over the entries does not move the selection: only a click chooses.
    event->accept();
}

void ChoiceList::mouseReleaseEvent(QMouseEvent *event)
{
    event->setAccepted(event->button() == Qt::LeftButton);
}

void ChoiceList::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The first click of a double click has chosen already; the second chooses nothing.
    event->setAccepted(event->button() == Qt::LeftButton);
}

void ChoiceList::keyPressEvent(QKeyEvent *event)
{
    // Chords belong to the window (Alt+Left goes back, Ctrl+F finds), never to the list.
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        event->ignore();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->ignore();
        return;
    default:
        break;
    }
    QListView::keyPressEvent(event);
    const QModelIndex after = currentIndex();
    if (after.isValid() && after.row() != m_selectedRow)
        choose(after.row());
}

void ChoiceList::focusInEvent(QFocusEvent *event)
{
    const bool hadCurrent = currentIndex().isValid();
    QListView::focusInEvent(event);
    // The view would make the first entry current on gaining the focus; an entry is marked
    // only when it is chosen.
    if (!hadCurrent && m_selectedRow < 0)
        selectionModel()->clearCurrentIndex();
    viewport()->update(); // the focus frame below
}

void ChoiceList::focusOutEvent(QFocusEvent *event)
{
    QListView::focusOutEvent(event);
    viewport()->update();
}

void ChoiceList::paintEvent(QPaintEvent *event)
{
    QListView::paintEvent(event);
    // The view marks the focus on the current entry only. A list that has the focus but no
    // current entry (none is made current until one is chosen) shows it around its entries,
    // so that the keyboard's place is never hidden.
    if (!hasFocus() || currentIndex().isValid())
        return;
    QPainter painter(viewport());
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.state |= QStyle::State_KeyboardFocusChange; // styles draw it for the keyboard only
    option.rect = viewport()->rect().adjusted(1, 1, -1, -1);
    option.backgroundColor = palette().color(QPalette::Base);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

// ---- TopicTextView ----

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

// ---- QueryEdit, FindEdit ----

void QueryEdit::keyReleaseEvent(QKeyEvent *event)
{
    QLineEdit::keyReleaseEvent(event);
    if (!event->isAutoRepeat())
        emit keyReleased(event->key(), event->modifiers());
}

void QueryEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    emit focused();
}

void FindEdit::keyPressEvent(QKeyEvent *event)
{
    emit keyPressed(event->key(), event->modifiers());
    // Enter would otherwise reach the window's default button handling; the find command
    // has already run.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return;
    QLineEdit::keyPressEvent(event);
}

// ---- PictureView ----

PictureView::PictureView(QWidget *parent)
    : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setAutoFillBackground(true);
}

void PictureView::clear()
{
    m_picture = QImage();
    m_target = QRectF();
    update();
}

void PictureView::showPicture(const QImage &picture, const QRectF &target)
{
    m_picture = picture;
    m_target = target;
    update();
}

void PictureView::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect client = contentsRect();
    painter.setClipRect(client);
    painter.drawImage(m_target.translated(client.topLeft()), m_picture);
}

// ---- SearchProgressBar ----

namespace {
constexpr int kBarSteps = 10000;
}

SearchProgressBar::SearchProgressBar(QWidget *parent)
    : QProgressBar(parent)
{
    QProgressBar::setRange(0, kBarSteps);
    setTextVisible(false);
    updateBar();
}

void SearchProgressBar::setProgressRange(double start, double end)
{
    m_start = start;
    m_end = end;
    updateBar();
}

void SearchProgressBar::setProgress(double value)
{
    m_value = value;
    updateBar();
}

void SearchProgressBar::updateBar()
{
    const double span = m_end - m_start;
    const double share = span > 0 ? std::clamp((m_value - m_start) / span, 0.0, 1.0) : 0.0;
    QProgressBar::setValue(int(share * kBarSteps));
}

} // namespace tamo
