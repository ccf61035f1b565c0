#include "currentaccount.h"

namespace tallyo {

CurrentAccount& currentAccount()
{
    static CurrentAccount instance;
    return instance;
}

void ResetCurrentAccount()
{
    currentAccount() = CurrentAccount();
}

}
