#include "core/montage/montage.h"

#include "core/common/texts.h"
#include "core/common/user_dlg.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <set>

namespace kinoval::montage {

namespace {

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to)
{
    std::size_t at = 0;
    while ((at = text.find(from, at)) != std::string::npos) {
        text.replace(at, from.size(), to);
        at += to.size();
    }
    return text;
}

// A frame number of the series text: digits only, 1 .. count. Long numbers are refused without overflow.
bool ParseFrameNumber(std::string_view item, int frameCount, int& number)
{
    if (item.empty() || item.size() > 9)
        return false;
    int value = 0;
    for (char c : item) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > frameCount)
        return false;
    number = value;
    return true;
}

} // namespace

bool ParseFrameSeries(std::string_view text, int frameCount, std::vector<int>& rawFrames)
{
    rawFrames.clear();
    std::string s;
    for (char c : text)
        if (c != ' ')
            s.push_back(c);
    for (std::string before; before != s;) {
        before = s;
        s = ReplaceAll(ReplaceAll(s, ";;", ";"), "--", "-");
    }
    while (!s.empty() && (s.back() == '-' || s.back() == ';'))
        s.pop_back();
    if (s.find_first_not_of("0123456789-;") != std::string::npos)
        return false;
    std::set<int> chosen;
    std::size_t start = 0;
    while (start < s.size()) {
        std::size_t end = s.find(';', start);
        if (end == std::string::npos)
            end = s.size();
        const std::string_view item = std::string_view(s).substr(start, end - start);
        const std::size_t dash = item.find('-');
        int a = 0;
        int b = 0;
        if (dash == std::string_view::npos) {
            if (!ParseFrameNumber(item, frameCount, a))
                return false;
            b = a;
        } else if (!ParseFrameNumber(item.substr(0, dash), frameCount, a)
            || !ParseFrameNumber(item.substr(dash + 1), frameCount, b)) {
            return false; // also "a-b-c": the second part holds a dash
        }
        if (a > b)
            std::swap(a, b);
        for (int n = a; n <= b; ++n)
            chosen.insert(n - 1);
        start = end + 1;
    }
    rawFrames.assign(chosen.begin(), chosen.end());
    return true;
}

std::vector<int> CompressedShiftPositions(const std::vector<int>& shifts)
{
    std::vector<int> positions; // 1-based positions where the shift changes, 1 always
    for (std::size_t i = 0; i < shifts.size(); ++i)
        if (i == 0 || shifts[i] != shifts[i - 1])
            positions.push_back(static_cast<int>(i) + 1);
    // A stretch of consecutive positions keeps only its ends. The reader restores the positions between
    // them as a ramp, so a stretch is only continued while the shift keeps changing by the same step.
    auto shiftAt = [&shifts](int position) { return shifts[static_cast<std::size_t>(position - 1)]; };
    std::vector<int> written;
    std::size_t k = 0;
    while (k < positions.size()) {
        std::size_t last = k;
        if (k + 1 < positions.size() && positions[k + 1] == positions[k] + 1) {
            const int step = shiftAt(positions[k + 1]) - shiftAt(positions[k]);
            last = k + 1;
            while (last + 1 < positions.size() && positions[last + 1] == positions[last] + 1
                && shiftAt(positions[last + 1]) - shiftAt(positions[last]) == step)
                ++last;
        }
        if (last == k) {
            written.push_back(positions[k]);
        } else {
            written.push_back(-positions[k]);
            written.push_back(positions[last]);
        }
        k = last + 1;
    }
    return written;
}

TMontage::TMontage(TCustomUserDlg& dialog)
    : m_dialog(dialog)
{
}

void TMontage::InitMontage(int frameCount)
{
    const auto n = static_cast<std::size_t>(std::max(frameCount, 0));
    m_visible.assign(n, true);
    m_shift.assign(n, 0);
    RebuildIndex();
}

