#pragma once

#include <string>
#include <vector>

// One variant the user can pick in the three model lists: the display text of
// its type split into model prefix, code with features and firmware range.
struct SelectionEntry {
    std::string model;
    std::string code;
    std::string version;
    int typeId = 0;
};

// What the three model lists show as chosen.
struct ModelChoice {
    std::string model;
    std::string code;
    std::string version;

    bool operator==(const ModelChoice&) const = default;
};

// The contents and choices of the three model lists for one ModelChoice.
struct ModelLists {
    std::vector<std::string> models;
    std::vector<std::string> codes;
    std::vector<std::string> versions;
    int modelIndex = -1;
    int codeIndex = -1;
    int versionIndex = -1;
    bool versionEnabled = false;
    // The choice after the rules: an unknown code becomes the first one, an
    // unknown version the last one, no versions an empty one.
    ModelChoice choice;
};

enum class ModelLevel { Model, Code, Version };

// The selectable variants in display order, texts of the current language.
std::vector<SelectionEntry> BuildSelectionList();

// Model texts in list order, each model once (its rows are kept together).
std::vector<std::string> ModelTexts(const std::vector<SelectionEntry>& list);
// Code texts of a model, each run of equal codes once.
std::vector<std::string> CodeTexts(const std::vector<SelectionEntry>& list,
                                   const std::string& model);
// The non-empty firmware ranges of a model and code.
std::vector<std::string> VersionTexts(const std::vector<SelectionEntry>& list,
                                      const std::string& model, const std::string& code);

// The texts of the last entry with the type id, or of the first entry when
// none has it (a variant that cannot be picked by hand).
ModelChoice ChoiceOfType(const std::vector<SelectionEntry>& list, int typeId);
// Type id of the first entry matching all three texts, else of the first entry.
int TypeIdOfChoice(const std::vector<SelectionEntry>& list, const ModelChoice& choice);

// Rebuilds the lists for a choice: the model by exact text, the code when it
// exists else the first, the version when it exists else the last.
ModelLists ResolveModelLists(const std::vector<SelectionEntry>& list, const ModelChoice& choice);

// The choice after the user picked `text` in one list: a new model clears code
// and version, a new code clears the version. Returns false (choice unchanged)
// when the text is the one already chosen.
bool ApplyModelListChange(ModelChoice& choice, ModelLevel changed, const std::string& text);
