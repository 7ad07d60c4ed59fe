#include "app/core/field_descriptions.h"

#include "app/core/label_columns.h"
#include "base/names.h"

namespace dorvana {

DescriptionLine parseDescriptionLine(const QString& line) {
    DescriptionLine d;
    if (const int semi = line.indexOf(QLatin1Char(';')); semi >= 0) {
        d.title = line.left(semi);
        d.format = line.mid(semi + 1, 80);
        d.hasFormat = true;
    } else if (const int star = line.indexOf(QLatin1Char('*')); star >= 0) {
        d.title = line.left(star);
    } else if (const int hash = line.indexOf(QLatin1Char('#')); hash >= 0) {
        d.title = line.left(hash);
    } else {
        d.title = line;
    }
    return d;
}

QStringList limitDescriptionLines(QStringList lines) {
    while (lines.size() > kDescriptionLineCount) lines.removeLast();
    return lines;
}

namespace {

int columnOfField(const GridColumns& columns, const QString& name) {
    for (int c = 0; c < columns.size(); ++c)
        if (sameName(columns[c].fieldName, name)) return c;
    return int(columns.size()) - 1;
}

bool isNumberField(int i) {
    return i == 0 || i == 4 || i == 5 || i == 6;  // cislo, cislo1, cislo2, cena
}
bool isTextField(int i) {
    return (i >= 1 && i <= 3) || (i >= 7 && i <= 10);
}

}  // namespace

DescriptionEffects applyDescriptionLines(GridColumns& columns, const QStringList& lines,
                                         DataSet* labelTable) {
    if (!areLabelColumns(columns)) columns = defaultLabelColumns();
    DescriptionEffects fx;
    constexpr int kLastVisible = kDescriptionLineCount - 1;  // position 14

    // 1. Hidden columns get their default widths back.
    for (int p = 0; p <= kLastVisible; ++p)
        if (columns[p].width == 0) columns[p].width = labelDefaultWidth(columns[p].fieldName);

    // 2. Each field's column takes its line or is hidden.
    for (int i = 0; i < kLabelColumnCount; ++i) {
        const QString name = labelFieldName(i);
        GridColumn& col = columns[columnOfField(columns, name)];
        const QString line = lines.value(i);
        Field* field = labelTable ? labelTable->findField(name) : nullptr;
        if (i < kDescriptionLineCount && !line.isEmpty()) {
            const DescriptionLine d = parseDescriptionLine(line);
            col.readOnly = false;
            col.description = line;
            col.title = d.title;
            if (field && d.hasFormat) {
                if (isNumberField(i)) {
                    field->setDisplayFormat(d.format);
                    field->setEditFormat(d.format);
                } else if (isTextField(i)) {
                    field->setEditMask(d.format);
                }  // dates take the title only
            }
            if (i == 13) fx.imageEdit = true;
            if (i == 14) fx.noteEdit = true;
        } else {
            col.width = 0;
            col.readOnly = true;
        }
    }

    // 3. Hidden columns move behind the visible ones, keeping their order.
    for (int p = 0; p <= kLastVisible;) {
        bool laterVisible = false;
        for (int q = p + 1; q <= kLastVisible; ++q) laterVisible = laterVisible || columns[q].width != 0;
        if (columns[p].width == 0 && laterVisible) {
            columns.move(p, kLastVisible);
        } else {
            ++p;
        }
    }

    // 4. Column 15 copies column 16, both hidden, 16 bound to Calc.
    columns[16].fieldName = QStringLiteral("Calc");
    columns[16].width = 0;
    columns[15] = columns[16];
    return fx;
}

}  // namespace dorvana
