#include "background/CAccessRight.h"

CAccessRight::CAccessRight(CSyncObjectInterface& object)
    : object_(object), locked_(object.Lock(CSyncObjectInterface::kInfinite))
{
}

CAccessRight::~CAccessRight()
{
    // An unlock without a lock would hand a semaphore a count nobody took.
    if (locked_)
        object_.Unlock();
}
