#include "shell/startup.h"

#include "shell/layout.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

namespace tamo {

bool loadQtTranslations()
{
    // qt_de loads qtbase_de and the other modules' files it names; the windows are German
    // whatever the system's language.
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qt"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

void showStartupProblem(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf16(layout::kWindowTitle), text,
                    QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText); // it quotes a file name, which may look like markup
    box.exec();
}

} // namespace tamo
