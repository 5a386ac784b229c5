#include "core/formulas/parser.h"

#include "core/common/numbers.h"
#include "core/common/system_errors.h"
#include "core/common/texts.h"
#include "core/common/tolerance.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <numbers>
#include <system_error>

namespace kinoval::formulas {

namespace {

// The error of the last operation, for every parser instance (see the header).
int g_errorCode = 0;
std::string g_errorText;

constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

// UTF-8 spellings of the three characters outside ASCII that the language knows.
constexpr std::string_view kDivideSign = "\xC3\xB7"; // ÷
constexpr std::string_view kSquare = "\xC2\xB2"; // ²
constexpr std::string_view kCube = "\xC2\xB3"; // ³

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}
bool IsLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool StartsWith(std::string_view text, std::size_t pos, std::string_view what)
{
    return text.substr(pos, what.size()) == what;
}

// Length of the name character at pos (letters, "_", "²", "³"), 0 when there is none.
std::size_t NameCharLength(std::string_view text, std::size_t pos)
{
    const char c = text[pos];
    if (IsLetter(c) || c == '_')
        return 1;
    if (StartsWith(text, pos, kSquare) || StartsWith(text, pos, kCube))
        return 2;
    return 0;
}

// The whole UTF-8 sequence at pos, so that a refused accented letter is quoted intact.
std::string CharacterAt(std::string_view text, std::size_t pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t length = 1;
    if (lead >= 0xF0 && lead < 0xF8)
        length = 4;
    else if (lead >= 0xE0)
        length = lead < 0xF0 ? 3 : 1;
    else if (lead >= 0xC0)
        length = 2;
    if (pos + length > text.size())
        length = 1;
    for (std::size_t k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(text[pos + k]) & 0xC0) != 0x80)
            return std::string(1, text[pos]);
    }
    return std::string(text.substr(pos, length));
}

bool SameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

struct TFunctionName {
    std::string_view name;
    std::uint8_t kind;
};

constexpr std::array<TFunctionName, 11> kFunctions { {
    { "SIN", tkSin },
    { "COS", tkCos },
    { "LN", tkLn },
    { "LOG", tkLog },
    { "EXP", tkExp },
    { "ABS", tkAbs },
    { "TAN", tkTan },
    { "SQRT", tkSqrt },
    { "ARCSIN", tkArcSin },
    { "ARCCOS", tkArcCos },
    { "ARCTAN", tkArcTan },
} };

std::string ReplaceAll(const std::string& text, std::string_view from, std::string_view to, bool& changed)
{
    std::size_t found = text.find(from);
    if (found == std::string::npos)
        return text;
    changed = true;
    std::string out;
    out.reserve(text.size());
    std::size_t start = 0;
    while (found != std::string::npos) {
        out.append(text, start, found - start);
        out.append(to);
        start = found + from.size();
        found = text.find(from, start);
    }
    out.append(text, start, std::string::npos);
    return out;
}

// The operator groups in the order the tree looks for them: the first group found is applied last.
bool InGroup(std::uint8_t kind, int group)
{
    switch (group) {
    case 0:
        return kind == tkSeparator;
    case 1:
        return kind == tkPlus || kind == tkMinus;
    case 2:
        return kind == tkDivide || kind == tkMultiply;
    default:
        return kind == tkPower;
    }
}

// No token of tokens[first, last) stands below depth.
bool NothingLower(std::span<const TElemPile> tokens, std::size_t first, std::size_t last, int depth)
{
    for (std::size_t k = first; k < last; ++k) {
        if (tokens[k].depth < depth)
            return false;
    }
    return true;
}

double Power(double base, double exponent, int& code)
{
    if (exponent == 0)
        return 1;
    double result;
    if (base > 0) {
        result = std::pow(base, exponent);
    } else if (base == 0) {
        // Zero raised to a negative power is a division by zero, not zero.
        if (exponent < 0) {
            code = pePower;
            return 0;
        }
        return 0;
    } else {
        if (exponent != std::trunc(exponent)) {
            code = peFractionalPower;
            return 0;
        }
        result = std::pow(base, exponent);
    }
    if (!std::isfinite(result)) {
        code = pePower;
        return 0;
    }
    return result;
}

} // namespace

