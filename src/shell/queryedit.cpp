#include "shell/queryedit.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace tamo {

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

} // namespace tamo
