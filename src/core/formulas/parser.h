#pragma once
// The expression language of the formulas and of the calculator.
//
// A TParser turns a text into a list of tokens (TElemPile), the tokens into a tree (TNoeud), and the tree
// into a value. It holds no variables itself: it asks its owner through a lookup callback, once per
// variable token while parsing (does the name exist?) and once per variable leaf while evaluating (what is
// its value on the current row?). The tree is built once and kept until the text changes, so a formula
// computed over thousands of rows is parsed only once.
//
// The error of the last operation (its code and the text its message quotes) is held once for all parser
// instances: a message window may ask for it after the fact without knowing which parser failed. One
// evaluation must therefore finish before another starts; everything runs on the window thread.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kinoval::formulas {

// Token kinds. The values are those the rest of the program stores and compares.
enum TTokenKind : std::uint8_t {
    tkSeparator = 1, // ";" between the two arguments of ArcTan
    tkPlus = 2,
    tkMinus = 3,
    tkDivide = 4, // "/" or "÷"
    tkMultiply = 5,
    tkPower = 6,
    tkSin = 7,
    tkCos = 8,
    tkLn = 9,
    tkLog = 10, // base 10
    tkExp = 11,
    tkAbs = 12,
    tkTan = 13,
    tkSqrt = 14,
    tkArcSin = 15,
    tkArcCos = 16,
    tkArcTan = 17,
    tkNumber = 18, // also the constant pi
    tkName = 19, // variable or constant
    tkOpen = 20,
    tkClose = 21,
};

inline bool IsFunctionKind(std::uint8_t kind)
{
    return kind >= tkSin && kind <= tkArcTan;
}

// Error codes of the parser. The messages are in ParserMessage.
enum TParserError : int {
    peNone = 0,
    peOpenNotClosed = 1,
    peCloseNotOpened = 2,
    peEmptyParentheses = 3,
    peBadNumber = 4,
    peCos = 5,
    peSin = 6,
    peTan = 7,
    peArcCos = 8,
    peArcSin = 9,
    peArcTan = 10,
    peLogarithm = 11,
    peSquareRoot = 13,
    peDivisionByZero = 14,
    peFractionalPower = 15,
    peExponential = 16,
    pePower = 17,
    peEmptyString = 18,
    peOutOfRange = 19,
    peUnknownName = 20,
    peBadCharacter = 21,
    peBadIndex = 22,
    peFunctionWithoutArgument = 23,
    peMissingOperand = 24,
    peMissingOperator = 25,
    peEmptyFormula = 26,
    peBadLeaf = 27,
    peUnknownValue = 28,
    peMissingBracket = 29,
    peMisplacedSeparator = 30,
    peTooDeep = 31,
};

// How deep the tree may grow: nested parentheses and functions, and operators of different priorities
// inside one another. A chain of operators of one priority (a sum of many terms) counts once, whatever its
// length. Building and evaluating nest that deep; the limit keeps a pasted or generated text from
// exhausting the stack.
inline constexpr int kMaxTreeDepth = 1000;

// One token.
struct TElemPile {
    std::uint8_t kind = 0;
    int depth = 0; // parenthesis depth at which the token stands
    int index = 0; // kind 19: the index between brackets, 0 when none
    std::string text; // operator character, number text, variable name (without its brackets)
    double value = 0; // kind 18: the number; kind 19: what the lookup gave while parsing
    std::uint8_t absoluteIndex = 0; // the index is a plain row number, not relative to "i"
    std::uint8_t negateNext = 0; // an operator directly followed by "-": its right operand is negated
    std::uint8_t hasBrackets = 0;
};

class TParser;

// The owner's answer for one name: known tells whether the name exists, available whether it has a value
// (on the current row, for a relative or missing index), value the value. hasBrackets, absoluteIndex and
// index describe what was written after the name.
using TLookupProc = void (*)(void* context, const TParser& caller, const std::string& name, bool& available,
    bool& known, double& value, bool hasBrackets, bool absoluteIndex, int index);

