#pragma once

#include <utility>

#include "app/CPrivateException.h"
#include "app/IPromptService.h"

// The user-interface boundary of an operation that may fail: its error is
// shown with the error icon, an abort passes silently. True when the
// operation ran to its end; the caller then goes on, or puts things right
// after a failure (focus a field, reopen an editor).
template <class Operation>
bool RunShowingErrors(Operation&& operation, IPromptService& prompts = Prompts())
{
    try {
        std::forward<Operation>(operation)();
        return true;
    } catch (const CPrivateException& e) {
        if (!e.IsAbort())
            prompts.Error(e.Text());
        return false;
    }
}
