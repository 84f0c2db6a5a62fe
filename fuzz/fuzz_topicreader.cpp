// The topic reader: every indexed name is found under its own title, a name is found exactly
// when the index holds it, a topic cut at a limit is the beginning of the whole topic with the
// note, and the picture chosen for any caret is one the topic's text names.

#include "fuzzinput.h"

#include "std/cp1252.h"
#include "store/docreader.h"
#include "store/topicindex.h"
#include "viewer/picturechoice.h"
#include "viewer/topicreader.h"

#include <QSet>

namespace {

// The names of the picture lines of a full text.
QSet<QString> pictureNames(const QString &fullText)
{
    QSet<QString> names;
    for (const QString &line : fullText.split(QStringLiteral("\r\n"))) {
        if (line.startsWith(u"%%%"))
            names.insert(line.mid(3));
    }
    return names;
}

void checkPictures(const tamo::TopicContent &topic)
{
    const QSet<QString> names = pictureNames(topic.fullText);
    const qsizetype step = std::max<qsizetype>(1, topic.shownText.size() / 64);
    for (qsizetype caret = 0; caret <= topic.shownText.size() + 1; caret += step) {
        const QString chosen = tamo::pictureForCaret(topic.fullText, caret);
        FUZZ_CHECK(chosen.isNull() || names.contains(chosen));
    }
}

// Whether text begins with part; unlike QString::startsWith, a null text begins with "" too
// (a topic of picture lines only has no shown text at all).
bool beginsWith(const QString &text, const QString &part)
{
    return text.size() >= part.size() && QStringView(text).first(part.size()) == part;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    FuzzedDataProvider data(bytes, size);
    const qsizetype limit = data.ConsumeIntegralInRange<qsizetype>(0, 300);
    const std::string otherName = data.ConsumeRandomLengthString(8);
    const QByteArray file = remainingBytes(data);
    const QString path = writeInputFile(file);

    tamo::DocReader reader;
    FUZZ_CHECK(reader.open(path));
    const tamo::TopicIndex index = tamo::buildTopicIndex(reader);
    const QString note = tamo::cutTopicNote(limit);
    QSet<QString> seen;
    for (const QString &name : index.names) {
        if (seen.size() >= 40 || seen.contains(name))
            continue;
        seen.insert(name);
        const tamo::TopicContent topic = tamo::readTopic(reader, index, name);
        FUZZ_CHECK(topic.found && topic.title == name);
        checkPictures(topic);

        // Cut at a small limit: the beginning of the same topic, then the note.
        const tamo::TopicContent cut = tamo::readTopic(reader, index, name, limit);
        FUZZ_CHECK(cut.found && cut.related == topic.related);
        if (cut.fullText.endsWith(note)) {
            const QString shown = cut.shownText.chopped(note.size());
            const QString full = cut.fullText.chopped(note.size());
            FUZZ_CHECK(cut.shownText.endsWith(note) && full.size() <= limit);
            FUZZ_CHECK(beginsWith(topic.shownText, shown) && beginsWith(topic.fullText, full));
            FUZZ_CHECK(topic.fullText.size() > full.size());
        } else {
            FUZZ_CHECK(cut.shownText == topic.shownText && cut.fullText == topic.fullText);
            FUZZ_CHECK(topic.fullText.size() <= limit);
        }
        checkPictures(cut);
    }

    const QString other =
        tamo::cp1252::decode(QByteArrayView(otherName.data(), qsizetype(otherName.size())));
    const tamo::TopicContent topic = tamo::readTopic(reader, index, other);
    FUZZ_CHECK(topic.found == (index.find(other) >= 0));
    if (!topic.found)
        FUZZ_CHECK(topic.title == QString::fromUtf16(tamo::kNotFoundTitle));
    return 0;
}
