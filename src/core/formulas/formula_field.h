#pragma once
// The one-line field in which an expression is typed, with its caret, as the calculator and the formula
// keyboard share it; and the history of the expressions entered there.
//
// The pads insert at the caret. A function button writes the function's name and its opening parenthesis;
// at the end of the text it writes the closing one too, and leaves the caret between them, so that the
// argument is typed in place. The caret counts characters (not bytes): "÷", "²" and "³" are one each.

#include <string>
#include <string_view>
#include <vector>

namespace kinoval::formulas {

class TFormulaField {
public:
    const std::string& Text() const { return m_text; }
    // Characters before the caret.
    int Caret() const { return m_caret; }
    int Length() const;

    // The caret goes to the end.
    void SetText(std::string text);
    void SetText(std::string text, int caret);
    void SetCaret(int caret);

    void Insert(std::string_view text);
    // "Sin" gives "Sin()" at the end of the text, "Sin(" elsewhere; the caret stands after "(".
    void InsertFunction(std::string_view name);
    // Deletes the character before the caret.
    void Backspace();
    void Clear();
    void Home() { m_caret = 0; }
    void End();
    void Left() { SetCaret(m_caret - 1); }
    void Right() { SetCaret(m_caret + 1); }

private:
    std::size_t ByteOffset(int caret) const;

    std::string m_text;
    int m_caret = 0;
};

// What a key gives in an expression field: "," and "." the user's decimal separator, "/" the division sign
// "÷"; anything else as it is.
std::string TranslateTypedText(std::string_view typed);

// The name a trigonometric function button inserts: "Sin", "Cos", "Tan", or their inverses "ArcSin"...
// while the inverse toggle is on. Other names are unchanged.
std::string FunctionButtonName(std::string_view name, bool inverse);

// The expressions entered so far, each once (compared without regard to case), the last at the end, and
// a position for browsing them. Past the end stands the text that was being typed.
class TEntryHistory {
public:
    TEntryHistory();

    const std::vector<std::string>& Entries() const { return m_entries; }
    int Position() const { return m_position; }

    // Moves an entry to the end (an equal one is removed first) and the position past it.
    void Add(const std::string& entry);
    // One step back (not below the first) or forward (not past the end); the entry there, or typing when
    // the position is past the last entry.
    std::string Previous(const std::string& typing);
    std::string Next(const std::string& typing);

private:
    std::vector<std::string> m_entries;
    int m_position = 0;
};

} // namespace kinoval::formulas
