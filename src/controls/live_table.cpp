#include "controls/live_table.h"

#include <QSocketNotifier>

namespace dorvana {

LiveTableWatcher::LiveTableWatcher(QObject* parent) : QObject(parent) {
    retry_.setInterval(500);
    connect(&retry_, &QTimer::timeout, this, &LiveTableWatcher::check);
}

LiveTableWatcher::~LiveTableWatcher() {
    setDataSet(nullptr);
}

void LiveTableWatcher::setDataSet(DataSet* dataSet) {
    if (dataSet_ == dataSet) return;
    if (dataSet_) {
        dataSet_->removeObserver(this);
        if (dataSet_->store()) dataSet_->store()->setNoticeHandler(nullptr);
    }
    dataSet_ = dataSet;
    if (dataSet_) {
        dataSet_->addObserver(this);
        // A notice read during a read is looked at once the read is over.
        if (dataSet_->store())
            dataSet_->store()->setNoticeHandler([this] {
                QMetaObject::invokeMethod(this, &LiveTableWatcher::check, Qt::QueuedConnection);
            });
    }
    retry_.stop();
    rearm();
}

void LiveTableWatcher::rearm() {
    const int socket = dataSet_ && dataSet_->store() ? dataSet_->store()->notificationSocket() : -1;
    if (socket == socket_ && (notifier_ || socket < 0)) return;
    notifier_.reset();
    socket_ = socket;
    if (socket < 0) return;
    notifier_ = std::make_unique<QSocketNotifier>(socket, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &LiveTableWatcher::check);
}

void LiveTableWatcher::check() {
    if (!dataSet_) return;
    const bool due = dataSet_->refreshIfChangedElsewhere();
    rearm();
    if (due)
        retry_.start();
    else
        retry_.stop();
}

void LiveTableWatcher::dataSetEvent(DataSet&, DataSetEvent) {
    rearm();
}

void LiveTableWatcher::dataSetDestroyed(DataSet&) {
    dataSet_ = nullptr;
    notifier_.reset();
    socket_ = -1;
    retry_.stop();
}

}  // namespace dorvana
