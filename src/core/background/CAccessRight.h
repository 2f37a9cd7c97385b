#pragma once

#include "background/CSyncObjectInterface.h"

// Holds a sync object for one bracketed operation (for a Modbus master: from
// Open() to Close()), released however the scope is left.
class CAccessRight {
public:
    explicit CAccessRight(CSyncObjectInterface& object);
    ~CAccessRight();
    CAccessRight(const CAccessRight&) = delete;
    CAccessRight& operator=(const CAccessRight&) = delete;

    bool IsLocked() const { return locked_; }

private:
    CSyncObjectInterface& object_;
    bool locked_;
};
