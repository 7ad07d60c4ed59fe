#pragma once
// The text elements (types 1 to 6): static text, field value, field label,
// parameter, system variable and user function value.

#include <QByteArray>
#include <QDateTime>
#include <QImage>
#include <QStringList>

#include "report/model/model_sources.h"
#include "report/model/report_element.h"

namespace dorvana {

// TSesText: frame lines, barcode format, rotation and screen font of a text element.
class TSesText : public TSesPrvek {
public:
    bool Leva = false, Horni = false, Prava = false, Spodni = false;  // frame lines

    // Frame lines as bits: left 1, top 2, right 4, bottom 8.
    int borders() const;
    void setBorders(int bits);

    const QString& BcFormat() const { return bcFormat_; }
    // A non-empty format makes the element a barcode; cut to 32 characters.
    void setBcFormat(const QString& format) { bcFormat_ = cutName(format); }
    bool isBarcode() const { return !bcFormat_.isEmpty(); }

    int Otoc() const { return otoc_; }
    // Rotation 0..3 (0, 90, 180, 270 degrees counter-clockwise); other values give 0.
    virtual void setOtoc(int rotation) { otoc_ = rotation >= 0 && rotation <= 3 ? rotation : 0; }

    // Font used instead of the element's font on the screen; empty = none.
    const QString& screenFont() const { return screenFont_; }
    void setScreenFont(const QString& name) { screenFont_ = cutName(name); }

protected:
    using TSesPrvek::TSesPrvek;
    TSesText(const TSesText&) = default;

private:
    QString bcFormat_;
    QString screenFont_;
    int otoc_ = 0;
};

// Type 1: static text; Caption is the text.
class TSesLabel : public TSesText {
public:
    TSesLabel() : TSesText(ElementType::Label) {}
    std::unique_ptr<TSesPrvek> clone() const override { return std::make_unique<TSesLabel>(*this); }
};

// Type 3: the display label of field `reference`.
class TDBSesLabel : public TSesText {
public:
    TDBSesLabel() : TSesText(ElementType::FieldLabel) {}
    std::unique_ptr<TSesPrvek> clone() const override {
        return std::make_unique<TDBSesLabel>(*this);
    }
    void refreshCaption(const CaptionSources& sources) override;

    // The field name the template used instead of a number; empty when it used
    // the number. Written back in place of the number.
    const QString& fieldName() const { return fieldName_; }
    void setFieldName(const QString& name) { fieldName_ = cutName(name); }

    // True when the data set has field `reference`.
    bool boundTo(const ReportFieldSource* fields) const;

protected:
    explicit TDBSesLabel(int type) : TSesText(type) {}

private:
    QString fieldName_;
};

// Type 2: the display text of field `reference`; bound to a memo field it
// holds the memo's lines, bound to a BLOB or graphic field a picture.
class TDBSesText : public TDBSesLabel {
public:
    TDBSesText() : TDBSesLabel(ElementType::FieldValue) {}
    std::unique_ptr<TSesPrvek> clone() const override {
        return std::make_unique<TDBSesText>(*this);
    }
    // Loads the field at the current record (display text, memo lines, picture).
    void refreshCaption(const CaptionSources& sources) override;
    // Turns a picture the imaging library loaded by the difference in steps of 90 degrees.
    void setOtoc(int rotation) override;

    int memoFlags = 0;  // MemoFlag bits (16, 32, 64)
    ReportFieldSource::FieldKind fieldKind = ReportFieldSource::FieldKind::Other;
    QByteArray blobData;
    QStringList lines;  // memo lines
    QImage picture;
    // Why the field's data cannot be drawn (the picture is then the box of
    // missingPicture()); empty when it can.
    QString pictureFailure;
    bool isMemo() const { return fieldKind == ReportFieldSource::FieldKind::Memo; }
    bool isPicture() const { return fieldKind == ReportFieldSource::FieldKind::Picture; }
    // Bound to an existing memo or picture field: a candidate for growing.
    bool isGrowingCandidate(const ReportFieldSource* fields) const;

private:
    const PictureLibrary* library_ = nullptr;  // set when the library made the picture
};

// Type 4: entry `reference` of the report's parameters.
class TSesParametr : public TSesText {
public:
    TSesParametr() : TSesText(ElementType::Parameter) {}
    std::unique_ptr<TSesPrvek> clone() const override {
        return std::make_unique<TSesParametr>(*this);
    }
    void refreshCaption(const CaptionSources& sources) override;
};

// Type 5: report variable `reference`, formatted by Format.
class TSesPromenna : public TSesText {
public:
    TSesPromenna() : TSesText(ElementType::Variable) { updateText(); }
    std::unique_ptr<TSesPrvek> clone() const override {
        return std::make_unique<TSesPromenna>(*this);
    }
    void refreshCaption(const CaptionSources& sources) override;

    const QString& Format() const { return format_; }
    // Sets the output format and recomputes the text at once.
    void setFormat(const QString& format);
    // The values the layout engine sets; each recomputes the text.
    void setValue(qint32 value);
    void setDateTime(const QDateTime& when);
    qint32 value() const { return value_; }
    const QDateTime& dateTime() const { return dateTime_; }

private:
    void updateText();
    QString format_;
    qint32 value_ = 0;
    QDateTime dateTime_;
    const DateTimeTexts* dateTexts_ = nullptr;
};

// Type 6: the formatted printed value of user function `reference` (0-based).
class TSesFunkce : public TSesText {
public:
    TSesFunkce() : TSesText(ElementType::Function) {}
    std::unique_ptr<TSesPrvek> clone() const override {
        return std::make_unique<TSesFunkce>(*this);
    }
    void refreshCaption(const CaptionSources& sources) override;

    // The function name the template used instead of a number; empty when none.
    const QString& functionName() const { return functionName_; }
    void setFunctionName(const QString& name) { functionName_ = cutName(name); }

private:
    QString functionName_;
};

}  // namespace dorvana
