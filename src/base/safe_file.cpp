#include "base/safe_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QRandomGenerator>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dorvana {

// Writes straight to a file descriptor through a buffer of its own, keeping
// the first error (errno) so that nothing written after it is taken as done.
class SafeFile::Device final : public QIODevice {
public:
    explicit Device(int fd) : fd_(fd) { buffer_.reserve(kBuffer); }
    ~Device() override { closeFd(); }

    bool isSequential() const override { return true; }
    int failure() const { return errno_; }

    bool flushBuffer() {
        const char* p = buffer_.constData();
        qint64 left = buffer_.size();
        while (left > 0 && errno_ == 0) {
            const ssize_t n = ::write(fd_, p, size_t(left));
            if (n < 0) {
                if (errno == EINTR) continue;
                errno_ = errno;
            } else if (n == 0) {
                errno_ = EIO;
            } else {
                p += n;
                left -= n;
            }
        }
        buffer_.clear();
        return errno_ == 0;
    }
    bool sync() {
        if (!flushBuffer()) return false;
        if (::fdatasync(fd_) != 0 && errno != EINVAL && errno != EROFS) errno_ = errno;
        return errno_ == 0;
    }
    bool closeFd() {
        if (fd_ < 0) return true;
        const int r = ::close(fd_);
        fd_ = -1;
        if (r != 0 && errno_ == 0 && errno != EINTR) errno_ = errno;
        return errno_ == 0;
    }
    void setFailure(int e) {
        if (errno_ == 0) errno_ = e;
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        if (errno_ != 0 || fd_ < 0) return -1;
        if (buffer_.size() + size > kBuffer && !flushBuffer()) return -1;
        if (size >= kBuffer) {
            buffer_ = QByteArray::fromRawData(data, size);
            const bool ok = flushBuffer();
            buffer_ = QByteArray();
            buffer_.reserve(kBuffer);
            return ok ? size : -1;
        }
        buffer_.append(data, size);
        return size;
    }

private:
    static constexpr qint64 kBuffer = 64 * 1024;
    int fd_;
    int errno_ = 0;
    QByteArray buffer_;
};

namespace {

QString folderOf(const QString& path) {
    return QFileInfo(path).absolutePath();
}

replacement_steps::Hook& stepHook() {
    static replacement_steps::Hook hook;
    return hook;
}

}  // namespace

QString systemErrorText(int e) {
    switch (e) {
        case ENOSPC: return QStringLiteral("na disku není místo");
        case EDQUOT: return QStringLiteral("překročena kvóta disku");
        case EACCES:
        case EPERM: return QStringLiteral("chybí oprávnění k zápisu");
        case EROFS: return QStringLiteral("médium je jen pro čtení");
        case ENOENT: return QStringLiteral("složka neexistuje");
        case ENOTDIR: return QStringLiteral("cesta nevede do složky");
        case EISDIR: return QStringLiteral("na místě souboru je složka");
        case EIO: return QStringLiteral("chyba zápisu na médium");
        case ENAMETOOLONG: return QStringLiteral("název je příliš dlouhý");
        case EFBIG: return QStringLiteral("soubor je příliš velký");
        case EMFILE:
        case ENFILE: return QStringLiteral("příliš mnoho otevřených souborů");
        case EXDEV: return QStringLiteral("soubory leží na různých discích");
        case EBUSY: return QStringLiteral("soubor je používán");
        default: return QString::fromLocal8Bit(std::strerror(e));
    }
}

QString writeFailureText(const QString& path, const QString& reason) {
    return QStringLiteral("Soubor %1 nelze zapsat: %2").arg(path, reason);
}

bool syncPath(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0 || errno == EINVAL || errno == EROFS;
    ::close(fd);
    return ok;
}

bool replaceFile(const QString& from, const QString& to, QString* error) {
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0) {
        if (error) *error = writeFailureText(to, systemErrorText(errno));
        return false;
    }
    syncPath(folderOf(to));
    return true;
}

SafeFile::SafeFile(const QString& path) : target_(path) {
    // Writing through a link writes the file it points to (as editors do).
    const QFileInfo info(path);
    if (info.isSymLink()) {
        const QString linked = info.symLinkTarget();
        if (!linked.isEmpty()) target_ = linked;
    }
}

