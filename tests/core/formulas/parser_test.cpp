#include "core/formulas/parser.h"

#include "core/common/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <numbers>
#include <string>
#include <vector>

namespace kinoval::formulas {
namespace {

constexpr double pi = std::numbers::pi;

struct TLookupCall {
    std::string name;
    bool hasBrackets;
    bool absolute;
    int index;
};

// A tiny owner: named values, and a record of every question the parser asked.
struct TVariables {
    std::map<std::string, double> values;
    std::vector<std::string> knownWithoutValue;
    std::vector<TLookupCall> calls;

    static void Lookup(void* context, const TParser&, const std::string& name, bool& available, bool& known,
        double& value, bool hasBrackets, bool absolute, int index)
    {
        auto* self = static_cast<TVariables*>(context);
        self->calls.push_back({ name, hasBrackets, absolute, index });
        const auto found = self->values.find(name);
        known = found != self->values.end();
        available = known;
        value = known ? found->second : 0;
        for (const std::string& n : self->knownWithoutValue) {
            if (n == name) {
                known = true;
                available = false;
            }
        }
    }
};

// Every test runs once under a point and once under a comma decimal separator: nothing but the numbers
// themselves may depend on it.
class Parser : public ::testing::TestWithParam<char> {
protected:
    void SetUp() override
    {
        SetDecimalSeparator(GetParam());
        vars.values = { { "x", 3 }, { "y", 4 }, { "v", 2 }, { "m", 0.5 }, { "sinx", 10 }, { "sin", 7 } };
        parser.SetLookup(&TVariables::Lookup, &vars);
    }
    void TearDown() override { SetDecimalSeparator(0); }

    // The value of text, or NaN with the code in lastCode.
    double Eval(const std::string& text, bool radians = true)
    {
        parser.SetText(text);
        parser.SetRadians(radians);
        parser.Evaluate();
        lastCode = TParser::ErrorCode();
        return lastCode == 0 ? parser.Value() : std::nan("");
    }
    int Code(const std::string& text)
    {
        Eval(text);
        return lastCode;
    }

