#include "registeractions.h"

namespace tallyo {

RegisterActions& registerActions()
{
    static RegisterActions instance;
    return instance;
}

void ResetRegisterActions()
{
    registerActions() = RegisterActions();
}

}
