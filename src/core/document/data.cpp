#include "core/document/data.h"

#include "core/common/texts.h"
#include "core/common/tolerance.h"
#include "core/common/user_dlg.h"
#include "core/document/document_view.h"
#include "core/drawing/palette.h"

#include <algorithm>
#include <limits>
#include <numeric>

namespace kinoval::document {

TData::TData(TCustomUserDlg& dialog, const TDocumentSettings& settings)
    : m_dialog(dialog)
    , m_settings(settings)
{
    m_context.record = [this](THistObject& object, TRecordKind kind) { Record(object, kind); };
    m_axes = std::make_unique<TRepereFixe>(&m_context);
    m_sheet = std::make_unique<TTransparent>(&m_context);
    m_scale = std::make_unique<TEchelle>(&m_context);
    m_scale->Reset(settings.separateScales);
    m_fixedSet = std::make_unique<TPolyMarqueImgRep>(&m_context, m_axes.get());
    m_tspSet = std::make_unique<TPolyMarqueImgTsp>(&m_context, m_sheet.get());
    m_fixedSet->ResetDefaults(settings.markNumberPosition);
    m_tspSet->ResetDefaults(settings.sheetMarkNumberPosition);
    SetElementSize(settings.elementSize);
    m_colors.push_back(ObjectColour(0));
    m_visible.push_back(true);
}

// The histories hold snapshots that point at containers; they go first.
TData::~TData()
{
    m_scaleHistory.Clear();
    m_axesHistory.Clear();
    m_tspHistory.Clear();
    m_marksHistory.Clear();
}

void TData::SetView(TDocumentView* view)
{
    m_context.view = view;
    RefreshScreenPositions();
}

void TData::ApplySettings(const TDocumentSettings& settings)
{
    const bool separateChanged = settings.separateScales != m_settings.separateScales;
    m_settings = settings;
    if (separateChanged)
        SetSeparateScales(settings.separateScales);
    SetElementSize(settings.elementSize);
    if (settings.markNumberPosition >= 0 && settings.markNumberPosition <= 2)
        m_fixedSet->MarksNumberPosition = static_cast<std::uint8_t>(settings.markNumberPosition);
    if (settings.sheetMarkNumberPosition >= 0 && settings.sheetMarkNumberPosition <= 2)
        m_tspSet->MarksNumberPosition = static_cast<std::uint8_t>(settings.sheetMarkNumberPosition);
    Repaint();
}

int TData::CorrectedFrame(int rawFrame) const
{
    return rawFrame + (MontageCorrection ? MontageCorrection(rawFrame) : 0);
}

bool TData::IsTransparentMode() const
{
    return m_context.view != nullptr && m_context.view->MarkingMode() == TMarkSet::Transparent;
}

TPolyContainer& TData::CurrentSet()
{
    return IsTransparentMode() ? static_cast<TPolyContainer&>(*m_tspSet) : *m_fixedSet;
}

const TPolyContainer& TData::CurrentSet() const
{
    return IsTransparentMode() ? static_cast<const TPolyContainer&>(*m_tspSet) : *m_fixedSet;
}

const TPolyContainer& TData::Set(TMarkSet set) const
{
    return set == TMarkSet::Transparent ? static_cast<const TPolyContainer&>(*m_tspSet) : *m_fixedSet;
}

bool TData::InPointing() const
{
    return m_context.view != nullptr && m_context.view->IsPointingMode();
}

void TData::SetTool(std::uint8_t tool)
{
    if (tool > toTransparent)
        return;
    m_tool = tool;
    if (tool == toTransparent) {
        m_sheet->RecomputeDefaultOrigin();
        if (m_sheet->Origines.empty())
            m_sheet->FollowLastOrigin();
        RefreshSheet();
    }
    Notify(TDocChangeKind::Tool);
    Repaint();
}

void TData::SetTimeBetweenFrames(double seconds)
{
    if (IsEqual(seconds, m_requiredDuration))
        return;
    m_requiredDuration = seconds;
    m_context.MarkOutOfDate();
}

void TData::SetTimeFromTimestamps(bool on)
{
    if (on == m_timeFromTimestamps)
        return;
    m_timeFromTimestamps = on;
    m_context.MarkOutOfDate();
}

const std::vector<double>* TData::FrameTimesInUse() const
{
    if (!m_timeFromTimestamps || m_context.view == nullptr || !m_context.view->IsOpened())
        return nullptr;
    const std::vector<double>* times = m_context.view->FrameTimes();
    if (times == nullptr || times->empty())
        return nullptr;
    // Two frames at one instant (a damaged file) would make a derivative divide by zero.
    for (std::size_t i = 1; i < times->size(); ++i) {
        if (!((*times)[i] > (*times)[i - 1]))
            return nullptr;
    }
    return times;
}

void TData::SetElementSize(int size)
{
    if (size >= 0 && size <= 2)
        m_elementSize = static_cast<std::uint8_t>(size);
}

void TData::Repaint()
{
    if (m_context.view != nullptr)
        m_context.view->Repaint();
}

void TData::SetCursor(TViewCursor shape)
{
    if (m_context.view != nullptr)
        m_context.view->SetCursorShape(shape);
}

void TData::ShowSimilarMark()
{
    m_dialog.ShowMessage(TUserDlgIcon::icInformation, { Tr("Une marque similaire existe déjà sur cette image.") });
}

// ---- undo ----

THistorique& TData::CurrentHistory()
{
    if (m_forcedHistory != nullptr)
        return *m_forcedHistory;
    if (InPointing()) {
        if (m_tool == toScale)
            return m_scaleHistory;
        if (IsTransparentMode())
            return m_tspHistory;
        if (m_tool == toOriginAndAxes)
            return m_axesHistory;
    }
    return m_marksHistory;
}

void TData::Record(THistObject& object, TRecordKind kind)
{
    if (m_undoing)
        return;
    CurrentHistory().Record(object, kind);
}

bool TData::Undo()
{
    THistorique& history = CurrentHistory();
    m_undoing = true;
    ++m_batch;
    const bool done = history.Undo(*this);
    --m_batch;
    m_undoing = false;
    if (done) {
        Renumber(*m_fixedSet);
        Renumber(*m_tspSet);
        Repaint();
    }
    return done;
}

std::string TData::UndoCaption()
{
    return CurrentHistory().Description(*this);
}

THistObject* TData::FindLive(std::int32_t identity)
{
    THistObject* fixed[] = { m_axes.get(), m_sheet.get(), m_scale.get(), m_fixedSet.get(), m_tspSet.get() };
    for (THistObject* o : fixed)
        if (o->Identity == identity)
            return o;
    if (TMarque* m = m_fixedSet->FindMark(identity))
        return m;
    if (TMarque* m = m_tspSet->FindMark(identity))
        return m;
    for (const auto& o : m_sheet->Origines)
        if (o->Identity == identity)
            return o.get();
    return nullptr;
}

void TData::RemoveLive(THistObject& live, std::uint8_t createdKind)
{
    switch (live.ObjectKind()) {
    case okMarqueRep:
    case okMarqueTsp:
        RemoveMark(static_cast<TMarque*>(&live), createdKind == rkCreated ? rkErased : rkErasedLast);
        break;
    case okOrigine:
        RemoveDatedOrigin(
            static_cast<TOrigine*>(&live), createdKind == rkOriginAdded ? rkOriginErased : rkOriginErasedLast);
        break;
    default:
        break;
    }
}

void TData::PutBack(std::unique_ptr<THistObject> object, std::uint8_t erasedKind)
{
    switch (object->ObjectKind()) {
    case okMarqueRep:
    case okMarqueTsp: {
        std::unique_ptr<TMarque> mark(static_cast<TMarque*>(object.release()));
        AddMarkBack(std::move(mark), erasedKind == rkErased ? rkCreated : rkPlaced);
        break;
    }
    case okOrigine: {
        std::unique_ptr<TOrigine> origin(static_cast<TOrigine*>(object.release()));
        m_sheet->AddOrigine(std::move(origin), rkOriginAdded);
        m_sheet->FollowLastOrigin();
        RefreshSheet();
        break;
    }
    default:
        break;
    }
}

void TData::Refresh(THistObject& live)
{
    m_context.MarkOutOfDate();
    switch (live.ObjectKind()) {
    case okMarqueRep:
    case okMarqueTsp:
        static_cast<TMarque&>(live).RefreshScreen();
        break;
    case okEchelle:
        m_scale->RefreshScreen();
        Notify(TDocChangeKind::Scale);
        break;
    case okRepereFixe:
        m_axes->RefreshLines();
        m_fixedSet->RefreshScreens();
        Notify(TDocChangeKind::Axes);
        break;
    case okTransparent:
        RefreshSheet();
        break;
    case okPolyMarqueImgRep:
    case okPolyMarqueImgTsp:
        Notify(TDocChangeKind::MarksPerFrame);
        break;
    default:
        break;
    }
}

// ---- marks ----

void TData::Renumber(TPolyContainer& set)
{
    if (m_batch > 0)
        return;
    set.Renumber(IsVideoOpen() ? m_context.view->RawFrameCount() : 0);
}

void TData::AdvanceView()
{
    if (m_context.view != nullptr)
        m_context.view->GoToMontageFrame(m_context.view->CurrentMontageFrame() + m_framesBetween);
}

void TData::SetCurrentObjectOf(TPolyContainer& set, int k)
{
    set.SetCurrentObject(k);
    Repaint();
}

bool TData::PlaceMark(TPoint p)
{
    return PlaceMarkAt(p, true);
}

bool TData::PlaceMarkAt(TPoint p, bool advance)
{
    TDocumentView* view = m_context.view;
    if (view == nullptr || !view->IsOpened())
        return false;
    TPolyContainer& set = CurrentSet();
    const int frame = view->CurrentRawFrame();
    const int current = set.CurrentMarkOrderNumber;
    if (const TContainer* existing = set.FindContainer(frame); existing && existing->FindObject(current)) {
        ShowSimilarMark();
        return false;
    }
    TContainer& container = set.FindOrCreateContainer(frame);
    std::unique_ptr<TMarque> mark = set.NewMark(&container);
    mark->SetImage(view->ScreenToImage(p));
    mark->RefreshScreen();
    mark->MarkOrderNumber = current;
    TMarque* raw = mark.get();
    set.Attach(std::move(mark));
    Record(*raw, rkPlaced);
    Renumber(set);
    if (advance && set.MarksNumberPerFrame == current + 1)
        AdvanceView();
    SetCurrentObjectOf(set, current + 1);
    Notify(TDocChangeKind::Marks);
    return true;
}

bool TData::AddMarkBack(std::unique_ptr<TMarque> mark, std::uint8_t kind)
{
    TPolyContainer& set = *mark->Set;
    TContainer* container = mark->Container;
    const int objectNumber = mark->MarkOrderNumber;
    if (set.AttachBack(std::move(mark)) != nullptr)
        return false;
    Renumber(set);
    if (kind == rkPlaced && m_context.view != nullptr) {
        m_context.view->GoToRawFrame(container->MarksContainerFrameNumber);
        if (set.MarksNumberPerFrame == objectNumber + 1)
            AdvanceView();
        SetCurrentObjectOf(set, objectNumber + 1);
    }
    Notify(TDocChangeKind::Marks);
    return true;
}

void TData::RemoveMark(TMarque* mark, TRecordKind kind)
{
    if (mark == nullptr)
        return;
    TPolyContainer& set = *mark->Set;
    TContainer* container = mark->Container;
    const int objectNumber = mark->MarkOrderNumber;
    Record(*mark, kind);
    std::unique_ptr<TMarque> gone = set.Detach(mark);
    Renumber(set);
    if (kind == rkErasedLast && container != nullptr) {
        if (m_context.view != nullptr)
            m_context.view->GoToRawFrame(container->MarksContainerFrameNumber);
        if (!set.IsTransparent())
            set.CurrentMarkOrderNumber
                = container->Marks.empty() ? 0 : std::max(0, std::min(objectNumber, set.MarksNumberPerFrame - 1));
    }
    if (set.SelectedMark >= set.MarkCount())
        set.SelectedMark = -1;
    Notify(TDocChangeKind::Marks);
}

void TData::RemoveLastMark()
{
    TPolyContainer& set = CurrentSet();
    if (set.AllMarks.empty())
        return;
    RemoveMark(set.AllMarks.back(), rkErasedLast);
    Repaint();
}

void TData::EraseFrameMarks(int frame)
{
    TPolyContainer& set = CurrentSet();
    TContainer* container = set.FindContainer(frame);
    TOrigine* dated = set.IsTransparent() ? m_sheet->FindOrigineOfFrame(frame) : nullptr;
    if ((container == nullptr || container->Marks.empty()) && dated == nullptr)
        return;
    THistoryGroup group(CurrentHistory());
    ++m_batch;
    while (container != nullptr && !container->Marks.empty())
        RemoveMark(container->Marks.back().get(), rkErased);
    if (dated != nullptr)
        RemoveDatedOrigin(dated, rkOriginErased);
    --m_batch;
    Renumber(set);
    Repaint();
}

void TData::EraseCurrentFrameMarks()
{
    if (m_context.view != nullptr)
        EraseFrameMarks(m_context.view->CurrentRawFrame());
}

void TData::EraseAllMarks()
{
    TPolyContainer& set = CurrentSet();
    THistoryGroup group(CurrentHistory());
    ++m_batch;
    for (auto it = set.Containers.rbegin(); it != set.Containers.rend(); ++it)
        while (!(*it)->Marks.empty())
            RemoveMark((*it)->Marks.back().get(), rkErased);
    if (set.IsTransparent()) {
        while (!m_sheet->Origines.empty())
            RemoveDatedOrigin(m_sheet->Origines.back().get(), rkOriginErased);
        m_sheet->FollowLastOrigin();
        RefreshSheet();
    }
    --m_batch;
    Renumber(set);
    SetCurrentObjectOf(set, 0);
}

void TData::EraseMarksInRect(TPoint a, TPoint b)
{
    TPolyContainer& set = CurrentSet();
    const int x0 = std::min(a.x, b.x);
    const int x1 = std::max(a.x, b.x);
    const int y0 = std::min(a.y, b.y);
    const int y1 = std::max(a.y, b.y);
    THistoryGroup group(CurrentHistory());
    ++m_batch;
    for (std::size_t i = set.AllMarks.size(); i-- > 0;) {
        TMarque* mark = set.AllMarks[i];
        if (mark->Screen.x >= x0 && mark->Screen.x <= x1 && mark->Screen.y >= y0 && mark->Screen.y <= y1)
            RemoveMark(mark, rkErased);
    }
    --m_batch;
    Renumber(set);
    Repaint();
}

void TData::SetMarkPosition(TPolyContainer& set, int objectNumber, int frame, TPointD image)
{
    TContainer& container = set.FindOrCreateContainer(frame);
    TMarque* mark = container.FindObject(objectNumber);
    std::unique_ptr<TMarque> created;
    if (mark == nullptr) {
        created = set.NewMark(&container);
        mark = created.get();
        mark->MarkOrderNumber = objectNumber;
        Record(*mark, rkCreated);
    } else {
        Record(*mark, rkModified);
    }
    mark->SetImage({ std::clamp(image.x, 0.0, 1.0), std::clamp(image.y, 0.0, 1.0) });
    mark->RefreshScreen();
    mark->MarkOrderNumber = objectNumber;
    if (created)
        set.Attach(std::move(created));
    Renumber(set);
}

void TData::ImportMarks(const std::vector<std::vector<TPointD>>& positions, const std::vector<std::vector<int>>& frames)
{
    m_forcedHistory = &m_marksHistory;
    {
        THistoryGroup group(m_marksHistory);
        ++m_batch;
        const std::size_t objects = std::min(positions.size(), frames.size());
        for (std::size_t i = 0; i < objects; ++i) {
            const std::size_t n = std::min(positions[i].size(), frames[i].size());
            for (std::size_t j = 0; j < n; ++j)
                if (frames[i][j] >= 0)
                    SetMarkPosition(*m_fixedSet, static_cast<int>(i), frames[i][j], positions[i][j]);
        }
        --m_batch;
    }
    m_forcedHistory = nullptr;
    Renumber(*m_fixedSet);
    Notify(TDocChangeKind::Marks);
    Repaint();
}

void TData::EnsureObjectArrays(int n)
{
    while (static_cast<int>(m_visible.size()) < n)
        m_visible.push_back(true);
    while (static_cast<int>(m_colors.size()) < n)
        m_colors.push_back(ObjectColour(static_cast<int>(m_colors.size())));
}

void TData::SetObjectsPerFrame(int n)
{
    SetObjectsPerFrameOf(CurrentSet(), n);
}

void TData::SetObjectsPerFrameOf(TPolyContainer& set, int n)
{
    const int old = set.MarksNumberPerFrame;
    if (set.IsTransparent() || n < 1 || n == old)
        return;
    // One undo step gives back the count and the marks its reduction erased.
    THistoryGroup group(CurrentHistory());
    Record(set, rkObjectsPerFrame);
    set.SetObjectsPerFrame(n);
    m_context.MarkOutOfDate();
    if (n > old) {
        EnsureObjectArrays(n);
        for (int k = static_cast<int>(set.SystemName.size()); k < n; ++k)
            set.SystemName.push_back(DefaultObjectName(k));
    } else {
        ++m_batch;
        for (int k = old - 1; k >= n; --k)
            for (const auto& container : set.Containers)
                if (TMarque* mark = container->FindObject(k))
                    RemoveMark(mark, rkErased);
        --m_batch;
        if (static_cast<int>(set.SystemName.size()) > n)
            set.SystemName.resize(static_cast<std::size_t>(n));
        Renumber(set);
        SetCurrentObjectOf(set, set.CurrentMarkOrderNumber);
    }
    Notify(TDocChangeKind::MarksPerFrame);
}

void TData::SetCurrentObject(int k)
{
    SetCurrentObjectOf(CurrentSet(), k);
}

void TData::SetMarksToDraw(int n)
{
    if (n >= 0)
        CurrentSet().MarksNumberToDraw = n;
    Repaint();
}

void TData::SetAllDrawn(bool all)
{
    CurrentSet().MarksIsAllDrawn = all;
    Repaint();
}

void TData::SetNumberPosition(int position)
{
    if (position >= 0 && position <= 2)
        CurrentSet().MarksNumberPosition = static_cast<std::uint8_t>(position);
    Repaint();
}

int TData::LastContainerFrame() const
{
    const TPolyContainer& set = CurrentSet();
    return set.Containers.empty() ? -1 : set.Containers.back()->MarksContainerFrameNumber;
}

int TData::MarksOnFrame(int frame) const
{
    if (!IsVideoOpen())
        return -1;
    const TContainer* container = CurrentSet().FindContainer(frame);
    return container == nullptr ? -1 : static_cast<int>(container->Marks.size());
}

bool TData::FrameInVideo(int frame) const
{
    if (!IsVideoOpen())
        return true;
    const int count = m_context.view->RawFrameCount();
    return count <= 0 || (frame >= 0 && frame < count);
}

int TData::MarksInVideo(TMarkSet which, int object) const
{
    int count = 0;
    for (const auto& container : Set(which).Containers) {
        if (!FrameInVideo(container->MarksContainerFrameNumber))
            continue;
        for (const auto& mark : container->Marks)
            if (object < 0 || mark->MarkOrderNumber == object)
                ++count;
    }
    return count;
}

std::string TData::ObjectName(int k) const
{
    const auto& names = CurrentSet().SystemName;
    return k >= 0 && k < static_cast<int>(names.size()) ? names[static_cast<std::size_t>(k)] : std::string();
}

void TData::SetObjectName(int k, const std::string& name)
{
    auto& names = CurrentSet().SystemName;
    if (k < 0 || k >= static_cast<int>(names.size()) || names[static_cast<std::size_t>(k)] == name)
        return;
    names[static_cast<std::size_t>(k)] = name;
    // The names head the table's columns and are kept with the study.
    m_context.MarkOutOfDate();
}

TColor TData::MarkColor(int k) const
{
    return k >= 0 && k < static_cast<int>(m_colors.size()) ? m_colors[static_cast<std::size_t>(k)] : clRed;
}

void TData::SetMarkColor(int k, TColor colour)
{
    if (k < 0 || k >= static_cast<int>(m_colors.size()))
        return;
    if (m_colors[static_cast<std::size_t>(k)] == colour)
        return;
    m_colors[static_cast<std::size_t>(k)] = colour;
    m_context.MarkOutOfDate(); // kept with the study
    Notify(TDocChangeKind::Colour);
    Repaint();
}

void TData::SetElementColor(TColor colour)
{
    if (m_elementColor == colour)
        return;
    m_elementColor = colour;
    m_context.MarkOutOfDate();
    Notify(TDocChangeKind::Colour);
    Repaint();
}

bool TData::MarkVisible(int k) const
{
    if (IsTransparentMode())
        return true;
    return k < 0 || k >= static_cast<int>(m_visible.size()) || m_visible[static_cast<std::size_t>(k)];
}

void TData::SetMarkVisible(int k, bool visible)
{
    if (k < 0 || k >= static_cast<int>(m_visible.size()))
        return;
    if (m_visible[static_cast<std::size_t>(k)] == visible)
        return;
    m_visible[static_cast<std::size_t>(k)] = visible;
    m_context.MarkOutOfDate(); // kept with the study
    Notify(TDocChangeKind::Visibility);
    Repaint();
}

std::vector<const TMarque*> TData::MarksToDrawList() const
{
    const TPolyContainer& set = CurrentSet();
    const int count = set.MarkCount();
    const int start = set.MarksIsAllDrawn ? 0 : std::max(0, count - set.MarksNumberToDraw);
    std::vector<const TMarque*> out;
    for (int i = start; i < count; ++i)
        if (MarkVisible(set.AllMarks[static_cast<std::size_t>(i)]->MarkOrderNumber))
            out.push_back(set.AllMarks[static_cast<std::size_t>(i)]);
    return out;
}

std::string TData::MarkLabel(const TMarque& mark) const
{
    if (mark.Set->MarksNumberPosition == 2 || mark.Container == nullptr)
        return {};
    const int number = mark.Container->MarksContainerMarkNumber;
    return std::to_string(m_settings.numberMarksFromZero ? number : number + 1);
}

TPoint MarkLabelOrigin(TPoint mark, int elementSize, int numberPosition)
{
    const int b = elementSize == 2 ? 7 : (elementSize == 1 ? 4 : 0);
    if (numberPosition == 1)
        return { mark.x + b + 8, mark.y - b / 2 - 7 };
    return { mark.x - b / 2 - 2, mark.y + b + 4 };
}

int MarkLabelFontSize(int elementSize, int canvasSize)
{
    return elementSize == 2 ? 15 : (elementSize == 1 ? 12 : canvasSize);
}

void TData::RefreshScreenPositions()
{
    m_fixedSet->RefreshScreens();
    m_tspSet->RefreshScreens();
    m_axes->RefreshLines();
    m_scale->RefreshScreen();
    m_sheet->RecomputeCorners();
}

// ---- export ----

bool TData::IsVideoOpen() const
{
    return m_context.view != nullptr && m_context.view->IsOpened();
}

void TData::ExportMeasurement(TMarkSet which, TMeasurement& out) const
{
    const TPolyContainer& set = Set(which);
    std::vector<const TContainer*> kept;
    std::vector<long long> corrected;
    for (const auto& c : set.Containers)
        if (!c->Marks.empty() && FrameInVideo(c->MarksContainerFrameNumber)) {
            kept.push_back(c.get());
            corrected.push_back(CorrectedFrame(c->MarksContainerFrameNumber));
        }
    const std::size_t m = kept.size();
    if (m > 0) {
        const long long smallest = *std::min_element(corrected.begin(), corrected.end());
        for (auto& f : corrected)
            f -= smallest;
    }
    std::vector<std::size_t> order(m);
    std::iota(order.begin(), order.end(), std::size_t { 0 });
    std::stable_sort(
        order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return corrected[a] < corrected[b]; });
    const std::size_t objects = static_cast<std::size_t>(std::max(0, set.MarksNumberPerFrame));
    out.times.assign(m, 0.0);
    // The frames' own times, from the first pointed frame's; a mark on a frame past the times known (a
    // video that changed since the study was saved) counts by the time between two frames after the last.
    const std::vector<double>* stamps = FrameTimesInUse();
    out.timesFromFrames = stamps != nullptr;
    const auto stampOf = [&](int raw) {
        const auto known = static_cast<int>(stamps->size());
        if (raw < 0)
            return 0.0;
        if (raw < known)
            return (*stamps)[static_cast<std::size_t>(raw)];
        return stamps->back() + (raw - known + 1) * m_requiredDuration;
    };
    const double firstStamp = stamps != nullptr && m > 0 ? stampOf(kept[order[0]]->MarksContainerFrameNumber) : 0.0;
    out.frames.assign(objects, std::vector<int>(m, -1));
    out.X.assign(objects, std::vector<double>(m, 0.0));
    out.Y.assign(objects, std::vector<double>(m, 0.0));
    for (std::size_t j = 0; j < m; ++j) {
        const std::size_t c = order[j];
        out.times[j] = stamps != nullptr ? stampOf(kept[c]->MarksContainerFrameNumber) - firstStamp
                                         : static_cast<double>(corrected[c]) * m_requiredDuration;
        for (const auto& mark : kept[c]->Marks) {
            const int i = mark->MarkOrderNumber;
            if (i < 0 || static_cast<std::size_t>(i) >= objects)
                continue;
            const TPointD r = mark->GetRelative();
            out.frames[static_cast<std::size_t>(i)][j] = static_cast<int>(corrected[c]);
            out.X[static_cast<std::size_t>(i)][j] = r.x;
            out.Y[static_cast<std::size_t>(i)][j] = -r.y;
        }
    }
}

// ---- a new study ----

void TData::NewStudy()
{
    m_scaleHistory.Clear();
    m_axesHistory.Clear();
    m_tspHistory.Clear();
    m_marksHistory.Clear();
    m_tool = toPlaceMarks;
    m_requiredDuration = 0;
    m_timeFromTimestamps = false;
    m_axes->Reset();
    m_sheet->Reset();
    m_scale->Reset(m_settings.separateScales);
    m_fixedSet->ResetDefaults(m_settings.markNumberPosition);
    m_tspSet->ResetDefaults(-1); // only the fixed-frame set takes its number position from the settings again
    m_colors.assign(1, ObjectColour(0));
    m_visible.assign(1, true);
    m_fixedSet->Clear();
    m_tspSet->Clear();
    RefreshScreenPositions();
    m_context.MarkOutOfDate();
    Repaint();
}

} // namespace kinoval::document
