#pragma once

#include <QListView>
#include <QStringList>
#include <QStringListModel>

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

} // namespace tamo
