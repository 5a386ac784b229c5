#include "core/formulas/rec.h"

#include "core/common/texts.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <system_error>

namespace kinoval::formulas {

namespace {

bool IsAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Letters, digits, "_", "²" and "³" after a first letter: exactly what the parser reads as one name, so
// that every accepted name can be used in another formula.
bool IsValidBaseName(std::string_view s)
{
    if (s.empty() || !IsAsciiLetter(s[0]))
        return false;
    for (std::size_t k = 1; k < s.size();) {
        const char c = s[k];
        if (IsAsciiLetter(c) || IsAsciiDigit(c) || c == '_') {
            ++k;
        } else if (s.substr(k, 2) == "\xC2\xB2" || s.substr(k, 2) == "\xC2\xB3") {
            k += 2;
        } else {
            return false;
        }
    }
    return true;
}

bool ReadSignedInteger(std::string_view s, bool signRequired, int& value)
{
    if (s.empty())
        return false;
    bool negative = false;
    if (s[0] == '+' || s[0] == '-') {
        negative = s[0] == '-';
        s.remove_prefix(1);
    } else if (signRequired) {
        return false;
    }
    if (s.empty() || !std::all_of(s.begin(), s.end(), IsAsciiDigit))
        return false;
    int magnitude = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), magnitude);
    if (ec != std::errc() || end != s.data() + s.size())
        return false;
    value = negative ? -magnitude : magnitude;
    return true;
}

// Splits name into its base and the text between brackets; false when the brackets are malformed
// ("a[1", "a[1]b", "a]").
bool SplitName(std::string_view name, std::string_view& base, std::string_view& inside, bool& brackets)
{
    const std::size_t open = name.find('[');
    brackets = open != std::string_view::npos;
    if (!brackets) {
        base = name;
        inside = {};
        return name.find(']') == std::string_view::npos;
    }
    base = name.substr(0, open);
    const std::size_t close = name.find(']', open);
    if (close != name.size() - 1 || name.find('[', open + 1) != std::string_view::npos)
        return false;
    inside = name.substr(open + 1, close - open - 1);
    return true;
}

} // namespace

std::string DefaultComment()
{
    return TrNoop("pas de commentaire saisi");
}
std::string DefaultUnit()
{
    return TrNoop("pas d'unité saisie");
}

std::string ShownText(const std::string& stored)
{
    return stored == DefaultComment() || stored == DefaultUnit() ? Tr(stored) : stored;
}

std::string StoredText(std::string_view shown)
{
    if (!shown.empty() && shown == Tr(DefaultComment()))
        return DefaultComment();
    if (!shown.empty() && shown == Tr(DefaultUnit()))
        return DefaultUnit();
    return std::string(shown);
}

std::string WithoutBlanks(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (!std::isspace(static_cast<unsigned char>(c)))
            out += c;
    }
    return out;
}

void ReadFormulaName(std::string_view name, TRec& rec)
{
    std::string_view base;
    std::string_view inside;
    bool brackets = false;
    const bool wellFormed = SplitName(name, base, inside, brackets);
    rec.baseName = std::string(base);
    rec.nameValid = IsValidBaseName(base) && (wellFormed || brackets);
    rec.hasIndex = brackets;
    rec.offset = 0;
    rec.indexValid = wellFormed;
    if (!brackets || !wellFormed)
        return;
    // [i], [i+k] or [i-k]: the offset of the row the formula's value belongs to.
    if (inside.empty() || (inside[0] != 'i' && inside[0] != 'I')) {
        rec.indexValid = false;
        return;
    }
    inside.remove_prefix(1);
    int k = 0;
    rec.indexValid = inside.empty() || ReadSignedInteger(inside, true, k);
    rec.offset = rec.indexValid ? k : 0;
}

void ReadConstantName(std::string_view name, TRec& rec)
{
    std::string_view base;
    std::string_view inside;
    bool brackets = false;
    const bool wellFormed = SplitName(name, base, inside, brackets);
    rec.baseName = std::string(base);
    rec.nameValid = IsValidBaseName(base) && (wellFormed || brackets);
    rec.hasIndex = brackets;
    rec.indexValid = wellFormed;
    rec.indexText.assign(1, '0'); // not = "0": GCC 12 warns falsely (-Wrestrict) on that assignment
    rec.indexValue = 0;
    if (!brackets || !wellFormed)
        return;
    int n = 0;
    rec.indexValid = ReadSignedInteger(inside, false, n);
    if (rec.indexValid) {
        rec.indexText = std::string(inside);
        rec.indexValue = n;
    }
}

} // namespace kinoval::formulas
