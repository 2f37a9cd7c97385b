#include "config/FormField.h"

#include "app/CPrivateException.h"

std::int64_t ReadFormField(const std::string& text, const NumericField& field, int controlId,
                           const FocusControl& focus)
{
    try {
        return ReadNumericField(text, field);
    } catch (const CPrivateException&) {
        if (focus)
            focus(controlId);
        throw;
    }
}
