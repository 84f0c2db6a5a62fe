// Printing the shown topic (Ctrl+P): its name, then its text line by line in the text's font
// and size, with each picture it names where its picture line stands.

#include "shell/mainwindow.h"

#include "shell/layout.h"
#include "shell/topictextview.h"
#include "viewer/picturechoice.h"
#include "viewer/pictureload.h"

#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

#include <algorithm>

namespace tamo {

namespace {

// A picture is printed at the size the window shows it (1/96 inch to the document's unit),
// made smaller where that exceeds the printable width or two thirds of its height.
QSizeF printedPictureSize(const QImage &picture, const QPrinter &printer)
{
    const FitRect shown = fitPicture(picture.width(), picture.height(), layout::kPictureArea);
    const QSizeF page = printer.pageLayout().paintRect(QPageLayout::Point).size() * (96.0 / 72.0);
    const double margins = 2 * 96 * 2 / 2.54; // QTextDocument::print() leaves 2 cm each side
    const QSizeF area(page.width() - margins, (page.height() - margins) * 2 / 3);
    QSizeF size(shown.width, shown.height);
    if (size.width() > area.width() || size.height() > area.height())
        size.scale(area, Qt::KeepAspectRatio);
    return size;
}

} // namespace

void MainWindow::printTopic()
{
    if (!m_printDialog) {
        m_printDialog = [this](QPrinter &printer) {
            QPrintDialog dialog(&printer, this);
            dialog.setWindowTitle(QStringLiteral("Thema drucken"));
            return dialog.exec() == QDialog::Accepted;
        };
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(m_topicTitle->text());
    if (!m_printDialog(printer))
        return;
    printTopicOn(printer);
    if (printer.printerState() == QPrinter::Error)
        m_messages(QStringLiteral("Das Thema \u201E%1\u201C konnte nicht gedruckt werden.")
                       .arg(m_topicTitle->text()),
                   windowTitle());
}

void MainWindow::printTopicOn(QPrinter &printer) const
{
    QTextDocument document;
    document.setDefaultFont(m_topicText->font());
    QTextCursor cursor(&document);
    QTextCharFormat title;
    title.setFontWeight(QFont::Bold);
    title.setFontPointSize(m_topicText->font().pointSizeF() * 1.5);
    cursor.insertText(m_topicTitle->text(), title); // all text goes in as plain text

    const QTextBlockFormat line;
    const QTextCharFormat text;
    int pictures = 0;
    QStringList lines = m_topicFullText.split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // every line ends in CR LF
    for (const QString &fullLine : std::as_const(lines)) {
        if (!fullLine.startsWith(QStringLiteral("%%%"))) {
            cursor.insertBlock(line, text);
            cursor.insertText(fullLine, text);
            continue;
        }
        const QImage picture = loadPicture(fullLine.mid(3)).image;
        if (picture.isNull())
            continue; // as in the window: a picture that cannot be read is left out
        cursor.insertBlock(line, text);
        const QUrl name(QStringLiteral("picture:%1").arg(++pictures));
        document.addResource(QTextDocument::ImageResource, name, picture);
        QTextImageFormat image;
        image.setName(name.toString());
        const QSizeF size = printedPictureSize(picture, printer);
        image.setWidth(size.width());
        image.setHeight(size.height());
        cursor.insertImage(image);
    }
    document.print(&printer);
}

} // namespace tamo
