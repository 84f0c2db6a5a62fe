#pragma once

#include <QLineEdit>

namespace tamo {

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

} // namespace tamo
