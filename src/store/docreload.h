#pragma once

#include "store/topicindex.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <stop_token>
#include <thread>

namespace tamo {

// The documentation read anew: its topic index and the topic list made from it.
struct ReloadedDocumentation {
    bool readable = false;
    QString error; // why the file cannot be read (German), when it cannot
    TopicIndex index;
    QStringList list;
};

// Makes the topic list from a new index: the names of a prefix, or a full search again.
using TopicListMaker = std::function<QStringList(const TopicIndex &index)>;

// Reads the documentation file: the topic index, then the list that makeList makes of it (none
// without makeList). Bounded as every read: the file is read up to the size it had when it was
// opened. A stop requested through stop ends it early with a result to drop.
ReloadedDocumentation readDocumentation(const QString &path, const TopicListMaker &makeList,
                                        std::stop_token stop = {});

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
    void reload(const QString &path, const TopicListMaker &makeList);
    bool isRunning() const { return !m_workers.empty(); }

signals:
    void finished(const tamo::ReloadedDocumentation &result);

private:
    void deliver(quint64 generation, const ReloadedDocumentation &result);

    quint64 m_generation = 0;
    std::map<quint64, std::jthread> m_workers; // by generation; the newest is the one wanted
};

} // namespace tamo
