#include "app/core/filter_composer.h"

#include "base/text_file.h"
#include "data/data_set.h"
#include "data/filter_text_order.h"
#include "report/expr/format/date_time_format.h"
#include "report/expr/format/format_settings.h"

namespace dorvana {

namespace {

constexpr int kMaxFields = 100;
constexpr int kMaxPicture = 50;

QString quoted(const QString& text) {
    return u'\'' + text + u'\'';
}

QString realText(double v) {
    QString s = QString::number(v, 'f', 2).trimmed();
    s.replace(u'.', formatSettings().decimalSeparator);
    return quoted(s);
}

}  // namespace

FilterInput filterInput(FieldType type) {
    switch (type) {
        case FieldType::String:
            return FilterInput::Text;
        case FieldType::Smallint:
        case FieldType::Integer:
        case FieldType::Word:
        case FieldType::Autoinc:
            return FilterInput::WholeNumber;
        case FieldType::Float:
        case FieldType::Currency:
        case FieldType::BCD:
            return FilterInput::RealNumber;
        case FieldType::Date:
            return FilterInput::Date;
        default:
            return FilterInput::None;
    }
}

QString filterPicture(const FilterField& field) {
    const FilterInput input = filterInput(field.type);
    if ((input == FilterInput::WholeNumber || input == FilterInput::RealNumber) &&
        !field.editFormat.isEmpty())
        return field.editFormat.left(kMaxPicture);
    switch (field.type) {
        case FieldType::String:
            return QString(qBound(0, field.displayWidth, kMaxPicture), u'X');
        case FieldType::Smallint:
        case FieldType::Word:
            return QStringLiteral("99999");
        case FieldType::Integer:
        case FieldType::Autoinc:
        case FieldType::Float:
            return QStringLiteral("9999999999");
        case FieldType::Currency:
        case FieldType::BCD:
            return QStringLiteral("##,###,###,###.99");
        case FieldType::Date:
            return formatSettings().shortDatePattern.left(kMaxPicture);
        default:
            return {};
    }
}

QList<FilterField> filterFields(const DataSet& dataSet) {
    QList<FilterField> out;
    for (int i = 0; i < dataSet.fieldCount() && out.size() < kMaxFields; ++i) {
        const Field* f = dataSet.field(i);
        if (!f || f->dataType() == FieldType::Blob || f->dataType() == FieldType::Memo ||
            f->dataType() == FieldType::Graphic)
            continue;
        out.append({f->displayLabel(), f->displayWidth(), f->dataType(), f->editFormat()});
    }
    return out;
}

FilterComposer::FilterComposer(QList<FilterField> fields) : fields_(std::move(fields)) {
    reset();
}

void FilterComposer::reset() {
    used_ = QList<bool>(fields_.size(), false);
    ticked_ = QList<bool>(fields_.size(), false);
    current_ = -1;
    text_.clear();
    conditions_ = 0;
    groups_ = 0;
    orPending_ = false;
}

FilterInput FilterComposer::choose(int i) {
    if (i < 0 || i >= fields_.size()) return FilterInput::None;
    current_ = i;
    if (used_[i]) ticked_[i] = true;
    used_[i] = true;
    return filterInput(fields_[i].type);
}

bool FilterComposer::append(const QString& condition) {
    if (conditions_ == 0)
        text_ = QStringLiteral("((");
    else if (!orPending_)
        text_ += QStringLiteral(" and (");
    text_ += condition;
    ++conditions_;
    orPending_ = false;
    return true;
}

static bool wrongEntry(QString* error) {
    if (error) *error = kWrongEntry;
    return false;
}

bool FilterComposer::addText(const QString& from, const QString& to, QString* error) {
    if (current_ < 0) return wrongEntry(error);
    const FilterField& f = fields_[current_];
    const QString a = from.trimmed(), b = to.trimmed();
    if (filterTextBefore(b, a)) return wrongEntry(error);
    // The upper value padded with "ž" to the display width takes in every
    // value that begins with it.
    const QString padded = b + QString(qMax(0, f.displayWidth - int(b.size())), u'ž');
    const QString& n = f.label;
    if (a == padded) return append(n + u'=' + quoted(a) + u')');
    return append(n + QStringLiteral(">=") + quoted(a) + QStringLiteral(")and(") + n +
                  QStringLiteral("<=") + quoted(padded) + u')');
}

bool FilterComposer::addWholeNumber(qint64 from, qint64 to, QString* error) {
    if (current_ < 0 || to < from) return wrongEntry(error);
    const QString& n = fields_[current_].label;
    if (from == to) return append(n + u'=' + QString::number(from) + u')');
    return append(n + QStringLiteral(">=") + QString::number(from) + QStringLiteral(")and(") + n +
                  QStringLiteral("<=") + QString::number(to) + u')');
}

bool FilterComposer::addRealNumber(double from, double to, QString* error) {
    if (current_ < 0 || from > to) return wrongEntry(error);
    const QString& n = fields_[current_].label;
    if (from == to) return append(n + u'=' + realText(from) + u')');
    return append(n + QStringLiteral(">=") + realText(from) + QStringLiteral(")and(") + n +
                  QStringLiteral("<=") + realText(to) + u')');
}

bool FilterComposer::addDate(const QString& from, const QString& to, QString* error) {
    double a = 0, b = 0;
    if (current_ < 0 || !parseDate(from.trimmed(), &a) || !parseDate(to.trimmed(), &b) || a > b)
        return wrongEntry(error);
    const QString& n = fields_[current_].label;
    return append(n + QStringLiteral(">=") + from.trimmed() + QStringLiteral(")and(") + n +
                  QStringLiteral("<=") + to.trimmed() + u')');
}

void FilterComposer::nextGroup() {
    if (conditions_ == 0 || orPending_) return;
    text_ += QStringLiteral(") or ((");
    ++groups_;
    orPending_ = true;
}

QString FilterComposer::filterText() const {
    return conditions_ > 0 ? text_ + u')' : QString();
}

bool saveFilterFile(const QString& path, const QString& text, QString* error) {
    return writeTextLines(path, {text}, error);
}

QString filterTextOfFile(const QByteArray& bytes) {
    const QStringList lines = splitLines(decodeSystemText(bytes));
    return lines.isEmpty() ? QString() : lines.first();
}

bool loadFilterFile(const QString& path, QString* text, QString* error) {
    QByteArray bytes;
    if (!readFileBytes(path, &bytes, error)) return false;
    *text = filterTextOfFile(bytes);
    return true;
}

}  // namespace dorvana
