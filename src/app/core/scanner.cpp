#include "app/core/scanner.h"

#include <sane/sane.h>

#include <QByteArray>
#include <memory>

#include "base/progress.h"

namespace dorvana {

namespace {

QString saneMessage(SANE_Status status) {
    return QString::fromLocal8Bit(sane_strstatus(status));
}

// sane_init ... sane_exit around one use.
class SaneSession {
public:
    SaneSession() { status_ = sane_init(nullptr, nullptr); }
    ~SaneSession() {
        if (status_ == SANE_STATUS_GOOD) sane_exit();
    }
    bool ok() const { return status_ == SANE_STATUS_GOOD; }
    SANE_Status status() const { return status_; }

private:
    SANE_Status status_;
};

QStringList deviceNames() {
    const SANE_Device** list = nullptr;
    QStringList names;
    if (sane_get_devices(&list, SANE_TRUE) != SANE_STATUS_GOOD || !list) return names;
    for (int i = 0; list[i]; ++i) names << QString::fromLocal8Bit(list[i]->name);
    return names;
}

// One frame's samples into the image (gray or RGB, 1, 8 or 16 bits).
bool frameToImage(const SANE_Parameters& p, const QByteArray& data, int lines, QImage* image,
                  QString* error) {
    const int width = p.pixels_per_line;
    if (width <= 0 || lines <= 0) {
        *error = QStringLiteral("Skener nedodal žádný obraz.");
        return false;
    }
    QImage out(width, lines, QImage::Format_RGB32);
    const int bpl = p.bytes_per_line;
    for (int y = 0; y < lines; ++y) {
        const auto* line = reinterpret_cast<const uchar*>(data.constData()) + qsizetype(y) * bpl;
        auto* target = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < width; ++x) {
            auto sample = [&](int channel, int channels) -> int {
                switch (p.depth) {
                    case 1: {
                        const int bit = x * channels + channel;
                        return (line[bit / 8] & (0x80 >> (bit % 8))) ? 0 : 255;  // 1 is black
                    }
                    case 16:
                        return line[2 * (x * channels + channel) + 1];  // high byte (little endian)
                    default:
                        return line[x * channels + channel];
                }
            };
            if (p.format == SANE_FRAME_RGB) {
                target[x] = qRgb(sample(0, 3), sample(1, 3), sample(2, 3));
            } else {
                const int g = sample(0, 1);
                target[x] = qRgb(g, g, g);
            }
        }
    }
    *image = out;
    return true;
}

}  // namespace

QStringList SaneScanner::devices(QString* error) {
    SaneSession session;
    if (!session.ok()) {
        if (error) *error = QStringLiteral("Přístup ke skenerům nelze otevřít: %1").arg(saneMessage(session.status()));
        return {};
    }
    const QStringList names = deviceNames();
    if (names.isEmpty() && error) *error = QStringLiteral("Není připojen žádný skener.");
    return names;
}

bool SaneScanner::scan(QImage* image, QString* error, Progress* progress) {
    SaneSession session;
    if (!session.ok()) {
        *error = QStringLiteral("Přístup ke skenerům nelze otevřít: %1").arg(saneMessage(session.status()));
        return false;
    }
    QString name = device_;
    if (name.isEmpty()) {
        const QStringList names = deviceNames();
        if (names.isEmpty()) {
            *error = QStringLiteral("Není připojen žádný skener.");
            return false;
        }
        name = names.first();
    }
    SANE_Handle handle = nullptr;
    SANE_Status status = sane_open(name.toLocal8Bit().constData(), &handle);
    if (status != SANE_STATUS_GOOD) {
        *error = QStringLiteral("Skener %1 nelze otevřít: %2").arg(name, saneMessage(status));
        return false;
    }
    const std::unique_ptr<void, void (*)(SANE_Handle)> closer(handle, [](SANE_Handle h) {
        sane_cancel(h);
        sane_close(h);
    });
    status = sane_start(handle);
    SANE_Parameters p{};
    if (status == SANE_STATUS_GOOD) status = sane_get_parameters(handle, &p);
    if (status != SANE_STATUS_GOOD) {
        *error = QStringLiteral("Skenování nelze začít: %1").arg(saneMessage(status));
        return false;
    }
    if (p.format != SANE_FRAME_GRAY && p.format != SANE_FRAME_RGB) {
        *error = QStringLiteral("Skener posílá barvy po jednotlivých průchodech, což program neumí; "
                                "zvolte v nastavení skeneru jednoprůchodový režim.");
        return false;
    }
    QByteArray data;
    if (p.lines > 0) data.reserve(qsizetype(p.lines) * p.bytes_per_line);
    char buffer[32 * 1024];
    for (;;) {
        if (progress && progress->cancelled()) {
            *error = QStringLiteral("Skenování bylo přerušeno.");
            return false;
        }
        SANE_Int got = 0;
        status = sane_read(handle, reinterpret_cast<SANE_Byte*>(buffer), sizeof buffer, &got);
        if (status == SANE_STATUS_EOF) break;
        if (status != SANE_STATUS_GOOD) {
            *error = QStringLiteral("Skenování selhalo: %1").arg(saneMessage(status));
            return false;
        }
        data.append(buffer, got);
        if (progress && p.bytes_per_line > 0)
            progress->step(int(data.size() / p.bytes_per_line), p.lines,
                           QStringLiteral("Skenuji řádek %1").arg(data.size() / p.bytes_per_line));
    }
    const int lines = p.bytes_per_line > 0 ? int(data.size() / p.bytes_per_line) : 0;
    return frameToImage(p, data, lines, image, error);
}

}  // namespace dorvana
