#include "config/ModelSelection.h"

#include <algorithm>

#include "device/DeviceTypeRecord.h"
#include "text/CStringTable.h"

namespace {
int IndexOf(const std::vector<std::string>& texts, const std::string& text)
{
    const auto it = std::find(texts.begin(), texts.end(), text);
    return it == texts.end() ? -1 : static_cast<int>(it - texts.begin());
}
} // namespace

std::vector<SelectionEntry> BuildSelectionList()
{
    std::vector<SelectionEntry> list;
    for (const auto& [textId, typeId] : DeviceSelectionList()) {
        DeviceTypeText t = SplitDeviceTypeText(LoadText(textId));
        list.push_back({std::move(t.model), std::move(t.suffix), std::move(t.firmware), typeId});
    }
    return list;
}

std::vector<std::string> ModelTexts(const std::vector<SelectionEntry>& list)
{
    std::vector<std::string> models;
    for (const auto& e : list)
        if (models.empty() || models.back() != e.model)
            models.push_back(e.model);
    return models;
}

std::vector<std::string> CodeTexts(const std::vector<SelectionEntry>& list,
                                   const std::string& model)
{
    std::vector<std::string> codes;
    for (const auto& e : list)
        if (e.model == model && (codes.empty() || codes.back() != e.code))
            codes.push_back(e.code);
    return codes;
}

std::vector<std::string> VersionTexts(const std::vector<SelectionEntry>& list,
                                      const std::string& model, const std::string& code)
{
    std::vector<std::string> versions;
    for (const auto& e : list)
        if (e.model == model && e.code == code && !e.version.empty())
            versions.push_back(e.version);
    return versions;
}

ModelChoice ChoiceOfType(const std::vector<SelectionEntry>& list, int typeId)
{
    if (list.empty())
        return {};
    const SelectionEntry* found = &list.front();
    for (const auto& e : list)
        if (e.typeId == typeId)
            found = &e;
    return {found->model, found->code, found->version};
}

int TypeIdOfChoice(const std::vector<SelectionEntry>& list, const ModelChoice& choice)
{
    for (const auto& e : list)
        if (e.model == choice.model && e.code == choice.code && e.version == choice.version)
            return e.typeId;
    return list.empty() ? 0 : list.front().typeId;
}

ModelLists ResolveModelLists(const std::vector<SelectionEntry>& list, const ModelChoice& choice)
{
    ModelLists lists;
    lists.models = ModelTexts(list);
    lists.modelIndex = IndexOf(lists.models, choice.model);
    lists.choice.model = choice.model;

    lists.codes = CodeTexts(list, choice.model);
    lists.codeIndex = IndexOf(lists.codes, choice.code);
    if (lists.codeIndex < 0 && !lists.codes.empty())
        lists.codeIndex = 0;
    if (lists.codeIndex >= 0)
        lists.choice.code = lists.codes[static_cast<size_t>(lists.codeIndex)];

    lists.versions = VersionTexts(list, choice.model, lists.choice.code);
    lists.versionEnabled = !lists.versions.empty();
    lists.versionIndex = IndexOf(lists.versions, choice.version);
    if (lists.versionIndex < 0)
        lists.versionIndex = static_cast<int>(lists.versions.size()) - 1;
    if (lists.versionIndex >= 0)
        lists.choice.version = lists.versions[static_cast<size_t>(lists.versionIndex)];
    return lists;
}

bool ApplyModelListChange(ModelChoice& choice, ModelLevel changed, const std::string& text)
{
    switch (changed) {
    case ModelLevel::Model:
        if (text == choice.model)
            return false;
        choice = {text, {}, {}};
        return true;
    case ModelLevel::Code:
        if (text == choice.code)
            return false;
        choice.code = text;
        choice.version.clear();
        return true;
    case ModelLevel::Version:
        if (text == choice.version)
            return false;
        choice.version = text;
        return true;
    }
    return false;
}
