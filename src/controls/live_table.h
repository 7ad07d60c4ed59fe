#pragma once
// Keeps a data set live: when its store announces another writer's change
// (a server's notification arriving on the store's socket), the data set is
// re-read on the window's event loop, so every grid over it shows the change.
// A change that arrives while a record is edited is re-read after the edit.

#include <QObject>
#include <QTimer>
#include <memory>

#include "data/data_set.h"

class QSocketNotifier;

namespace dorvana {

class LiveTableWatcher : public QObject, public DataSetObserver {
public:
    explicit LiveTableWatcher(QObject* parent = nullptr);
    ~LiveTableWatcher() override;
    void setDataSet(DataSet* dataSet);

    void dataSetEvent(DataSet& dataSet, DataSetEvent event) override;
    void dataSetDestroyed(DataSet& dataSet) override;

private:
    // Watches the store's current socket (it changes when the store reconnects).
    void rearm();
    void check();

    DataSet* dataSet_ = nullptr;
    std::unique_ptr<QSocketNotifier> notifier_;
    int socket_ = -1;
    QTimer retry_;
};

}  // namespace dorvana
