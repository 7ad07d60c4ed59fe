#include "base/process_context.h"

namespace dorvana {

ProcessContext& processContext() {
    static ProcessContext context;
    return context;
}

}  // namespace dorvana
