// Feeds arbitrary series (NaN, infinities, huge and equal values) to every model's fit and then to its
// pixel conversions and edits: none may crash, hang or leave the iteration unbounded.
#include "core/modelling/exponential_model.h"
#include "core/modelling/linear_models.h"
#include "core/modelling/parabola_model.h"
#include "core/modelling/sinus_models.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace kinoval::modelling;
    if (size < 1 + 4 * sizeof(double))
        return 0;
    const int which = data[0] % 8;
    ++data;
    --size;
    double window[4];
    std::memcpy(window, data, sizeof window);
    data += sizeof window;
    size -= sizeof window;
    std::vector<double> t, y;
    while (size >= 2 * sizeof(double) && t.size() < 64) {
        double pair[2];
        std::memcpy(pair, data, sizeof pair);
        t.push_back(pair[0]);
        y.push_back(pair[1]);
        data += sizeof pair;
        size -= sizeof pair;
    }
    std::unique_ptr<TMdl> model;
    switch (which) {
    case 0:
        model = std::make_unique<TMdlAffine>();
        break;
    case 1:
        model = std::make_unique<TMdlConstant>();
        break;
    case 2:
        model = std::make_unique<TMdlProportionnel>();
        break;
    case 3:
        model = std::make_unique<TMdlParaboleAv>();
        break;
    case 4:
        model = std::make_unique<TMdlExponentiel>();
        break;
    case 5:
        model = std::make_unique<TMdlSinus>();
        break;
    case 6:
        model = std::make_unique<TMdlSinusAe>();
        break;
    default:
        model = std::make_unique<TMdlSinusAl>();
        break;
    }
    model->SetArea(0, 0, 200, 150);
    model->SetWindow(window[0], window[1], window[2], window[3]);
    model->Fit(t, y);
    model->Texts("y", "t");
    model->Statistics();
    model->Polylines();
    model->BeginEdit(100, 75);
    model->Drag(150, 20);
    model->Translate(3, -4);
    for (int h = 0; h < 8; ++h)
        model->MoveHandle(h, 2, -3, TEditSpeed::Normal);
    model->EndEdit();
    model->Texts("y", "t");
    return 0;
}
