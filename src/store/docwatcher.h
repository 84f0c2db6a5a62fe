#pragma once

#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

namespace tamo {

// What tells one state of a file from another without reading it: whether there is anything
// under its name, its size and the times of the last change to its content and to its entry
// (a file written anew and renamed over the old one has times of its own).
struct FileStamp {
    bool exists = false;
    qint64 size = -1;
    qint64 modified = 0;      // ms since the epoch
    qint64 statusChanged = 0; // ms since the epoch
    bool operator==(const FileStamp &) const = default;
};

FileStamp fileStamp(const QString &path);

// Watches the documentation file and the pictures of the shown topic while an author edits
// them, and reports each save once it is complete.
//
// Editors save in three ways: in place, by truncating and writing, or by writing a new file
// and renaming it over the old one. The file itself and its directory are watched: the file's
// own watch sees changes in place, the directory's sees a file renamed over it, deleted or
// created again. After a replacement the new file is watched in place of the old one.
//
// The events of one save (a truncation, several writes, a rename) come within milliseconds.
// They are collected until the files have been left alone for kQuietMs, so that a half-written
// file is not read; a file written without pause is still reported every kLongestWaitMs.
class DocumentationWatcher : public QObject {
    Q_OBJECT
public:
    static constexpr int kQuietMs = 200;
    static constexpr int kLongestWaitMs = 1000;
    // More pictures than this in one topic are not watched: each watch costs a handle of
    // the system, of which a user has a few thousand.
    static constexpr qsizetype kMostPictures = 64;

    explicit DocumentationWatcher(QObject *parent = nullptr);

    // Starts watching the documentation file (an absolute path); it need not exist yet.
    void setDocumentation(const QString &path);
    // Watches these picture files (absolute paths) in place of the ones before.
    void setPictures(const QStringList &paths);

    const QString &documentation() const { return m_docPath; }
    const QStringList &pictures() const { return m_pictures; }

signals:
    // The documentation file was written, replaced, or came back after it was gone.
    void documentationChanged();
    // Nothing is found under the documentation file's name any more. Raised once; when the
    // file comes back, documentationChanged() follows.
    void documentationGone();
    // A watched picture was written, replaced, deleted or created.
    void picturesChanged();

private:
    void onFileEvent(const QString &path);
    void onDirectoryEvent();
    void scheduleSettle();
    void settle();
    void rearm();

    QFileSystemWatcher m_watcher;
    QTimer m_quiet;
    QElapsedTimer m_pendingSince;
    QString m_docPath;
    FileStamp m_docStamp;
    bool m_docTouched = false; // the file's own watch reported a change since the last settle
    QStringList m_pictures;
    QList<FileStamp> m_pictureStamps;
    bool m_picturesTouched = false;
};

} // namespace tamo