SafeFile::~SafeFile() {
    if (state_ == State::Open || state_ == State::Finished) discard();
}

void SafeFile::setTemporaryPath(const QString& path) {
    temporary_ = path;
}

bool SafeFile::fail(QString* error, const QString& text) {
    if (error) *error = text;
    discard();
    state_ = State::Failed;
    return false;
}

bool SafeFile::open(QString* error) {
    const QFileInfo info(target_);
    if (info.isDir()) return fail(error, writeFailureText(target_, systemErrorText(EISDIR)));
    const QString folder = folderOf(target_);
    int fd = -1;
    int err = 0;
    if (!temporary_.isEmpty()) {
        fd = ::open(QFile::encodeName(temporary_).constData(),
                    O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666);
        err = errno;
    } else {
        // A hidden name beside the target: listings of templates, tables and
        // backups pass it by.
        QString name = info.fileName();
        if (name.size() > 100) name = name.left(100);
        for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
            const QString candidate = QDir(folder).filePath(
                QStringLiteral(".%1.%2~").arg(name, QStringLiteral("%1").arg(
                                                         QRandomGenerator::global()->generate() & 0xFFFFFF, 6, 16,
                                                         QLatin1Char('0'))));
            fd = ::open(QFile::encodeName(candidate).constData(),
                        O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            err = errno;
            if (fd >= 0) temporary_ = candidate;
            if (fd < 0 && err != EEXIST) break;
        }
    }
    if (fd < 0) {
        state_ = State::Failed;
        if (error)
            *error = writeFailureText(target_, QStringLiteral("do složky %1 nelze zapisovat (%2)")
                                                   .arg(QDir::toNativeSeparators(folder), systemErrorText(err)));
        return false;
    }
    // A file written over keeps the permissions (and, where allowed, the
    // owner) it had.
    struct stat old {};
    if (::stat(QFile::encodeName(target_).constData(), &old) == 0) {
        ::fchmod(fd, old.st_mode & 07777);
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
            // Only the owner's own files keep their owner; that is enough.
        }
    }
    device_ = std::make_unique<Device>(fd);
    device_->open(QIODevice::WriteOnly);
    state_ = State::Open;
    return true;
}

QIODevice* SafeFile::device() {
    return device_.get();
}

bool SafeFile::write(const QByteArray& bytes) {
    return write(bytes.constData(), bytes.size());
}

bool SafeFile::write(const char* data, qint64 size) {
    if (state_ != State::Open) return false;
    return device_->write(data, size) == size;
}

bool SafeFile::finish(QString* error) {
    if (state_ != State::Open) return fail(error, writeFailureText(target_, QStringLiteral("soubor není otevřen")));
    const bool ok = device_->sync() && device_->closeFd();
    if (!ok) return fail(error, writeFailureText(target_, systemErrorText(device_->failure())));
    device_->close();
    state_ = State::Finished;
    return true;
}

bool SafeFile::replace(QString* error) {
    if (state_ != State::Finished)
        return fail(error, writeFailureText(target_, QStringLiteral("soubor není dopsán")));
    if (::rename(QFile::encodeName(temporary_).constData(), QFile::encodeName(target_).constData()) != 0)
        return fail(error, writeFailureText(target_, systemErrorText(errno)));
    state_ = State::Replaced;
    syncPath(folderOf(target_));
    return true;
}

bool SafeFile::commit(QString* error) {
    return finish(error) && replace(error);
}

void SafeFile::discard() {
    if (device_) {
        device_->closeFd();
        device_->close();
    }
    if (!temporary_.isEmpty() && (state_ == State::Open || state_ == State::Finished))
        ::unlink(QFile::encodeName(temporary_).constData());
    if (state_ != State::Replaced) state_ = State::Closed;
}

void SafeFile::abandon() {
    if (device_) {
        device_->flushBuffer();
        device_->closeFd();
        device_->close();
    }
    state_ = State::Closed;
}

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error) {
    SafeFile file(path);
    if (!file.open(error)) return false;
    file.write(bytes);  // a failed write is reported by commit
    return file.commit(error);
}

namespace replacement_steps {

void setHook(Hook hook) {
    stepHook() = std::move(hook);
}

bool proceed(const QString& step) {
    const Hook& hook = stepHook();
    return !hook || hook(step);
}

}  // namespace replacement_steps

}  // namespace dorvana
