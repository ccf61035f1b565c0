#pragma once
// How the program asks the C library for memory.

namespace tallyo {

// Large lists (a register of many thousand rows, the file chunks a scan
// reads) are built and dropped at every reassembly. Served from the heap and
// kept for reuse, their memory is not handed back to the system and faulted
// in afresh each time, which would cost as much as reading the file again.
void KeepLargeBlocksForReuse();

}
