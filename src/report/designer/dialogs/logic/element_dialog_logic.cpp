#include "report/designer/dialogs/logic/element_dialog_logic.h"

#include "report/designer/dialogs/logic/expression_editor_logic.h"
#include "report/model/text_elements.h"

namespace dorvana {

namespace {

bool isFieldElement(int type) {
    return type == ElementType::FieldValue || type == ElementType::FieldLabel;
}

void takeNumber(const QString& text, int* target) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (ok) *target = v;
}

}  // namespace

bool canConfigureElement(const TSesPrvek& element, const ReportFieldSource* fields,
                         int functionCount) {
    if (isFieldElement(element.type()))
        return fields && element.reference >= 0 && element.reference < fields->fieldCount();
    if (element.type() == ElementType::Function)
        return element.reference >= 0 && element.reference < functionCount;
    return false;
}

QStringList elementTargetItems(int type, const ReportFieldSource* fields,
                               const QStringList& functionNames) {
    if (type == ElementType::Function) return functionNames;
    QStringList items;
    if (fields)
        for (int i = 0; i < fields->fieldCount(); ++i)
            items << referenceEntry(u'#', i + 1, fields->fieldName(i));
    return items;
}

ElementPage elementPage(int type, ReportFieldSource::FieldKind kind) {
    if (type == ElementType::Function) return ElementPage::Funkce;
    if (type == ElementType::FieldValue) {
        if (kind == ReportFieldSource::FieldKind::Memo) return ElementPage::DbMemo;
        if (kind == ReportFieldSource::FieldKind::Picture) return ElementPage::DbGraphic;
    }
    return ElementPage::Text;
}

ElementDialogValues elementDialogValues(const TSesPrvek& e) {
    ElementDialogValues v;
    v.type = e.type();
    v.target = e.reference;
    v.left = QString::number(e.X);
    v.top = QString::number(e.Y);
    v.width = QString::number(e.W);
    v.height = QString::number(e.H);
    v.alignment = int(e.alignment);
    v.fontName = e.fontName();
    v.fontSize = e.fontSize;
    v.font = e.font;
    v.caption = e.Caption;
    if (const auto* t = dynamic_cast<const TSesText*>(&e)) {
        v.borders = {t->Leva, t->Horni, t->Prava, t->Spodni};
        v.bcFormat = t->BcFormat();
    }
    if (const auto* f = dynamic_cast<const TDBSesLabel*>(&e)) v.byName = !f->fieldName().isEmpty();
    if (const auto* f = dynamic_cast<const TSesFunkce*>(&e)) v.byName = !f->functionName().isEmpty();
    if (const auto* f = dynamic_cast<const TDBSesText*>(&e)) v.layoutFlags = f->memoFlags & 0x70;
    return v;
}

void applyElementDialog(TSesPrvek& e, const ElementDialogValues& v, const ElementApplyContext& c) {
    e.setFontName(v.fontName);
    e.fontSize = v.fontSize;
    e.font = v.font;
    e.alignment = Alignment(qBound(0, v.alignment, 2));
    auto* text = dynamic_cast<TSesText*>(&e);
    if (text) text->setBcFormat(v.bcFormat);

    const ReportFieldSource* fields = c.fields;
    const bool fieldKnown = fields && v.target >= 0 && v.target < fields->fieldCount();
    if (isFieldElement(e.type()) && fieldKnown) {
        auto& f = static_cast<TDBSesLabel&>(e);
        if (v.target != e.reference) {
            e.reference = v.target;
            if (e.type() == ElementType::FieldLabel) {
                e.Caption = fields->displayLabel(v.target);
            } else {
                auto& value = static_cast<TDBSesText&>(e);
                value.Caption = fields->displayText(v.target);
                value.fieldKind = fields->fieldKind(v.target);
                value.blobData = value.fieldKind == ReportFieldSource::FieldKind::Other
                                     ? QByteArray()
                                     : fields->blobData(v.target);
            }
        }
        f.setFieldName(v.byName ? fields->fieldName(v.target).left(31) : QString());
        if (e.type() == ElementType::FieldValue) {
            auto& value = static_cast<TDBSesText&>(e);
            // The alignment is kept apart; the writer joins it with these bits.
            if (value.isMemo())
                value.memoFlags = v.layoutFlags & (LayoutFlag::WrapWords | LayoutFlag::Justify |
                                                   LayoutFlag::GrowingHeight);
            else if (value.isPicture())
                value.memoFlags = v.layoutFlags & (LayoutFlag::WrapWords | LayoutFlag::Justify);
            else
                value.memoFlags = 0;
        }
    } else if (e.type() == ElementType::Function && v.target >= 0 &&
               v.target < c.functionNames.size()) {
        auto& f = static_cast<TSesFunkce&>(e);
        if (v.target != e.reference) {
            e.reference = v.target;
            if (c.functionValueText) e.Caption = c.functionValueText(v.target);
        }
        f.setFunctionName(v.byName ? c.functionNames[v.target].left(31) : QString());
    }
    if (text) {
        text->Leva = v.borders[0];
        text->Horni = v.borders[1];
        text->Prava = v.borders[2];
        text->Spodni = v.borders[3];
    }
    takeNumber(v.left, &e.X);
    takeNumber(v.top, &e.Y);
    takeNumber(v.width, &e.W);
    takeNumber(v.height, &e.H);
}

}  // namespace dorvana