void TMontage::RebuildIndex()
{
    const std::size_t n = m_visible.size();
    m_rawToMontage.assign(n, -1);
    m_montageToRaw.assign(n, -1);
    int next = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (!m_visible[i])
            continue;
        m_rawToMontage[i] = next;
        m_montageToRaw[static_cast<std::size_t>(next)] = static_cast<int>(i);
        ++next;
    }
    m_visibleCount = next;
}

int TMontage::RawToMontage(int raw) const
{
    if (raw < 0 || raw >= FrameCount())
        return -1;
    return m_rawToMontage[static_cast<std::size_t>(raw)];
}

int TMontage::MontageToRaw(int montage) const
{
    if (montage < 0 || montage >= static_cast<int>(m_montageToRaw.size()))
        return -1;
    return m_montageToRaw[static_cast<std::size_t>(montage)];
}

int TMontage::TimeShift(int raw) const
{
    if (raw < 0 || raw >= FrameCount())
        return 0;
    return m_shift[static_cast<std::size_t>(raw)];
}

bool TMontage::IsVisible(int raw) const
{
    if (raw < 0 || raw >= FrameCount())
        return true;
    return m_visible[static_cast<std::size_t>(raw)];
}

bool TMontage::CurrentVisible() const
{
    if (!VideoOpen())
        return false;
    const int raw = CurrentRaw();
    return raw >= 0 && raw < FrameCount() && m_visible[static_cast<std::size_t>(raw)];
}

double TMontage::FrameTime(int which) const
{
    if (!VideoOpen())
        return -1;
    const int current = CurrentRaw();
    if (current < 0 || current >= FrameCount())
        return -1;
    int frame = -1;
    if (which == ftCurrent) {
        frame = current;
    } else if (which == ftNextVisible) {
        for (int j = current + 1; j < FrameCount() && frame < 0; ++j)
            if (m_visible[static_cast<std::size_t>(j)])
                frame = j;
    } else if (which == ftPreviousVisible) {
        for (int j = current - 1; j >= 0 && frame < 0; --j)
            if (m_visible[static_cast<std::size_t>(j)])
                frame = j;
    }
    if (frame < 0)
        return -1;
    return CorrectedFrame(frame) * Period();
}

int TMontage::MissingFrameCount() const
{
    int missing = 0;
    long long previous = -1;
    for (int i = 0; i < FrameCount(); ++i) {
        if (!m_visible[static_cast<std::size_t>(i)])
            continue;
        const long long e = CorrectedFrame(i);
        if (e - previous >= 2)
            missing += static_cast<int>(e - previous - 1);
        previous = e;
    }
    return missing;
}

void TMontage::Changed()
{
    ++m_generation;
    OnChanged.Emit(*this);
}

void TMontage::Repaint()
{
    if (hooks.repaint)
        hooks.repaint();
}

bool TMontage::SetFrameVisible(int raw, bool visible)
{
    if (!VideoOpen() || (hooks.documentPresent && !hooks.documentPresent()) || raw < 0 || raw >= FrameCount())
        return false;
    const auto i = static_cast<std::size_t>(raw);
    if (!visible && m_visibleCount == 1 && m_visible[i]) {
        m_dialog.ShowMessage(TUserDlgIcon::icWarning, { Tr("Au moins une image doit rester visible.") });
        return false;
    }
    if (m_visible[i] == visible)
        return false;
    if (hooks.eraseFrameMarks)
        hooks.eraseFrameMarks(raw);
    m_visible[i] = visible;
    RebuildIndex();
    const int delta = visible ? 1 : -1;
    for (std::size_t j = i + 1; j < m_shift.size(); ++j)
        m_shift[j] += delta;
    if (hooks.resultsOutOfDate)
        hooks.resultsOutOfDate();
    return true;
}

