// The find command and the whole-word test on a topic's text: the selection stays inside the
// text, a found selection holds the search text (in any case unless case matters) and is a
// whole word when asked for, nothing is reported missing that is there, and the separator
// classes are those the find panel names.

#include "fuzzinput.h"

#include "find/findnext.h"
#include "find/wholeword.h"
#include "std/cp1252.h"
#include "std/textroutines.h"

namespace {

// The separator classes as the find panel names them: blank; tab, LF, CR; "_"; "-"; and the
// other special characters.
int documentedClass(QChar c)
{
    static const QString others = QString::fromUtf8("\"²³!§%&/()?{[]}\\*+~'#:;.,|<>@µ^°´`");
    if (c == u' ')
        return 0;
    if (c == u'\t' || c == u'\n' || c == u'\r')
        return 1;
    if (c == u'_')
        return 2;
    if (c == u'-')
        return 3;
    return others.contains(c) ? 4 : -1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    FuzzedDataProvider data(bytes, size);
    tamo::FindRequest r;
    r.matchCase = data.ConsumeBool();
    r.wholeWords = data.ConsumeBool();
    for (bool &flag : r.flags)
        flag = data.ConsumeBool();
    const qsizetype searchStart = data.ConsumeIntegral<uint16_t>();
    const qsizetype searchLength = data.ConsumeIntegralInRange<qsizetype>(0, 6);
    const bool upper = data.ConsumeBool();
    const qsizetype selStart = data.ConsumeIntegral<uint16_t>();
    const qsizetype selLength = data.ConsumeIntegralInRange<qsizetype>(0, 8);
    r.text = tamo::cp1252::decode(remainingBytes(data));
    const qsizetype n = r.text.size();

    for (const QChar c : r.text)
        FUZZ_CHECK(int(tamo::separatorClass(c)) == documentedClass(c));

    // The window's selection always lies inside the text; the search text is taken from it.
    r.selStart = n > 0 ? selStart % (n + 1) : 0;
    r.selLength = std::min(selLength, n - r.selStart);
    r.search = r.text.mid(n > 0 ? searchStart % n : 0, searchLength);
    if (upper)
        r.search = r.search.toUpper();

    const tamo::FindOutcome outcome = tamo::findNext(r);
    FUZZ_CHECK(outcome.selStart >= 0 && outcome.selLength >= 0);
    FUZZ_CHECK(outcome.selStart + outcome.selLength <= n);
    const QString text = r.matchCase ? r.text : tamo::lowerCase(r.text);
    const QString search = r.matchCase ? r.search : tamo::lowerCase(r.search);
    if (outcome.found) {
        FUZZ_CHECK(text.mid(outcome.selStart, outcome.selLength) == search);
        FUZZ_CHECK(!r.wholeWords || tamo::isWholeWordSelection(r.text, outcome.selStart,
                                                               outcome.selLength, r.flags));
    } else if (!search.isEmpty()) {
        // Every occurrence was looked at: none of them counts.
        for (qsizetype p = text.indexOf(search); p >= 0; p = text.indexOf(search, p + 1))
            FUZZ_CHECK(r.wholeWords &&
                       !tamo::isWholeWordSelection(r.text, p, search.size(), r.flags));
    }

    return 0;
}
