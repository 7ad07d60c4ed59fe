#pragma once
// The options of the report editor, kept in sections [EditorSestav] and
// [Oddily] of "sestdll.ini": zoom, raster, confirmations, undo depth and the
// initial properties of inserted elements. Read with their defaults and
// corrections; written back all at once.

#include <QString>

namespace dorvana {

struct EditorOptions {
    // [EditorSestav]
    int ImplMeritko = 6;  // zoom step 0..15 the designer opens with
    int RastrX = 8;       // raster of templates that carry none, 0.01 in; at least 1
    int RastrY = 8;
    bool RastrZobrazovat = true;  // draw the raster dots
    bool RastrZarovnavat = true;  // snap to the raster
    bool MazaniJedne = false;     // ask before deleting one element
    bool MazaniVice = true;       // ask before deleting several elements
    int PocetUndo = 10;           // snapshots kept, current state included
    bool UndoSave = false;        // keep the undo history when saving
    bool VybSezna = true;         // the field list beside the palette
    bool SledPodle = true;        // refer to fields and functions by name
    // [Oddily]: inserted elements
    int ImplSirka = 200;  // width, 0.01 in
    int ImplVyska = 20;   // height, 0.01 in
    int ImplZarovnani = 0;  // 0 left, 1 right, 2 centre
    int ImplBarvaFontu = 0;  // colour table index
    int ImplVyskaFontu = 10;  // points
    QString ImplNazevFontu = QStringLiteral("Arial");
    int ImplStylFontu = 0;
    int ImplCharSet = 238;

    // The undo capacity: values below 1 act as 1, values above
    // kMaxUndoCapacity as that (a mistyped number keeps no endless history).
    int undoCapacity() const;
    bool operator==(const EditorOptions&) const = default;
};

inline constexpr int kMaxEditorFontNameLength = 31;
inline constexpr int kMaxUndoCapacity = 1000;

// Reads the options (a missing file or key gives the default). RastrX/RastrY
// <= 0 become 1; a negative font height v is read as v * -72 / 100; a zoom
// step outside 0..15 becomes 6; SledPodle defaults to nameFields and is
// always nameFields when enabledTypeFields is false.
EditorOptions readEditorOptions(const QString& iniPath, bool nameFields = true,
                                bool enabledTypeFields = false);
// Writes every key, keeping the rest of the file; a file that cannot be read
// is not overwritten. False with a Czech message on failure.
bool writeEditorOptions(const QString& iniPath, const EditorOptions& options,
                        QString* error = nullptr);

}  // namespace dorvana
