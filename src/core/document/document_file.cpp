// The document's keys in a study file: each object writes and reads its own, named base + "_" + suffix.
#include "core/common/tolerance.h"
#include "core/document/data.h"
#include "core/document/project_keys.h"
#include "core/drawing/palette.h"

#include <algorithm>
#include <numbers>

namespace kinoval::document {

namespace {

std::string Sub(const std::string& suffix, std::size_t i)
{
    return suffix + "_" + std::to_string(i);
}

} // namespace

// ---- reference frames ----

void TRepere::Save(TProjectKeys& keys, const std::string& suffix) const
{
    keys.WriteBool(KeyOf("DirectYAxisDirection", suffix), DirectYAxisDirection);
    keys.WriteBool(KeyOf("DirectXAxisDirection", suffix), DirectXAxisDirection);
    keys.WriteDouble(KeyOf("OrigineCurrentXCoordinate", suffix), OrigineCurrent.x);
    keys.WriteDouble(KeyOf("OrigineCurrentYCoordinate", suffix), OrigineCurrent.y);
}

void TRepere::Load(const TProjectKeys& keys, const std::string& suffix)
{
    DirectYAxisDirection = keys.ReadBool(KeyOf("DirectYAxisDirection", suffix), true);
    DirectXAxisDirection = keys.ReadBool(KeyOf("DirectXAxisDirection", suffix), true);
    OrigineCurrent.x = keys.ReadDouble(KeyOf("OrigineCurrentXCoordinate", suffix), 0.5);
    OrigineCurrent.y = keys.ReadDouble(KeyOf("OrigineCurrentYCoordinate", suffix), 0.5);
    m_context->MarkOutOfDate();
}

void TRepereFixe::Save(TProjectKeys& keys, const std::string& suffix) const
{
    TRepere::Save(keys, suffix);
    keys.WriteInt(KeyOf("OriginePointsNumber", suffix), OriginePointsNumber);
    keys.WriteDouble(KeyOf("XAxisAngle", suffix), XAxisAngle);
    keys.WriteDouble(KeyOf("YAxisAngle", suffix), YAxisAngle);
}

void TRepereFixe::Load(const TProjectKeys& keys, const std::string& suffix)
{
    TRepere::Load(keys, suffix);
    OriginePointsNumber = std::clamp(keys.ReadInt(KeyOf("OriginePointsNumber", suffix), 0), 0, 1);
    XAxisAngle = NormalizeAngle(keys.ReadDouble(KeyOf("XAxisAngle", suffix), 0));
    // Without its own key the Y axis stays perpendicular to X rather than lying on it.
    YAxisAngle = keys.Read(KeyOf("YAxisAngle", suffix))
        ? NormalizeAngle(keys.ReadDouble(KeyOf("YAxisAngle", suffix), 0))
        : NormalizeAngle(XAxisAngle + std::numbers::pi / 2);
    RefreshLines();
}

// The stage is written recoded (1 -> 0, 2 -> 2, else 1), as older study files have it.
void TTransparent::Save(TProjectKeys& keys, const std::string& suffix) const
{
    TRepere::Save(keys, suffix);
    keys.WriteInt("LayerStage", Stage == 1 ? 0 : (Stage == 2 ? 2 : 1));
    keys.WriteDouble("LayerWidth", LayerWidth);
    keys.WriteDouble("LayerHeight", LayerHeight);
    keys.WriteInt(KeyOf("OriginePositionsNumber", suffix), static_cast<long long>(Origines.size()));
    for (std::size_t k = 0; k < Origines.size(); ++k) {
        const std::string s = Sub(suffix, k);
        keys.WriteInt(KeyOf("OrigineImageNumber", s), Origines[k]->OrigineImageNumber);
        keys.WriteDouble(KeyOf("OrigineXCoordinate", s), Origines[k]->Position.x);
        keys.WriteDouble(KeyOf("OrigineYCoordinate", s), Origines[k]->Position.y);
    }
}

void TTransparent::Load(const TProjectKeys& keys, const std::string& suffix)
{
    TRepere::Load(keys, suffix);
    const int stage = keys.ReadInt("LayerStage", 1);
    Stage = stage == 0 ? 1 : (stage == 2 ? 2 : 0);
    LayerWidth = keys.ReadDouble("LayerWidth", 0.5);
    LayerHeight = keys.ReadDouble("LayerHeight", 0.5);
    Origines.clear();
    const int n = keys.ReadInt(KeyOf("OriginePositionsNumber", suffix), 0);
    // A list ends at its first missing entry: a count larger than what was written cannot make up origins.
    for (int k = 0; k < n; ++k) {
        const std::string s = Sub(suffix, static_cast<std::size_t>(k));
        if (!keys.Read(KeyOf("OrigineImageNumber", s)) && !keys.Read(KeyOf("OrigineXCoordinate", s)))
            break;
        auto origin = std::make_unique<TOrigine>(m_context);
        origin->OrigineImageNumber = keys.ReadInt(KeyOf("OrigineImageNumber", s), -1);
        origin->Position.x = keys.ReadDouble(KeyOf("OrigineXCoordinate", s), 0);
        origin->Position.y = keys.ReadDouble(KeyOf("OrigineYCoordinate", s), 0);
        origin->OwnerIndex = k;
        Origines.push_back(std::move(origin));
    }
    RecomputeDefaultOrigin();
    RecomputeCorners();
}

// ---- scale ----

namespace {
const char* const kScalePrefix[3] = { "Scale", "ScaleHoriz", "ScaleVert" };
}

void TEchelle::Save(TProjectKeys& keys, const std::string&) const
{
    for (int k = 0; k < 3; ++k) {
        const std::string p = kScalePrefix[k];
        keys.WriteInt(p + "PointsNumber", PointsNumber[k]);
        keys.WriteDouble(p + "Point1XCoordinate", Point(k, 0).x);
        keys.WriteDouble(p + "Point1YCoordinate", Point(k, 0).y);
        keys.WriteDouble(p + "Point2XCoordinate", Point(k, 1).x);
        keys.WriteDouble(p + "Point2YCoordinate", Point(k, 1).y);
        keys.WriteDouble(p + "Length", Length[k]);
    }
}

void TEchelle::Load(const TProjectKeys& keys, const std::string&)
{
    for (int k = 0; k < 3; ++k) {
        const std::string p = kScalePrefix[k];
        PointsNumber[k] = std::clamp(keys.ReadInt(p + "PointsNumber", 0), 0, 2);
        Point(k, 0) = { keys.ReadDouble(p + "Point1XCoordinate", 0), keys.ReadDouble(p + "Point1YCoordinate", 0) };
        Point(k, 1) = { keys.ReadDouble(p + "Point2XCoordinate", 0), keys.ReadDouble(p + "Point2YCoordinate", 0) };
        Length[k] = keys.ReadDouble(p + "Length", 0);
    }
    DraggedItem = -2;
    RefreshScreen();
    m_context->MarkOutOfDate();
}

// ---- marks ----

void TMarque::Save(TProjectKeys& keys, const std::string& suffix) const
{
    keys.WriteInt(KeyOf("MarkOrderNumber", suffix), MarkOrderNumber);
    keys.WriteDouble(KeyOf("MarkXCoordinate", suffix), m_stored.x);
    keys.WriteDouble(KeyOf("MarkYCoordinate", suffix), m_stored.y);
}

void TMarque::Load(const TProjectKeys& keys, const std::string& suffix)
{
    MarkOrderNumber = keys.ReadInt(KeyOf("MarkOrderNumber", suffix), 0);
    Store(
        { keys.ReadDouble(KeyOf("MarkXCoordinate", suffix), 0), keys.ReadDouble(KeyOf("MarkYCoordinate", suffix), 0) });
}

void TContainer::Save(TProjectKeys& keys, const std::string& suffix) const
{
    keys.WriteInt(KeyOf("MarksContainerFrameNumber", suffix), MarksContainerFrameNumber);
    keys.WriteInt(KeyOf("MarksContainerMarkNumber", suffix), MarksContainerMarkNumber);
    keys.WriteInt(KeyOf("MarksContainerMarksNumber", suffix), static_cast<long long>(Marks.size()));
    for (std::size_t j = 0; j < Marks.size(); ++j)
        Marks[j]->Save(keys, Sub(suffix, j));
}

void TPolyContainer::Save(TProjectKeys& keys, const std::string& suffix) const
{
    keys.WriteInt(KeyOf("MarksNumberPosition", suffix), MarksNumberPosition);
    keys.WriteBool(KeyOf("MarksIsAllDrawn", suffix), MarksIsAllDrawn);
    keys.WriteInt(KeyOf("MarksNumberToDraw", suffix), MarksNumberToDraw);
    keys.WriteInt(KeyOf("CurrentMarkOrderNumber", suffix), CurrentMarkOrderNumber);
    keys.WriteInt(KeyOf("MarksNumberPerFrame", suffix), MarksNumberPerFrame);
    keys.WriteInt(KeyOf("SystemNamesNumber", suffix), static_cast<long long>(SystemName.size()));
    for (std::size_t k = 0; k < SystemName.size(); ++k)
        keys.WriteString(KeyOf("SystemName", Sub(suffix, k)), SystemName[k]);
    keys.WriteInt(KeyOf("MarksContainersNumber", suffix), static_cast<long long>(Containers.size()));
    for (std::size_t i = 0; i < Containers.size(); ++i)
        Containers[i]->Save(keys, Sub(suffix, i));
}

// ---- the document ----

void TData::Save(TProjectKeys& keys) const
{
    keys.WriteDouble("RequiredDuration", m_requiredDuration);
    keys.WriteInt("FramesNumberBetweenTwoMarks", m_framesBetween);
    keys.WriteBool("TimeFromTimestamps", m_timeFromTimestamps);
    keys.WriteInt("MarkColorsNumber", static_cast<long long>(m_colors.size()));
    for (std::size_t k = 0; k < m_colors.size(); ++k)
        keys.WriteInt("MarkColor_" + std::to_string(k), m_colors[k]);
    // The key's spelling is the one existing study files carry.
    keys.WriteInt("MarkVisibiltiesNumber", static_cast<long long>(m_visible.size()));
    for (std::size_t k = 0; k < m_visible.size(); ++k)
        keys.WriteBool("MarkVisibility_" + std::to_string(k), m_visible[k]);
    keys.WriteInt("ElementColor", m_elementColor);
    keys.WriteInt("ElementSize", m_elementSize);
    m_axes->Save(keys, "Grid");
    m_sheet->Save(keys, "Layer");
    m_scale->Save(keys, "");
    m_fixedSet->Save(keys, "Grid");
    m_tspSet->Save(keys, "Layer");
}

void TData::LoadMarkSet(TPolyContainer& set, const TProjectKeys& keys, const std::string& suffix)
{
    const int position = keys.ReadInt(KeyOf("MarksNumberPosition", suffix), 0);
    set.MarksNumberPosition = static_cast<std::uint8_t>(position >= 0 && position <= 2 ? position : 0);
    set.MarksIsAllDrawn = keys.ReadBool(KeyOf("MarksIsAllDrawn", suffix), true);
    set.MarksNumberToDraw = std::max(0, keys.ReadInt(KeyOf("MarksNumberToDraw", suffix), 1));
    const int current = keys.ReadInt(KeyOf("CurrentMarkOrderNumber", suffix), 0);
    SetObjectsPerFrameOf(set, keys.ReadInt(KeyOf("MarksNumberPerFrame", suffix), 1));
    set.SystemName.clear();
    const int names = keys.ReadInt(KeyOf("SystemNamesNumber", suffix), 0);
    for (int k = 0; k < names; ++k) {
        const auto name = keys.Read(KeyOf("SystemName", Sub(suffix, static_cast<std::size_t>(k))));
        if (!name)
            break;
        set.SystemName.push_back(*name);
    }
    ++m_batch;
    const int containers = keys.ReadInt(KeyOf("MarksContainersNumber", suffix), 0);
    for (int i = 0; i < containers; ++i) {
        const std::string c = Sub(suffix, static_cast<std::size_t>(i));
        if (!keys.Read(KeyOf("MarksContainerFrameNumber", c)))
            break;
        // Two containers of one frame would hide each other's marks: they are merged.
        TContainer& container = set.FindOrCreateContainer(keys.ReadInt(KeyOf("MarksContainerFrameNumber", c), 0));
        container.MarksContainerMarkNumber = keys.ReadInt(KeyOf("MarksContainerMarkNumber", c), 0);
        const int marks = keys.ReadInt(KeyOf("MarksContainerMarksNumber", c), 0);
        for (int j = 0; j < marks; ++j) {
            const std::string m = Sub(c, static_cast<std::size_t>(j));
            if (!keys.Read(KeyOf("MarkOrderNumber", m)))
                break;
            std::unique_ptr<TMarque> mark = set.NewMark(&container);
            mark->Load(keys, m);
            if (container.FindObject(mark->MarkOrderNumber) != nullptr)
                continue; // at most one mark per object on a frame
            mark->RefreshScreen();
            set.Attach(std::move(mark));
        }
    }
    --m_batch;
    Renumber(set);
    set.SetCurrentObject(current);
}

void TData::Load(const TProjectKeys& keys)
{
    // A time base the time dialog would refuse (zero, negative, absurdly long) would turn every speed into
    // a division by zero: the video's own frame duration stays instead.
    const double duration = keys.ReadDouble("RequiredDuration", m_requiredDuration);
    if (duration > 1e-6 && duration < 1e9)
        m_requiredDuration = duration;
    else if (keys.Read("RequiredDuration"))
        keys.FlagMalformed();
    m_framesBetween = keys.ReadInt("FramesNumberBetweenTwoMarks", m_framesBetween);
    m_timeFromTimestamps = keys.ReadBool("TimeFromTimestamps", false);
    const int colours = keys.ReadInt("MarkColorsNumber", 0);
    for (int k = 0; k < colours; ++k) {
        const auto key = "MarkColor_" + std::to_string(k);
        if (!keys.Read(key))
            break;
        const TColor colour = static_cast<TColor>(keys.ReadInt(key, static_cast<int>(ObjectColour(k))));
        if (k < static_cast<int>(m_colors.size()))
            m_colors[static_cast<std::size_t>(k)] = colour;
        else
            m_colors.push_back(colour);
    }
    const int visibilities = keys.ReadInt("MarkVisibiltiesNumber", 0);
    for (int k = 0; k < visibilities; ++k) {
        const auto key = "MarkVisibility_" + std::to_string(k);
        if (!keys.Read(key))
            break;
        const bool visible = keys.ReadBool(key, true);
        if (k < static_cast<int>(m_visible.size()))
            m_visible[static_cast<std::size_t>(k)] = visible;
        else
            m_visible.push_back(visible);
    }
    m_elementColor = static_cast<TColor>(keys.ReadInt("ElementColor", static_cast<int>(m_elementColor)));
    SetElementSize(keys.ReadInt("ElementSize", m_elementSize));
    m_axes->Load(keys, "Grid");
    m_sheet->Load(keys, "Layer");
    m_scale->Load(keys, "");
    LoadMarkSet(*m_fixedSet, keys, "Grid");
    LoadMarkSet(*m_tspSet, keys, "Layer");
    // The study as read is where undo starts.
    m_scaleHistory.Clear();
    m_axesHistory.Clear();
    m_tspHistory.Clear();
    m_marksHistory.Clear();
    RefreshScreenPositions();
    m_context.MarkOutOfDate();
    Notify(TDocChangeKind::Marks);
    Notify(TDocChangeKind::Axes);
    Notify(TDocChangeKind::Scale);
    Repaint();
}

} // namespace kinoval::document
