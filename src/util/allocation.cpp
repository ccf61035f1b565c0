#include "allocation.h"

#include <malloc.h>

namespace tallyo {

void KeepLargeBlocksForReuse()
{
    constexpr int blockLimit = 256 << 20;
    mallopt(M_MMAP_THRESHOLD, blockLimit);
    mallopt(M_TRIM_THRESHOLD, blockLimit);
}

}