std::string CleanSigns(std::string_view text)
{
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 9> kRules { {
        { ";+", ";" },
        { "+-", "-" },
        { "-+", "-" },
        { "--", "+" },
        { "++", "+" },
        { "*+", "*" },
        { "/+", "/" },
        { "\xC3\xB7+", "\xC3\xB7" },
        { "^+", "^" },
    } };
    std::string s(text);
    bool changed = true;
    while (changed) {
        changed = false;
        for (const auto& [from, to] : kRules)
            s = ReplaceAll(s, from, to, changed);
    }
    // A sign at the start or right after "(": "+x" is x, "-x" reads 0-x.
    std::string out;
    out.reserve(s.size() + 4);
    for (std::size_t i = 0; i < s.size(); ++i) {
        const bool leading = i == 0 || s[i - 1] == '(';
        if (leading && s[i] == '+')
            continue;
        if (leading && s[i] == '-')
            out += '0';
        out += s[i];
    }
    return out;
}

std::string ParserMessage(int code, const std::string& typed)
{
    // What is quoted comes from the typed text or a study file: shown as clean text.
    const std::string quoted = EscapeForMessage(typed, 200);
    switch (code) {
    case 0:
        return {};
    case 1:
        return Tr("Une parenthèse ouverte n'a pas été fermée.");
    case 2:
        return Tr("Une parenthèse fermée n'a pas été ouverte.");
    case 3:
        return Tr("Paranthèses vides.");
    case 4:
        return FormatText(Tr("Nombre incorrect : %s"), { quoted });
    case 5:
        return Tr("Le calcul d'un cosinus a échoué.");
    case 6:
        return Tr("Le calcul d'un sinus a échoué.");
    case 7:
        return Tr("Le calcul d'une tangente a échoué.");
    case 8:
        return Tr("Le calcul d'un arc cosinus a échoué.");
    case 9:
        return Tr("Le calcul d'un arc sinus a échoué.");
    case 10:
        return Tr("Le calcul d'une arc tangente a échoué.");
    case 11:
        return Tr("Calcul du logarithme d'un nombre négatif ou nul.");
    case 13:
        return Tr("Calcul de la racine carrée d'un nombre négatif.");
    case 14:
        return Tr("Division par zéro.");
    case 15:
        return Tr("Calcul de la puissance fractionnaire d'un nombre négatif.");
    case 16:
        return Tr("Le calcul d'une exponentielle a échoué.");
    case 17:
        return Tr("Le calcul d'une puissance a échoué.");
    case 18:
        return Tr("Chaîne de caractères vide");
    case 19:
        return Tr("Le résultat d'un calcul est un nombre trop grand ou trop petit.");
    case 20:
        return FormatText(Tr("La formule contient une variable ou une constante inconnue : %s"), { quoted });
    case 21:
        return FormatText(Tr("La formule contient un caractère non autorisé ou inapproprié : %s"), { quoted });
    case 22:
        return FormatText(Tr("L'indice d'une variable ou d'une constante est placée entre crochets. L'indice entre "
                             "crochets n'est pas reconnu. Variable ou constante d'indice incorrect : %s"),
            { quoted });
    case 23:
        return Tr("Fonction sans argument.");
    case 24:
        return FormatText(Tr("Opérateur sans opérande(s) : %s"), { quoted });
    case 25:
        return Tr("Opérandes sans opérateur.");
    case 26:
        return Tr("La formule est vide.");
    case 28:
        return FormatText(Tr("Variable dont la valeur est inconnue : %s. Vérifier que la valeur initiale (%s ou %s) "
                             "est déclarée dans le tableau des constantes."),
            { quoted, quoted + "[0]", quoted + "[1]" });
    case 29:
        return FormatText(Tr("L'indice d'une variable ou d'une constante est placé entre crochets. Le crochet "
                             "fermant est absent ou mal placé. Variable ou constante concernée : %s"),
            { quoted });
    case 30:
        return Tr("Utiliser le point virgule pour séparer les deux variables d'une fonction. Exemple : ArcTan(x;y).");
    case 31:
        return FormatText(Tr("La formule est trop imbriquée (plus de %s niveaux de parenthèses ou d'opérations)."),
            { std::to_string(kMaxTreeDepth) });
    default:
        return Tr("Erreur non répertoriée.");
    }
}

