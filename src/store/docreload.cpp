#include "store/docreload.h"

#include "std/collation.h"
#include "store/docreader.h"

#include <QFileInfo>

namespace tamo {

ReloadedDocumentation readDocumentation(const QString &path, const TopicListMaker &makeList,
                                        std::stop_token stop)
{
    ReloadedDocumentation result;
    DocReader reader;
    if (!reader.open(path, &result.error))
        return result;
    result.readable = true;
    result.index = buildTopicIndex(reader, {}, stop);
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

void DocumentationReloader::reload(const QString &path, const TopicListMaker &makeList)
{
    const quint64 generation = ++m_generation;
    for (auto &[older, worker] : m_workers)
        worker.request_stop();

    if (QFileInfo(path).size() <= kInPlaceLimit) {
        emit finished(readDocumentation(path, makeList));
        return;
    }
    // The shared order of names is set up here, once, before two threads could each try to.
    collation::compare(QStringLiteral("a"), QStringLiteral("\u00e9"));
    m_workers.emplace(
        generation, std::jthread([this, generation, path, makeList](std::stop_token stop) {
            ReloadedDocumentation result = readDocumentation(path, makeList, stop);
            // Delivered on the thread of this object, from its event loop; the
            // destructor waits for this thread, so the object is still there.
            QMetaObject::invokeMethod(
                this,
                [this, generation, result = std::move(result)] { deliver(generation, result); },
                Qt::QueuedConnection);
        }));
}

void DocumentationReloader::deliver(quint64 generation, const ReloadedDocumentation &result)
{
    m_workers.erase(generation); // the thread has done its last step: joined at once
    if (generation == m_generation)
        emit finished(result);
}

} // namespace tamo
