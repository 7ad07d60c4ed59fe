#pragma once
// Counts the widgets constructed while a watch lives: every widget is sent a
// Create event from its constructor, which an event filter on the
// application sees. A test that says some work builds no window holds a
// watch over it; widgets made and deleted within the work count too.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

namespace dorvana::test {

class WidgetConstructionWatch : public QObject {
public:
    WidgetConstructionWatch() { QCoreApplication::instance()->installEventFilter(this); }
    ~WidgetConstructionWatch() override {
        QCoreApplication::instance()->removeEventFilter(this);
    }

    int widgets() const { return widgets_; }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Create && watched->isWidgetType()) ++widgets_;
        return false;
    }

private:
    int widgets_ = 0;
};

}  // namespace dorvana::test
