#pragma once

#include <optional>

#include "support/ScriptedPrompts.h"
#include "widgets/ModalRunner.h"

// Scripted prompts installed as the prompt service while they live; dialogs
// go back to exec() when they end, so a test that fails half-way leaves no
// runner behind. GUI tests keep one in a std::optional member, emplace it in
// init() and reset it in cleanup().
template <typename Prompts = CScriptedPrompts> class CPromptFixture : public Prompts {
public:
    CPromptFixture() = default;
    ~CPromptFixture() { SetModalRunner({}); }
    CPromptFixture(const CPromptFixture&) = delete;
    CPromptFixture& operator=(const CPromptFixture&) = delete;

private:
    CPromptScope scope_{*this};
};
