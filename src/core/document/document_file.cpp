// The document's keys in a study file: each object writes and reads its own, named base + "_" + suffix.
#include "core/common/numbers.h"
#include "core/common/system_errors.h"
#include "core/common/texts.h"
#include "core/common/tolerance.h"
#include "core/document/data.h"
#include "core/document/project_keys.h"
#include "core/drawing/palette.h"

#include <algorithm>
#include <limits>
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
    // A count larger than what was written cannot make up origins: the list is read within as many steps
    // as the section has keys, a missing entry costs only itself, and what was left out is said.
    std::size_t budget = keys.KeyCount();
    int left = 0;
    for (int k = 0; k < n && budget > 0; ++k, --budget) {
        const std::string s = Sub(suffix, static_cast<std::size_t>(k));
        const auto x = keys.Read(KeyOf("OrigineXCoordinate", s));
        const auto y = keys.Read(KeyOf("OrigineYCoordinate", s));
        const auto xValue = x ? ParseFileDouble(*x) : std::nullopt;
        const auto yValue = y ? ParseFileDouble(*y) : std::nullopt;
        // Where the sheet stood is measured or unknown: an unreadable position is not the corner (0, 0).
        if (!xValue || !yValue) {
            ++left;
            continue;
        }
        auto origin = std::make_unique<TOrigine>(m_context);
        origin->OrigineImageNumber = keys.ReadInt(KeyOf("OrigineImageNumber", s), -1);
        origin->Position = { *xValue, *yValue };
        origin->OwnerIndex = static_cast<int>(Origines.size());
        Origines.push_back(std::move(origin));
    }
    if (left > 0 || static_cast<int>(Origines.size()) < std::max(0, n))
        keys.Report(FormatText(Tr("La liste des positions du transparent est incomplète : %s position(s) lue(s) sur "
                                  "%s annoncée(s)."),
            { std::to_string(Origines.size()), std::to_string(std::max(0, n)) }));
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
    Restore(keys.ReadInt(KeyOf("MarkOrderNumber", suffix), 0),
        { keys.ReadDouble(KeyOf("MarkXCoordinate", suffix), 0), keys.ReadDouble(KeyOf("MarkYCoordinate", suffix), 0) });
}

