#include "report/render/printer/cab_layout.h"

#include <array>

#include "base/rounding.h"

namespace dorvana {
namespace {

struct DriverModel {
    const char16_t* driver;
    int model;
};

constexpr std::array kDriverModels{
    DriverModel{u"Apollo 1", 1},     DriverModel{u"Apollo 2", 2},
    DriverModel{u"Apollo 3", 3},     DriverModel{u"A 3/200", 3},
    DriverModel{u"Apollo 3/300", 4}, DriverModel{u"A 3/300", 7},
    DriverModel{u"A 8", 8},          DriverModel{u"Tharo Gemini", 11},
    DriverModel{u"GEMINI2", 11},     DriverModel{u"Tharo Gemini 2", 12},
};

struct LayoutRow {
    CabSetting setting;
    std::optional<CabField> cab;
    std::optional<CabField> tharo;
};

using E = CabEncoding;
using S = CabSetting;
constexpr std::nullopt_t kNone = std::nullopt;

const std::array kLayout{
    LayoutRow{S::Mirror, CabField{38, 1, E::Flag}, CabField{48, 2, E::Flag}},
    LayoutRow{S::Inverse, CabField{39, 1, E::Flag}, kNone},
    LayoutRow{S::HeadTemperature, CabField{40, 2, E::Value}, CabField{46, 2, E::ValueMinusOne}},
    LayoutRow{S::PresentationPosition, CabField{48, 2, E::TenthsMm}, CabField{50, 2, E::EighthsMm}},
    LayoutRow{S::Mode, CabField{50, 1, E::Value}, CabField{54, 1, E::Value}},
    LayoutRow{S::Speed, CabField{51, 1, E::Value}, CabField{62, 1, E::Value}},
    LayoutRow{S::PrintMethod, CabField{62, 2, E::Value}, CabField{55, 1, E::IndexPlusOne}},
    LayoutRow{S::BarcodeText, CabField{64, 2, E::Flag}, CabField{56, 2, E::Flag}},
    LayoutRow{S::Code39StartStop, CabField{66, 2, E::Flag}, CabField{58, 2, E::Flag}},
    LayoutRow{S::ContinuousMaterial, CabField{68, 2, E::Flag}, CabField{60, 1, E::Flag}},
    LayoutRow{S::Turn180, CabField{70, 2, E::Flag}, CabField{64, 2, E::Flag}},
    LayoutRow{S::PrintOffset, CabField{72, 2, E::TenthsMm}, CabField{52, 2, E::EighthsMm}},
    LayoutRow{S::LeftMargin, CabField{74, 2, E::TenthsMm}, kNone},
    LayoutRow{S::Cutter, CabField{76, 2, E::Value}, kNone},
    LayoutRow{S::Sensor, CabField{78, 2, E::Value}, CabField{61, 1, E::Value}},
    LayoutRow{S::MemoryCard, CabField{80, 2, E::Flag}, kNone},
    LayoutRow{S::RibbonSaving, CabField{82, 2, E::Flag}, kNone},
};

// The raw number at a field, or none when it lies beyond the private bytes.
std::optional<int> rawAt(const QByteArray& bytes, const CabField& f) {
    if (f.offset + f.width > bytes.size()) return std::nullopt;
    int v = static_cast<unsigned char>(bytes[f.offset]);
    if (f.width == 2) v |= static_cast<unsigned char>(bytes[f.offset + 1]) << 8;
    return v;
}

void putRaw(QByteArray& bytes, const CabField& f, int v) {
    if (f.offset + f.width > bytes.size()) return;
    bytes[f.offset] = char(v & 0xFF);
    if (f.width == 2) bytes[f.offset + 1] = char((v >> 8) & 0xFF);
}

class Access {
public:
    explicit Access(CabLayout layout) : layout_(layout) {}

    std::optional<int> number(const DeviceSettings& r, S s) const {
        const auto f = cabField(layout_, s);
        if (!f) return std::nullopt;
        const auto raw = rawAt(r.privateBytes, *f);
        if (!raw) return std::nullopt;
        switch (f->encoding) {
            case E::ValueMinusOne:
                return *raw + 1;
            case E::IndexPlusOne:
                return *raw - 1;
            default:
                return *raw;
        }
    }
    void read(const DeviceSettings& r, S s, int* out) const {
        if (const auto v = number(r, s)) *out = *v;
    }
    void read(const DeviceSettings& r, S s, bool* out) const {
        if (const auto v = number(r, s)) *out = *v == 1;
    }
    void read(const DeviceSettings& r, S s, double* out) const {
        const auto f = cabField(layout_, s);
        if (const auto v = number(r, s)) *out = *v / (f->encoding == E::EighthsMm ? 8.0 : 10.0);
    }

