#pragma once
// Counts the widgets constructed while a watch lives, through the object
// creation hook of Qt (qtHookData, the hook debugging tools use): a test that
// says some work builds no window holds a watch over it. Widgets made and
// deleted within the work count too.

#include <QObject>
#include <QtGlobal>

QT_BEGIN_NAMESPACE
extern Q_CORE_EXPORT quintptr qtHookData[];
QT_END_NAMESPACE

namespace dorvana::test {

class WidgetConstructionWatch {
public:
    WidgetConstructionWatch() : previous_(qtHookData[kAddQObject]), outer_(current()) {
        current() = this;
        qtHookData[kAddQObject] = reinterpret_cast<quintptr>(&added);
    }
    ~WidgetConstructionWatch() {
        qtHookData[kAddQObject] = previous_;
        current() = outer_;
    }
    WidgetConstructionWatch(const WidgetConstructionWatch&) = delete;
    WidgetConstructionWatch& operator=(const WidgetConstructionWatch&) = delete;

    int widgets() const { return widgets_; }

private:
    // The index of the "object added" hook in qtHookData (QHooks::AddQObject).
    static constexpr int kAddQObject = 3;

    static WidgetConstructionWatch*& current() {
        static WidgetConstructionWatch* watch = nullptr;
        return watch;
    }
    // Called at the end of QObject's constructor: the private part tells a
    // widget already.
    static void added(QObject* object) {
        WidgetConstructionWatch* watch = current();
        if (!watch) return;
        if (object->isWidgetType()) ++watch->widgets_;
        if (watch->previous_)
            reinterpret_cast<void (*)(QObject*)>(watch->previous_)(object);
    }

    quintptr previous_;
    WidgetConstructionWatch* outer_;
    int widgets_ = 0;
};

}  // namespace dorvana::test
