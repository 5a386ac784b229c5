#include "gui/common/user_dlg_layout.h"

#include "core/common/colour.h"
#include "core/common/user_dlg.h"

#include <algorithm>
#include <cmath>

namespace kinoval {

namespace {

// Below this the window could not hold a word; no real screen comes near it.
constexpr int kSmallestClientWidth = 120;

bool IsBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

int SkipBlanks(const QString& text, int pos)
{
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;
    return pos;
}

int WordEnd(const QString& text, int pos)
{
    while (pos < text.size() && !IsBlank(text[pos]))
        ++pos;
    return pos;
}

QColor ToQColor(TColor colour)
{
    return QColor(int(RedOf(colour)), int(GreenOf(colour)), int(BlueOf(colour)));
}

} // namespace

int UserDlgClientWidth(int screenWidth)
{
    if (screenWidth <= 150)
        return kSmallestClientWidth;
    long width = std::lround(std::log(screenWidth / 150.0) * 220.0);
    return std::max(kSmallestClientWidth, static_cast<int>(width));
}

QString CutAtStart(const QString& text, int room, const QFontMetrics& metrics)
{
    // The longest end that fits: widths grow with the number of characters kept, so a bisection finds it.
    int low = 0;
    int high = static_cast<int>(text.size());
    while (low < high) {
        int mid = (low + high + 1) / 2;
        if (metrics.horizontalAdvance(kUserDlgEllipsis + text.right(mid)) <= room)
            low = mid;
        else
            high = mid - 1;
    }
    QString end = text.right(low);
    if (!end.isEmpty() && end.front().isLowSurrogate())
        end.remove(0, 1); // never show half a character
    return kUserDlgEllipsis + end;
}

QString CutAtEnd(const QString& text, int room, const QFontMetrics& metrics)
{
    int low = 0;
    int high = static_cast<int>(text.size());
    while (low < high) {
        int mid = (low + high + 1) / 2;
        if (metrics.horizontalAdvance(text.left(mid) + kUserDlgEllipsis) <= room)
            low = mid;
        else
            high = mid - 1;
    }
    QString start = text.left(low);
    if (!start.isEmpty() && start.back().isHighSurrogate())
        start.chop(1);
    return start + kUserDlgEllipsis;
}

std::vector<QString> WrapUserDlgText(const QString& text, int kind, int room, const QFontMetrics& metrics)
{
    std::vector<QString> pieces;
    if (kind == lkCutStart || kind == lkCutEnd) {
        if (text.isEmpty())
            return pieces;
        if (metrics.horizontalAdvance(text) <= room)
            pieces.push_back(text);
        else
            pieces.push_back(kind == lkCutStart ? CutAtStart(text, room, metrics) : CutAtEnd(text, room, metrics));
        return pieces;
    }
    const int size = static_cast<int>(text.size());
    int pos = SkipBlanks(text, 0);
    while (pos < size) {
        int lineEnd = WordEnd(text, pos);
        if (metrics.horizontalAdvance(text.mid(pos, lineEnd - pos)) > room) {
            pieces.push_back(CutAtStart(text.mid(pos, lineEnd - pos), room, metrics));
        } else {
            // Add words while the line fits; the blanks between them stay as written.
            while (true) {
                int next = SkipBlanks(text, lineEnd);
                if (next >= size)
                    break;
                int nextEnd = WordEnd(text, next);
                if (metrics.horizontalAdvance(text.mid(pos, nextEnd - pos)) > room)
                    break;
                lineEnd = nextEnd;
            }
            pieces.push_back(text.mid(pos, lineEnd - pos));
        }
        pos = SkipBlanks(text, lineEnd);
    }
    return pieces;
}

TUserDlgGeometry LayoutUserDlg(const TUserDlgLayoutInput& input, const QFontMetrics& metrics)
{
    TUserDlgGeometry g;
    g.clientWidth = UserDlgClientWidth(input.screenWidth);

    int textLeft = kUserDlgMargin;
    if (!input.iconSize.isEmpty()) {
        g.icon = QRect(QPoint(kUserDlgMargin, kUserDlgTop), input.iconSize);
        textLeft = g.icon.x() + g.icon.width() + kUserDlgMargin;
    }
    const int areaWidth = g.clientWidth - textLeft - kUserDlgMargin;

    const int height = metrics.height();
    int y = 4;
    if (input.lines != nullptr) {
        for (const TUserDlgLine& line : *input.lines) {
            const QString text = QString::fromStdString(line.text);
            const QColor colour = ToQColor(line.colour);
            const int indent = line.kind == lkIndented || line.kind == lkBullet ? kUserDlgIndent : 0;
            int textIndent = indent;
            if (line.kind == lkBullet)
                textIndent += metrics.horizontalAdvance(kUserDlgBullet);
            const int room = areaWidth - textIndent - 8;
            const int kind = line.kind >= lkParagraph && line.kind <= lkBullet ? line.kind : lkParagraph;
            std::vector<QString> pieces = WrapUserDlgText(text, kind, room, metrics);
            if (pieces.empty()) {
                y += height / 3; // an empty line is a third of a line high
                continue;
            }
            for (std::size_t i = 0; i < pieces.size(); ++i) {
                if (line.kind == lkBullet && i == 0)
                    g.texts.push_back({ kUserDlgBullet, indent + 4, y, colour });
                g.texts.push_back({ pieces[i], textIndent + 4, y, colour });
                y += height;
            }
        }
    }
    g.textArea = QRect(textLeft, kUserDlgTop, areaWidth, y + 4);

    g.clientHeight = std::max(g.textArea.height(), input.iconSize.isEmpty() ? 0 : input.iconSize.height()) + 28;

    // Buttons: own width or the widest, never below the minimum; one row from the left margin.
    std::vector<int> widths;
    for (const auto& button : input.buttons)
        widths.push_back(metrics.horizontalAdvance(button.caption) + (button.hasGlyph ? kUserDlgGlyphWidth : 0) + 20);
    const int minWidth = std::max(input.buttonsMinWidth, TCustomUserDlg::kMinimumButtonWidth);
    if (input.buttonsSameWidth && !widths.empty()) {
        int widest = std::max(minWidth, *std::max_element(widths.begin(), widths.end()));
        std::fill(widths.begin(), widths.end(), widest);
    } else {
        for (int& width : widths)
            width = std::max(minWidth, width);
    }
    int rowRight = kUserDlgMargin;
    for (std::size_t i = 0; i < widths.size(); ++i)
        rowRight += widths[i] + (i > 0 ? kUserDlgMargin : 0);
    int shift = 0;
    if (!widths.empty()) {
        const int needed = rowRight + kUserDlgMargin;
        if (needed > g.clientWidth)
            g.clientWidth = needed; // the window widens to the row
        else
            shift = (g.clientWidth - needed) / 2; // the row is centred
    }

    if (!widths.empty())
        g.clientHeight += kUserDlgButtonHeight + 28 + kUserDlgSeparatorHeight;
    if (input.checkBox)
        g.clientHeight += input.checkBoxHeight + 14;

    const int buttonTop = g.clientHeight - 14 - kUserDlgButtonHeight;
    int x = kUserDlgMargin + shift;
    for (int width : widths) {
        g.buttons.emplace_back(x, buttonTop, width, kUserDlgButtonHeight);
        x += width + kUserDlgMargin;
    }
    g.separatorVisible = !widths.empty();
    g.separator = QRect(kUserDlgMargin, buttonTop - 14 - kUserDlgSeparatorHeight, g.clientWidth - 2 * kUserDlgMargin,
        kUserDlgSeparatorHeight);
    g.checkBoxVisible = input.checkBox;
    if (input.checkBox) {
        int top = g.separatorVisible ? g.separator.top() - 14 - input.checkBoxHeight
                                     : g.clientHeight - 14 - input.checkBoxHeight;
        g.checkBox = QRect(kUserDlgMargin, top, g.clientWidth - 2 * kUserDlgMargin, input.checkBoxHeight);
    }
    return g;
}

} // namespace kinoval
