// quarntamo_mkdoc SOURCE TARGET
// Converts a UTF-8 text with LF (or CR LF) line ends into a Windows-1252 file with CR LF after
// every line. Fails on a character that Windows-1252 cannot hold, naming its line.

#include "std/cp1252.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

#include <cstdio>

using namespace tamo;

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: quarntamo_mkdoc SOURCE TARGET\n");
        return 2;
    }
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: %s\n", argv[1], qPrintable(source.errorString()));
        return 1;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(source.readAll());
    if (utf8.hasError()) {
        std::fprintf(stderr, "%s: not valid UTF-8\n", argv[1]);
        return 1;
    }
    text.remove(u'\r');
    if (text.endsWith(u'\n'))
        text.chop(1);

    QByteArray out;
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        bool ok = false;
        out += cp1252::encode(lines[i], &ok);
        if (!ok) {
            std::fprintf(stderr, "%s:%lld: character outside Windows-1252\n", argv[1],
                         static_cast<long long>(i + 1));
            return 1;
        }
        out += "\r\n";
    }

    QSaveFile target(QString::fromLocal8Bit(argv[2]));
    if (!target.open(QIODevice::WriteOnly) || target.write(out) != out.size() || !target.commit()) {
        std::fprintf(stderr, "%s: %s\n", argv[2], qPrintable(target.errorString()));
        return 1;
    }
    return 0;
}