// One node of the expression tree: a slice of the parser's tokens (not owned), its two children (owned;
// none for a leaf), and the functions applied to the whole node, outermost first.
class TNoeud {
public:
    TNoeud(std::span<const TElemPile> tokens, const TParser& owner, TLookupProc lookup, void* context);
    ~TNoeud();
    TNoeud(const TNoeud&) = delete;
    TNoeud& operator=(const TNoeud&) = delete;

    // Builds this node and its children; returns 0 or an error code and sets quoted for the message.
    int Build(int level, std::string& quoted);
    // Evaluates the node; code receives an error code (left 0 on success or on a NaN without error).
    double Evaluate(bool radians, int& code, std::string& quoted) const;

    std::span<const TElemPile> Tokens() const { return m_tokens; }
    const TNoeud* Left() const { return m_left.get(); }
    const TNoeud* Right() const { return m_right.get(); }
    const std::vector<std::uint8_t>& Functions() const { return m_functions; }
    int OperatorPosition() const { return m_position; }
    bool IsLeaf() const { return !m_left; }

private:
    double ApplyFunctions(double v, double right, bool radians, int& code) const;
    // This node's operator applied to its left operand's value and its right child's.
    double Combine(double left, bool radians, int& code, std::string& quoted) const;
    // A leaf's value (or, for an operator node, its Evaluate).
    double EvaluateLeaf(bool radians, int& code, std::string& quoted) const;

    std::span<const TElemPile> m_tokens;
    std::unique_ptr<TNoeud> m_left;
    std::unique_ptr<TNoeud> m_right;
    std::vector<std::uint8_t> m_functions;
    int m_position = -1;
    const TParser& m_owner;
    TLookupProc m_lookup = nullptr;
    void* m_context = nullptr;
};

class TParser {
public:
    TParser();
    ~TParser();
    TParser(const TParser&) = delete;
    TParser& operator=(const TParser&) = delete;

    // Stores the expression; clears tokens, names, tree and the error code.
    void SetText(std::string_view text);
    const std::string& Text() const { return m_text; }
    // Tokenizes; afterwards ErrorCode() is 0 on success.
    void Parse();
    // Parses if not yet done and builds the tree; ErrorCode() then tells whether the text is a well-formed
    // expression over known names, before any value is asked for.
    void Build();
    // Parses if not yet done, builds the tree on first use, evaluates it and stores the value.
    void Evaluate();

    double Value() const { return m_value; }
    static int ErrorCode();
    static std::string ErrorMessage();
    // The quoted text of the last error (a name, a number, an operator).
    static const std::string& ErrorText();
    // Lets a caller (the formulas, the calculator) report its own code through the shared error.
    static void SetError(int code, std::string quoted = {});

    bool IsRadians() const { return m_radians; }
    void SetRadians(bool radians) { m_radians = radians; }
    void SetLookup(TLookupProc lookup, void* context);

    // The variable names met while parsing, each once (case-insensitive).
    const std::vector<std::string>& Names() const { return m_names; }
    // The text after sign clean-up, and the tokens, for the formula keyboard and for tests.
    const std::string& WorkingText() const { return m_work; }
    const std::vector<TElemPile>& Tokens() const { return m_tokens; }
    const TNoeud* Root() const { return m_root.get(); }
    bool IsParsed() const { return m_parsed; }

private:
    int Tokenize();
    int ReadNumber(std::size_t& pos, char separator);
    int ReadName(std::size_t& pos, int depth);
    void AddName(const std::string& name);

    std::string m_text;
    std::string m_work;
    std::vector<TElemPile> m_tokens;
    std::unique_ptr<TNoeud> m_root;
    std::vector<std::string> m_names;
    bool m_radians = true;
    double m_value = 0;
    TLookupProc m_lookup = nullptr;
    void* m_context = nullptr;
    bool m_parsed = false;
    int m_parseCode = 0;
    bool m_treeBuilt = false;
    int m_treeCode = 0;
    std::string m_treeQuoted;
    std::string m_parseQuoted;
};

// Sign clean-up and leading signs, applied before tokenizing (exposed for tests).
std::string CleanSigns(std::string_view text);

// The message of a parser error code, with the quoted text filled in.
std::string ParserMessage(int code, const std::string& quoted);

} // namespace kinoval::formulas
