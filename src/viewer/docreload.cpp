#include "viewer/docreload.h"

#include "std/collation.h"
#include "store/docreader.h"

#include <QFileInfo>

namespace tamo {

ReloadedDocumentation readDocumentation(const QString &path, const TopicListMaker &makeList,
                                        const QString &shownName, std::stop_token stop)
{
    ReloadedDocumentation result;
    DocReader reader;
    if (!reader.open(path, &result.error))
        return result;
    result.readable = true;
    result.index = buildTopicIndex(reader, {}, stop);
    // A topic missing from the index is looked for through the whole file, which takes as
    // long as the index: on this thread too.
    if (!shownName.isNull() && !stop.stop_requested())
        result.topic = readTopic(reader, result.index, shownName);
    reader.close();
    if (makeList && !stop.stop_requested())
        result.list = makeList(result.index);
    return result;
}

DocumentationReloader::DocumentationReloader(QObject *parent)
    : QObject(parent)
{}

DocumentationReloader::~DocumentationReloader()
{
    m_workers.clear(); // each asked to stop, then joined
}

void DocumentationReloader::reload(const QString &path, const TopicListMaker &makeList,
                                   const QString &shownName)
{
    const quint64 generation = ++m_generation;
    for (auto &[older, worker] : m_workers)
        worker.request_stop();

    if (QFileInfo(path).size() <= kInPlaceLimit) {
        emit finished(readDocumentation(path, makeList, shownName));
        return;
    }
    // The shared order of names is set up here, once, before two threads could each try to.
    collation::compare(QStringLiteral("a"), QStringLiteral("\u00e9"));
    auto work = [this, generation, path, makeList, shownName](std::stop_token stop) {
        ReloadedDocumentation result = readDocumentation(path, makeList, shownName, stop);
        if (stop.stop_requested())
            result = {}; // freed here, not on the receiving thread
        // Delivered on the thread of this object, from its event loop; the destructor waits
        // for this thread, so the object is still there.
        QMetaObject::invokeMethod(
            this,
            [this, generation, result = std::move(result)]() mutable {
                deliver(generation, result);
            },
            Qt::QueuedConnection);
    };
    m_workers.emplace(generation, std::jthread(std::move(work)));
}

void DocumentationReloader::deliver(quint64 generation, ReloadedDocumentation &result)
{
    auto worker = m_workers.extract(generation);
    if (worker.empty())
        return; // not one of this object's reloads
    if (generation == m_generation)
        emit finished(result);
    // The thread has done its last step, but is joined elsewhere: on a busy machine it can
    // wait a while to be run once more.
    releaseElsewhere({std::move(result.index), std::move(result.list), std::move(worker.mapped())});
}

void DocumentationReloader::release(TopicIndex index, QStringList list)
{
    if (index.count() + list.size() >= 10000) // else quickly done here
        releaseElsewhere({std::move(index), std::move(list), {}});
}

void DocumentationReloader::releaseElsewhere(Released released)
{
    {
        const std::lock_guard lock(m_releaseLock);
        m_toRelease.push_back(std::move(released));
    }
    if (!m_releaser.joinable())
        m_releaser = std::jthread([this](std::stop_token stop) { releaseLoop(stop); });
    m_releaseWake.notify_one();
}

void DocumentationReloader::releaseLoop(std::stop_token stop)
{
    std::unique_lock lock(m_releaseLock);
    for (;;) {
        m_releaseWake.wait(lock, stop, [this] { return !m_toRelease.empty(); });
        if (m_toRelease.empty())
            return; // stopped, with nothing left
        auto batch = std::move(m_toRelease);
        m_toRelease.clear();
        lock.unlock();
        batch.clear();
        lock.lock();
    }
}

} // namespace tamo
