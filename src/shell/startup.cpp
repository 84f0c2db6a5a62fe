#include "shell/startup.h"

#include "shell/appearance.h"
#include "shell/layout.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

#include <memory>

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
    const std::unique_ptr<QMessageBox> box(
        makeMessageBox(text, QString::fromUtf16(layout::kWindowTitle), nullptr));
    box->exec();
}

} // namespace tamo
