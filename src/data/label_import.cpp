#include "data/label_import.h"

#include <QFile>
#include <QFileInfo>

#include "data/field_value.h"
#include "data/label_file.h"
#include "data/table_open.h"

namespace dorvana {

QString foldFieldName(const QString& name) {
    const QString d = name.normalized(QString::NormalizationForm_D);
    QString out;
    for (const QChar c : d)
        if (c.category() != QChar::Mark_NonSpacing) out += c.toLower();
    return out.trimmed();
}

bool importToLabelFile(const QString& source, const QString& dest, ImportResult* result,
                       QString* error, Progress* progress) {
    QString err;
    auto store = openTableStore(source, &err);
    if (!store) {
        if (error) *error = err;
        return false;
    }
    const FieldDefs& src = store->fieldDefs();
    const FieldDefs& dst = labelRecordFields();
    QList<int> map(dst.size(), -1);  // label field -> source field
    ImportResult res;
    for (int s = 0; s < src.size(); ++s) {
        bool used = false;
        for (int d = 0; d < dst.size(); ++d)
            if (map[d] < 0 && foldFieldName(src[s].name) == foldFieldName(dst[d].name)) {
                map[d] = s;
                used = true;
                break;
            }
        if (!used) res.unmatchedFields << src[s].name;
    }
    const QString tmp = dest + QStringLiteral(".import");
    if (!createLabelFile(tmp, &err)) {
        if (error) *error = err;
        return false;
    }
    auto target = LabelFileStore::open(tmp, &err);
    auto fail = [&](const QString& message) {
        if (error) *error = message;
        target.reset();
        QFile::remove(tmp);
        return false;
    };
    if (!target) return fail(err);
    const qint64 total = store->rowCount();
    constexpr qint64 kBatch = 5000;
    for (qint64 first = 0; first < total; first += kBatch) {
        QList<RawRecord> in, out;
        if (!store->readRows(first, kBatch, &in, &err)) return fail(err);
        for (qsizetype k = 0; k < in.size(); ++k) {
            const qint64 number = first + k + 1;
            RawRecord r(dst.size());
            for (int d = 0; d < dst.size(); ++d) {
                const int s = map[d];
                if (s < 0) continue;
                const QVariant& v = in[k][s];
                if (v.isNull()) continue;
                if (dst[d].type == FieldType::Graphic) {
                    r[d] = src[s].type == FieldType::String || src[s].type == FieldType::Memo
                               ? QByteArray::fromBase64(v.toString().toLatin1())
                               : v.toByteArray();
                    continue;
                }
                if (!rawFromTagged(taggedFromRaw(v, src[s].type), dst[d], &r[d], &err))
                    return fail(QStringLiteral("Záznam %1: %2").arg(number).arg(err));
                if (dst[d].type == FieldType::String && r[d].toString().size() > dst[d].size)
                    return fail(QStringLiteral("Záznam %1: text pole %2 je delší než %3 znaků")
                                    .arg(number)
                                    .arg(dst[d].name)
                                    .arg(dst[d].size));
            }
            if (map[0] < 0)
                r[0] = QVariant::fromValue<qint64>(number);
            else if (r[0].isNull())
                return fail(QStringLiteral("Záznam %1 nemá vyplněné pole cislo").arg(number));
            out.append(std::move(r));
        }
        if (!target->insertMany(out, &err)) return fail(err);
        if (progress) {
            progress->step(int(std::min(total, first + kBatch)), int(total), QString());
            if (progress->cancelled()) return fail(QStringLiteral("Import byl přerušen"));
        }
    }
    res.records = target->rowCount();
    target.reset();
    QFile::remove(dest + QStringLiteral("-journal"));
    if (QFileInfo::exists(dest) && !QFile::remove(dest))
        return fail(QStringLiteral("Soubor %1 nelze přepsat").arg(dest));
    if (!QFile::rename(tmp, dest)) return fail(QStringLiteral("Soubor %1 nelze zapsat").arg(dest));
    if (result) *result = res;
    return true;
}

}  // namespace dorvana
