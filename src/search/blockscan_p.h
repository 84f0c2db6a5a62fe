#pragma once

// Internal to the full-text search (fullsearch.h and topicsearch.h are its interface).

#include <QByteArray>
#include <QtGlobal>

#include <vector>

// Byte scans over one block of the documentation file: the inner loops of the full-text
// search. Each comes as a vector version (SSE2, where the target has it; elsewhere the plain
// code) and a plain one with the same results; the busiest, the word finder and the pass that
// finds a block's line marks with its words (scanBlock), also look at 32 bytes at once (AVX2)
// where the processor has that. The search uses the widest; the tests hold them all against
// each other.
namespace tamo::blockscan {

// Wide: 32 bytes at once where the processor can, else as Vector; Vector: 16 bytes at once.
enum class Kind { Wide, Vector, Plain };

// The scans a search uses for a width in bytes: 1 the plain ones, 16 the vector ones, and any
// other the widest there are.
Kind kindForWidth(int bytes);

// Blocks keep this many readable bytes in front of their first and behind their last byte, so
// vector loads may reach over the edges. No result depends on those bytes.
inline constexpr qsizetype kPadding = 128;

// Lower-cases Windows-1252 bytes exactly as cp1252::lowerTable does. dst may equal src.
void lowerBytes(char *dst, const char *src, qsizetype n, Kind kind = Kind::Wide);

// The lines of a block that matter before any word is looked at. A block starts at a line
// start and holds whole lines; at the end of the file its last line may lack the LF.
struct LineMarks {
    // Starts of heading lines: lines whose text (without LF and the byte before it) begins
    // with "###". Only those before endMark.
    std::vector<qsizetype> headings;
    // Start of the first line that reads as the end-of-file mark, or -1.
    qsizetype endMark = -1;
};
LineMarks findLineMarks(const char *data, qsizetype n, bool atFileEnd, Kind kind = Kind::Wide);

// The number of words on the lines in [begin, end): maximal runs of bytes other than blank and
// LF, where the byte in front of an LF (dropped by the reader) does not count. begin is a line
// start; end is a line start or the end of the file.
qsizetype countWords(const char *data, qsizetype begin, qsizetype end, Kind kind = Kind::Wide);

// A search for a lower-case needle of at least one byte in text as it stands, compared
// lower-cased (cp1252::lowerTable), so that no lower-cased copy of the text is needed.
class Finder {
public:
    explicit Finder(QByteArray needle = QByteArray(), Kind kind = Kind::Wide);

    // The first position p >= from where the needle lies wholly inside [from, to), or -1.
    qsizetype find(const char *data, qsizetype from, qsizetype to) const;

    qsizetype size() const { return m_needle.size(); }

private:
    friend struct FusedScan;

    QByteArray m_needle;
    Kind m_kind;
    // The bytes that lower-case to the needle's first and last byte (twice the same byte
    // where there is only one).
    char m_first[2] = {};
    char m_last[2] = {};
};

// A block's line marks and the places of some words in it, found in one pass over the block:
// the marks as findLineMarks gives them, and for each finder every position where its needle
// lies wholly before the end mark (or the block's end), in order. No needle may hold an LF (a
// word of a line never does). The lists of out are reused.
struct BlockFinds {
    LineMarks marks;
    std::vector<std::vector<qsizetype>> places; // one list per finder
};
void scanBlock(const char *data, qsizetype n, bool atFileEnd,
               const std::vector<const Finder *> &finders, BlockFinds &out, Kind kind = Kind::Wide);

} // namespace tamo::blockscan