// ---------------------------------------------------------------------------------------------- TNoeud

TNoeud::TNoeud(std::span<const TElemPile> tokens, const TParser& owner, TLookupProc lookup, void* context)
    : m_tokens(tokens)
    , m_owner(owner)
    , m_lookup(lookup)
    , m_context(context)
{
}

int TNoeud::Build(int level, std::string& quoted)
{
    // Outer parentheses and whole-node functions come off, in any interleaving: sin((x)) and (sin(x)).
    for (;;) {
        if (++level > kMaxTreeDepth)
            return peTooDeep;
        const std::size_t n = m_tokens.size();
        if (n >= 2 && m_tokens.front().kind == tkOpen && m_tokens.back().kind == tkClose
            && m_tokens.front().depth == m_tokens.back().depth
            && NothingLower(m_tokens, 1, n - 1, m_tokens.front().depth)) {
            m_tokens = m_tokens.subspan(1, n - 2);
            if (m_tokens.empty())
                return peEmptyParentheses;
            continue;
        }
        if (n >= 3 && IsFunctionKind(m_tokens[0].kind) && m_tokens[1].kind == tkOpen && m_tokens.back().kind == tkClose
            && m_tokens.back().depth == m_tokens[1].depth && NothingLower(m_tokens, 2, n - 1, m_tokens[1].depth)) {
            m_functions.push_back(m_tokens[0].kind);
            m_tokens = m_tokens.subspan(2, n - 3);
            if (m_tokens.empty())
                return peFunctionWithoutArgument;
            continue;
        }
        break;
    }

    int dmin = m_tokens.front().depth;
    int dmax = dmin;
    for (const TElemPile& token : m_tokens) {
        dmin = std::min(dmin, token.depth);
        dmax = std::max(dmax, token.depth);
    }
    // Searching from the right makes every operator, "^" included, associate to the left.
    for (int d = dmin; d <= dmax; ++d) {
        for (int group = 0; group < 4; ++group) {
            std::size_t last = m_tokens.size();
            for (std::size_t k = m_tokens.size(); k-- > 0;) {
                if (m_tokens[k].depth == d && InGroup(m_tokens[k].kind, group)) {
                    last = k;
                    break;
                }
            }
            if (last == m_tokens.size())
                continue;
            // Every operator of the group at this depth makes one flat chain, a + b - c + ...: the node of
            // the rightmost one has the rest of the chain as its left child, and so on down. The chain is
            // laid out in one pass and counts as one level, so a sum of a thousand terms is not "too deep"
            // and costs no more than its length.
            std::vector<std::size_t> chain;
            for (std::size_t k = 0; k <= last; ++k)
                if (m_tokens[k].depth == d && InGroup(m_tokens[k].kind, group))
                    chain.push_back(k);
            // The checks and the children go in the order a node-by-node build would take: the operators
            // from the right, then the chain's first operand, then the right operands from the left.
            std::vector<TNoeud*> spine;
            spine.reserve(chain.size());
            TNoeud* node = this;
            for (std::size_t i = chain.size(); i-- > 0;) {
                const std::size_t k = chain[i];
                const TElemPile& op = m_tokens[k];
                if (k == 0 || k + 1 == node->m_tokens.size()) {
                    quoted = op.text;
                    return peMissingOperand;
                }
                if (op.kind == tkSeparator && (node->m_functions.empty() || node->m_functions.back() != tkArcTan))
                    return peMisplacedSeparator;
                node->m_position = static_cast<int>(k);
                node->m_left = std::make_unique<TNoeud>(m_tokens.first(k), m_owner, m_lookup, m_context);
                node->m_right = std::make_unique<TNoeud>(node->m_tokens.subspan(k + 1), m_owner, m_lookup, m_context);
                spine.push_back(node);
                if (i > 0)
                    node = node->m_left.get();
            }
            if (int code = spine.back()->m_left->Build(level, quoted))
                return code;
            for (std::size_t i = spine.size(); i-- > 0;)
                if (int code = spine[i]->m_right->Build(level, quoted))
                    return code;
            return 0;
        }
    }
    if (m_tokens.size() == 1 && (m_tokens[0].kind == tkNumber || m_tokens[0].kind == tkName)) {
        m_position = 0;
        return 0;
    }
    return peMissingOperator;
}