    TVariables vars;
    TParser parser;
    int lastCode = 0;
};

TEST_P(Parser, NegatedOperandsAndLeadingSigns)
{
    EXPECT_DOUBLE_EQ(Eval("2*-3"), -6);
    EXPECT_DOUBLE_EQ(Eval("2^-1"), 0.5);
    EXPECT_DOUBLE_EQ(Eval("-2^2"), -4);
    EXPECT_DOUBLE_EQ(Eval("x--y"), 7);
    EXPECT_DOUBLE_EQ(Eval("+x"), 3);
    EXPECT_DOUBLE_EQ(Eval("x+-y"), -1);
    EXPECT_DOUBLE_EQ(Eval("x-+-+y"), 7);
    EXPECT_DOUBLE_EQ(Eval("(-x)*(+y)"), -12);
    EXPECT_DOUBLE_EQ(Eval("8/-2*3"), -12);
    EXPECT_DOUBLE_EQ(Eval("2*-3^2"), -18);
    EXPECT_EQ(CleanSigns("-x"), "0-x");
    EXPECT_EQ(CleanSigns("(+x)*(-y)"), "(x)*(0-y)");
    EXPECT_EQ(CleanSigns("a---b"), "a-b");
    EXPECT_EQ(CleanSigns("a;+b^+c*+d/+e\xC3\xB7+f"),
        "a;b^c*d/e\xC3\xB7"
        "f");
}

TEST_P(Parser, PrecedenceAndLeftAssociativity)
{
    EXPECT_DOUBLE_EQ(Eval("1+2*3"), 7);
    EXPECT_DOUBLE_EQ(Eval("(1+2)*3"), 9);
    EXPECT_DOUBLE_EQ(Eval("10-4-3"), 3);
    EXPECT_DOUBLE_EQ(Eval("24/4/3"), 2);
    EXPECT_DOUBLE_EQ(Eval("2^3^2"), 64); // (2^3)^2, not 2^9
    EXPECT_DOUBLE_EQ(Eval("2*3^2"), 18);
    EXPECT_DOUBLE_EQ(Eval("12\xC3\xB7"
                          "4"),
        3);
    EXPECT_DOUBLE_EQ(Eval("((x))*((y))"), 12);
    EXPECT_DOUBLE_EQ(Eval("m*v^2/2"), 1);
}

TEST_P(Parser, FunctionsInBothAngleModes)
{
    EXPECT_NEAR(Eval("ArcTan(1;1)"), pi / 4, 1e-15);
    EXPECT_NEAR(Eval("ArcTan(1;1)", false), 45, 1e-12);
    EXPECT_NEAR(Eval("arctan(1;-1)"), 3 * pi / 4, 1e-15); // ordinate first, then abscissa
    EXPECT_NEAR(Eval("sin(30)", false), 0.5, 1e-15);
    EXPECT_NEAR(Eval("cos(pi)"), -1, 1e-15);
    EXPECT_NEAR(Eval("TAN(45)", false), 1, 1e-15);
    EXPECT_NEAR(Eval("arcsin(1/2)", false), 30, 1e-12);
    EXPECT_NEAR(Eval("arccos(0)"), pi / 2, 1e-15);
    EXPECT_DOUBLE_EQ(Eval("SIN(x)"), Eval("sin(x)"));
    EXPECT_NEAR(Eval("ln(exp(2))"), 2, 1e-15);
    EXPECT_DOUBLE_EQ(Eval("log(1000)"), 3);
    EXPECT_DOUBLE_EQ(Eval("sqrt(x^2+y^2)"), 5);
    EXPECT_DOUBLE_EQ(Eval("abs(x-y)"), 1);
    EXPECT_DOUBLE_EQ(Eval("2*pi"), 2 * pi);
    EXPECT_DOUBLE_EQ(Eval("PI"), pi);
    // Outer parentheses and functions come off in any interleaving.
    EXPECT_NEAR(Eval("sin((pi/2))"), 1, 1e-15);
    EXPECT_NEAR(Eval("(abs((sqrt((16)))))"), 4, 1e-15);
    EXPECT_NEAR(Eval("sin(cos(0)*pi/2)"), 1, 1e-15);
    EXPECT_NEAR(Eval("ArcTan((1;1))"), pi / 4, 1e-15);
    EXPECT_NEAR(Eval("abs(ArcTan(-1;-1))"), 3 * pi / 4, 1e-15);
}

TEST_P(Parser, NamesFunctionsAndCharacters)
{
    EXPECT_EQ(Code("sin x"), peBadCharacter); // the space, not the unknown "sin"
    EXPECT_EQ(TParser::ErrorText(), " ");
    EXPECT_DOUBLE_EQ(Eval("sinx"), 10);
    EXPECT_DOUBLE_EQ(Eval("sin*2"), 14); // a function name without "(" is a variable
    EXPECT_EQ(Code("z+1"), peUnknownName);
    EXPECT_EQ(TParser::ErrorMessage(), "La formule contient une variable ou une constante inconnue : z");
    EXPECT_EQ(Code("x&2"), peBadCharacter);
    EXPECT_EQ(TParser::ErrorMessage(), "La formule contient un caractère non autorisé ou inapproprié : &");
    EXPECT_EQ(Code("x\xC3\xA9"), peBadCharacter); // an accented letter is quoted whole
    EXPECT_EQ(TParser::ErrorText(), "\xC3\xA9");
    // A byte that is no character, or a control character, is shown escaped rather than sent to a screen.
    EXPECT_EQ(Code("x\x1b[2J"), peBadCharacter);
    EXPECT_EQ(TParser::ErrorMessage(), "La formule contient un caractère non autorisé ou inapproprié : \\x1B");
    EXPECT_EQ(Code("x\xFF"), peBadCharacter);
    EXPECT_EQ(TParser::ErrorMessage(), "La formule contient un caractère non autorisé ou inapproprié : \\xFF");

    vars.values["E\xC2\xB2_1"] = 6;
    EXPECT_DOUBLE_EQ(Eval("E\xC2\xB2_1/2"), 3);
    parser.SetText("x*y+X+x");
    parser.Parse();
    EXPECT_EQ(TParser::ErrorCode(), peUnknownName); // names are matched by the owner; "X" is not "x" here
    vars.values["X"] = 1;
    parser.SetText("x*y+X+x");
    parser.Parse();
    ASSERT_EQ(TParser::ErrorCode(), 0);
    EXPECT_EQ(parser.Names(), (std::vector<std::string> { "x", "y" })); // case-insensitive, each once

    TParser orphan; // no owner to ask: any name is unknown
    orphan.SetText("x");
    orphan.Evaluate();
    EXPECT_EQ(TParser::ErrorCode(), peUnknownName);
}

TEST_P(Parser, IndexesAsTheLookupSeesThem)
{
    vars.calls.clear();
    parser.SetText("v[i-1]+v[0]+v[I+2]+v[i]+v+v[-3]");
    parser.Evaluate();
    ASSERT_EQ(TParser::ErrorCode(), 0);
    ASSERT_EQ(vars.calls.size(), 12u); // six at parse time, six at evaluation
    const std::vector<TLookupCall> expected {
        { "v", true, false, -1 },
        { "v", true, true, 0 },
        { "v", true, false, 2 },
        { "v", true, false, 0 },
        { "v", false, false, 0 },
        { "v", true, true, -3 },
    };
    for (std::size_t k = 0; k < expected.size(); ++k) {
        for (std::size_t pass : { k, k + 6 }) {
            SCOPED_TRACE(pass);
            EXPECT_EQ(vars.calls[pass].name, expected[k].name);
            EXPECT_EQ(vars.calls[pass].hasBrackets, expected[k].hasBrackets);
            EXPECT_EQ(vars.calls[pass].absolute, expected[k].absolute);
            EXPECT_EQ(vars.calls[pass].index, expected[k].index);
        }
    }
    const auto& tokens = parser.Tokens();
    EXPECT_EQ(tokens[0].kind, tkName);
    EXPECT_EQ(tokens[0].text, "v");

    EXPECT_EQ(Code("v[i"), peMissingBracket);
    EXPECT_EQ(TParser::ErrorMessage(),
        "L'indice d'une variable ou d'une constante est placé entre crochets. Le "
        "crochet fermant est absent ou mal placé. Variable ou constante concernée : v");
    EXPECT_EQ(Code("v[]"), peBadIndex);
    EXPECT_EQ(TParser::ErrorMessage(),
        "L'indice d'une variable ou d'une constante est placée entre crochets. L'indice entre crochets n'est "
        "pas reconnu. Variable ou constante d'indice incorrect : v");
    EXPECT_EQ(Code("v[x]"), peBadIndex);
    EXPECT_EQ(Code("v[i+]"), peBadIndex);
    EXPECT_EQ(Code("v[1.5]"), peBadIndex);
    EXPECT_EQ(Code("v[99999999999999999999]"), peBadIndex); // beyond any row number, not wrapped
}

TEST_P(Parser, PowersOfZeroAndOfNegatives)
{
    EXPECT_DOUBLE_EQ(Eval("0^0"), 1);
    EXPECT_DOUBLE_EQ(Eval("0^2"), 0);
    EXPECT_EQ(Code("(-8)^(1/3)"), peFractionalPower);
    EXPECT_EQ(TParser::ErrorMessage(), "Calcul de la puissance fractionnaire d'un nombre négatif.");
    EXPECT_DOUBLE_EQ(Eval("(-2)^3"), -8);
    EXPECT_DOUBLE_EQ(Eval("(-2)^-2"), 0.25);
    EXPECT_DOUBLE_EQ(Eval("4^(1/2)"), 2);
    EXPECT_EQ(Code("10^400"), pePower);
    EXPECT_EQ(TParser::ErrorMessage(), "Le calcul d'une puissance a échoué.");
    // Zero to a negative power has no value; it must not come out as 0.
    EXPECT_EQ(Code("0^-1"), pePower);
    EXPECT_EQ(Code("(x-3)^(-2)"), pePower);
}

TEST_P(Parser, EvaluationFailures)
{
    EXPECT_EQ(Code("1/0"), peDivisionByZero);
    EXPECT_EQ(TParser::ErrorMessage(), "Division par zéro.");
    EXPECT_EQ(Code("x/(y-4)"), peDivisionByZero);
    EXPECT_EQ(Code("ln(0)"), peLogarithm);
    EXPECT_EQ(Code("log(-x)"), peLogarithm);
    EXPECT_EQ(TParser::ErrorMessage(), "Calcul du logarithme d'un nombre négatif ou nul.");
    EXPECT_EQ(Code("arcsin(2)"), peArcSin);
    EXPECT_EQ(Code("arccos(0-3/2)"), peArcCos);
    EXPECT_EQ(Code("sin(10^300*10^300)"), peSin);
    // Unchecked functions give a value that is not a number, with no code: the table shows "#Nombre!".
    EXPECT_EQ(Code("sqrt(0-1)"), 0);
    EXPECT_TRUE(std::isnan(parser.Value()));
    EXPECT_EQ(Code("sqrt(0-1)+1/0"), 0); // stops at the first value that is not a number
    EXPECT_TRUE(std::isnan(parser.Value()));

    vars.knownWithoutValue = { "v_lam" };
    EXPECT_EQ(Code("v_lam[i]+1"), peUnknownValue);
    EXPECT_EQ(TParser::ErrorMessage(),
        "Variable dont la valeur est inconnue : v_lam. Vérifier que la valeur initiale (v_lam[0] ou v_lam[1]) "
        "est déclarée dans le tableau des constantes.");
}

TEST_P(Parser, StructureErrors)
{
    EXPECT_EQ(Code("2+3;4"), peMisplacedSeparator);
    EXPECT_EQ(TParser::ErrorMessage(),
        "Utiliser le point virgule pour séparer les deux variables d'une fonction. Exemple : ArcTan(x;y).");
    EXPECT_EQ(Code("sin(1;2)"), peMisplacedSeparator);
    EXPECT_EQ(Code("ArcTan(1;2;3)"), peMisplacedSeparator);
    EXPECT_EQ(Code("()"), peEmptyParentheses);
    EXPECT_EQ(TParser::ErrorMessage(), "Paranthèses vides.");
    EXPECT_EQ(Code("sin()"), peFunctionWithoutArgument);
    EXPECT_EQ(TParser::ErrorMessage(), "Fonction sans argument.");
    EXPECT_EQ(Code("3+"), peMissingOperand);
    EXPECT_EQ(TParser::ErrorMessage(), "Opérateur sans opérande(s) : +");
    EXPECT_EQ(Code("*3"), peMissingOperand);
    EXPECT_EQ(Code(""), peEmptyFormula);
    EXPECT_EQ(TParser::ErrorMessage(), "La formule est vide.");
    EXPECT_EQ(Code("+"), peEmptyFormula);
    EXPECT_EQ(Code("(x)(y)"), peMissingOperator);
    EXPECT_EQ(TParser::ErrorMessage(), "Opérandes sans opérateur.");
    EXPECT_EQ(Code("2pi"), peMissingOperator);
    EXPECT_EQ(Code("(x+1"), peOpenNotClosed);
    EXPECT_EQ(TParser::ErrorMessage(), "Une parenthèse ouverte n'a pas été fermée.");
    EXPECT_EQ(Code("x+1)"), peCloseNotOpened);
    EXPECT_EQ(Code(")x("), peCloseNotOpened); // balanced in count, still a closing one first
    EXPECT_EQ(TParser::ErrorMessage(), "Une parenthèse fermée n'a pas été ouverte.");
    EXPECT_EQ(ParserMessage(12, ""), "Erreur non répertoriée.");
}

TEST_P(Parser, DeepNestingIsRefusedNotOverflowed)
{
    const std::string open(100000, '(');
    const std::string close(100000, ')');
    EXPECT_EQ(Code(open + "1" + close), peTooDeep);
    EXPECT_EQ(TParser::ErrorMessage(),
        "La formule est trop imbriquée (plus de 1000 niveaux de parenthèses ou d'opérations).");
    // A flat sum is one level however long it is: a thousand and one terms, or a hundred thousand.
    std::string chain = "1";
    for (int k = 0; k < 1000; ++k)
        chain += "+1";
    EXPECT_DOUBLE_EQ(Eval(chain), 1001);
    for (int k = 1000; k < 100000; ++k)
        chain += k % 2 == 0 ? "-2*1" : "+3";
    EXPECT_DOUBLE_EQ(Eval(chain), 1001 + 49500 * (3 - 2));
    std::string products = "2";
    for (int k = 0; k < 2000; ++k)
        products += k % 2 == 0 ? "*3" : "/3";
    EXPECT_DOUBLE_EQ(Eval(products), 2);
    // Left to right as before: 2^3^2 is (2^3)^2, 10-4-3 is (10-4)-3.
    EXPECT_DOUBLE_EQ(Eval("2^3^2"), 64);
    EXPECT_DOUBLE_EQ(Eval("10-4-3-2-1"), 0);
    EXPECT_DOUBLE_EQ(Eval("2*3+4*5-6/2+sin(0)*7"), 23);
    // Operations nested inside one another do count.
    std::string nested = "1";
    for (int k = 0; k < 1001; ++k)
        nested = "1+2*(" + nested + ")";
    EXPECT_EQ(Code(nested), peTooDeep);
    std::string functions;
    for (int k = 0; k < 3000; ++k)
        functions += "abs(";
    EXPECT_EQ(Code(functions + "1" + std::string(3000, ')')), peTooDeep);
    // Within the limit, deep is fine.
    std::string fine = "1";
    for (int k = 0; k < 300; ++k)
        fine += "+1";
    EXPECT_DOUBLE_EQ(Eval(std::string(300, '(') + fine + std::string(300, ')')), 301);
}

TEST_P(Parser, TokensCarryDepthsAndFlags)
{
    parser.SetText("2*-(x+1)^-y");
    parser.Parse();
    ASSERT_EQ(TParser::ErrorCode(), 0);
    const auto& t = parser.Tokens();
    ASSERT_EQ(t.size(), 9u);
    EXPECT_EQ(t[0].kind, tkNumber);
    EXPECT_EQ(t[1].kind, tkMultiply);
    EXPECT_EQ(t[1].negateNext, 1);
    EXPECT_EQ(t[2].kind, tkOpen);
    EXPECT_EQ(t[2].depth, 1);
    EXPECT_EQ(t[3].depth, 1);
    EXPECT_EQ(t[3].value, 3); // the lookup's answer at parse time is kept
    EXPECT_EQ(t[6].kind, tkClose);
    EXPECT_EQ(t[6].depth, 1); // a closing parenthesis stands at the depth it closes
    EXPECT_EQ(t[7].kind, tkPower);
    EXPECT_EQ(t[7].negateNext, 1);
    EXPECT_EQ(t[7].depth, 0);
    parser.Evaluate();
    EXPECT_DOUBLE_EQ(parser.Value(), -2 * std::pow(4.0, -4.0));
}

TEST_P(Parser, TreeIsBuiltOnceAndFollowsTheValues)
{
    parser.SetText("x*10+y");
    parser.Evaluate();
    const TNoeud* root = parser.Root();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->Tokens()[static_cast<std::size_t>(root->OperatorPosition())].kind, tkPlus);
    EXPECT_DOUBLE_EQ(parser.Value(), 34);
    vars.values["x"] = 5;
    parser.Evaluate();
    EXPECT_EQ(parser.Root(), root);
    EXPECT_DOUBLE_EQ(parser.Value(), 54);
    // A tree error is kept: evaluation stays refused without rebuilding.
    parser.SetText("2+3;4");
    parser.Evaluate();
    EXPECT_EQ(TParser::ErrorCode(), peMisplacedSeparator);
    parser.Evaluate();
    EXPECT_EQ(TParser::ErrorCode(), peMisplacedSeparator);
}

TEST_P(Parser, ErrorIsSharedByAllInstances)
{
    TParser other;
    other.SetText("1/0");
    other.Evaluate();
    EXPECT_EQ(TParser::ErrorCode(), peDivisionByZero);
    EXPECT_EQ(parser.ErrorCode(), peDivisionByZero);
    EXPECT_DOUBLE_EQ(Eval("1+1"), 2);
    EXPECT_EQ(other.ErrorCode(), 0);
}

std::string SeparatorName(const ::testing::TestParamInfo<char>& param)
{
    return param.param == ',' ? "Comma" : "Point";
}

INSTANTIATE_TEST_SUITE_P(Separators, Parser, ::testing::Values('.', ','), SeparatorName);

// The numbers themselves follow the system's decimal separator.
class ParserNumbers : public ::testing::Test {
protected:
    void TearDown() override { SetDecimalSeparator(0); }
    int Evaluate(const std::string& text)
    {
        parser.SetText(text);
        parser.Evaluate();
        return TParser::ErrorCode();
    }
    TParser parser;
};

TEST_F(ParserNumbers, UnderACommaSeparator)
{
    SetDecimalSeparator(',');
    ASSERT_EQ(Evaluate("1,5"), 0);
    EXPECT_DOUBLE_EQ(parser.Value(), 1.5);
    EXPECT_EQ(Evaluate("1,5,2"), peBadNumber);
    EXPECT_EQ(TParser::ErrorMessage(), "Nombre incorrect : 1,5,2");
    ASSERT_EQ(Evaluate(",25*4"), 0);
    EXPECT_DOUBLE_EQ(parser.Value(), 1);
    ASSERT_EQ(Evaluate("2,5E-3"), 0);
    EXPECT_DOUBLE_EQ(parser.Value(), 0.0025);
    EXPECT_EQ(Evaluate("1.5"), peBadCharacter);
    EXPECT_EQ(TParser::ErrorText(), ".");
    ASSERT_EQ(Evaluate("ArcTan(1;2,5)"), 0); // the argument separator and the decimal one do not meet
    EXPECT_DOUBLE_EQ(parser.Value(), std::atan2(1, 2.5));
}

TEST_F(ParserNumbers, UnderAPointSeparator)
{
    SetDecimalSeparator('.');
    ASSERT_EQ(Evaluate("1.5"), 0);
    EXPECT_DOUBLE_EQ(parser.Value(), 1.5);
    EXPECT_EQ(Evaluate("1.5.2"), peBadNumber);
    EXPECT_EQ(Evaluate("1,5"), peBadCharacter);
    ASSERT_EQ(Evaluate("3.e2"), 0);
    EXPECT_DOUBLE_EQ(parser.Value(), 300);
    ASSERT_EQ(Evaluate("1e+2+1E2"), 0);
    EXPECT_DOUBLE_EQ(parser.Value(), 200);
    EXPECT_EQ(Evaluate("2e"), peBadNumber);
    EXPECT_EQ(TParser::ErrorText(), "2e");
    EXPECT_EQ(Evaluate("2e+"), peBadNumber);
    EXPECT_EQ(Evaluate("."), peBadNumber);
    EXPECT_EQ(Evaluate("1e999"), peBadNumber); // the conversion refuses it: no infinity gets in
}

} // namespace
} // namespace kinoval::formulas