    void write(DeviceSettings& r, S s, int v) const {
        const auto f = cabField(layout_, s);
        if (!f) return;
        switch (f->encoding) {
            case E::ValueMinusOne:
                v -= 1;
                break;
            case E::IndexPlusOne:
                v += 1;
                break;
            default:
                break;
        }
        putRaw(r.privateBytes, *f, v);
    }
    void write(DeviceSettings& r, S s, bool v) const { write(r, s, v ? 1 : 0); }
    void write(DeviceSettings& r, S s, double mm) const {
        const auto f = cabField(layout_, s);
        if (!f) return;
        putRaw(r.privateBytes, *f, roundHalfEven(mm * (f->encoding == E::EighthsMm ? 8 : 10)));
    }

private:
    CabLayout layout_;
};

}  // namespace

int cabModelForDriver(const QString& driverName) {
    const QString name = driverName.trimmed();
    for (const DriverModel& d : kDriverModels)
        if (name.compare(QStringView(d.driver), Qt::CaseInsensitive) == 0) return d.model;
    return 0;
}

std::optional<CabField> cabField(CabLayout layout, CabSetting setting) {
    for (const LayoutRow& row : kLayout)
        if (row.setting == setting) return layout == CabLayout::Cab ? row.cab : row.tharo;
    return std::nullopt;
}

QStringList cabSpeedItems(int model) {
    switch (model) {
        case 1:
        case 2:
            return {" 66 mm / sec", "100 mm / sec", "133 mm / sec", "160 mm / sec", "200 mm / sec"};
        case 3:
        case 8:
            return {" 50 mm /sec", " 75 mm /sec", "100 mm /sec", "125 mm /sec"};
        case 4:
            return {" 33 mm / sec", " 50 mm / sec", " 63 mm / sec", " 75 mm / sec", " 87 mm / sec"};
        case 7:
            return {" 50 mm /sec", " 75 mm /sec", "100 mm /sec", "125 mm /sec", "150 mm /sec"};
        case 11:
            return {" 50 mm /sec", " 70 mm /sec"};
        case 12:
            return {" 50 mm /sec", " 75 mm /sec", "100 mm /sec"};
        default:
            return {};
    }
}

QStringList cabSensorItems(int model) {
    if (model == 1 || model == 2)
        return {"Průsvitové čidlo", "Odrazové čidlo (horní)", "Odrazové čidlo (spodní)"};
    return {"Průsvitové čidlo", "Odrazové čidlo (spodní)"};
}

CabSettings readCabSettings(const DeviceSettings& record, int model) {
    const Access a(cabLayoutForModel(model));
    CabSettings s;
    a.read(record, S::Mirror, &s.mirror);
    a.read(record, S::Inverse, &s.inverse);
    a.read(record, S::HeadTemperature, &s.headTemperature);
    a.read(record, S::PresentationPosition, &s.presentationMm);
    a.read(record, S::Mode, &s.mode);
    a.read(record, S::Speed, &s.speed);
    a.read(record, S::PrintMethod, &s.printMethod);
    a.read(record, S::BarcodeText, &s.barcodeText);
    a.read(record, S::Code39StartStop, &s.code39StartStop);
    a.read(record, S::ContinuousMaterial, &s.continuousMaterial);
    a.read(record, S::Turn180, &s.turn180);
    a.read(record, S::PrintOffset, &s.printOffsetMm);
    a.read(record, S::LeftMargin, &s.leftMarginMm);
    a.read(record, S::Cutter, &s.cutter);
    a.read(record, S::Sensor, &s.sensor);
    a.read(record, S::MemoryCard, &s.memoryCard);
    a.read(record, S::RibbonSaving, &s.ribbonSaving);
    s.labelHeightMm = record.paperLength / 10.0;
    s.copies = record.copies;
    s.orientationIndex = record.orientation - 1;
    return s;
}

void writeCabSettings(const CabSettings& s, DeviceSettings& record, int model) {
    const Access a(cabLayoutForModel(model));
    a.write(record, S::Mirror, s.mirror);
    a.write(record, S::Inverse, s.inverse);
    a.write(record, S::HeadTemperature, s.headTemperature);
    a.write(record, S::PresentationPosition, s.presentationMm);
    a.write(record, S::Mode, s.mode);
    a.write(record, S::Speed, s.speed);
    a.write(record, S::PrintMethod, s.printMethod);
    a.write(record, S::BarcodeText, s.barcodeText);
    if (s.barcodeText) a.write(record, S::Code39StartStop, s.code39StartStop);
    a.write(record, S::ContinuousMaterial, s.continuousMaterial);
    a.write(record, S::Turn180, s.turn180);
    a.write(record, S::PrintOffset, s.printOffsetMm);
    a.write(record, S::LeftMargin, s.leftMarginMm);
    a.write(record, S::Cutter, s.cutter);
    a.write(record, S::Sensor, s.sensor);
    a.write(record, S::MemoryCard, s.memoryCard);
    a.write(record, S::RibbonSaving, s.ribbonSaving);
    record.paperLength = roundHalfEven(s.labelHeightMm * 10);
    record.copies = s.copies;
    record.orientation = s.orientationIndex + 1;
}

}  // namespace dorvana
