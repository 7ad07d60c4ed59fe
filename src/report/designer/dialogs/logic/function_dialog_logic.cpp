#include "report/designer/dialogs/logic/function_dialog_logic.h"

namespace dorvana {

const QStringList& resultTypeItems() {
    static const QStringList items{QStringLiteral("Číslo"), QStringLiteral("Text"),
                                   QStringLiteral("Datum/Čas"), QStringLiteral("Boolean")};
    return items;
}

const QStringList& numberProcessingItems() {
    static const QStringList items{
        QStringLiteral("(Žádné)"),  QStringLiteral("Počet"),          QStringLiteral("Součet"),
        QStringLiteral("Průměr"),   QStringLiteral("Minimum"),        QStringLiteral("Maximum"),
        QStringLiteral("Směrodat.odch."), QStringLiteral("Relat.sm.odch.")};
    return items;
}

const QStringList& booleanProcessingItems() {
    static const QStringList items{QStringLiteral("(Žádné)"), QStringLiteral("Hodnota"),
                                   QStringLiteral("AND"),     QStringLiteral("OR"),
                                   QStringLiteral("XOR"),     QStringLiteral("NOT")};
    return items;
}

const QStringList& numberFormatItems() {
    static const QStringList items{QStringLiteral("Všeobecný"), QStringLiteral("Exponenciální"),
                                   QStringLiteral("Pevný"),     QStringLiteral("Čísla"),
                                   QStringLiteral("Měny"),      QStringLiteral("Obecný")};
    return items;
}

QStringList resetScopeItems(int groupCount) {
    QStringList items{QStringLiteral("Sestavy"), QStringLiteral("Stránky")};
    for (int g = 1; g <= groupCount; ++g) items << QStringLiteral("Skupiny %1").arg(g);
    return items;
}

FunctionControlsState arrangeFunctionControls(int resultType, int numberFormat) {
    FunctionControlsState s;
    const bool picture = numberFormat == kPictureNumberFormat;
    s.maskVisible = picture;
    s.precisionVisible = s.digitsVisible = !picture;
    s.mask = QString::fromUtf16(kNumberMask);
    switch (resultType) {
    case FunctionDefinition::Number:
        break;
    case FunctionDefinition::Text:
    case FunctionDefinition::DateTime:
        s.formatEnabled = s.precisionEnabled = s.digitsEnabled = s.processingEnabled = false;
        s.initialValueEnabled = s.resetScopeEnabled = s.maskEnabled = false;
        if (resultType == FunctionDefinition::DateTime) {
            s.precisionVisible = s.digitsVisible = false;
            s.maskVisible = s.maskEnabled = true;
            s.mask = QString::fromUtf16(kDateTimeMask);
        }
        break;
    case FunctionDefinition::Boolean:
        s.formatEnabled = s.precisionEnabled = s.digitsEnabled = false;
        s.numberProcessingVisible = s.initialValueVisible = false;
        s.booleanInitialVisible = s.booleanProcessingVisible = true;
        s.maskEnabled = false;
        s.mask.clear();
        break;
    default:
        break;
    }
    return s;
}

QString sanitizeFunctionName(const QString& name) {
    static const QString forbidden = QStringLiteral(" #&@$+-/*^)('");
    QString out = name;
    for (QChar& c : out)
        if (forbidden.contains(c)) c = u'_';
    return out;
}

FunctionDialogValues functionDialogValues(const FunctionDefinition& row) {
    FunctionDialogValues v;
    v.name = row.name;
    v.description = row.description;
    v.resultType = qBound(0, row.resultType, 3);
    v.expression = row.expression;
    v.initialValue = row.initialValue;
    v.booleanInitial = row.initialValue != QStringLiteral("0");
    v.resetScope = row.resetScope;
    v.numberProcessing = qBound(0, row.processing, int(numberProcessingItems().size()) - 1);
    v.booleanProcessing = row.processing >= 0 && row.processing < booleanProcessingItems().size()
                              ? row.processing
                              : 0;
    v.precisionText = QString::number(row.precision);
    v.digitsText = QString::number(row.digits);
    v.numberFormat = FunctionDefinition::normalizedNumberFormat(row.numberFormat);
    v.mask = row.formatMask;
    return v;
}

FunctionDefinition applyFunctionDialog(const FunctionDefinition& row,
                                       const FunctionDialogValues& v) {
    FunctionDefinition out = row;
    out.name = v.name;
    out.description = v.description;
    out.resultType = v.resultType;
    out.expression = v.expression;
    const bool boolean = v.resultType == FunctionDefinition::Boolean;
    out.initialValue = boolean ? QString::fromLatin1(v.booleanInitial ? "-1" : "0") : v.initialValue;
    out.resetScope = v.resetScope;
    out.processing = boolean ? v.booleanProcessing : v.numberProcessing;
    bool ok = false;
    const int precision = v.precisionText.trimmed().toInt(&ok);
    if (ok) out.precision = precision;
    const int digits = v.digitsText.trimmed().toInt(&ok);
    if (ok) out.digits = digits;
    out.setNumberFormat(v.numberFormat);
    out.formatMask = v.mask;
    return out;
}

}  // namespace dorvana
