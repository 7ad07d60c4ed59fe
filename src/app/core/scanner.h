#pragma once
// Scanning a picture ("Sejmout Scanerem") through SANE, the scanner access
// of Linux: the first scanner SANE finds (or a named one) scans one page
// with its current settings into an image.

#include <QImage>
#include <QString>
#include <QStringList>

namespace dorvana {

class Progress;

class Scanner {
public:
    virtual ~Scanner() = default;
    // Scans one page; false with a Czech message (no scanner, a scanner
    // that fails, a cancelled scan). The progress is polled while lines arrive.
    virtual bool scan(QImage* image, QString* error, Progress* progress = nullptr) = 0;
};

class SaneScanner final : public Scanner {
public:
    // An empty device name takes the first device SANE lists.
    explicit SaneScanner(QString device = {}) : device_(std::move(device)) {}
    bool scan(QImage* image, QString* error, Progress* progress = nullptr) override;
    // The names of the scanners SANE finds; empty (with a message) when none.
    static QStringList devices(QString* error = nullptr);

private:
    QString device_;
};

}  // namespace dorvana