void TMontage::ToggleCurrentFrame()
{
    if (!VideoOpen())
        return;
    const int raw = CurrentRaw();
    const bool visible = IsVisible(raw);
    const bool explain = !hooks.explainHiding || hooks.explainHiding();
    if (explain && m_showExplanation) {
        m_dialog.SetIcon(TUserDlgIcon::icInformation);
        m_dialog.ClearButtons();
        m_dialog.AddButton(Tr("Ok"), TUserDlgButtonKind::btOk);
        m_dialog.CheckBoxCaption = Tr("Ne plus afficher cette boîte de dialogue");
        m_dialog.CheckBoxCheck = false;
        if (visible) {
            m_dialog.AddText(Tr("Cette image ne sera plus visible dans le flux vidéo à la sortie du montage."));
            m_dialog.AddText("");
            m_dialog.AddText(Tr("Une image masquée apparaît en négatif."));
            if (hooks.marksOnFrame && hooks.marksOnFrame(raw) > 0) {
                m_dialog.AddButton(Tr("Annuler"), TUserDlgButtonKind::btAnnuler);
                m_dialog.AddText("");
                m_dialog.AddText(Tr("Les marques posées sur cette image seront effacées."));
            }
        } else {
            m_dialog.AddText(Tr("Cette image sera de nouveau visible dans le flux vidéo à la sortie du montage."));
        }
        const int pressed = m_dialog.Run();
        m_showExplanation = !m_dialog.CheckBoxCheck;
        if (pressed == 1)
            return; // "Annuler"
    }
    SetFrameVisible(raw, !visible);
    Changed();
    Repaint();
}

bool TMontage::ShowHideSeries(bool hide, std::string_view text)
{
    std::vector<int> frames;
    if (!ParseFrameSeries(text, FrameCount(), frames)) {
        m_dialog.ShowMessage(TUserDlgIcon::icWarning,
            { FormatText(Tr("Le groupe d'images à %s est incorrect"), { hide ? Tr("masquer") : Tr("afficher") }) });
        return false;
    }
    for (int raw : frames)
        SetFrameVisible(raw, !hide);
    Changed();
    Repaint();
    return true;
}

bool TMontage::ShiftInstant(int delta)
{
    if (!VideoOpen())
        return false;
    const int b = CurrentRaw();
    if (b < 0 || b >= FrameCount())
        return false;
    long long previous = -1;
    for (int j = b - 1; j >= 0; --j)
        if (m_visible[static_cast<std::size_t>(j)]) {
            previous = CorrectedFrame(j);
            break;
        }
    if (previous >= static_cast<long long>(CorrectedFrame(b)) + delta)
        return false; // a frame's instant never reaches the previous visible frame's
    if (hooks.resultsOutOfDate)
        hooks.resultsOutOfDate();
    for (std::size_t j = static_cast<std::size_t>(b); j < m_shift.size(); ++j)
        m_shift[j] += delta;
    Changed();
    return true;
}

void TMontage::LeaveMontage()
{
    if (!VideoOpen())
        return;
    const int raw = CurrentRaw();
    if (raw < 0 || raw >= FrameCount() || m_visible[static_cast<std::size_t>(raw)])
        return;
    int target = -1;
    for (int j = raw + 1; j < FrameCount() && target < 0; ++j)
        if (m_visible[static_cast<std::size_t>(j)])
            target = j;
    for (int j = raw - 1; j >= 0 && target < 0; --j)
        if (m_visible[static_cast<std::size_t>(j)])
            target = j;
    if (target >= 0 && hooks.goToRawFrame)
        hooks.goToRawFrame(target);
}

void TMontage::SaveMontage(document::TProjectKeys& keys) const
{
    const int n = FrameCount();
    keys.WriteInt("VisibleImagesNumber", n);
    int runs = 0;
    for (int i = 0; i < n; ++i) {
        if (i > 0 && m_visible[static_cast<std::size_t>(i)] == m_visible[static_cast<std::size_t>(i - 1)])
            continue;
        keys.WriteInt("VisibleScale_" + std::to_string(runs), i);
        keys.WriteBool("VisibleImage_" + std::to_string(runs), m_visible[static_cast<std::size_t>(i)]);
        ++runs;
    }
    keys.WriteInt("VisibleScalesNumber", runs);
    keys.WriteInt("TimeShiftsNumber", n);
    const std::vector<int> positions = CompressedShiftPositions(m_shift);
    for (std::size_t k = 0; k < positions.size(); ++k) {
        keys.WriteInt("TimeShiftScale_" + std::to_string(k), positions[k]);
        keys.WriteInt("TimeShift_" + std::to_string(k), m_shift[static_cast<std::size_t>(std::abs(positions[k]) - 1)]);
    }
    keys.WriteInt("TimeShiftScalesNumber", static_cast<int>(positions.size()));
}