TNoeud::~TNoeud()
{
    // A long chain is a long line of left children: taken apart one by one, not by nested destructors.
    std::unique_ptr<TNoeud> next = std::move(m_left);
    while (next) {
        std::unique_ptr<TNoeud> after = std::move(next->m_left);
        next.reset();
        next = std::move(after);
    }
}

double TNoeud::Evaluate(bool radians, int& code, std::string& quoted) const
{
    if (!m_left)
        return EvaluateLeaf(radians, code, quoted);
    if (!m_left->m_left) {
        const double left = m_left->EvaluateLeaf(radians, code, quoted);
        if (code != 0 || std::isnan(left))
            return left;
        return Combine(left, radians, code, quoted);
    }
    // A chain of left children is walked down once and evaluated back up, without nested calls: the same
    // values, in the same order, as evaluating each node's left child first.
    std::vector<const TNoeud*> spine;
    for (const TNoeud* node = this; node->m_left; node = node->m_left.get())
        spine.push_back(node);
    double value = spine.back()->m_left->EvaluateLeaf(radians, code, quoted);
    for (std::size_t i = spine.size(); i-- > 0;) {
        if (code != 0 || std::isnan(value))
            return value;
        value = spine[i]->Combine(value, radians, code, quoted);
    }
    return value;
}

double TNoeud::Combine(double left, bool radians, int& code, std::string& quoted) const
{
    double right = m_right->Evaluate(radians, code, quoted);
    if (code != 0 || std::isnan(right))
        return right;
    const TElemPile& op = m_tokens[static_cast<std::size_t>(m_position)];
    if (op.negateNext)
        right = -right;
    double v = 0;
    switch (op.kind) {
    case tkPlus:
        v = left + right;
        break;
    case tkMinus:
        v = left - right;
        break;
    case tkMultiply:
        v = left * right;
        break;
    case tkDivide:
        if (IsZero(right)) {
            code = peDivisionByZero;
            return 0;
        }
        v = left / right;
        break;
    case tkPower:
        v = Power(left, right, code);
        if (code != 0)
            return 0;
        break;
    case tkSeparator:
        // The two arguments of ArcTan: the innermost function, checked when the tree was built.
        return ApplyFunctions(left, right, radians, code);
    default:
        code = peBadLeaf;
        return 0;
    }
    return ApplyFunctions(v, 0, radians, code);
}

double TNoeud::EvaluateLeaf(bool radians, int& code, std::string& quoted) const
{
    if (m_left) // a node whose left child is an operator node: the general path
        return Evaluate(radians, code, quoted);
    const TElemPile& leaf = m_tokens[static_cast<std::size_t>(m_position)];
    double v = 0;
    if (leaf.kind == tkNumber) {
        v = leaf.value;
    } else if (leaf.kind == tkName) {
        bool available = false;
        bool known = false;
        if (m_lookup != nullptr)
            m_lookup(m_context, m_owner, leaf.text, available, known, v, leaf.hasBrackets != 0, leaf.absoluteIndex != 0,
                leaf.index);
        if (!available) {
            code = peUnknownValue;
            quoted = leaf.text;
            return 0;
        }
    } else {
        code = peBadLeaf;
        return 0;
    }
    return ApplyFunctions(v, 0, radians, code);
}

