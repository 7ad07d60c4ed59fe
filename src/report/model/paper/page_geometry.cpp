#include "report/model/paper/page_geometry.h"
