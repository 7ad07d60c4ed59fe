// The usage texts of dorvana-cli: the whole list, and each command's own
// (`dorvana-cli COMMAND --help`).
#include <cstdio>

#include "cli/commands.h"

namespace dorvana::cli {

namespace {

struct CommandUsage {
    const char* command;
    const char* synopsis;  // the lines of the list
    const char* options;   // what the command's own --help adds
};

const CommandUsage kUsages[] = {
    {"render",
     "  dorvana-cli render TEMPLATE [--table PATH] [--sql TEXT] [--param TEXT]... [--one-record]\n"
     "              [--record N] [--max-records N] [--start-page N] [--end-page N]\n"
     "              [--corrections FILE] [--dpi N] [--out OUT.pdf|OUT.png|OUT.json]\n"
     "              [--printer NAME [--copies N]]\n",
     "      --table PATH        soubor etiket, dBase, Paradox, CSV nebo SQLite,\n"
     "                          nebo tabulka na serveru postgresql://…?table=T\n"
     "      --sql TEXT          vlastní dotaz SQL (jen čtení, jeden příkaz)\n"
     "      --param TEXT        parametr sestavy (lze opakovat)\n"
     "      --one-record        jen jeden záznam: --record N (výchozí první)\n"
     "      --max-records N     nejvýše N + 1 záznamů (jako aplikace)\n"
     "      --start-page N      výstup a tisk od strany N\n"
     "      --end-page N        sestavení končí stranou N (výchozí bez omezení)\n"
     "      --corrections FILE  soubor oprav (jen se čte)\n"
     "      --dpi N             rozlišení PNG, 1 až 2400 (výchozí 300)\n"
     "      --out FILE          .pdf, .png (FILE-1.png, FILE-2.png, …) nebo .json\n"
     "      --printer NAME      tisk na tiskárnu systému (CUPS), s --out i bez něj\n"
     "      --copies N          počet kopií při tisku\n"},
    {"eval", "  dorvana-cli eval EXPR [--table PATH] [--record N] [--param TEXT]...\n",
     "      --table PATH        pole výrazu (#jméno, #číslo) z tabulky\n"
     "      --record N          záznam tabulky, od 1 (výchozí první)\n"
     "      --param TEXT        parametr &1, &2, … (lze opakovat)\n"
     "      vypíše „druh<TAB>hodnota“, nebo „error<TAB>kód<TAB>pozice<TAB>zpráva“,\n"
     "      nebo „failure<TAB>zpráva“; výraz začínající „-“ se píše za „--“\n"},
    {"barcode",
     "  dorvana-cli barcode --format BCFORMAT --data TEXT --out OUT.png [--width W] [--height H]\n"
     "              [--dpi N] [--rotation 0..3] [--font NAME] [--font-size PT]\n",
     "      --format BCFORMAT   formát čárového kódu (20 znaků, např. 031010000120010015#0)\n"
     "      --data TEXT         kódovaný text\n"
     "      --width W, --height H  rozměr prvku v setinách palce (výchozí 200 x 100)\n"
     "      --dpi N             rozlišení (výchozí 300)\n"
     "      --rotation 0..3     otočení po 90°\n"
     "      --font NAME, --font-size PT  písmo popisu\n"},
    {"import", "  dorvana-cli import SOURCE DEST.db [--replace]\n"
               "  dorvana-cli import SOURCE --to postgresql://…?table=T [--replace]\n",
     "      SOURCE              CSV, dBase, Paradox, SQLite, soubor etiket nebo tabulka na serveru\n"
     "      --to URI            tabulka etiket na serveru PostgreSQL (heslo z ~/.pgpass)\n"
     "      --replace           přepsat existující soubor etiket DEST.db (tabulku na serveru)\n"},
    {"export", "  dorvana-cli export SOURCE --csv OUT.csv\n",
     "      SOURCE              kterákoli tabulka (soubor etiket, dBase, Paradox, CSV, SQLite,\n"
     "                          tabulka na serveru postgresql://…?table=T)\n"
     "      --csv OUT.csv       výstup; nesmí to být zdroj sám\n"},
    {"info", "  dorvana-cli info TEMPLATE...\n",
     "      vypíše druh, verzi, papír, oddíly, skupiny, funkce a tiskárny každé předlohy\n"},
    {"sheets", "  dorvana-cli sheets [TEXT] | sheets BRAND PART --apply TEMPLATE\n",
     "      TEXT                značka, číslo výrobku nebo rozměr štítku („70 x 37“)\n"
     "      --apply TEMPLATE    stránka předlohy podle archu (původní zůstane jako .BAK)\n"
     "      --messages          vypsat, co se z katalogu archů nepodařilo načíst\n"},
};

}  // namespace

QString mainUsage() {
    QString text = QStringLiteral("použití:\n");
    for (const CommandUsage& u : kUsages) text += QString::fromUtf8(u.synopsis);
    text += QStringLiteral(
        "  --max-records N tiskne N + 1 záznamů (jako aplikace)\n"
        "  dorvana-cli COMMAND --help   volby příkazu\n"
        "  dorvana-cli --version        verze programu\n");
    return text;
}

int usage(const QString& command) {
    for (const CommandUsage& u : kUsages) {
        if (command != QLatin1String(u.command)) continue;
        std::fputs("použití:\n", stdout);
        std::fputs(u.synopsis, stdout);
        std::fputs(u.options, stdout);
        return 0;
    }
    return 1;
}

}  // namespace dorvana::cli