void TMarque::Restore(std::int32_t objectNumber, TPointD stored)
{
    MarkOrderNumber = objectNumber;
    Store(stored);
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

namespace {

// Lines about dropped marks stop after this many; a summary says how many more there were.
constexpr int kMaxReportedMarks = 10;

// An integer key's value; false when the key is absent or not an integer. (A plain out-parameter rather
// than an optional: the compiler sees through it.)
bool IntegerOf(const std::optional<std::string>& text, long long& value)
{
    const auto parsed = text ? ParseInteger(*text) : std::nullopt;
    value = parsed.value_or(0);
    return parsed.has_value();
}

bool DoubleOf(const std::optional<std::string>& text, double& value)
{
    const auto parsed = text ? ParseFileDouble(*text) : std::nullopt;
    value = parsed.value_or(0);
    return parsed.has_value();
}

std::string FrameText(long long rawFrame)
{
    return std::to_string(rawFrame + 1); // frames are shown numbered from 1
}

} // namespace

void TData::LoadMarkSet(TPolyContainer& set, const TProjectKeys& keys, const std::string& suffix)
{
    const int position = keys.ReadInt(KeyOf("MarksNumberPosition", suffix), 0);
    set.MarksNumberPosition = static_cast<std::uint8_t>(position >= 0 && position <= 2 ? position : 0);
    set.MarksIsAllDrawn = keys.ReadBool(KeyOf("MarksIsAllDrawn", suffix), true);
    set.MarksNumberToDraw = std::max(0, keys.ReadInt(KeyOf("MarksNumberToDraw", suffix), 1));
    const int current = keys.ReadInt(KeyOf("CurrentMarkOrderNumber", suffix), 0);
    // Each object has its colour, visibility and name: a count beyond what the program offers would only
    // make those arrays grow without bound.
    int perFrame = 1;
    if (const auto text = keys.Read(KeyOf("MarksNumberPerFrame", suffix))) {
        const auto value = ParseInteger(*text);
        if (value && *value >= 1 && *value <= kMaxObjectsPerFrame)
            perFrame = static_cast<int>(*value);
        else
            keys.Report(FormatText(Tr("Le nombre d'objets suivis par image (%s) est hors des limites (1 à %s) : un "
                                      "seul objet est suivi."),
                { EscapeForMessage(*text, 40), std::to_string(kMaxObjectsPerFrame) }));
    }
    SetObjectsPerFrameOf(set, perFrame);

    // No list of the section has more entries than the section has keys: whatever the counts say, the
    // reading stops within that many steps, and a missing entry costs only itself.
    std::size_t budget = keys.KeyCount();
    set.SystemName.clear();
    const int names = keys.ReadInt(KeyOf("SystemNamesNumber", suffix), 0);
    std::size_t lastPresent = 0;
    for (int k = 0; k < names && budget > 0; ++k, --budget) {
        const auto name = keys.Read(KeyOf("SystemName", Sub(suffix, static_cast<std::size_t>(k))));
        if (name)
            lastPresent = static_cast<std::size_t>(k) + 1;
        else
            keys.FlagMalformed();
        set.SystemName.push_back(name ? *name : DefaultObjectName(k));
    }
    set.SystemName.resize(lastPresent); // names past the last one written were never there

    ++m_batch;
    budget = keys.KeyCount();
    const int containers = keys.ReadInt(KeyOf("MarksContainersNumber", suffix), 0);
    long long announced = 0;
    long long attached = 0;
    int missingContainers = 0; // written without a readable frame number
    long long absentContainers = 0; // announced but not in the file at all
    int unreadable = 0;
    int notFollowed = 0;
    int duplicates = 0;
    int visited = 0;
    for (; visited < containers && budget > 0; ++visited, --budget) {
        const std::string c = Sub(suffix, static_cast<std::size_t>(visited));
        const auto frameText = keys.Read(KeyOf("MarksContainerFrameNumber", c));
        const auto marksText = keys.Read(KeyOf("MarksContainerMarksNumber", c));
        if (!frameText && !marksText && !keys.Read(KeyOf("MarksContainerMarkNumber", c))) {
            ++absentContainers;
            continue;
        }
        long long frame = 0;
        const bool frameRead = IntegerOf(frameText, frame);
        const int marks = std::max(0, keys.ReadInt(KeyOf("MarksContainerMarksNumber", c), 0));
        announced += marks;
        if (!frameRead || frame < std::numeric_limits<int>::min() || frame > std::numeric_limits<int>::max()) {
            // Without its frame a container's marks cannot be put anywhere.
            ++missingContainers;
            continue;
        }
        // Two containers of one frame would hide each other's marks: they are merged.
        TContainer& container = set.FindOrCreateContainer(static_cast<int>(frame));
        container.MarksContainerMarkNumber = keys.ReadInt(KeyOf("MarksContainerMarkNumber", c), 0);
        for (int j = 0; j < marks && budget > 0; ++j, --budget) {
            const std::string m = Sub(c, static_cast<std::size_t>(j));
            const auto objectText = keys.Read(KeyOf("MarkOrderNumber", m));
            const auto xText = keys.Read(KeyOf("MarkXCoordinate", m));
            const auto yText = keys.Read(KeyOf("MarkYCoordinate", m));
            if (!objectText && !xText && !yText)
                continue; // an entry that is not in the file: counted by the summary below
            long long object = 0;
            double x = 0;
            double y = 0;
            const bool objectRead = IntegerOf(objectText, object);
            const bool xRead = DoubleOf(xText, x);
            const bool yRead = DoubleOf(yText, y);
            // A mark is measured or it is not there: an unreadable coordinate never becomes 0.
            if (!objectRead || !xRead || !yRead) {
                if (++unreadable <= kMaxReportedMarks)
                    keys.Report(FormatText(Tr("Une marque de l'image n° %s a des coordonnées illisibles : elle a "
                                              "été écartée."),
                        { FrameText(frame) }));
                continue;
            }
            if (object < 0 || object >= perFrame) {
                ++notFollowed;
                continue;
            }
            if (container.FindObject(static_cast<int>(object)) != nullptr) {
                ++duplicates; // at most one mark per object on a frame
                continue;
            }
            std::unique_ptr<TMarque> mark = set.NewMark(&container);
            mark->Restore(static_cast<std::int32_t>(object), { x, y });
            mark->RefreshScreen();
            set.Attach(std::move(mark));
            ++attached;
        }
    }
    --m_batch;
    if (unreadable > kMaxReportedMarks)
        keys.Report(FormatText(Tr("%s autres marques aux coordonnées illisibles ont été écartées."),
            { std::to_string(unreadable - kMaxReportedMarks) }));
    if (notFollowed > 0)
        keys.Report(FormatText(Tr("%s marque(s) d'objets qui ne sont pas suivis (numéro d'objet hors de 1 à %s) "
                                  "ont été écartées."),
            { std::to_string(notFollowed), std::to_string(perFrame) }));
    if (duplicates > 0)
        keys.Report(FormatText(Tr("%s marque(s) en double d'un même objet sur une même image ont été écartées."),
            { std::to_string(duplicates) }));
    absentContainers += containers - visited;
    const long long leftOut = announced - attached - unreadable - notFollowed - duplicates;
    if (missingContainers > 0 || leftOut > 0 || absentContainers > 0) {
        std::string line = FormatText(Tr("La liste des marques est incomplète : %s marque(s) lue(s) sur %s "
                                         "annoncée(s)."),
            { std::to_string(attached), std::to_string(std::max(announced, attached)) });
        if (missingContainers > 0)
            line += " "
                + FormatText(
                    Tr("%s image(s) pointée(s) sans numéro d'image lisible."), { std::to_string(missingContainers) });
        if (absentContainers > 0)
            line += " "
                + FormatText(Tr("Le fichier annonce %s image(s) pointée(s) et n'en contient que %s."),
                    { std::to_string(containers), std::to_string(containers - absentContainers) });
        keys.Report(line);
    }
    Renumber(set);
    set.SetCurrentObject(current);
}

void TData::ReportMarksOutsideVideo(const TProjectKeys& keys) const
{
    if (!IsVideoOpen())
        return;
    int count = 0;
    long long first = 0;
    long long last = 0;
    for (const TPolyContainer* set :
        { static_cast<const TPolyContainer*>(m_fixedSet.get()), static_cast<const TPolyContainer*>(m_tspSet.get()) })
        for (const auto& container : set->Containers) {
            if (container->Marks.empty() || FrameInVideo(container->MarksContainerFrameNumber))
                continue;
            const long long frame = container->MarksContainerFrameNumber;
            first = count == 0 ? frame : std::min(first, frame);
            last = count == 0 ? frame : std::max(last, frame);
            count += static_cast<int>(container->Marks.size());
        }
    if (count == 0)
        return;
    keys.Report(FormatText(Tr("%s marque(s) sur des images que la vidéo n'a pas (n° %s à %s, la vidéo en a %s) : "
                              "elles restent dans le travail mais sont écartées des résultats."),
        { std::to_string(count), FrameText(first), FrameText(last), std::to_string(m_context.view->RawFrameCount()) }));
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
    // Zero or a negative step would keep pointing on one frame or walk it backwards.
    const int between = keys.ReadInt("FramesNumberBetweenTwoMarks", m_framesBetween);
    if (between >= 1)
        m_framesBetween = between;
    else
        keys.FlagMalformed();
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
    ReportMarksOutsideVideo(keys);
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
