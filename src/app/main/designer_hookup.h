#pragma once
// The designer opens from the main window's print bar ("Tvorba sestavy",
// "Nová sestava") through the report library's designer hand-off.

namespace dorvana {

void installDesigner();

}  // namespace dorvana
