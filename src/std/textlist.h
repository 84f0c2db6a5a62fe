#pragma once

#include <QString>
#include <QStringList>

// Ordered lists of texts: the viewer's data stores that are never shown (topic index,
// history, ranking). Indexes are 0-based. Each list carries a free text tag, as the history
// keeps its keep-forward flag there.

// Keeps the order of adding; an insertion at an index moves the later entries back.
class TextList {
public:
    void add(const QString &text) { m_items.append(text); }
    void insert(qsizetype index, const QString &text) { m_items.insert(index, text); }
    void removeAt(qsizetype index) { m_items.removeAt(index); }
    void clear() { m_items.clear(); }
    qsizetype count() const { return m_items.size(); }
    bool isEmpty() const { return m_items.isEmpty(); }
    const QString &at(qsizetype index) const { return m_items.at(index); }
    const QString &last() const { return m_items.last(); }
    const QStringList &items() const { return m_items; }
    void setItems(QStringList items) { m_items = std::move(items); }

    QString Tag;

private:
    QStringList m_items;
};

// Keeps its entries in the shared alphabetical order; a new entry goes in front of the
// entries that compare equal to it.
class SortedTextList {
public:
    // Returns the index the entry went to.
    qsizetype add(const QString &text);
    void removeAt(qsizetype index) { m_items.removeAt(index); }
    void clear() { m_items.clear(); }
    qsizetype count() const { return m_items.size(); }
    bool isEmpty() const { return m_items.isEmpty(); }
    const QString &at(qsizetype index) const { return m_items.at(index); }
    const QStringList &items() const { return m_items; }

    // Takes entries that are already in this list's order, as the topic index builds them
    // with one sort instead of one insertion per entry.
    void setSortedItems(QStringList items) { m_items = std::move(items); }

    QString Tag;

private:
    QStringList m_items;
};
