#include "shell/startup.h"

#include "shell/layout.h"

#include <QMessageBox>

namespace tamo {

void showStartupProblem(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf16(layout::kWindowTitle), text,
                    QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText); // it quotes a file name, which may look like markup
    box.exec();
}

} // namespace tamo
