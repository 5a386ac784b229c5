#pragma once
// Reference frames: the fixed axes of ordinary pointing (origin, two perpendicular axes that turn and
// flip) and the base they share with the transparent sheet (direction flags, the current origin and the
// list of dated origins: where the sheet's origin was on each frame it was laid on).

#include "core/document/hist_object.h"

#include <memory>
#include <vector>

namespace kinoval::document {

class TOrigine : public THistObject {
public:
    using THistObject::THistObject;
    std::int32_t OrigineImageNumber = -1; // raw frame, -1 when not set
    TPointD Position;

    TObjectKind ObjectKind() const override { return okOrigine; }
    void Assign(const THistObject& other) override;
    bool Equals(const THistObject& other) const override;
    std::unique_ptr<THistObject> NewSnapshot() const override { return std::make_unique<TOrigine>(m_context); }
};

class TRepere : public THistObject {
public:
    using THistObject::THistObject;

    bool DirectXAxisDirection = true;
    bool DirectYAxisDirection = true;
    TPointD OrigineCurrent; // normalised; (0, 0) is the image's top-left corner
    std::vector<std::unique_ptr<TOrigine>> Origines; // in owner-index order

    void Assign(const THistObject& other) override; // deep copy of the dated origins, identities kept
    bool Equals(const THistObject& other) const override;
    void Save(TProjectKeys& keys, const std::string& suffix) const override;
    void Load(const TProjectKeys& keys, const std::string& suffix) override;

    // Puts a dated origin into the list at its owner index (appended when the index is outside the list),
    // recording kind first. Refused (false) when it is already there.
    bool AddOrigine(std::unique_ptr<TOrigine> origin, TRecordKind kind);
    // Records kind, then takes the dated origin out of the list and hands it back (null when absent).
    std::unique_ptr<TOrigine> RemoveOrigine(const TOrigine* origin, TRecordKind kind);
    TOrigine* FindOrigineOfFrame(int frame) const;
    TOrigine* LastOrigine() const { return Origines.empty() ? nullptr : Origines.back().get(); }

    // Changing a direction records an axis-direction entry first.
    virtual void SetXAxisDirect(bool direct);
    virtual void SetYAxisDirect(bool direct);
    // Marks the results out of date only when the origin really moves.
    virtual void SetOrigin(TPointD origin);

protected:
    void Renumber();
};

class TRepereFixe : public TRepere {
public:
    using TRepere::TRepere;

    std::int32_t OriginePointsNumber = 0; // 0 or 1
    double XAxisAngle = 0;
    double YAxisAngle = 1.5707963267948966;
    std::uint8_t DragState = 0; // 0 idle, 1 moving the origin, 2 turning X, 3 turning Y
    // Cached on screen: each axis line clipped to the image, its negative and positive ends.
    TPoint XNegative, XPositive, YNegative, YPositive;
    TPoint OriginScreen;
    TPoint Anchor;

    TObjectKind ObjectKind() const override { return okRepereFixe; }
    void Assign(const THistObject& other) override;
    bool Equals(const THistObject& other) const override;
    std::unique_ptr<THistObject> NewSnapshot() const override { return std::make_unique<TRepereFixe>(m_context); }
    void Save(TProjectKeys& keys, const std::string& suffix) const override;
    void Load(const TProjectKeys& keys, const std::string& suffix) override;

    void SetXAxisAngle(double angle); // keeps Y perpendicular
    void SetYAxisAngle(double angle);
    // Recomputes the origin's screen point and the axis lines from the view.
    void RefreshLines();
    void Reset();
};

} // namespace kinoval::document
