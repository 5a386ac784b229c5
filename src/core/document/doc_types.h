#pragma once
// Small value types shared by the measurement document's classes: points, the tools, the object and
// record kinds of the undo history, the settings the document reads, and the context every document
// object reaches the view, the undo history and the "results out of date" mark through.

#include "core/common/point.h"

#include <cstdint>
#include <functional>

namespace kinoval {

// A point on screen, in the view's pixels.
// A point in normalised image coordinates: x from 0 (left edge) to 1 (right edge), y from 0 (top) to 1
// (bottom), y downward.
struct TPointD {
    double x = 0;
    double y = 0;
};

bool SamePosition(const TPointD& a, const TPointD& b); // both coordinates within 1e-100

class TDocumentView;

namespace document {

// The tool that receives the view's mouse input.
enum TTool : std::uint8_t {
    toNone = 0,
    toScale = 1,
    toPlaceMarks = 2,
    toMoveMarks = 3,
    toOriginAndAxes = 4,
    toErase = 5,
    toTransparent = 6
};

// Which class a history object is; stored in the study file and used for the undo captions.
enum TObjectKind : std::uint8_t {
    okNone = 0,
    okEchelle = 1,
    okMarqueRep = 2,
    okMarqueTsp = 3,
    okOrigine = 4,
    okPolyMarqueImgRep = 5,
    okPolyMarqueImgTsp = 6,
    okRepereFixe = 7,
    okTransparent = 8
};

// What a history entry means. Kinds 2 to 5 record a creation (undo removes the object), 13 to 16 an erasure
// (undo puts the recorded object back); every other kind records a modification (undo copies the snapshot
// back into the live object).
enum TRecordKind : std::uint8_t {
    rkNone = 0,
    rkOriginPlaced = 1,
    rkCreated = 2,
    rkPlaced = 3,
    rkOriginAdded = 4,
    rkOriginAddedMoving = 5,
    rkScalePoint = 6,
    rkResized = 7,
    rkModified = 8,
    rkRemoved = 9,
    rkAxisDirection = 10,
    rkObjectsPerFrame = 11, // also a scale end point moved
    rkAxisAngle = 12,
    rkErased = 13,
    rkErasedLast = 14,
    rkOriginErased = 15,
    rkOriginErasedLast = 16
};

inline bool IsCreationKind(std::uint8_t k)
{
    return k >= rkCreated && k <= rkOriginAddedMoving;
}
inline bool IsErasureKind(std::uint8_t k)
{
    return k >= rkErased && k <= rkOriginErasedLast;
}

// The settings values the document reads; named after the settings keys. The main window copies them from
// the settings object and hands them over whenever the settings change.
struct TDocumentSettings {
    int markNumberPosition = 0; // number position of fixed-frame marks: 0 below, 1 right, 2 none
    int sheetMarkNumberPosition = 0; // the same for transparent marks
    int elementSize = 0; // 0, 1, 2
    bool numberMarksFromZero = false; // the numbers beside the marks start at 0
    bool separateScales = false; // a horizontal and a vertical scale instead of one
};

class THistObject;

// What every document object needs from the document: the view (null before one is attached), the
// recording of an undo entry into the history the document chooses, and the results-out-of-date mark.
class TDocContext {
public:
    TDocumentView* view = nullptr;
    std::function<void(THistObject&, TRecordKind)> record;

    void Record(THistObject& object, TRecordKind kind)
    {
        if (record)
            record(object, kind);
    }
    // Every change that alters a measurement calls this; the calculators compare generations to know
    // whether to recompute.
    void MarkOutOfDate()
    {
        ++m_generation;
        m_outOfDate = true;
    }
    bool OutOfDate() const { return m_outOfDate; }
    void ClearOutOfDate() { m_outOfDate = false; }
    std::uint64_t Generation() const { return m_generation; }

private:
    std::uint64_t m_generation = 0;
    bool m_outOfDate = true;
};

} // namespace document
} // namespace kinoval
