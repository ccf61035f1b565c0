#include "navigation.h"

namespace tallyo {

Navigation& navigation()
{
    static Navigation instance;
    return instance;
}

}
