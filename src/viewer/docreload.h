#pragma once

#include "store/topicindex.h"
#include "viewer/topicreader.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <stop_token>
#include <thread>
#include <vector>

namespace tamo {

// The documentation read anew: its topic index, the topic list made from it and the shown
// topic read again.
struct ReloadedDocumentation {
    bool readable = false;
    QString error; // why the file cannot be read (German), when it cannot
    TopicIndex index;
    QStringList list;
    TopicContent topic; // read when a name was given
};

// Makes the topic list from a new index: the names of a prefix, or a full search again.
using TopicListMaker = std::function<QStringList(const TopicIndex &index)>;

// Reads the documentation file: the topic index, then the list that makeList makes of it (none
// without makeList) and the topic called shownName (none for a null name). Bounded as every
// read: the file is read up to the size it had when it was opened. A stop requested through
// stop ends it early with a result to drop.
ReloadedDocumentation readDocumentation(const QString &path, const TopicListMaker &makeList,
                                        const QString &shownName, std::stop_token stop = {});

// Reloads the documentation while the window stays usable. A file of up to kInPlaceLimit bytes
// is read at once on the calling thread (in less than a frame); a larger one on a thread of its
// own, and finished() brings the result when it is complete. A reload asked for while another
// runs starts over: the older one is stopped and its result never delivered.
class DocumentationReloader : public QObject {
    Q_OBJECT
public:
    static constexpr qint64 kInPlaceLimit = 1024 * 1024;

    explicit DocumentationReloader(QObject *parent = nullptr);
    ~DocumentationReloader() override; // stops the running reload and waits for it

    // makeList runs on the reload's thread: it must use nothing but what it holds by value.
    void reload(const QString &path, const TopicListMaker &makeList, const QString &shownName);
    bool isRunning() const { return !m_workers.empty(); }

    // Lets go of what a reload replaced on a thread of its own: freeing the names of a large
    // index takes tens of milliseconds. The caller must hold no other share of it.
    void release(TopicIndex index, QStringList list);

signals:
    void finished(const tamo::ReloadedDocumentation &result);

private:
    // What is let go of on the releasing thread: data, and a finished reload's thread, which
    // may still need a moment to end where the machine is busy.
    struct Released {
        TopicIndex index;
        QStringList list;
        std::jthread worker;
    };
    void deliver(quint64 generation, ReloadedDocumentation &result);
    void releaseElsewhere(Released released);
    void releaseLoop(std::stop_token stop);

    quint64 m_generation = 0;
    std::map<quint64, std::jthread> m_workers; // by generation; the newest is the one wanted
    std::mutex m_releaseLock;
    std::condition_variable_any m_releaseWake;
    std::vector<Released> m_toRelease;
    std::jthread m_releaser; // last: stopped and joined before the queue goes
};

} // namespace tamo