double TNoeud::ApplyFunctions(double v, double right, bool radians, int& code) const
{
    std::size_t count = m_functions.size();
    const bool pair = m_position >= 0 && m_tokens[static_cast<std::size_t>(m_position)].kind == tkSeparator && m_left;
    if (pair) {
        v = std::atan2(v, right);
        if (!radians)
            v *= kDegreesPerRadian;
        --count; // the ArcTan that took the pair
    }
    const double toRadians = radians ? 1.0 : 1.0 / kDegreesPerRadian;
    const double fromRadians = radians ? 1.0 : kDegreesPerRadian;
    for (std::size_t k = count; k-- > 0;) {
        if (std::isnan(v))
            return v; // a value that is not a number goes up unchanged, as through the operators
        double r = 0;
        int failure = 0;
        switch (m_functions[k]) {
        case tkSin:
            r = std::sin(v * toRadians);
            failure = peSin;
            break;
        case tkCos:
            r = std::cos(v * toRadians);
            failure = peCos;
            break;
        case tkTan:
            r = std::tan(v * toRadians);
            failure = peTan;
            break;
        case tkArcSin:
            r = std::asin(v) * fromRadians;
            failure = peArcSin;
            break;
        case tkArcCos:
            r = std::acos(v) * fromRadians;
            failure = peArcCos;
            break;
        case tkArcTan:
            r = std::atan(v) * fromRadians;
            failure = peArcTan;
            break;
        case tkLn:
        case tkLog:
            if (!(v > 0)) {
                code = peLogarithm;
                return 0;
            }
            r = m_functions[k] == tkLn ? std::log(v) : std::log10(v);
            break;
        case tkExp:
            r = std::exp(v);
            break;
        case tkAbs:
            r = std::fabs(v);
            break;
        case tkSqrt:
            r = std::sqrt(v);
            break;
        default:
            code = peBadLeaf;
            return 0;
        }
        if (failure != 0 && !std::isfinite(r)) {
            code = failure;
            return 0;
        }
        v = r;
    }
    return v;
}

// --------------------------------------------------------------------------------------------- TParser

TParser::TParser()
{
    m_tokens.reserve(128);
}

TParser::~TParser() = default;

void TParser::SetText(std::string_view text)
{
    m_text = std::string(text);
    m_work.clear();
    m_tokens.clear();
    m_names.clear();
    m_root.reset();
    m_parsed = false;
    m_parseCode = 0;
    m_treeBuilt = false;
    m_treeCode = 0;
    g_errorCode = 0;
    g_errorText.clear();
}

void TParser::SetLookup(TLookupProc lookup, void* context)
{
    m_lookup = lookup;
    m_context = context;
    // Names were checked, and leaves wired, with the previous owner.
    m_root.reset();
    m_parsed = false;
    m_treeBuilt = false;
}

int TParser::ErrorCode()
{
    return g_errorCode;
}

std::string TParser::ErrorMessage()
{
    return ParserMessage(g_errorCode, g_errorText);
}

const std::string& TParser::ErrorText()
{
    return g_errorText;
}

void TParser::SetError(int code, std::string quoted)
{
    g_errorCode = code;
    g_errorText = std::move(quoted);
}

void TParser::Parse()
{
    m_tokens.clear();
    m_names.clear();
    m_root.reset();
    m_treeBuilt = false;
    m_treeCode = 0;
    m_parseQuoted.clear();
    m_parseCode = Tokenize();
    m_parsed = true;
    SetError(m_parseCode, m_parseQuoted);
}

