#pragma once

#include <QLineEdit>

namespace tamo {

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

} // namespace tamo
