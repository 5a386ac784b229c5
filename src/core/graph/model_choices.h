#pragma once
// The models the user chose on the curves of a study, kept with it.
//
// The results window builds its graphs again each time it shows a page, so a model chosen on a curve is
// remembered here, under a key that names the curve (the page, the mark set, the quantity and the object,
// or the formulas plotted), with the parameters the user set by hand when the model was adjusted. The
// study file keeps them in its section "Modeles":
//   ModelesNumber = n
//   ModeleCourbe_k = the curve's key          ModeleType_k = the model's code (0 .. 8, not 3)
//   ModeleParametresNumber_k = m              ModeleParametre_k_j = the j-th parameter (hand-set models only)
// A study without that section has no model; an entry that cannot be read is left out and said.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace kinoval {
class TIniFile;
}

namespace kinoval::graph {

struct TModelChoice {
    int code = 9;
    // The parameters the user set by hand; empty when the model is fitted to the curve.
    std::vector<double> parameters;
    friend bool operator==(const TModelChoice&, const TModelChoice&) = default;
};

class TModelChoices {
public:
    static constexpr const char* kSection = "Modeles";

    const TModelChoice* Find(const std::string& curveKey) const;
    // Code 9 (no model) forgets the curve's choice.
    void Set(const std::string& curveKey, const TModelChoice& choice);
    void Clear();
    bool Empty() const { return m_choices.empty(); }
    const std::map<std::string, TModelChoice>& All() const { return m_choices; }
    // Changes with every change of a choice (the study is then modified).
    std::uint64_t Generation() const { return m_generation; }

    void Save(TIniFile& file) const;
    // Replaces the choices with the file's; answers a line per entry that was left out.
    std::vector<std::string> Load(const TIniFile& file);

private:
    std::map<std::string, TModelChoice> m_choices;
    std::uint64_t m_generation = 0;
};

// The keys of the curves: the time page's (mark set 0 camera, 1 transparent sheet; the quantity's symbol;
// the object from 0) and the formula page's (the formulas' labels, "t" for the time).
std::string TimeCurveKey(int markSet, const std::string& quantity, int object);
std::string FormulaCurveKey(const std::string& ordinate, const std::string& abscissa);

} // namespace kinoval::graph
