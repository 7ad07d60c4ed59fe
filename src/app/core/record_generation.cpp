#include "app/core/record_generation.h"

#include "base/progress.h"
#include "data/data_set.h"

namespace dorvana {

namespace {

struct DraggedColumn {
    const char* name;
    const char* caption;
    int maxLength;  // texts: characters kept; 0 for other kinds
};

const DraggedColumn kColumns[kDraggedFieldCount] = {
    {"nazev1", "Název1", 40}, {"nazev2", "Název2", 40}, {"barcode", "Barcode", 20},
    {"cislo1", "Číslo1", 0},  {"cislo2", "Číslo2", 0},  {"cena", "Cena", 0},
    {"popis1", "Popis1", 40}, {"popis2", "Popis2", 40}, {"popis3", "Popis3", 40},
    {"datum1", "Datum1", 0},  {"datum2", "Datum2", 0},
};

const DraggedColumn& column(DraggedField f) {
    return kColumns[int(f)];
}

int bufferIndex(IncrementField f) {
    switch (f) {
        case IncrementField::Cislo1: return int(DraggedField::Cislo1);
        case IncrementField::Cislo2: return int(DraggedField::Cislo2);
        case IncrementField::Cena: return int(DraggedField::Cena);
        case IncrementField::Cislo: break;
    }
    return -1;
}

bool setField(DataSet& labels, const char* name, const TaggedValue& v, QString* error) {
    Field* f = labels.findField(QString::fromLatin1(name));
    if (!f) {
        *error = QStringLiteral("Tabulka nemá pole %1.").arg(QString::fromLatin1(name));
        return false;
    }
    return f->setValue(v, error);
}

bool writeDragged(DataSet& labels, const DragBuffer& buffer, const QList<DraggedField>& dragged,
                  QString* error) {
    for (DraggedField d : dragged)
        if (!setField(labels, column(d).name, buffer.values[int(d)], error)) return false;
    return true;
}

// Ends an edit that could not be posted, keeping the message.
GenerationResult failed(DataSet& labels, GenerationResult result, const QString& error) {
    labels.cancel();
    result.error = error;
    return result;
}

}  // namespace

QString draggedFieldCaption(DraggedField field) {
    return QString::fromUtf8(column(field).caption);
}

DragBuffer readDragBuffer(const DataSet& labels) {
    DragBuffer b;
    if (const Field* f = labels.findField(QStringLiteral("cislo")); f && !f->isNull()) {
        const TaggedValue v = f->value();
        b.number = v.kind() == TaggedValue::Kind::Integer ? v.asInteger() : 0;
    }
    for (int i = 0; i < kDraggedFieldCount; ++i) {
        const DraggedColumn& c = kColumns[i];
        const Field* f = labels.findField(QString::fromLatin1(c.name));
        if (!f || f->isNull()) continue;
        TaggedValue v = f->value();
        if (c.maxLength > 0 && v.kind() == TaggedValue::Kind::Text)
            v = TaggedValue(v.asText().left(c.maxLength));
        b.values[i] = v;
    }
    return b;
}

int steppedIncrement(int previous, int value) {
    if (value == 0 && previous == 1) return -1;
    if (value == 0 && previous == -1) return 1;
    return value;
}

GenerationResult generateRecords(DataSet& labels, const DragBuffer& buffer,
                                 const GenerationSettings& settings, Progress* progress) {
    GenerationResult result;
    // Between two records: tells the progress and learns whether to stop.
    const auto stopped = [&](int done) {
        if (!progress) return false;
        progress->step(done, settings.count,
                       QStringLiteral("Generuji větu %1 z %2").arg(done).arg(settings.count));
        result.cancelled = progress->cancelled();
        return result.cancelled;
    };
    DragBuffer b = buffer;
    labels.disableControls();
    struct Release {
        DataSet& d;
        ~Release() { d.enableControls(); }
    } release{labels};
    QString error;
    if (settings.generateNew) {
        qint64 number = b.number;
        for (int i = 0; i < settings.count; ++i) {
            if (stopped(i)) break;
            number += settings.step;
            const TaggedValue key = TaggedValue::fromInteger64(number);
            if (labels.findKey(key)) {
                ++result.duplicates;
                continue;
            }
            if (!labels.append(&error) || !setField(labels, "cislo", key, &error) ||
                !writeDragged(labels, b, settings.dragged, &error) || !labels.post(&error))
                return failed(labels, result, error);
            ++result.written;
        }
        if (result.duplicates != 0)
            result.error = QStringLiteral("Nebylo zapsáno %1 vět - Duplicita klíče").arg(result.duplicates);
        return result;
    }
    const int stepped = bufferIndex(settings.increment);
    labels.next();
    for (int i = 0; i < settings.count; ++i) {
        if (stopped(i)) break;
        if (!labels.edit(&error)) return failed(labels, result, error);
        if (stepped >= 0) {
            double v = 0;
            const TaggedValue& old = b.values[stepped];
            if (old.kind() == TaggedValue::Kind::Integer) v = old.asInteger();
            else if (old.kind() == TaggedValue::Kind::Real) v = old.asReal();
            b.values[stepped] = TaggedValue::real(v + settings.step);
            if (!setField(labels, kColumns[stepped].name, b.values[stepped], &error))
                return failed(labels, result, error);
        }
        if (!writeDragged(labels, b, settings.dragged, &error) || !labels.post(&error))
            return failed(labels, result, error);
        ++result.written;
        labels.next();
    }
    return result;
}

}  // namespace dorvana
