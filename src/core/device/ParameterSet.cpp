#include "device/ParameterSet.h"

#include "device/ParameterDescriptor.h"

void ParameterSet::InitDefaults()
{
    const auto& descriptors = ParameterDescriptors();
    for (size_t n = 0; n < words.size(); ++n)
        words[n] = descriptors[n].defaultWord;
    type.SelectById(0);
}

bool ParameterSet::Applies(int n) const
{
    return DescriptorApplies(n, type);
}
