#pragma once

#include "store/topicindex.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <functional>

// The documentation check: every place where a documentation file reads differently from what
// its author most likely meant, found in one pass over the file's bytes. Each problem names its
// physical line (1-based, lines counted by their LF) and says, in German like the rest of the
// program, what the reader will see and how to fix it.
namespace tamo {

// Stable identifiers: scripts and editors may rely on them (listed in the README).
enum class ProblemKind {
    // errors
    EndMark,           // "end-mark": a line that reads as the end of the file
    RelatedNotFound,   // "related-not-found": a related topic without a heading
    PictureMissing,    // "picture-missing": the picture file does not exist, or no name
    PictureUnreadable, // "picture-unreadable": the file is not a picture that can be read
    PictureTooLarge,   // "picture-too-large": the picture would be refused as too large
    StartTopicMissing, // "start-topic-missing": no topic to show at start
    // warnings
    BareLf,            // "bare-lf": a line end without CR, which costs the line its last character
    DuplicateHeading,  // "duplicate-heading": an earlier heading hidden by a later one
    HeadingCase,       // "heading-case": heading names that differ only in case
    TextBeforeHeading, // "text-before-heading": text that belongs to no topic
    HeadingAtEnd,      // "heading-at-end": a heading as the last line, without line end
    HeadingBlanks,     // "heading-blanks": a heading name with leading or trailing blanks
    HeadingEmpty,      // "heading-empty": a heading without a name
    LongWord,          // "long-word": a word of more than 255 characters
    RelatedDuplicate,  // "related-duplicate": a related topic listed twice in one topic
    PictureBlank,      // "picture-blank": a blank between "%%%" and the picture name
    UndefinedByte,     // "undefined-byte": a byte that Windows-1252 leaves undefined
    SettingsBareLf,    // "settings-bare-lf": the settings file's first line ends in a bare LF
};

enum class Severity { Error, Warning };

Severity severityOf(ProblemKind kind);
// The stable identifier, e.g. "end-mark".
const char *kindId(ProblemKind kind);

struct DocProblem {
    qint64 line = 0;
    ProblemKind kind = ProblemKind::EndMark;
    QString message;

    Severity severity() const { return severityOf(kind); }
};

// What a picture file turned out to be when the viewer would load it.
// NotAFile: a pipe, a device or a directory under a picture's name, which the viewer refuses.
enum class PictureStatus { Ok, Missing, Unreadable, NotAFile, TooLarge };

// Answers for a picture file given by its absolute path. Decoding pictures needs more than the
// core, so the caller supplies the answer.
using PictureProbe = std::function<PictureStatus(const QString &absolutePath)>;

struct DocCheckOptions {
    // The directory of the documentation file: the viewer looks up picture names there.
    QString directory;
    // Without a probe, picture files are not looked at.
    PictureProbe probePicture;
};

// Checks the bytes of a documentation file. The problems come sorted by line.
//
// A line that reads as the end of the file hides everything after it from every reader. It is
// reported with the lines and topics it hides; the hidden part is still checked line by line
// (those problems remain once the line is removed), and its related-topic lines are checked
// against every heading of the file. Lines before it are judged as the reader sees the file:
// a related topic whose heading is hidden is not found, and so is the start topic.
QList<DocProblem> checkDocument(QByteArrayView bytes, const DocCheckOptions &options = {});

// Checks the bytes of the settings file: its first line names the documentation directory and
// loses its last character to a bare LF.
QList<DocProblem> checkSettings(QByteArrayView bytes);

} // namespace tamo
