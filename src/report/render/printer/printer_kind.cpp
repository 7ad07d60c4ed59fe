#include "report/render/printer/printer_kind.h"

#include <array>

namespace dorvana {
namespace {

struct DriverKind {
    const char16_t* driver;
    const char16_t* kind;
};

constexpr std::array kDriverKinds{
    DriverKind{u"Apollo 3", u"3"},      DriverKind{u"A 3/200", u"3"},
    DriverKind{u"Apollo 2", u"2"},      DriverKind{u"Apollo 1", u"1"},
    DriverKind{u"A 8", u"8"},           DriverKind{u"Apollo 3/300", u"4"},
    DriverKind{u"A 3/300", u"4"},       DriverKind{u"Tharo Gemini 2", u"12"},
    DriverKind{u"Tharo Gemini", u"11"}, DriverKind{u"GEMINI2", u"11"},
};

const char16_t* labelKind(const QString& driverName) {
    const QString name = driverName.trimmed();
    for (const DriverKind& d : kDriverKinds)
        if (name.compare(QStringView(d.driver), Qt::CaseInsensitive) == 0) return d.kind;
    return nullptr;
}

}  // namespace

QString printerKind(const QString& driverName, bool isDefault) {
    const char16_t* kind = labelKind(driverName);
    const QString k = kind ? QString::fromUtf16(kind) : QStringLiteral("NOR");
    return isDefault ? u'-' + k : k;
}

bool isCabKind(const QString& kind) {
    bool ok = false;
    kind.toInt(&ok);
    return ok;
}

QString printerStatusText(const QString& kind) {
    return isCabKind(kind) ? QStringLiteral("CAB , připravena") : QStringLiteral("Připravena");
}

bool isThermalPrinterDriver(const QString& driverName) {
    return labelKind(driverName) != nullptr;
}

}  // namespace dorvana
