#include "shell/findedit.h"

#include <QKeyEvent>

namespace tamo {

void FindEdit::keyPressEvent(QKeyEvent *event)
{
    emit keyPressed(event->key(), event->modifiers());
    // Enter would otherwise reach the window's default button handling; the find command
    // has already run.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return;
    QLineEdit::keyPressEvent(event);
}

} // namespace tamo
