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

// The problems the check reports, in one table: the kind's name in the code, its stable
// identifier (scripts and editors rely on it; the README lists every one, in this order, and a
// test holds the two together) and its severity.
#define QUARNTAMO_PROBLEM_KINDS(X)                                                                 \
    /* a line that reads as the end of the file */                                                 \
    X(EndMark, "end-mark", Error)                                                                  \
    /* a related topic without a heading */                                                        \
    X(RelatedNotFound, "related-not-found", Error)                                                 \
    /* the picture file does not exist, or no name */                                              \
    X(PictureMissing, "picture-missing", Error)                                                    \
    /* the file is not a picture that can be read */                                               \
    X(PictureUnreadable, "picture-unreadable", Error)                                              \
    /* the picture would be refused as too large */                                                \
    X(PictureTooLarge, "picture-too-large", Error)                                                 \
    /* no topic to show at start */                                                                \
    X(StartTopicMissing, "start-topic-missing", Error)                                             \
    /* a line end without CR, which costs the line its last character */                           \
    X(BareLf, "bare-lf", Warning)                                                                  \
    /* an earlier heading hidden by a later one */                                                 \
    X(DuplicateHeading, "duplicate-heading", Warning)                                              \
    /* heading names that differ only in case */                                                   \
    X(HeadingCase, "heading-case", Warning)                                                        \
    /* text that belongs to no topic */                                                            \
    X(TextBeforeHeading, "text-before-heading", Warning)                                           \
    /* a heading as the last line, without line end */                                             \
    X(HeadingAtEnd, "heading-at-end", Warning)                                                     \
    /* a heading name with leading or trailing blanks */                                           \
    X(HeadingBlanks, "heading-blanks", Warning)                                                    \
    /* a heading without a name */                                                                 \
    X(HeadingEmpty, "heading-empty", Warning)                                                      \
    /* a word of more than 255 characters */                                                       \
    X(LongWord, "long-word", Warning)                                                              \
    /* a related topic listed twice in one topic */                                                \
    X(RelatedDuplicate, "related-duplicate", Warning)                                              \
    /* a blank between "%%%" and the picture name */                                               \
    X(PictureBlank, "picture-blank", Warning)                                                      \
    /* a byte that Windows-1252 leaves undefined */                                                \
    X(UndefinedByte, "undefined-byte", Warning)                                                    \
    /* the settings file's first line ends in a bare LF */                                         \
    X(SettingsBareLf, "settings-bare-lf", Warning)

#define QUARNTAMO_PROBLEM_KIND_ENUM(name, id, severity) name,
enum class ProblemKind { QUARNTAMO_PROBLEM_KINDS(QUARNTAMO_PROBLEM_KIND_ENUM) };
#undef QUARNTAMO_PROBLEM_KIND_ENUM

enum class Severity { Error, Warning };

Severity severityOf(ProblemKind kind);
// The stable identifier, e.g. "end-mark".
const char *kindId(ProblemKind kind);
// Every kind, in the order of the table.
QList<ProblemKind> allProblemKinds();

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
