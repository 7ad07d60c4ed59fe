#pragma once
// The editor option values the designer works with: undo depth, raster,
// confirmations and the initial properties of inserted elements. The
// application reads them from the settings file and hands them in.

#include <QString>

namespace dorvana {

struct DesignerOptions {
    int zoomIndex = 6;             // ImplMeritko
    int rasterX = 8, rasterY = 8;  // RastrX, RastrY: seeds for templates without a raster
    bool showRaster = true;        // RastrZobrazovat
    bool snapToRaster = true;      // RastrZarovnavat
    bool confirmDeleteOne = false;   // MazaniJedne
    bool confirmDeleteMany = true;   // MazaniVice
    int undoCapacity = 10;         // PocetUndo
    bool keepUndoOnSave = false;   // UndoSave
    bool fieldListBox = true;      // VybSezna
    bool byName = true;            // SledPodle
    // Initial properties of inserted elements ([Oddily]).
    int width = 200;               // ImplSirka
    int height = 20;               // ImplVyska
    int alignment = 0;             // ImplZarovnani
    int fontColour = 0;            // ImplBarvaFontu (colour index)
    int fontSize = 10;             // ImplVyskaFontu
    QString fontName = QStringLiteral("Arial");  // ImplNazevFontu
    int fontStyle = 0;             // ImplStylFontu
    int charset = 238;             // ImplCharSet
};

}  // namespace dorvana
