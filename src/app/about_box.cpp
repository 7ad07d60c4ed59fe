#include "app/about_box.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace dorvana {

QString AboutBox::versionText() {
    return QStringLiteral("Verze : ") + QCoreApplication::applicationVersion();
}

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    auto* name = new QLabel(QStringLiteral("Dorvana"), this);
    name->setObjectName(QStringLiteral("ProductName"));
    QFont f = name->font();
    f.setPointSizeF(f.pointSizeF() * 1.6);
    f.setBold(true);
    name->setFont(f);
    auto* what = new QLabel(QStringLiteral("Etikety a sestavy ze souborů etiket"), this);
    auto* version = new QLabel(versionText(), this);
    version->setObjectName(QStringLiteral("Version"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(name);
    lay->addWidget(what);
    lay->addWidget(version);
    lay->addWidget(buttons);
}

}  // namespace dorvana
