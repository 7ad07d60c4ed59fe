#include "report/designer/dialogs/logic/editor_options_logic.h"

#include "report/model/zoom_table.h"

namespace dorvana {

QStringList zoomItems() {
    QStringList items;
    for (int i = 0; i < kZoomStepCount; ++i)
        items << QStringLiteral("%1 %").arg(qRound(zoomFactor(i) * 100));
    return items;
}

EditorOptionsTexts editorOptionsTexts(const EditorOptions& o) {
    return {QString::number(o.RastrX), QString::number(o.RastrY), QString::number(o.PocetUndo),
            QString::number(o.ImplSirka), QString::number(o.ImplVyska)};
}

std::optional<EditorOptions> applyEditorOptionsTexts(EditorOptions o, const EditorOptionsTexts& t,
                                                     QString* error) {
    const std::pair<const QString*, int*> fields[] = {{&t.rasterX, &o.RastrX},
                                                      {&t.rasterY, &o.RastrY},
                                                      {&t.undoSteps, &o.PocetUndo},
                                                      {&t.width, &o.ImplSirka},
                                                      {&t.height, &o.ImplVyska}};
    for (const auto& [text, target] : fields) {
        bool ok = false;
        const int v = text->trimmed().toInt(&ok);
        if (!ok) {
            if (error) *error = QStringLiteral("'%1' není platné celé číslo.").arg(*text);
            return std::nullopt;
        }
        *target = v;
    }
    return o;
}

}  // namespace dorvana
