#include "platform.h"

namespace tallyo {

Platform& platform()
{
    static Platform instance;
    return instance;
}

}
