#include "registerstate.h"

namespace tallyo {

RegisterState& registerState()
{
    static RegisterState instance;
    return instance;
}

void ResetRegisterState()
{
    registerState() = RegisterState();
}

}
