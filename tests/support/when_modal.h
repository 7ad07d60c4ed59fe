#pragma once
// Calls act with the modal window of type T once it is up (the command that
// opens it blocks in its event loop meanwhile). `seen` tells whether it came;
// the watch gives up after five seconds and ends with its owner.

#include <QApplication>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace dorvana::test {

template <typename T>
void whenModal(QObject* owner, std::function<void(T&)> act, bool* seen = nullptr) {
    auto* timer = new QTimer(owner);
    auto ticks = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, act, seen, ticks] {
        if (auto* w = dynamic_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            if (seen) *seen = true;
            act(*w);
        } else if (++*ticks > 500) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(10);
}

}  // namespace dorvana::test
