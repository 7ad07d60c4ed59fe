#include "report/model/paper/page_geometry.h"

namespace dorvana {

PageGeometry& programPageGeometry() {
    static PageGeometry geometry;
    return geometry;
}

}  // namespace dorvana