void TParser::Build()
{
    if (!m_parsed)
        Parse();
    if (m_parseCode != 0) {
        SetError(m_parseCode, m_parseQuoted);
        return;
    }
    if (!m_treeBuilt) {
        m_root = std::make_unique<TNoeud>(std::span<const TElemPile>(m_tokens), *this, m_lookup, m_context);
        m_treeQuoted.clear();
        m_treeCode = m_root->Build(0, m_treeQuoted);
        m_treeBuilt = true;
    }
    SetError(m_treeCode, m_treeQuoted);
}

void TParser::Evaluate()
{
    Build();
    if (m_parseCode != 0 || m_treeCode != 0)
        return;
    int code = 0;
    std::string quoted;
    m_value = m_root->Evaluate(m_radians, code, quoted);
    SetError(code, std::move(quoted));
}

void TParser::AddName(const std::string& name)
{
    for (const std::string& known : m_names) {
        if (SameName(known, name))
            return;
    }
    m_names.push_back(name);
}

int TParser::ReadNumber(std::size_t& pos, char separator)
{
    const std::string_view text = m_work;
    const std::size_t start = pos;
    std::size_t p = pos;
    while (p < text.size() && IsDigit(text[p]))
        ++p;
    if (p < text.size() && text[p] == separator) {
        ++p;
        while (p < text.size() && IsDigit(text[p]))
            ++p;
    }
    bool bad = false;
    if (p < text.size() && (text[p] == 'E' || text[p] == 'e')) {
        ++p;
        if (p < text.size() && (text[p] == '+' || text[p] == '-'))
            ++p;
        const std::size_t digits = p;
        while (p < text.size() && IsDigit(text[p]))
            ++p;
        bad = p == digits;
    }
    if (p < text.size() && text[p] == separator)
        bad = true;
    double value = 0;
    if (!bad) {
        std::string normal(text.substr(start, p - start));
        std::replace(normal.begin(), normal.end(), separator, '.');
        const auto [end, ec] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
        bad = ec != std::errc() || end != normal.data() + normal.size() || !std::isfinite(value);
    }
    if (bad) {
        // Quote the whole malformed run, "1,5,2" rather than "1,5".
        while (p < text.size() && (IsDigit(text[p]) || text[p] == separator))
            ++p;
        m_parseQuoted = std::string(text.substr(start, p - start));
        return peBadNumber;
    }
    TElemPile token;
    token.kind = tkNumber;
    token.text = std::string(text.substr(start, p - start));
    token.value = value;
    m_tokens.push_back(std::move(token));
    pos = p;
    return 0;
}

int TParser::ReadName(std::size_t& pos, int depth)
{
    const std::string_view text = m_work;
    std::size_t run = pos;
    while (run < text.size() && IsLetter(text[run]))
        ++run;
    const std::string_view letters = text.substr(pos, run - pos);
    TElemPile token;
    token.depth = depth;
    if (SameName(letters, "pi")) {
        token.kind = tkNumber;
        token.text = std::string(letters);
        token.value = std::numbers::pi;
        m_tokens.push_back(std::move(token));
        pos = run;
        return 0;
    }
    if (run < text.size() && text[run] == '(') {
        for (const TFunctionName& function : kFunctions) {
            if (SameName(letters, function.name)) {
                token.kind = function.kind;
                token.text = std::string(letters);
                m_tokens.push_back(std::move(token));
                pos = run;
                return 0;
            }
        }
    }
    std::size_t p = pos;
    while (p < text.size()) {
        if (const std::size_t length = NameCharLength(text, p))
            p += length;
        else if (IsDigit(text[p]))
            ++p;
        else
            break;
    }
    token.kind = tkName;
    token.text = std::string(text.substr(pos, p - pos));
    if (p < text.size() && text[p] == '[') {
        const std::size_t close = text.find(']', p + 1);
        if (close == std::string_view::npos) {
            m_parseQuoted = token.text;
            return peMissingBracket;
        }
        std::string_view inside = text.substr(p + 1, close - p - 1);
        const bool relative = !inside.empty() && (inside[0] == 'i' || inside[0] == 'I');
        if (relative)
            inside.remove_prefix(1);
        bool negative = false;
        bool sign = false;
        if (!inside.empty() && (inside[0] == '+' || inside[0] == '-')) {
            negative = inside[0] == '-';
            sign = true;
            inside.remove_prefix(1);
        }
        int index = 0;
        bool ok = std::all_of(inside.begin(), inside.end(), IsDigit);
        if (ok && inside.empty())
            ok = relative && !sign; // "[i]" is the current row; "[]", "[i+]", "[-]" say nothing
        if (ok && !inside.empty()) {
            const auto [end, ec] = std::from_chars(inside.data(), inside.data() + inside.size(), index);
            ok = ec == std::errc() && end == inside.data() + inside.size();
        }
        if (!ok) {
            m_parseQuoted = token.text;
            return peBadIndex;
        }
        token.index = negative ? -index : index;
        token.absoluteIndex = relative ? 0 : 1;
        token.hasBrackets = 1;
        p = close + 1;
    }
    m_tokens.push_back(std::move(token));
    pos = p;
    return 0;
}

