#pragma once
// Makes the designer the one the report operations open (designReport):
// the designer window, modal, on the component's template, opened again on
// the saved template after "save and restart".

namespace dorvana {

void installDesignerLauncher();

}  // namespace dorvana
