#pragma once
// "Tažení aktuální věty": copies chosen fields of the current record of a
// label file into new records with stepped numbers, or into the records that
// follow it while stepping one numeric field.

#include <QList>
#include <QString>

#include "report/expr/tagged_value.h"

namespace dorvana {

class DataSet;
class Progress;

// The dragged fields in the order the dialog lists them.
enum class DraggedField { Nazev1, Nazev2, Barcode, Cislo1, Cislo2, Cena, Popis1, Popis2, Popis3,
                          Datum1, Datum2 };
inline constexpr int kDraggedFieldCount = 11;
// "Název1", "Název2", "Barcode", "Číslo1" ... as the dialog lists them.
QString draggedFieldCaption(DraggedField field);

// The field stepped: the record number when generating new records, else one
// of the numbers or the price of the following records.
enum class IncrementField { Cislo, Cislo1, Cislo2, Cena };

// The values of the current record the command works with (NactiVetu).
struct DragBuffer {
    qint32 number = 0;                   // cislo
    TaggedValue values[kDraggedFieldCount];  // texts cut to the field sizes; empty stays empty
};
DragBuffer readDragBuffer(const DataSet& labels);

struct GenerationSettings {
    QList<DraggedField> dragged;  // the ticked fields
    IncrementField increment = IncrementField::Cislo;
    int count = 1;                // 1 ... 99999
    int step = 1;                 // -999999 ... 999999
    bool generateNew = true;      // "Generovat nové věty"
};

// The step field skips 0 when stepped with the arrows: 1 -> 0 gives -1,
// -1 -> 0 gives 1; every other value stays.
int steppedIncrement(int previous, int value);

struct GenerationResult {
    int written = 0;
    int duplicates = 0;  // numbers already taken (new records only)
    QString error;       // the message to show; empty when there is none
    bool cancelled = false;  // the user stopped the run (records written stay)
};

// Runs the command on the label table from its current record; the grid's
// display is frozen meanwhile. New records: the numbers start + step,
// start + 2 step ... are tried, a number already taken is counted and
// reported once ("Nebylo zapsáno N vět - Duplicita klíče"). Following
// records: the record k places behind the current one gets start + k step in
// the chosen field and the dragged values; at the end of the table the last
// record is modified again. A post the table refuses ends the run with its
// message; records written before stay. The progress (may be null) is told
// of every record and stops the run when cancelled.
GenerationResult generateRecords(DataSet& labels, const DragBuffer& buffer,
                                 const GenerationSettings& settings, Progress* progress = nullptr);

}  // namespace dorvana
