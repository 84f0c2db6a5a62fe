// Text and files from anyone, on every path that shows or parses them without a documentation
// reader in between. Each input is used four ways at once:
// - as a topic name or message shown by the window's controls: the title label and the
//   message box show it as plain text, cut to about 200 characters, and drawing them never
//   opens a file (an input that names the pipe of this process in an <img> tag, as the seeds
//   do, would block the drawing for ever if the text were taken for HTML);
// - as a picture file: decoded only when it begins like a PNG, JPEG, GIF or BMP, whatever
//   other image plugins are installed, and refused the same way by the viewer and the check;
// - as a query and a topic text: the normalised query is normal, and the search-hit marks lie
//   inside the text, in order, without overlap or blanks;
// - as tamo's arguments, one per line: every answer and message is free of control characters
//   a terminal would obey, plain output too, and --json output is JSON.

#include "fuzzinput.h"

#include "cli.h"
#include "search/query.h"
#include "search/searchhits.h"
#include "shell/appearance.h"
#include "shell/layout.h"
#include "std/cp1252.h"
#include "viewer/pictureformat.h"
#include "viewer/picturelimit.h"
#include "viewer/pictureload.h"

#include <QApplication>
#include <QJsonDocument>
#include <QLabel>
#include <QMessageBox>

#include <memory>

#include <sys/stat.h>

namespace {

// Bytes a terminal obeys, in UTF-8: C0 but tab and LF, DEL, and C1 (C2 80 to C2 9F).
bool holdsControls(const QByteArray &utf8)
{
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const auto c = quint8(utf8.at(i));
        if ((c < 0x20 && c != '\t' && c != '\n') || c == 0x7f)
            return true;
        if (c == 0xc2 && i + 1 < utf8.size() && quint8(utf8.at(i + 1)) >= 0x80 &&
            quint8(utf8.at(i + 1)) <= 0x9f)
            return true;
    }
    return false;
}

void showText(const QString &text)
{
    const QString shown = tamo::shownName(text);
    FUZZ_CHECK(shown == text || (shown.size() == 200 && shown.at(100) == u'\u2026'));

    QLabel title;
    tamo::applyLayout(&title, tamo::layout::kTopicTitle);
    title.setText(shown);
    FUZZ_CHECK(title.textFormat() == Qt::PlainText);
    title.grab();

    const std::unique_ptr<QMessageBox> box(
        tamo::makeMessageBox(shown, QStringLiteral("QuarnTamo"), nullptr));
    FUZZ_CHECK(box->textFormat() == Qt::PlainText);
    box->grab();
}

void loadPicture(const QString &path, const QByteArray &bytes)
{
    const tamo::LoadedPicture picture = tamo::loadPicture(path);
    const bool ok = picture.status == tamo::PictureStatus::Ok;
    FUZZ_CHECK(!ok || tamo::pictureFormatOf(bytes) != tamo::PictureFormat::Unknown);
    FUZZ_CHECK(ok == !picture.image.isNull());
    FUZZ_CHECK(!ok || !tamo::exceedsPictureLimit(picture.image.width(), picture.image.height()));
    FUZZ_CHECK(tamo::probePicture(path) == picture.status);
}

void searchText(const QString &text)
{
    const QString query = tamo::normaliseQuery(text.section(u'\n', 0, 0));
    FUZZ_CHECK(tamo::normaliseQuery(query) == query);
    FUZZ_CHECK(query.isEmpty() || (query.endsWith(u' ') && !query.startsWith(u' ') &&
                                   !query.contains(QStringLiteral("  "))));
    qsizetype end = 0;
    for (const tamo::TextRange &hit : tamo::searchHits(text, query)) {
        FUZZ_CHECK(hit.start >= end && hit.length > 0 && hit.start + hit.length <= text.size());
        FUZZ_CHECK(!text.sliced(hit.start, hit.length).contains(u' '));
        end = hit.start + hit.length;
    }
}

void runTamo(const QByteArray &bytes, const QString &path)
{
    QStringList arguments;
    for (const QByteArray &line : bytes.split('\n'))
        arguments += QString::fromLocal8Bit(line);
    tamo::CliOptions options;
    tamo::CliResult result;
    if (const std::optional<tamo::CliResult> answer = tamo::parseArguments(arguments, options)) {
        result = *answer;
    } else {
        options.docFile = path; // no file of this machine but the input is read
        result = tamo::runCommand(options);
        if (options.json)
            FUZZ_CHECK(result.out.isEmpty() || !QJsonDocument::fromJson(result.out).isNull());
        else
            FUZZ_CHECK(!holdsControls(result.out));
    }
    FUZZ_CHECK(result.exitCode >= 0 && result.exitCode <= 2);
    FUZZ_CHECK(!holdsControls(result.error.toUtf8()));
}

} // namespace

// Fontconfig keeps its caches to the end of the process, which LeakSanitizer would report as
// a leak of every run that drew text.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig\n";
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int qtArgc = 1;
    static char *qtArgv[] = {(*argv)[0], nullptr};
    static QApplication app(qtArgc, qtArgv);
    Q_UNUSED(argc);
    // The pipe the seeds name in <img> tags and picture lines: whoever opens it to read waits.
    ::mkfifo(
        QFile::encodeName(QDir::temp().filePath(QStringLiteral("quarntamo-fuzz-pipe"))).constData(),
        0600);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString path = writeInputFile(bytes);
    const QString text = tamo::cp1252::decode(bytes);
    showText(text);
    loadPicture(path, bytes);
    searchText(text);
    runTamo(bytes, path);
    return 0;
}
