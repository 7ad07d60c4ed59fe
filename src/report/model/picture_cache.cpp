#include "report/model/picture_cache.h"

#include <QBuffer>
#include <QHash>
#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <list>
#include <unordered_map>

namespace dorvana {

namespace {

struct Key {
    qsizetype size;
    size_t hashA, hashB;  // two independent hashes of the bytes
    int width, height;    // the size decoded to
    bool operator==(const Key&) const = default;
};

struct KeyHash {
    size_t operator()(const Key& k) const noexcept {
        return qHashMulti(0, k.size, k.hashA, k.hashB, k.width, k.height);
    }
};

// Least recently used first.
class Cache {
public:
    const QImage* find(const Key& key) {
        const auto it = index_.find(key);
        if (it == index_.end()) return nullptr;
        order_.splice(order_.end(), order_, it->second);
        return &it->second->second;
    }
    void insert(const Key& key, const QImage& image) {
        const qint64 bytes = image.sizeInBytes();
        if (bytes > limit_) return;
        order_.emplace_back(key, image);
        index_[key] = std::prev(order_.end());
        bytes_ += bytes;
        trim();
    }
    void setLimit(qint64 limit) {
        limit_ = limit;
        trim();
    }
    void clear() {
        index_.clear();
        order_.clear();
        bytes_ = 0;
    }
    qint64 bytes() const { return bytes_; }

private:
    void trim() {
        while (bytes_ > limit_ && !order_.empty()) {
            bytes_ -= order_.front().second.sizeInBytes();
            index_.erase(order_.front().first);
            order_.pop_front();
        }
    }
    std::list<std::pair<Key, QImage>> order_;
    std::unordered_map<Key, std::list<std::pair<Key, QImage>>::iterator, KeyHash> index_;
    qint64 bytes_ = 0;
    qint64 limit_ = qint64(256) << 20;
};

Cache& cache() {
    static Cache c;
    return c;
}

// The size a picture of natural size `natural` is decoded at.
QSize targetSize(QSize natural, QSize box, bool stretch) {
    if (!stretch || box.width() <= 0 || box.height() <= 0 || natural.isEmpty()) return natural;
    const double perUnit = kPicturePrintDpi / 100.0;  // device dots per 0.01 in
    const double f = std::min(1.0, std::max(box.width() * perUnit / natural.width(),
                                            box.height() * perUnit / natural.height()));
    if (f >= 1.0) return natural;
    return QSize(std::max(1, int(natural.width() * f + 0.5)),
                 std::max(1, int(natural.height() * f + 0.5)));
}

}  // namespace

DecodedPicture decodeBlobPicture(const QByteArray& data, QSize box, bool stretch) {
    DecodedPicture out;
    if (data.isEmpty()) return out;
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize natural = reader.size();  // from the header, nothing decoded yet
    const QSize target = targetSize(natural, box, stretch);
    const Key key{data.size(), qHash(data, 0x5bd1e995u), qHash(data, 0x27d4eb2du),
                  target.width(), target.height()};
    if (const QImage* kept = cache().find(key)) {
        out.image = *kept;
        return out;
    }
    if (target.isValid() && target != natural) reader.setScaledSize(target);
    QImage image;
    if (!reader.read(&image) || image.isNull()) {
        out.failure = natural.isValid()
                          ? QStringLiteral("obrázek %1 × %2 bodů nelze načíst (%3)")
                                .arg(natural.width())
                                .arg(natural.height())
                                .arg(reader.errorString())
                          : QStringLiteral("data nejsou obrázek (%1)").arg(reader.errorString());
        return out;
    }
    cache().insert(key, image);
    out.image = image;
    return out;
}

QImage missingPicture() {
    static const QImage box = [] {
        QImage img(64, 64, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        p.setPen(QPen(QColor(200, 0, 0), 3));
        p.drawRect(1, 1, 61, 61);
        p.drawLine(4, 4, 59, 59);
        p.drawLine(4, 59, 59, 4);
        return img;
    }();
    return box;
}

void setPictureCacheLimit(qint64 bytes) { cache().setLimit(bytes); }
void clearPictureCache() { cache().clear(); }
qint64 pictureCacheBytes() { return cache().bytes(); }

}  // namespace dorvana
