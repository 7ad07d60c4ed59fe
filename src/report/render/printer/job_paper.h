#pragma once
// The sheet a print goes out on when neither the template's printer settings
// nor the user chose one: the template's own paper, so that a label prints on
// a label-sized page. The queue's page size of the template's dimensions
// (within 1 mm, held as the template holds it or turned), else a custom size
// where the driver takes one, else the queue's default with a note for the
// print dialog.

#include <QPageSize>
#include <QSizeF>
#include <QString>

#include "report/render/printer/device_settings.h"
#include "report/render/printer/printer_backend.h"

namespace dorvana {

struct JobPaper {
    enum class Kind {
        Unknown,       // nothing known of the queue's papers: its settings stay
        QueueSize,     // one of the queue's page sizes
        CustomSize,    // a custom size of exactly the template's paper
        QueueDefault,  // the queue has nothing that fits: its default stays
    };
    Kind kind = Kind::Unknown;
    QPageSize size;       // the sheet asked for (QueueSize, CustomSize)
    bool turned = false;  // the queue has the sheet only turned: print the other way round
    QString note;         // what the print dialog says (QueueDefault)
};

// The paper for a template's sheet: sheetMm is the sheet held upright (the
// template's paper width and height in mm), pageMm the page as the template
// lays it out (after its orientation), both for the note.
JobPaper templateJobPaper(const QSizeF& sheetMm, const QSizeF& pageMm, const QueuePapers& queue);

// Writes the chosen sheet and orientation into a record (landscape: the
// template's orientation). Unknown and QueueDefault leave the record alone.
void applyJobPaper(const JobPaper& paper, bool landscape, DeviceSettings& record);

// Template units (0.01 in) in millimetres. Units cannot hold whole
// millimetres: a length within half a unit of a whole millimetre is taken as
// that millimetre (236 units, 59.94 mm, are a 60 mm label).
double templateMillimetres(int units);

// "Papír tiskárny: A4 — předloha má 60 x 40 mm".
QString paperNote(const QString& queuePaper, const QSizeF& pageMm);

}  // namespace dorvana
