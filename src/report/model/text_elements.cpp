#include "report/model/text_elements.h"

#include <QLocale>

#include "report/model/integer_format.h"
#include "report/model/memo_lines.h"
#include "report/model/picture_cache.h"

namespace dorvana {

namespace {
const QString kFormatFailed = QStringLiteral("????");
}

int TSesText::borders() const {
    return (Leva ? 1 : 0) | (Horni ? 2 : 0) | (Prava ? 4 : 0) | (Spodni ? 8 : 0);
}

void TSesText::setBorders(int bits) {
    Leva = bits & 1;
    Horni = bits & 2;
    Prava = bits & 4;
    Spodni = bits & 8;
}

bool TDBSesLabel::boundTo(const ReportFieldSource* fields) const {
    return fields && reference >= 0 && reference < fields->fieldCount();
}

void TDBSesLabel::refreshCaption(const CaptionSources& sources) {
    Caption = boundTo(sources.fields) ? sources.fields->displayLabel(reference) : QString();
}

bool TDBSesText::isGrowingCandidate(const ReportFieldSource* fields) const {
    if (!boundTo(fields)) return false;
    const auto kind = fields->fieldKind(reference);
    return kind == ReportFieldSource::FieldKind::Memo ||
           kind == ReportFieldSource::FieldKind::Picture;
}

void TDBSesText::refreshCaption(const CaptionSources& sources) {
    lines.clear();
    picture = QImage();
    pictureFailure.clear();
    blobData.clear();
    library_ = nullptr;
    if (!boundTo(sources.fields)) {
        fieldKind = ReportFieldSource::FieldKind::Other;
        Caption.clear();
        return;
    }
    const ReportFieldSource& fields = *sources.fields;
    fieldKind = fields.fieldKind(reference);
    Caption = fields.displayText(reference);
    if (fieldKind == ReportFieldSource::FieldKind::Other) return;
    blobData = fields.blobData(reference);
    if (fieldKind == ReportFieldSource::FieldKind::Memo) {
        const MemoFont memoFont{fontName(), fontSize, font.style};
        lines =
            breakMemoLines(fields.displayText(reference), W, memoFlags, memoFont, sources.measurer,
                           memoLineLimit(H, fontSize, memoFlags, sources.memoHeightLimit));
        return;
    }
    if (blobData.isEmpty()) return;
    DecodedPicture decoded =
        decodeBlobPicture(blobData, QSize(W, H), memoFlags & MemoFlag::Stretch);
    picture = decoded.image;
    if (!picture.isNull()) return;
    if (sources.pictureLibrary) {
        if (auto loaded = sources.pictureLibrary->load(blobData, Otoc())) {
            picture = *loaded;
            library_ = sources.pictureLibrary;
            return;
        }
    }
    // Never a silent blank: a box shows where the picture should be.
    pictureFailure = decoded.failure;
    picture = missingPicture();
}

void TDBSesText::setOtoc(int rotation) {
    const int before = Otoc();
    TSesText::setOtoc(rotation);
    if (library_ && !picture.isNull() && Otoc() != before)
        picture = library_->rotate(picture, (Otoc() - before + 4) % 4);
}

void TSesParametr::refreshCaption(const CaptionSources& sources) {
    const QStringList* params = sources.parameters;
    Caption =
        params && reference >= 0 && reference < params->size() ? params->at(reference) : QString();
}

void TSesPromenna::refreshCaption(const CaptionSources& sources) {
    dateTexts_ = sources.dateTimeTexts;
    updateText();
}

void TSesPromenna::setFormat(const QString& format) {
    format_ = format;
    updateText();
}

void TSesPromenna::setValue(qint32 value) {
    value_ = value;
    updateText();
}

void TSesPromenna::setDateTime(const QDateTime& when) {
    dateTime_ = when;
    updateText();
}

void TSesPromenna::updateText() {
    if (reference == 0 || reference == 1) {
        if (format_.isEmpty()) {
            if (dateTexts_)
                Caption = reference == 0 ? dateTexts_->shortDate(dateTime_)
                                         : dateTexts_->timeText(dateTime_);
            else
                Caption = reference == 0
                              ? QLocale::system().toString(dateTime_.date(), QLocale::ShortFormat)
                              : dateTime_.time().toString(QStringLiteral("H:mm:ss"));
            return;
        }
        std::optional<QString> text;
        if (dateTexts_) text = dateTexts_->formatDateTime(format_, dateTime_);
        Caption = text.value_or(kFormatFailed);
        return;
    }
    if (format_.isEmpty()) {
        Caption = QString::number(value_);
        return;
    }
    Caption = formatWithInteger(format_, value_).value_or(kFormatFailed);
}

void TSesFunkce::refreshCaption(const CaptionSources& sources) {
    const FunctionValueSource* f = sources.functions;
    Caption = f && reference >= 0 && reference < f->functionCount() ? f->formattedPrinted(reference)
                                                                    : QString();
}

}  // namespace dorvana
