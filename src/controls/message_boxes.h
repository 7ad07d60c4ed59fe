#pragma once
// Messages shown as real message boxes, titled with the application's name,
// parented to a window so they stay on top of it.

#include <QPointer>
#include <QWidget>

#include "base/messages.h"

namespace dorvana {

class MessageBoxes final : public Messages {
public:
    explicit MessageBoxes(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    void error(const QString& text) override;
    void warning(const QString& text) override;
    void information(const QString& text) override;
    bool confirm(const QString& text) override;
    Answer ask(const QString& text) override;
    void beep() override;

private:
    QPointer<QWidget> parent_;
};

}  // namespace dorvana
