#include "controls/message_boxes.h"

#include <QApplication>
#include <QMessageBox>

namespace dorvana {

namespace {

QString title() {
    const QString name = QApplication::applicationDisplayName();
    return name.isEmpty() ? QApplication::applicationName() : name;
}

}  // namespace

void MessageBoxes::error(const QString& text) {
    QMessageBox::critical(parent_, title(), text);
}

void MessageBoxes::warning(const QString& text) {
    QMessageBox::warning(parent_, title(), text);
}

void MessageBoxes::information(const QString& text) {
    QMessageBox::information(parent_, title(), text);
}

bool MessageBoxes::confirm(const QString& text) {
    return QMessageBox::question(parent_, title(), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

Messages::Answer MessageBoxes::ask(const QString& text) {
    switch (QMessageBox::question(parent_, title(), text,
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                  QMessageBox::Yes)) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;
    }
}

void MessageBoxes::beep() {
    QApplication::beep();
}

}  // namespace dorvana
