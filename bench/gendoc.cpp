// quarntamo_gendoc [--topics N] [--bytes B] [--seed S] OUT
// Writes a large documentation file for benchmarks: N topics of German-like reference text
// in Windows-1252 with CR LF line ends, about B bytes in all, with related-topic sections and
// the odd picture line, always the same for the same seed.

#include "std/cp1252.h"

#include <QByteArray>
#include <QFile>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstring>

using namespace tamo;

namespace {

const char *const kWords[] = {
    "Datei",     "Zugriff",   "Liste",       "Tabelle",   "Funktion", "Variable",  "Wert",
    "Text",      "Zahl",      "Ergebnis",    "Fehler",    "Schleife", "Bedingung", "Ausdruck",
    "Parameter", "Rückgabe",  "Zeichen",     "Länge",     "Größe",    "öffnen",    "schließen",
    "lesen",     "schreiben", "Verzeichnis", "der",       "die",      "das",       "und",
    "oder",      "nicht",     "wird",        "ist",       "mit",      "für",       "eine",
    "einen",     "auf",       "von",         "zu",        "im",       "bei",       "als",
    "wenn",      "dann",      "sonst",       "ende",      "setze",    "gib",       "zurück",
    "Modul",     "Anweisung", "Operator",    "Vergleich", "Element",  "Index",     "Schlüssel",
    "Übersicht", "Beispiel",  "Hinweis",     "Typ",       "Ganzzahl", "Kommazahl", "Wahrheitswert",
    "Speicher",  "Programm",  "Eingabe",     "Ausgabe",   "Format",   "Datum",     "Zeit",
    "Puffer",
};
constexpr int kWordCount = int(sizeof(kWords) / sizeof(kWords[0]));

QString word(QRandomGenerator &rng)
{
    QString w = QString::fromUtf8(kWords[rng.bounded(kWordCount)]);
    if (rng.bounded(8) == 0) // some made-up compounds, so not every word repeats
        w += QString::number(rng.bounded(1000));
    return w;
}

} // namespace

int main(int argc, char **argv)
{
    qint64 topics = 30000;
    qint64 bytes = 20'000'000;
    quint32 seed = 1;
    const char *out = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--topics") && i + 1 < argc)
            topics = QByteArray(argv[++i]).toLongLong();
        else if (!std::strcmp(argv[i], "--bytes") && i + 1 < argc)
            bytes = QByteArray(argv[++i]).toLongLong();
        else if (!std::strcmp(argv[i], "--seed") && i + 1 < argc)
            seed = QByteArray(argv[++i]).toUInt();
        else
            out = argv[i];
    }
    if (!out || topics <= 0) {
        std::fprintf(stderr, "usage: quarntamo_gendoc [--topics N] [--bytes B] [--seed S] OUT\n");
        return 2;
    }

    QRandomGenerator rng(seed);
    QStringList names;
    for (qint64 t = 0; t < topics; ++t) {
        QString name = word(rng) + u'_' + word(rng);
        if (rng.bounded(3) == 0)
            name += u'_' + word(rng);
        names += name + u'_' + QString::number(t);
    }

    const qint64 perTopic = bytes / topics;
    QByteArray doc;
    doc.reserve(bytes + bytes / 10);
    for (qint64 t = 0; t < topics; ++t) {
        doc += "###" + cp1252::encode(names[t]) + "\r\n";
        const qint64 end = doc.size() + perTopic - 40;
        bool picture = rng.bounded(20) == 0;
        while (doc.size() < end) {
            if (picture) {
                doc += "%%%bild" + QByteArray::number(rng.bounded(50)) + ".png\r\n";
                picture = false;
            }
            QString line;
            const int target = 30 + rng.bounded(60);
            while (line.size() < target)
                line += word(rng) + u' ';
            line.chop(1);
            doc += cp1252::encode(line) + "\r\n";
            if (rng.bounded(6) == 0)
                doc += "\r\n";
        }
        const int related = rng.bounded(4);
        for (int r = 0; r < related; ++r)
            doc += "---" + cp1252::encode(names[rng.bounded(int(topics))]) + "\r\n";
    }

    QFile file(QString::fromLocal8Bit(out));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(doc) != doc.size()) {
        std::fprintf(stderr, "%s: %s\n", out, qPrintable(file.errorString()));
        return 1;
    }
    return 0;
}
