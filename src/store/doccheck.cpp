#include "store/doccheck.h"

#include "std/cp1252.h"
#include "std/linerule.h"
#include "std/textroutines.h"

#include <QDir>

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tamo {

namespace {

using Bytes = std::string_view;

struct KindInfo {
    ProblemKind kind;
    const char *id;
    Severity severity;
};

#define QUARNTAMO_PROBLEM_KIND_INFO(name, id, severity) {ProblemKind::name, id, Severity::severity},
constexpr KindInfo kKinds[] = {QUARNTAMO_PROBLEM_KINDS(QUARNTAMO_PROBLEM_KIND_INFO)};
#undef QUARNTAMO_PROBLEM_KIND_INFO

// The full-text search compares words up to this length by similar spelling.
constexpr qsizetype kLongestComparedWord = 255;
// Related sections up to this many lines are searched for a repeated name without a table.
constexpr size_t kShortSection = 16;
// How much of a long line a message quotes.
constexpr qsizetype kQuoteLength = 40;

QString text(Bytes bytes)
{
    return cp1252::decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

// „name“
QString quoted(const QString &name)
{
    return u'\u201E' + name + u'\u201C';
}

// A message quotes a name as every message quotes file content (elidedForMessage): of a long
// name its ends. Only the ends are decoded, since a name may run to megabytes.
QString quoted(Bytes bytes)
{
    constexpr size_t kEnds = 200; // more than elidedForMessage keeps of either end
    if (bytes.size() <= 2 * kEnds)
        return quoted(elidedForMessage(text(bytes)));
    return quoted(
        elidedForMessage(text(bytes.substr(0, kEnds)) + text(bytes.substr(bytes.size() - kEnds))));
}

// The end of a line, as much as a message should show: "…ende der Zeile".
QString lineTail(Bytes line)
{
    if (qsizetype(line.size()) <= kQuoteLength)
        return quoted(line);
    return quoted(u'\u2026' + text(line.substr(line.size() - kQuoteLength)));
}

// "1 Zeile", "3 Zeilen"
QString counted(qint64 n, const char *one, const char *many)
{
    return QString::number(n) + u' ' + QString::fromLatin1(n == 1 ? one : many);
}

bool isBlankLine(Bytes line)
{
    return line.find_first_not_of(' ') == Bytes::npos;
}

// The line from its fourth character on, as every reader takes a name; empty when shorter.
Bytes namePart(Bytes line)
{
    return line.size() > 3 ? line.substr(3) : Bytes();
}

std::string lowered(Bytes name)
{
    const auto &lower = cp1252::lowerTable();
    std::string result(name);
    for (char &c : result)
        c = char(lower[static_cast<unsigned char>(c)]);
    return result;
}

constexpr std::array<bool, 256> makeUndefinedTable()
{
    std::array<bool, 256> table{};
    for (unsigned char b : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        table[b] = true;
    return table;
}
constexpr std::array<bool, 256> kUndefined = makeUndefinedTable();

struct Heading {
    Bytes name;
    qint64 line;
    bool hidden; // behind a line that reads as the end of the file
};

struct RelatedLine {
    Bytes name;
    qint64 line;
    bool hidden;
    bool marked; // begins with "---"
};

enum class Section { BeforeFirstHeading, Body, Related };

class Checker {
public:
    explicit Checker(const DocCheckOptions &options)
        : m_options(options)
    {}

    QList<DocProblem> run(Bytes bytes);

private:
    void add(qint64 line, ProblemKind kind, const QString &message)
    {
        m_problems.append({line, kind, message});
    }

    void checkBytes(Bytes raw, Bytes line, bool bareLf, qint64 number);
    void checkHeading(Bytes name, qint64 number, bool lastWithoutEnd);
    void checkRelated(Bytes line, qint64 number);
    void checkPicture(Bytes name, qint64 number);
    void checkEndMarks(qint64 lineCount);
    void checkHeadingNames();
    void checkRelatedNames();
    void checkStartTopic();
    QString hiddenBy(qint64 headingLine) const;

    const DocCheckOptions &m_options;
    QList<DocProblem> m_problems;
    std::vector<Heading> m_headings;
    std::vector<RelatedLine> m_related;
    std::vector<qint64> m_endMarks;
    // The related lines of the current topic, to find a name listed twice. Sections are short,
    // so a plain search does; a long one gets a hash table.
    std::vector<size_t> m_sectionRelated; // indices into m_related
    std::unordered_map<Bytes, qint64> m_sectionNames;
    std::unordered_map<Bytes, PictureStatus> m_pictures;
    std::unordered_map<Bytes, size_t> m_lastHeading;    // name -> index of its last heading
    std::unordered_map<std::string, size_t> m_caseless; // lower-cased name -> first heading
};

QList<DocProblem> Checker::run(Bytes bytes)
{
    Section section = Section::BeforeFirstHeading;
    qint64 textBeforeFirst = 0;
    qint64 textBeforeFirstLine = 0;
    qint64 number = 0;
    size_t pos = 0;
    while (pos < bytes.size()) {
        ++number;
        const size_t lf = bytes.find('\n', pos);
        const bool hasEnd = lf != Bytes::npos;
        const Bytes raw = bytes.substr(pos, (hasEnd ? lf : bytes.size()) - pos);
        pos = hasEnd ? lf + 1 : bytes.size();
        // What every reader sees (linerule.h): the LF goes, and the character in front of it.
        const Bytes line = hasEnd && !raw.empty() ? raw.substr(0, raw.size() - 1) : raw;
        const bool bareLf = hasEnd && !raw.empty() && raw.back() != '\r';

        checkBytes(raw, line, bareLf, number);
        if (lines::isEndMark(line)) {
            // Reads as the end of the file; once removed it would be a blank line.
            m_endMarks.push_back(number);
            continue;
        }
        const bool hidden = !m_endMarks.empty();

        if (lines::isHeading(line)) {
            section = Section::Body;
            m_sectionRelated.clear();
            if (!m_sectionNames.empty())
                m_sectionNames.clear();
            checkHeading(namePart(line), number, !hasEnd);
            m_headings.push_back({namePart(line), number, hidden});
            continue;
        }
        switch (section) {
        case Section::BeforeFirstHeading:
            if (!isBlankLine(line) && textBeforeFirst++ == 0)
                textBeforeFirstLine = number;
            break;
        case Section::Body:
            if (lines::isPictureLine(line)) {
                checkPicture(namePart(line), number);
            } else if (lines::isRelatedLine(line)) {
                section = Section::Related;
                checkRelated(line, number);
            }
            break;
        case Section::Related:
            // Every line that is not blank names a related topic, "---" or not.
            if (!isBlankLine(line))
                checkRelated(line, number);
            break;
        }
    }

    if (textBeforeFirst > 0)
        add(textBeforeFirstLine, ProblemKind::TextBeforeHeading,
            QStringLiteral("Der Text vor der ersten Überschrift (%1) gehört zu keinem Thema: "
                           "der Betrachter zeigt ihn nie an. Eine Überschrift „###Name“ davor "
                           "setzen oder den Text löschen.")
                .arg(counted(textBeforeFirst, "Zeile", "Zeilen")));
    checkEndMarks(number);
    checkHeadingNames();
    checkRelatedNames();
    checkStartTopic();

    std::stable_sort(m_problems.begin(), m_problems.end(),
                     [](const DocProblem &a, const DocProblem &b) { return a.line < b.line; });
    return m_problems;
}

// The problems a line has on its own: its line end, its bytes, its words.
void Checker::checkBytes(Bytes raw, Bytes line, bool bareLf, qint64 number)
{
    if (bareLf)
        add(number, ProblemKind::BareLf,
            QStringLiteral("Die Zeile endet mit LF ohne CR und verliert ihr letztes Zeichen: der "
                           "Betrachter liest %1 statt %2. Die Zeile mit CR LF beenden.")
                .arg(lineTail(line), lineTail(raw)));

    qint64 undefined = 0;
    size_t firstUndefined = 0;
    for (size_t i = 0; i < raw.size(); ++i) {
        if (kUndefined[static_cast<unsigned char>(raw[i])] && undefined++ == 0)
            firstUndefined = i;
    }
    if (undefined > 0)
        add(number, ProblemKind::UndefinedByte,
            QStringLiteral("Das Byte 0x%1 in Spalte %2 ist in Windows-1252 nicht belegt%3: der "
                           "Betrachter zeigt dort ein unsichtbares Steuerzeichen. Die Datei muss "
                           "in Windows-1252 geschrieben sein (nicht UTF-8); das Zeichen ersetzen.")
                .arg(QString::number(static_cast<unsigned char>(raw[firstUndefined]), 16).toUpper())
                .arg(firstUndefined + 1)
                .arg(undefined > 1
                         ? QStringLiteral(" (und %1 weitere in dieser Zeile)").arg(undefined - 1)
                         : QString()));

    // Words are runs of anything but the blank; only a line this long can hold a long one.
    if (qsizetype(line.size()) > kLongestComparedWord) {
        size_t start = 0;
        while (start < line.size()) {
            size_t end = line.find(' ', start);
            if (end == Bytes::npos)
                end = line.size();
            if (qsizetype(end - start) > kLongestComparedWord) {
                add(number, ProblemKind::LongWord,
                    QStringLiteral("Das Wort %1 hat %2 Zeichen, mehr als 255: die Suche nach "
                                   "ähnlicher Schreibweise (ein Suchwort in Anführungszeichen) "
                                   "findet es nur, wenn es das Suchwort ganz enthält. Das Wort "
                                   "durch Leerzeichen teilen.")
                        .arg(quoted(text(line.substr(start, 20)) + u'\u2026'))
                        .arg(end - start));
                break; // one report per line is enough to find it
            }
            start = end + 1;
        }
    }
}

void Checker::checkHeading(Bytes name, qint64 number, bool lastWithoutEnd)
{
    if (name.empty()) {
        add(number, ProblemKind::HeadingEmpty,
            QStringLiteral("Die Überschrift hat keinen Namen: die Themenliste zeigt einen leeren "
                           "Eintrag. Den Namen direkt hinter „###“ schreiben."));
    } else if (name.front() == ' ' || name.back() == ' ') {
        add(number, ProblemKind::HeadingBlanks,
            QStringLiteral("Der Name %1 %2 mit einem Leerzeichen: es gehört zum Namen, und ein "
                           "Verweis ohne dieses Leerzeichen findet das Thema nicht. Das "
                           "Leerzeichen entfernen.")
                .arg(quoted(name),
                     name.front() == ' ' ? QStringLiteral("beginnt") : QStringLiteral("endet")));
    }
    if (lastWithoutEnd)
        add(number, ProblemKind::HeadingAtEnd,
            QStringLiteral("Die Überschrift %1 ist die letzte Zeile und hat kein Zeilenende: "
                           "ihr Thema ist leer, und wird die Datei fortgesetzt, wird die nächste "
                           "Zeile Teil des Namens. Die Zeile mit CR LF beenden.")
                .arg(quoted(name)));
}

void Checker::checkRelated(Bytes line, qint64 number)
{
    const Bytes name = namePart(line);
    const bool hidden = !m_endMarks.empty();
    m_related.push_back({name, number, hidden, lines::isRelatedLine(line)});

    qint64 earlier = 0;
    if (m_sectionRelated.size() < kShortSection) {
        for (const size_t i : m_sectionRelated) {
            if (m_related[i].name == name) {
                earlier = m_related[i].line;
                break;
            }
        }
    } else {
        if (m_sectionNames.empty()) {
            for (const size_t i : m_sectionRelated)
                m_sectionNames.try_emplace(m_related[i].name, m_related[i].line);
        }
        const auto [it, inserted] = m_sectionNames.try_emplace(name, number);
        if (!inserted)
            earlier = it->second;
    }
    m_sectionRelated.push_back(m_related.size() - 1);
    if (earlier > 0)
        add(number, ProblemKind::RelatedDuplicate,
            QStringLiteral("Das verwandte Thema %1 steht schon in Zeile %2: die Liste der "
                           "verwandten Themen zeigt es zweimal. Eine der Zeilen löschen.")
                .arg(quoted(name))
                .arg(earlier));
}

void Checker::checkPicture(Bytes name, qint64 number)
{
    if (!name.empty() && name.front() == ' ')
        add(number, ProblemKind::PictureBlank,
            QStringLiteral("Zwischen „%%%“ und dem Bildnamen steht ein Leerzeichen: es gehört zum "
                           "Dateinamen %1. Das Leerzeichen entfernen.")
                .arg(quoted(name)));
    if (!m_options.probePicture)
        return;
    if (name.empty()) {
        add(number, ProblemKind::PictureMissing,
            QStringLiteral("Die Bildzeile nennt keine Datei: neben dem Text erscheint kein Bild. "
                           "Den Dateinamen direkt hinter „%%%“ schreiben."));
        return;
    }
    const QDir directory(m_options.directory);
    auto it = m_pictures.find(name);
    if (it == m_pictures.end())
        it = m_pictures.emplace(name, m_options.probePicture(directory.filePath(text(name)))).first;
    switch (it->second) {
    case PictureStatus::Ok:
        break;
    case PictureStatus::Missing:
        add(number, ProblemKind::PictureMissing,
            QStringLiteral("Die Bilddatei %1 gibt es nicht (gesucht in %2): neben dem Text "
                           "erscheint kein Bild. Die Datei dorthin legen oder den Namen "
                           "berichtigen.")
                .arg(quoted(name), QDir::toNativeSeparators(directory.absolutePath())));
        break;
    case PictureStatus::Unreadable:
        add(number, ProblemKind::PictureUnreadable,
            QStringLiteral("Die Datei %1 lässt sich nicht als Bild lesen: neben dem Text "
                           "erscheint kein Bild. Das Bild als PNG, JPEG, GIF oder BMP speichern.")
                .arg(quoted(name)));
        break;
    case PictureStatus::NotAFile:
        add(number, ProblemKind::PictureUnreadable,
            QStringLiteral("%1 ist keine gewöhnliche Datei (etwa eine benannte Pipe oder ein "
                           "Verzeichnis): der Betrachter liest sie nicht, neben dem Text erscheint "
                           "kein Bild. Dort eine Bilddatei ablegen.")
                .arg(quoted(name)));
        break;
    case PictureStatus::TooLarge:
        add(number, ProblemKind::PictureTooLarge,
            QStringLiteral("Das Bild %1 ist zu groß: der Betrachter lädt es nicht, neben dem "
                           "Text erscheint kein Bild. Das Bild verkleinern.")
                .arg(quoted(name)));
        break;
    }
}

void Checker::checkEndMarks(qint64 lineCount)
{
    for (const qint64 mark : m_endMarks) {
        const auto after = std::upper_bound(
            m_headings.begin(), m_headings.end(), mark,
            [](qint64 line, const Heading &heading) { return line < heading.line; });
        const qint64 topics = m_headings.end() - after;
        const qint64 lines = lineCount - mark;
        if (lines == 0) {
            add(mark, ProblemKind::EndMark,
                QStringLiteral("Die letzte Zeile besteht nur aus CR und liest sich wie das Ende "
                               "der Datei. Das CR löschen."));
            continue;
        }
        add(mark, ProblemKind::EndMark,
            QStringLiteral("Die Zeile besteht für jeden Leser nur aus CR und liest sich wie das "
                           "Ende der Datei: alles danach (%1, %2) fehlt im Betrachter und in der "
                           "Suche. Die Zeile löschen oder leer machen.")
                .arg(counted(lines, "Zeile", "Zeilen"), counted(topics, "Thema", "Themen")));
    }
}

// Where a heading stands behind a line that reads as the end of the file, says so.
QString Checker::hiddenBy(qint64 headingLine) const
{
    qint64 mark = 0;
    for (const qint64 m : m_endMarks) {
        if (m < headingLine)
            mark = m;
    }
    return mark == 0 ? QString()
                     : QStringLiteral(" (sie steht hinter dem Dateiende in Zeile %1)").arg(mark);
}

void Checker::checkHeadingNames()
{
    m_lastHeading.reserve(m_headings.size());
    m_caseless.reserve(m_headings.size());
    for (size_t i = 0; i < m_headings.size(); ++i)
        m_lastHeading[m_headings[i].name] = i;

    // Before a line that reads as the end of the file, only the headings before it can hide a
    // topic, as the readers see the file; behind it, every heading counts (as once it is gone).
    std::unordered_map<Bytes, size_t> lastVisible;
    for (size_t i = 0; i < m_headings.size() && !m_headings[i].hidden; ++i)
        lastVisible[m_headings[i].name] = i;

    std::unordered_map<Bytes, bool> reportedCase;
    for (size_t i = 0; i < m_headings.size(); ++i) {
        const Heading &h = m_headings[i];
        const Heading &last = m_headings[m_lastHeading[h.name]];
        const Heading &shown = h.hidden ? last : m_headings[lastVisible[h.name]];
        if (shown.line != h.line) {
            add(h.line, ProblemKind::DuplicateHeading,
                QStringLiteral("Die Überschrift %1 steht in Zeile %2 noch einmal: der Betrachter "
                               "zeigt unter diesem Namen das Thema dort, dieses hier ist nie zu "
                               "sehen. Eine der Überschriften umbenennen.")
                    .arg(quoted(h.name))
                    .arg(shown.line));
        } else if (last.line != h.line) {
            add(h.line, ProblemKind::DuplicateHeading,
                QStringLiteral("Die Überschrift %1 steht in Zeile %2 noch einmal%3: solange die "
                               "Datei für die Leser dort endet, zeigt der Betrachter dieses Thema; "
                               "ohne das Dateiende zeigt er unter diesem Namen das Thema in Zeile "
                               "%2, und dieses hier ist nie zu sehen. Eine der Überschriften "
                               "umbenennen.")
                    .arg(quoted(h.name))
                    .arg(last.line)
                    .arg(hiddenBy(last.line)));
        }

        const auto [first, inserted] = m_caseless.try_emplace(lowered(h.name), i);
        const Heading &other = m_headings[first->second];
        if (!inserted && other.name != h.name && reportedCase.try_emplace(h.name, true).second) {
            add(h.line, ProblemKind::HeadingCase,
                QStringLiteral("%1 unterscheidet sich von %2 (Zeile %3) nur in Groß- und "
                               "Kleinschreibung: die Themenliste zeigt beide, ein Verweis "
                               "erreicht nur das Thema, dessen Schreibweise er genau trifft. Die "
                               "Namen deutlicher unterscheiden.")
                    .arg(quoted(h.name), quoted(other.name))
                    .arg(other.line));
        }
    }
}

void Checker::checkRelatedNames()
{
    // Before a line that reads as the end of the file, only the headings before it count.
    std::unordered_map<Bytes, size_t> visible;
    if (!m_endMarks.empty()) {
        for (size_t i = 0; i < m_headings.size() && !m_headings[i].hidden; ++i)
            visible[m_headings[i].name] = i;
    }
    const auto &shown = m_endMarks.empty() ? m_lastHeading : visible;

    for (const RelatedLine &r : m_related) {
        const auto found = m_lastHeading.find(r.name);
        if (r.hidden ? found != m_lastHeading.end() : shown.contains(r.name))
            continue;

        QString hint;
        if (found != m_lastHeading.end()) {
            hint = QStringLiteral(" Seine Überschrift in Zeile %1 ist nicht zu sehen%2.")
                       .arg(m_headings[found->second].line)
                       .arg(hiddenBy(m_headings[found->second].line));
        } else if (const auto similar = m_caseless.find(lowered(r.name));
                   similar != m_caseless.end()) {
            const Heading &h = m_headings[similar->second];
            hint = QStringLiteral(" Gemeint ist wohl %1 (Zeile %2): der Name muss auch in Groß- "
                                  "und Kleinschreibung genau stimmen.")
                       .arg(quoted(h.name))
                       .arg(h.line);
        } else if (!r.marked) {
            hint = QStringLiteral(" Die Zeile beginnt nicht mit „---“: unter den verwandten "
                                  "Themen gilt jede nicht leere Zeile ab ihrem vierten Zeichen "
                                  "als Name. Die Zeile mit „---“ beginnen oder vor die erste "
                                  "„---“-Zeile stellen.");
        } else if (r.name.empty()) {
            hint = QStringLiteral(" Die Zeile „---“ nennt keinen Namen: den Namen direkt "
                                  "dahinter schreiben oder die Zeile löschen.");
        } else {
            hint = QStringLiteral(" Die Überschrift „###%1“ anlegen oder den Namen berichtigen.")
                       .arg(text(r.name));
        }
        add(r.line, ProblemKind::RelatedNotFound,
            QStringLiteral("Kein Thema heißt %1: ein Klick auf dieses verwandte Thema zeigt "
                           "„Fehler: Thema nicht gefunden.“.")
                    .arg(quoted(r.name)) +
                hint);
    }
}

void Checker::checkStartTopic()
{
    const std::string wanted = lowered(kStartTopic);
    qint64 hiddenLine = 0;
    for (const Heading &h : m_headings) {
        if (h.name.size() < wanted.size() || lowered(h.name.substr(0, wanted.size())) != wanted)
            continue;
        if (!h.hidden)
            return;
        if (hiddenLine == 0)
            hiddenLine = h.line;
    }
    const QString start = QString::fromLatin1(kStartTopic);
    add(1, ProblemKind::StartTopicMissing,
        QStringLiteral("Es gibt kein Thema %1: der Betrachter zeigt beim Start „Fehler: Thema "
                       "nicht gefunden.“.")
                .arg(quoted(start)) +
            (hiddenLine > 0
                 ? QStringLiteral(" Seine Überschrift in Zeile %1 ist nicht zu sehen%2.")
                       .arg(hiddenLine)
                       .arg(hiddenBy(hiddenLine))
                 : QStringLiteral(" Ein Thema mit der Überschrift „###%1“ anlegen.").arg(start)));
}

} // namespace

Severity severityOf(ProblemKind kind)
{
    return kKinds[size_t(kind)].severity;
}

const char *kindId(ProblemKind kind)
{
    return kKinds[size_t(kind)].id;
}

QList<ProblemKind> allProblemKinds()
{
    QList<ProblemKind> kinds;
    for (const KindInfo &info : kKinds)
        kinds.append(info.kind);
    return kinds;
}

QList<DocProblem> checkDocument(QByteArrayView bytes, const DocCheckOptions &options)
{
    return Checker(options).run(Bytes(bytes.data(), size_t(bytes.size())));
}

QList<DocProblem> checkSettings(QByteArrayView bytes)
{
    const Bytes all(bytes.data(), size_t(bytes.size()));
    const size_t lf = all.find('\n');
    if (lf == Bytes::npos || lf == 0 || all[lf - 1] == '\r')
        return {};
    const Bytes raw = all.substr(0, lf);
    return {{1, ProblemKind::SettingsBareLf,
             QStringLiteral("Die erste Zeile endet mit LF ohne CR und verliert ihr letztes "
                            "Zeichen: gelesen wird das Verzeichnis %1 statt %2. Die Zeile mit "
                            "CR LF beenden.")
                 .arg(quoted(raw.substr(0, raw.size() - 1)), quoted(raw))}};
}

} // namespace tamo
