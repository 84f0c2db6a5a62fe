#include "store/docwatcher.h"

#include <QDateTime>
#include <QFileInfo>

#include <algorithm>

namespace tamo {

FileStamp fileStamp(const QString &path)
{
    const QFileInfo info(path); // a new QFileInfo asks the file system afresh
    if (!info.exists())
        return {};
    return {true, info.size(), info.lastModified().toMSecsSinceEpoch(),
            info.fileTime(QFileDevice::FileMetadataChangeTime).toMSecsSinceEpoch()};
}

DocumentationWatcher::DocumentationWatcher(QObject *parent)
    : QObject(parent)
{
    m_quiet.setSingleShot(true);
    connect(&m_quiet, &QTimer::timeout, this, &DocumentationWatcher::settle);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &DocumentationWatcher::onFileEvent);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this,
            &DocumentationWatcher::onDirectoryEvent);
}

void DocumentationWatcher::setDocumentation(const QString &path)
{
    m_docPath = QFileInfo(path).absoluteFilePath();
    m_docStamp = fileStamp(m_docPath);
    m_docTouched = false;
    rearm();
}

void DocumentationWatcher::setPictures(const QStringList &paths)
{
    QStringList wanted;
    for (const QString &path : paths) {
        if (wanted.size() == kMostPictures)
            break;
        if (!path.isEmpty() && !wanted.contains(path))
            wanted.append(path);
    }
    if (wanted == m_pictures)
        return;
    m_pictures = wanted;
    m_pictureStamps.clear();
    for (const QString &path : std::as_const(m_pictures))
        m_pictureStamps.append(fileStamp(path));
    m_picturesTouched = false;
    rearm();
}

void DocumentationWatcher::onFileEvent(const QString &path)
{
    if (path == m_docPath)
        m_docTouched = true;
    else if (m_pictures.contains(path))
        m_picturesTouched = true;
    scheduleSettle();
}

void DocumentationWatcher::onDirectoryEvent()
{
    // Any entry of the directory: an editor's backup and swap files come and go beside the
    // documentation. Whether the watched files were among them shows in their stamps.
    scheduleSettle();
}

void DocumentationWatcher::scheduleSettle()
{
    if (!m_quiet.isActive())
        m_pendingSince.start();
    const qint64 left = kLongestWaitMs - m_pendingSince.elapsed();
    m_quiet.start(int(std::clamp<qint64>(left, 0, kQuietMs)));
}

void DocumentationWatcher::settle()
{
    // Watch anew first and take the stamps after: a change from here on raises an event, and
    // one made before shows in the stamps.
    rearm();

    bool docChanged = false;
    bool docGone = false;
    if (!m_docPath.isEmpty()) {
        const FileStamp now = fileStamp(m_docPath);
        docGone = !now.exists && m_docStamp.exists;
        docChanged = now.exists && (m_docTouched || now != m_docStamp);
        m_docStamp = now;
        m_docTouched = false;
    }
    bool picturesChanged = m_picturesTouched;
    for (qsizetype i = 0; i < m_pictures.size(); ++i) {
        const FileStamp now = fileStamp(m_pictures.at(i));
        picturesChanged = picturesChanged || now != m_pictureStamps.at(i);
        m_pictureStamps[i] = now;
    }
    m_picturesTouched = false;

    // The receivers may watch other pictures meanwhile; the state above is already up to date.
    if (docGone)
        emit documentationGone();
    if (docChanged)
        emit documentationChanged();
    if (picturesChanged)
        emit this->picturesChanged();
}

void DocumentationWatcher::rearm()
{
    // A file replaced by another of the same name is watched anew: the watch of the system
    // follows the old file, which may live on while something still holds it open.
    const QStringList watchedFiles = m_watcher.files();
    if (!watchedFiles.isEmpty())
        m_watcher.removePaths(watchedFiles);

    QStringList files;
    QStringList directories;
    auto want = [&files, &directories](const QString &path) {
        const QFileInfo info(path);
        if (info.exists() && !files.contains(path))
            files.append(path);
        const QString directory = info.absolutePath();
        if (QFileInfo(directory).isDir() && !directories.contains(directory))
            directories.append(directory);
    };
    if (!m_docPath.isEmpty())
        want(m_docPath);
    for (const QString &path : std::as_const(m_pictures))
        want(path);

    // Directories stay watched without a gap, so that nothing done to their entries while
    // the files are watched anew goes unseen. (A file replaced by a directory is watched as
    // one.)
    const QStringList watchedDirectories = m_watcher.directories();
    QStringList stale;
    for (const QString &directory : watchedDirectories) {
        if (!directories.contains(directory) && !files.contains(directory))
            stale.append(directory);
    }
    if (!stale.isEmpty())
        m_watcher.removePaths(stale);
    QStringList fresh;
    for (const QString &path : directories + files) {
        if (!watchedDirectories.contains(path) && !fresh.contains(path))
            fresh.append(path);
    }
    if (!fresh.isEmpty())
        m_watcher.addPaths(fresh);
}

} // namespace tamo
