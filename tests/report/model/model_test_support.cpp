#include "model_test_support.h"

namespace dorvana::test {

QStringList labelFieldNames() {
    return {"cislo",  "nazev1", "nazev2", "barcode", "cislo1", "cislo2",
            "cena",   "popis1", "popis2", "popis3",  "popis4", "datum1",
            "datum2", "logo",   "pozn",   "barbmp",  "calc"};
}

}  // namespace dorvana::test
