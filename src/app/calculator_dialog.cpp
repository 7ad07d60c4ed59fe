#include "app/calculator_dialog.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace dorvana {

namespace {
QPoint lastPosition(-1, -1);
}

CalculatorDialog::CalculatorDialog(QWidget* parent) : QDialog(parent), display_(new QLineEdit(this)) {
    setObjectName(QStringLiteral("Kalkulacka"));
    setWindowTitle(QStringLiteral("Kalkulačka"));
    display_->setObjectName(QStringLiteral("display"));
    display_->setAccessibleName(QStringLiteral("Výsledek"));
    display_->setReadOnly(true);
    display_->setAlignment(Qt::AlignRight);
    display_->setText(calc_.display());
    auto* grid = new QGridLayout(this);
    grid->addWidget(display_, 0, 0, 1, 4);
    const char* keys[5][4] = {{"C", "±", "/", "*"},
                              {"7", "8", "9", "-"},
                              {"4", "5", "6", "+"},
                              {"1", "2", "3", "="},
                              {"0", ",", "", ""}};
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 4; ++c) {
            const QString key = QString::fromUtf8(keys[r][c]);
            if (key.isEmpty()) continue;
            auto* b = new QPushButton(key, this);
            b->setObjectName(QStringLiteral("key_") + key);
            b->setAutoDefault(false);
            b->setFocusPolicy(Qt::NoFocus);
            connect(b, &QPushButton::clicked, this, [this, key] { press(key); });
            grid->addWidget(b, r + 1, c);
        }
}

void CalculatorDialog::press(const QString& key) {
    calc_.press(key);
    display_->setText(calc_.display());
}

void CalculatorDialog::keyPressEvent(QKeyEvent* event) {
    const QString t = event->text();
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        press(QStringLiteral("="));
    } else if (t == u"." || t == u",") {
        press(QStringLiteral(","));
    } else if (t.size() == 1 && QStringLiteral("0123456789+-*/=cC").contains(t)) {
        press(t.toUpper());
    } else if (event->key() == Qt::Key_Escape) {
        QDialog::keyPressEvent(event);
    }
}

void CalculatorDialog::run(QWidget* parent) {
    CalculatorDialog dlg(parent);
    if (lastPosition.x() >= 0) dlg.move(lastPosition);
    dlg.exec();
    lastPosition = dlg.pos();
}

}  // namespace dorvana
