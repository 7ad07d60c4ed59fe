#include "report/model/function_definition.h"
