#include "entrystate.h"

namespace tallyo {

EntryFlags& entryFlags()
{
    static EntryFlags instance;
    return instance;
}

void ResetEntryFlags()
{
    entryFlags() = EntryFlags();
}

}
