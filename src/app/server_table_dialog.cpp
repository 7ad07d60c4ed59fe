#include "app/server_table_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "base/messages.h"
#include "controls/message_boxes.h"
#include "data/pg_connection.h"

namespace dorvana {

ServerTableDialog::ServerTableDialog(const QString& uri, QWidget* parent, Messages* messages)
    : QDialog(parent), messages_(messages) {
    if (!messages_) {
        ownMessages_ = std::make_unique<MessageBoxes>(this);
        messages_ = ownMessages_.get();
    }
    setWindowTitle(QStringLiteral("Databázový server"));
    setObjectName(QStringLiteral("ServerTableDialog"));
    auto* form = new QFormLayout;
    auto line = [&](const char* name, const QString& label, QLineEdit** edit) {
        *edit = new QLineEdit(this);
        (*edit)->setObjectName(QString::fromLatin1(name));
        (*edit)->setAccessibleName(label.chopped(1).remove(QLatin1Char('&')));
        // Room for a socket folder, a host name or the password's hint.
        (*edit)->setMinimumWidth((*edit)->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 32);
        form->addRow(label, *edit);
    };
    line("Server", QStringLiteral("&Server nebo složka soketu:"), &host_);
    port_ = new QSpinBox(this);
    port_->setObjectName(QStringLiteral("Port"));
    port_->setAccessibleName(QStringLiteral("Port"));
    port_->setRange(0, 65535);
    port_->setSpecialValueText(QStringLiteral("výchozí"));
    port_->setValue(0);
    form->addRow(QStringLiteral("&Port:"), port_);
    line("Databaze", QStringLiteral("&Databáze:"), &database_);
    line("Uzivatel", QStringLiteral("&Uživatel:"), &user_);
    line("Tabulka", QStringLiteral("&Tabulka:"), &table_);
    line("Heslo", QStringLiteral("&Heslo:"), &password_);
    password_->setEchoMode(QLineEdit::Password);
    password_->setPlaceholderText(QStringLiteral("z ~/.pgpass, neukládá se"));
    table_->setText(QStringLiteral("etikety"));

    PgTarget t;
    if (isServerTableUri(uri) && parseServerTableUri(uri, &t, nullptr)) {
        for (const auto& [k, v] : t.options) {
            const QString value = QString::fromUtf8(v);
            if (k == "host") host_->setText(value);
            if (k == "port") port_->setValue(value.toInt());
            if (k == "dbname") database_->setText(value);
            if (k == "user") user_->setText(value);
        }
        table_->setText(t.table);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Storno"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

ServerTableDialog::~ServerTableDialog() = default;

QString ServerTableDialog::uri() const {
    return serverTableUri(host_->text().trimmed(), port_->value(), database_->text().trimmed(),
                          user_->text().trimmed(), table_->text().trimmed());
}

void ServerTableDialog::applyPassword() const {
    if (!password_->text().isEmpty()) qputenv("PGPASSWORD", password_->text().toUtf8());
}

void ServerTableDialog::accept() {
    QString why;
    if (database_->text().trimmed().isEmpty())
        why = QStringLiteral("Zadejte databázi");
    else if (table_->text().trimmed().isEmpty())
        why = QStringLiteral("Zadejte tabulku");
    if (why.isEmpty()) {
        PgTarget t;
        parseServerTableUri(uri(), &t, &why);
    }
    if (!why.isEmpty()) {
        messages_->error(why);
        return;
    }
    applyPassword();
    if (action_ && !action_(uri())) return;
    QDialog::accept();
}

}  // namespace dorvana
