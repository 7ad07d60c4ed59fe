#include "report/model/editor_options.h"

#include <algorithm>

#include "base/ini_file.h"
#include "report/model/zoom_table.h"

namespace dorvana {

namespace {

const QString kEditor = QStringLiteral("EditorSestav");
const QString kSections = QStringLiteral("Oddily");

int readInt(const IniFile& ini, const QString& section, const char* key, int def) {
    bool ok = false;
    const int v = ini.value(section, QString::fromLatin1(key)).toInt(&ok);
    return ok ? v : def;
}

bool readBool(const IniFile& ini, const QString& section, const char* key, bool def) {
    return readInt(ini, section, key, def ? 1 : 0) != 0;
}

void writeInt(IniFile& ini, const QString& section, const char* key, int v) {
    ini.setValue(section, QString::fromLatin1(key), QString::number(v));
}

void writeBool(IniFile& ini, const QString& section, const char* key, bool v) {
    writeInt(ini, section, key, v ? 1 : 0);
}

}  // namespace

EditorOptions readEditorOptions(const QString& iniPath, bool nameFields, bool enabledTypeFields) {
    EditorOptions o;
    IniFile ini;
    ini.load(iniPath);  // unreadable: every key its default
    o.ImplMeritko = readInt(ini, kEditor, "ImplMeritko", o.ImplMeritko);
    if (o.ImplMeritko < 0 || o.ImplMeritko >= kZoomStepCount) o.ImplMeritko = kZoomStep100;
    o.RastrX = readInt(ini, kEditor, "RastrX", o.RastrX);
    if (o.RastrX <= 0) o.RastrX = 1;
    o.RastrY = readInt(ini, kEditor, "RastrY", o.RastrY);
    if (o.RastrY <= 0) o.RastrY = 1;
    o.RastrZobrazovat = readBool(ini, kEditor, "RastrZobrazovat", o.RastrZobrazovat);
    o.RastrZarovnavat = readBool(ini, kEditor, "RastrZarovnavat", o.RastrZarovnavat);
    o.MazaniJedne = readBool(ini, kEditor, "MazaniJedne", o.MazaniJedne);
    o.MazaniVice = readBool(ini, kEditor, "MazaniVice", o.MazaniVice);
    o.PocetUndo = readInt(ini, kEditor, "PocetUndo", o.PocetUndo);
    o.UndoSave = readBool(ini, kEditor, "UndoSave", o.UndoSave);
    o.VybSezna = readBool(ini, kEditor, "VybSezna", o.VybSezna);
    o.SledPodle = enabledTypeFields ? readBool(ini, kEditor, "SledPodle", nameFields) : nameFields;

    o.ImplSirka = readInt(ini, kSections, "ImplSirka", o.ImplSirka);
    o.ImplVyska = readInt(ini, kSections, "ImplVyska", o.ImplVyska);
    o.ImplZarovnani = readInt(ini, kSections, "ImplZarovnani", o.ImplZarovnani);
    o.ImplBarvaFontu = readInt(ini, kSections, "ImplBarvaFontu", o.ImplBarvaFontu);
    o.ImplVyskaFontu = readInt(ini, kSections, "ImplVyskaFontu", o.ImplVyskaFontu);
    if (o.ImplVyskaFontu < 0) o.ImplVyskaFontu = int(qint64(o.ImplVyskaFontu) * -72 / 100);
    o.ImplNazevFontu = ini.value(kSections, QStringLiteral("ImplNazevFontu"), o.ImplNazevFontu)
                           .left(kMaxEditorFontNameLength);
    o.ImplStylFontu = readInt(ini, kSections, "ImplStylFontu", o.ImplStylFontu);
    o.ImplCharSet = readInt(ini, kSections, "ImplCharSet", o.ImplCharSet);
    return o;
}

bool writeEditorOptions(const QString& iniPath, const EditorOptions& o, QString* error) {
    IniFile ini;
    if (!ini.load(iniPath, error)) return false;
    writeInt(ini, kEditor, "ImplMeritko", o.ImplMeritko);
    writeInt(ini, kEditor, "RastrX", o.RastrX);
    writeInt(ini, kEditor, "RastrY", o.RastrY);
    writeBool(ini, kEditor, "RastrZobrazovat", o.RastrZobrazovat);
    writeBool(ini, kEditor, "RastrZarovnavat", o.RastrZarovnavat);
    writeBool(ini, kEditor, "MazaniJedne", o.MazaniJedne);
    writeBool(ini, kEditor, "MazaniVice", o.MazaniVice);
    writeInt(ini, kEditor, "PocetUndo", o.PocetUndo);
    writeBool(ini, kEditor, "UndoSave", o.UndoSave);
    writeBool(ini, kEditor, "VybSezna", o.VybSezna);
    writeBool(ini, kEditor, "SledPodle", o.SledPodle);
    writeInt(ini, kSections, "ImplSirka", o.ImplSirka);
    writeInt(ini, kSections, "ImplVyska", o.ImplVyska);
    writeInt(ini, kSections, "ImplZarovnani", o.ImplZarovnani);
    writeInt(ini, kSections, "ImplBarvaFontu", o.ImplBarvaFontu);
    writeInt(ini, kSections, "ImplVyskaFontu", o.ImplVyskaFontu);
    ini.setValue(kSections, QStringLiteral("ImplNazevFontu"),
                 o.ImplNazevFontu.left(kMaxEditorFontNameLength));
    writeInt(ini, kSections, "ImplStylFontu", o.ImplStylFontu);
    writeInt(ini, kSections, "ImplCharSet", o.ImplCharSet);
    return ini.save(error);
}

int EditorOptions::undoCapacity() const {
    return std::clamp(PocetUndo, 1, kMaxUndoCapacity);
}

}  // namespace dorvana
