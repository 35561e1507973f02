#include "layout/calculators.h"

#include "layout/main_layout.h"

#include <algorithm>

namespace quantelo {

std::vector<std::string_view> askedFaces()
{
    std::vector<std::string_view> faces{DefaultFont.face};
    const auto collect = [&faces](const FormDescription& form) {
        for (const ControlDescription& control : form.controls) {
            if (std::find(faces.begin(), faces.end(), control.font.face) == faces.end())
                faces.push_back(control.font.face);
        }
    };
    collect(mainForm());
    for (const CalculatorRow& calculator : Calculators)
        collect(calculator.form());
    return faces;
}

} // namespace quantelo