int TParser::Tokenize()
{
    m_work = CleanSigns(m_text);
    const std::string_view text = m_work;
    const char separator = DecimalSeparator();
    int depth = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char c = text[pos];
        if (IsDigit(c) || c == separator) {
            if (int code = ReadNumber(pos, separator))
                return code;
            m_tokens.back().depth = depth;
            continue;
        }
        if (NameCharLength(text, pos) != 0) {
            if (int code = ReadName(pos, depth))
                return code;
            continue;
        }
        TElemPile token;
        token.depth = depth;
        std::size_t length = 1;
        switch (c) {
        case '(':
            token.kind = tkOpen;
            if (++depth > kMaxTreeDepth)
                return peTooDeep;
            token.depth = depth;
            break;
        case ')':
            token.kind = tkClose;
            if (--depth < 0)
                return peCloseNotOpened;
            break;
        case '*':
            token.kind = tkMultiply;
            break;
        case '+':
            token.kind = tkPlus;
            break;
        case '-':
            token.kind = tkMinus;
            break;
        case '/':
            token.kind = tkDivide;
            break;
        case ';':
            token.kind = tkSeparator;
            break;
        case '^':
            token.kind = tkPower;
            break;
        default:
            if (StartsWith(text, pos, kDivideSign)) {
                token.kind = tkDivide;
                length = kDivideSign.size();
                break;
            }
            m_parseQuoted = CharacterAt(text, pos);
            return peBadCharacter;
        }
        token.text = std::string(text.substr(pos, length));
        pos += length;
        const bool takesNegation
            = token.kind == tkMultiply || token.kind == tkDivide || token.kind == tkSeparator || token.kind == tkPower;
        if (takesNegation && pos < text.size() && text[pos] == '-') {
            token.negateNext = 1;
            ++pos;
        }
        m_tokens.push_back(std::move(token));
    }
    if (depth > 0)
        return peOpenNotClosed;
    if (m_tokens.empty())
        return peEmptyFormula;
    // Names are looked up once the whole text is read, so that a refused character ("sin x") is reported
    // before the name in front of it.
    for (TElemPile& token : m_tokens) {
        if (token.kind != tkName)
            continue;
        bool available = false;
        bool known = false;
        double value = 0;
        if (m_lookup != nullptr)
            m_lookup(m_context, *this, token.text, available, known, value, token.hasBrackets != 0,
                token.absoluteIndex != 0, token.index);
        if (!known) {
            m_parseQuoted = token.text;
            return peUnknownName;
        }
        token.value = value;
        AddName(token.text);
    }
    return 0;
}

} // namespace kinoval::formulas
