#include "shell/controls.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

#include <algorithm>

// ---- ListBox ----

ListBox::ListBox(QWidget *parent)
    : QListView(parent)
{
    setModel(&m_model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Thirty thousand entries refill in a millisecond or two only with uniform item sizes.
    setUniformItemSizes(true);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) { onCurrentChanged(current); });
}

void ListBox::AddItem(const QString &text)
{
    m_quiet = true;
    m_items.append(text);
    const int row = m_model.rowCount();
    m_model.insertRows(row, 1);
    m_model.setData(m_model.index(row), text);
    m_quiet = false;
}

void ListBox::Clear()
{
    setItems({});
}

void ListBox::setItems(const QStringList &items)
{
    m_quiet = true;
    m_items = items;
    m_model.setStringList(items);
    m_listIndex = -1;
    selectionModel()->clearCurrentIndex();
    m_quiet = false;
}

void ListBox::setListIndex(int index)
{
    if (index < -1 || index >= m_items.size() || index == m_listIndex)
        return;
    if (index < 0) {
        m_quiet = true;
        selectionModel()->clear();
        m_listIndex = -1;
        m_quiet = false;
        return;
    }
    // The selection model reports the change, which raises Click.
    selectionModel()->setCurrentIndex(m_model.index(index), QItemSelectionModel::ClearAndSelect);
}

void ListBox::onCurrentChanged(const QModelIndex &current)
{
    if (m_quiet)
        return;
    const int row = current.isValid() ? current.row() : -1;
    if (row == m_listIndex)
        return;
    m_listIndex = row;
    if (row >= 0)
        emit Click();
}

// ---- TopicTextBox ----

TopicTextBox::TopicTextBox(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setUndoRedoEnabled(false);
    // The find command marks its match while the focus stays in the search box: keep the
    // selection as visible as when the text has the focus.
    QPalette p = palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight,
               p.color(QPalette::Active, QPalette::Highlight));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText,
               p.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(p);
}

void TopicTextBox::setText(const QString &text)
{
    m_text = text;
    m_breaks.clear();
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') {
            m_breaks.push_back(i);
            shown += u'\n';
            ++i;
        } else if (c == u'\r' || c == u'\n') {
            // A lone CR or LF inside a line: shown as a visible mark, one character as in
            // the text, so positions stay in step.
            shown += QChar(0x240D);
        } else {
            shown += c;
        }
    }
    // A text that ends with CR LF has no further line in the editor.
    if (shown.endsWith(u'\n'))
        shown.chop(1);
    setPlainText(shown);
    moveCursor(QTextCursor::Start);
}

qsizetype TopicTextBox::toEditor(qsizetype position) const
{
    // Every break that starts before the position, except one split by it, counts one less.
    const auto before = std::lower_bound(m_breaks.begin(), m_breaks.end(), position);
    qsizetype pairs = before - m_breaks.begin();
    return position - pairs;
}

qsizetype TopicTextBox::fromEditor(qsizetype position) const
{
    // The k-th break (0-based) stands at editor position m_breaks[k] - k.
    qsizetype low = 0;
    qsizetype high = qsizetype(m_breaks.size());
    while (low < high) {
        const qsizetype mid = (low + high) / 2;
        if (m_breaks[mid] - mid < position)
            low = mid + 1;
        else
            high = mid;
    }
    return position + low;
}

qsizetype TopicTextBox::SelStart() const
{
    return fromEditor(textCursor().selectionStart());
}

qsizetype TopicTextBox::SelLength() const
{
    const QTextCursor c = textCursor();
    return fromEditor(c.selectionEnd()) - fromEditor(c.selectionStart());
}

QString TopicTextBox::SelText() const
{
    return m_text.mid(SelStart(), SelLength());
}

void TopicTextBox::setSelection(qsizetype start, qsizetype length)
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

void TopicTextBox::keyReleaseEvent(QKeyEvent *event)
{
    QPlainTextEdit::keyReleaseEvent(event);
    if (!event->isAutoRepeat())
        emit KeyUp(vbKeyCode(event), vbShiftMask(event->modifiers()));
}

void TopicTextBox::mouseReleaseEvent(QMouseEvent *event)
{
    QPlainTextEdit::mouseReleaseEvent(event);
    emit MouseUp();
}

// ---- QueryBox, SearchBox ----

void QueryBox::keyReleaseEvent(QKeyEvent *event)
{
    QLineEdit::keyReleaseEvent(event);
    if (!event->isAutoRepeat())
        emit KeyUp(vbKeyCode(event), vbShiftMask(event->modifiers()));
}

void QueryBox::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    emit GotFocus();
}

void SearchBox::keyPressEvent(QKeyEvent *event)
{
    emit KeyDown(vbKeyCode(event), vbShiftMask(event->modifiers()));
    // Enter would otherwise reach the window's default button handling; the find command
    // has already run.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return;
    QLineEdit::keyPressEvent(event);
}

// ---- PictureBox ----

PictureBox::PictureBox(QWidget *parent)
    : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setAutoFillBackground(true);
}

void PictureBox::Cls()
{
    m_picture = QImage();
    m_target = QRectF();
    update();
}

void PictureBox::PaintPicture(const QImage &picture, const QRectF &target)
{
    m_picture = picture;
    m_target = target;
    update();
}

void PictureBox::paintEvent(QPaintEvent *event)
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

// ---- ProgressBar ----

namespace {
constexpr int kBarSteps = 10000;
}

ProgressBar::ProgressBar(QWidget *parent)
    : QProgressBar(parent)
{
    QProgressBar::setRange(0, kBarSteps);
    setTextVisible(false);
    updateBar();
}

void ProgressBar::setMin(double v)
{
    m_min = v;
    updateBar();
}

void ProgressBar::setMax(double v)
{
    m_max = v;
    updateBar();
}

void ProgressBar::setValue(double v)
{
    m_value = v;
    updateBar();
}

void ProgressBar::updateBar()
{
    const double span = m_max - m_min;
    const double share = span > 0 ? std::clamp((m_value - m_min) / span, 0.0, 1.0) : 0.0;
    QProgressBar::setValue(int(share * kBarSteps));
}

void ProgressBar::Refresh()
{
    repaint();
}

// ---- keys ----

int vbKeyCode(const QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_F3:
        return 114;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    default:
        break;
    }
    const int key = event->key();
    // Letters and digits carry their upper-case character code in both systems; other keys
    // only need to differ from the codes handled above.
    if (key >= 0x20 && key <= 0x7E)
        return key;
    return 0xFFFF;
}

int vbShiftMask(Qt::KeyboardModifiers modifiers)
{
    int mask = 0;
    if (modifiers & Qt::ShiftModifier)
        mask |= 1;
    if (modifiers & Qt::ControlModifier)
        mask |= 2;
    if (modifiers & Qt::AltModifier)
        mask |= 4;
    return mask;
}
