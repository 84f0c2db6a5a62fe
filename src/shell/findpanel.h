#pragma once

#include "find/findnext.h"

#include <QGroupBox>

#include <array>

class QCheckBox;
class QLabel;
class QPushButton;

namespace tamo {

class FindEdit;

// The find panel over the lower strip of the main window: the search box, the options of the
// find command (case, whole words and what separates words) and the buttons "Suchen" and
// "Fenster schließen". It finds nothing itself: it gathers its options into a find request and
// reports what the user asks for, and the window runs the find command.
class FindPanel : public QGroupBox {
    Q_OBJECT
public:
    // Hidden until open() is called.
    explicit FindPanel(QWidget *parent = nullptr);

    // Shows the panel in front of the window's other controls with searchText in the search
    // box, or where that is empty the prompt, selected so that typing replaces it; the search
    // box gets the focus.
    void open(const QString &searchText);

    // The find command's request for the search text and the options as checked, run on text
    // from the given selection.
    FindRequest request(const QString &text, qsizetype selStart, qsizetype selLength) const;

    // Brings the separator options in step with "nur ganze Wörter suchen": enabled while it
    // is checked. The panel does so whenever that box changes; the window also calls it with
    // its own checks of the geometry.
    void syncSeparatorOptions();

    // Puts the panel's controls into the window's keyboard focus order, after previous.
    void placeInTabOrderAfter(QWidget *previous);

signals:
    void findNextRequested(); // "Suchen"
    void closeRequested();    // "Fenster schließen"
    // Every key pressed in the search box, reported before the box takes it; Return and Enter
    // go no further.
    void searchKeyPressed(int key, Qt::KeyboardModifiers modifiers);

private:
    void createControls();

    QLabel *m_hint = nullptr;
    FindEdit *m_searchBox = nullptr;
    QCheckBox *m_matchCase = nullptr;
    QCheckBox *m_wholeWords = nullptr;
    QGroupBox *m_separatorGroup = nullptr;
    std::array<QCheckBox *, 5> m_separatorBoxes{};
    QPushButton *m_findNextButton = nullptr;
    QPushButton *m_closeButton = nullptr;
};

} // namespace tamo
