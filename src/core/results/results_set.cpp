#include "core/results/results_set.h"

namespace kinoval::results {

namespace {

std::function<std::string(int)> NamesOf(const document::TData& data, TMarkSet set)
{
    return [&data, set](int k) {
        const auto& names = data.Set(set).SystemName;
        return document::ShownObjectName(k >= 0 && k < static_cast<int>(names.size())
                ? names[static_cast<std::size_t>(k)]
                : document::DefaultObjectName(k));
    };
}

} // namespace

TResultsSet::TResultsSet(const document::TData& data)
    : Calc(data)
    , CameraSource(Calc.Fixed(), data, NamesOf(data, TMarkSet::Fixed))
    , TransparentSource(Calc.Transparent(), data, NamesOf(data, TMarkSet::Transparent))
    , Grids(CameraSource, TransparentSource)
{
}

} // namespace kinoval::results