int TMontage::LoadMontage(const document::TProjectKeys& keys)
{
    if (!keys.Read("VisibleImagesNumber"))
        return kMontageAbsent;
    const int n = FrameCount();
    if (keys.ReadInt("VisibleImagesNumber", -1) != n || keys.ReadInt("TimeShiftsNumber", -1) != n)
        return kMontageOtherVideo;
    if (n == 0)
        return kMontageLoaded;

    // Visibility runs: increasing starts, the first at 0.
    std::vector<bool> visible(static_cast<std::size_t>(n), true);
    const int runs = keys.ReadInt("VisibleScalesNumber", -1);
    if (runs < 1 || runs > n)
        return kMontageDamaged;
    // Each run reaches the next run's start: every frame is written once, however many runs there are.
    int previousStart = -1;
    bool previousValue = true;
    for (int k = 0; k < runs; ++k) {
        const int start = keys.ReadInt("VisibleScale_" + std::to_string(k), -1);
        if ((k == 0 && start != 0) || start <= previousStart || start >= n)
            return kMontageDamaged;
        if (k > 0)
            std::fill(visible.begin() + previousStart, visible.begin() + start, previousValue);
        previousValue = keys.ReadBool("VisibleImage_" + std::to_string(k), true);
        previousStart = start;
    }
    std::fill(visible.begin() + previousStart, visible.end(), previousValue);
    if (std::none_of(visible.begin(), visible.end(), [](bool v) { return v; }))
        return kMontageDamaged;

    // Shift runs: a negated position opens a stretch closed by the next entry, restored as a ramp.
    // Every entry holds from its position to the next one's, the ramp of a stretch point by point; each
    // frame's shift is written once (the last value set at or before it is carried forward at the end).
    std::vector<int> shifts(static_cast<std::size_t>(n), 0);
    std::vector<bool> set(static_cast<std::size_t>(n), false);
    auto setAt = [&](int position, int value) {
        shifts[static_cast<std::size_t>(position - 1)] = value;
        set[static_cast<std::size_t>(position - 1)] = true;
    };
    const int entries = keys.ReadInt("TimeShiftScalesNumber", -1);
    if (entries < 1 || entries > n)
        return kMontageDamaged;
    int lastPosition = 0;
    bool openStretch = false;
    int stretchStart = 0;
    int stretchShift = 0;
    for (int k = 0; k < entries; ++k) {
        const int written = keys.ReadInt("TimeShiftScale_" + std::to_string(k), 0);
        const int shift = keys.ReadInt("TimeShift_" + std::to_string(k), 0);
        const int position = written == std::numeric_limits<int>::min() ? 0 : std::abs(written);
        if (position <= lastPosition || position > n || (k == 0 && position != 1) || (openStretch && written < 0))
            return kMontageDamaged;
        if (openStretch) {
            const int length = position - stretchStart;
            const long long rise = static_cast<long long>(shift) - stretchShift;
            if (rise % length != 0)
                return kMontageDamaged;
            for (int p = stretchStart + 1; p < position; ++p)
                setAt(p, static_cast<int>(stretchShift + (p - stretchStart) * (rise / length)));
            openStretch = false;
        } else if (written < 0) {
            openStretch = true;
            stretchStart = position;
            stretchShift = shift;
        }
        setAt(position, shift);
        lastPosition = position;
    }
    for (std::size_t i = 1; i < shifts.size(); ++i)
        if (!set[i])
            shifts[i] = shifts[i - 1];
    if (openStretch || keys.HadMalformedValue())
        return kMontageDamaged;

    m_visible = std::move(visible);
    m_shift = std::move(shifts);
    RebuildIndex();
    Changed();
    return kMontageLoaded;
}

} // namespace kinoval::montage
