#include "report/designer/dialogs/logic/new_report_wizard.h"

#include <algorithm>

#include "data/data_set.h"
#include "report/model/template_tokens.h"

namespace dorvana {

namespace {

const WizardField* findField(const QList<WizardField>& fields, const QString& name, int* index) {
    for (int i = 0; i < fields.size(); ++i)
        if (fields[i].name.compare(name, Qt::CaseInsensitive) == 0) {
            *index = i;
            return &fields[i];
        }
    return nullptr;
}

QString line(const char* format) {
    return QString::fromUtf8(format);
}

const QString kDateVariable = line("Z,5,0,%1,0,64,20,Times New Roman,10,0,2,0,0,1,238");
const QString kDateLabel = line("Z,1,0,%1,0,56,20,Times New Roman,10,0,2,0,0,1,238,\"Datum:\"");
const QString kTitle =
    line("Z,1,0,0,40,%1,40,Times New Roman,24,0,1,2,0,1,238,\"Nadpis sestavy\"");
const QString kPageLabel =
    line("P,1,0,%1,16,96,20,Times New Roman,10,0,2,1,0,1,238,\"Stránka číslo:\"");
const QString kPageNumber = line("P,5,3,%1,16,32,20,Times New Roman,10,0,2,1,0,1,238");
const QString kRule = line("%1,7,0,0,%2,%3,3,,1,0,0,8,15,0");

}  // namespace

QStringList generateReportLines(const QStringList& chosen, const QList<WizardField>& fields,
                                const WizardOptions& o) {
    const int W = o.printableWidth, H = o.printableHeight, h = o.itemHeight, s = o.fontSize;
    const int e = s * 3 / 4;
    const QString font = plainToken(o.fontName);
    struct Item {
        QString ref;
        int width;
        int alignment;
    };
    QList<Item> items;
    for (const QString& name : chosen) {
        int index = -1;
        const WizardField* f = findField(fields, name, &index);
        if (!f) continue;
        items << Item{o.byName ? plainToken(f->name) : QString::number(index),
                      f->displayWidth * e + 2 * s, f->alignment};
    }
    auto fieldLine = [&](const QString& code, int type, const Item& it, int x, int y, int w,
                         int alignment) {
        return QStringLiteral("%1,%2,%3,%4,%5,%6,%7,%8,%9,%10,%11,%12,0,0,%13")
            .arg(code)
            .arg(type)
            .arg(it.ref)
            .arg(x)
            .arg(y)
            .arg(w)
            .arg(h)
            .arg(font)
            .arg(s)
            .arg(o.fontColour)
            .arg(o.fontStyle)
            .arg(alignment)
            .arg(o.charset);
    };

    QStringList out;
    QStringList head;
    if (o.labelHeight > 0) {
        // One label: each field a line, its label at the left when wanted,
        // kept off the label's edges (a sheet never feeds exactly); the
        // lines that do not fit the label are left out.
        const int inset = qMin(8, qMin(W, o.labelHeight) / 10);
        const int inner = W - 2 * inset;
        const int lw = o.fieldLabels ? qMin(12 * e, inner / 3) : 0;
        const int vx = inset + (o.fieldLabels ? lw + 4 : 0);
        int y = inset;
        for (const Item& it : items) {
            if (y + h > o.labelHeight - inset) break;
            if (o.fieldLabels) out << fieldLine(QStringLiteral("T"), 3, it, inset, y, lw, 1);
            out << fieldLine(QStringLiteral("T"), 2, it, vx, y, W - inset - vx, it.alignment);
            y += h;
        }
        head << QStringLiteral("I,3,0,0,96") << QStringLiteral("I,3,1,0,16")
             << QStringLiteral("I,3,2,1,%1").arg(o.labelHeight) << QStringLiteral("I,3,3,0,16")
             << QStringLiteral("I,3,4,0,32") << QStringLiteral("I,3,5,0,20")
             << QStringLiteral("I,3,6,0,20");
        return head + out;
    }
    out << kTitle.arg(W) << kDateVariable.arg(W - 72) << kDateLabel.arg(W - 128);
    if (!o.rows) {
        out << line("N,1,0,0,0,88,20,Arial,10,0,0,0,0,1,238,\"Převedeno:\"")
            << line("D,1,0,0,0,88,20,Arial,10,0,0,0,0,1,238,\"Převádí se:\"");
        int x = 0, y = 0;
        for (const Item& it : items) {
            const int w = qMin(it.width, W);
            if (x + w > W) {
                y += h;
                x = 0;
            }
            if (o.fieldLabels) out << fieldLine(QStringLiteral("H"), 3, it, x, y, w, it.alignment);
            out << fieldLine(QStringLiteral("T"), 2, it, x, y, w, it.alignment);
            x += w;
        }
        if (x > 0) y += h;
        if (y > h) {
            out << kRule.arg(QStringLiteral("T")).arg(y).arg(W);
            y += 8;
        }
        out << kRule.arg(QStringLiteral("H")).arg(y).arg(W);
        out << kPageLabel.arg(W - 144) << kPageNumber.arg(W - 48);
        head << QStringLiteral("I,3,0,1,96") << QStringLiteral("I,3,1,1,%1").arg(y + 8)
             << QStringLiteral("I,3,2,1,%1").arg(y);
    } else {
        out << line("H,7,0,0,5,%1,3,,1,0,0,8,15,0").arg(W);
        const int lw = 12 * e, vx = lw + 8;
        int y = 0;
        for (const Item& it : items) {
            const int vw = qMin(it.width, W - vx);
            if (o.fieldLabels)
                out << QStringLiteral("T,3,%1,0,%2,%3,%4,%5,%6,%7,%8,1,0,0,%9")
                           .arg(it.ref)
                           .arg(y)
                           .arg(lw)
                           .arg(h)
                           .arg(font)
                           .arg(s)
                           .arg(o.fontColour)
                           .arg(o.fontStyle)
                           .arg(o.charset);
            out << fieldLine(QStringLiteral("T"), 2, it, vx, y, vw, it.alignment);
            y += h;
            if (y + h > H - 144) break;  // the next row would run into the page end
        }
        y += 8;
        out << kRule.arg(QStringLiteral("T")).arg(y).arg(W);
        out << kPageLabel.arg(W - 144) << kPageNumber.arg(W - 48);
        head << QStringLiteral("I,3,0,1,96") << QStringLiteral("I,3,1,1,16")
             << QStringLiteral("I,3,2,1,%1").arg(y + 8);
    }
    head << QStringLiteral("I,3,3,0,16") << QStringLiteral("I,3,4,1,32")
         << QStringLiteral("I,3,5,0,20") << QStringLiteral("I,3,6,0,20");
    return head + out;
}

void applyWizardPaper(WizardOptions& options, const WizardPaper& paper) {
    options.printableWidth = paper.width;
    options.printableHeight = paper.height;
    options.labelHeight = paper.labelHeight;
    // A label holds its fields one a line.
    if (paper.labelHeight > 0) options.rows = true;
}

QList<WizardField> wizardFields(const DataSet& dataSet) {
    QList<WizardField> out;
    for (const auto& f : dataSet.fields())
        out << WizardField{f->name(), f->displayLabel(), f->displayWidth(), f->alignment()};
    return out;
}

void moveWizardFields(QStringList& from, QStringList& to, QList<int> selected) {
    std::sort(selected.begin(), selected.end());
    selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
    QStringList moved;
    for (int i : selected)
        if (i >= 0 && i < from.size()) moved << from[i];
    for (const QString& name : moved) from.removeOne(name);
    to << moved;
}

}  // namespace dorvana
