#include "shell/choicelist.h"

#include "shell/appearance.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include <algorithm>

namespace tamo {

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

} // namespace tamo
