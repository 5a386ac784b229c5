#pragma once
// TFollower: one object followed from frame to frame, by either tracker, with the checks that tell a
// good position from a lost object.
//
// On every frame the search starts where the object's course leads (TMotionModel), then the position
// found is judged before it is kept:
// - its likeness to the model: the Bhattacharyya coefficient of the colours (mean shift) or the
//   correlation (template); for the colours the bar is set from how much the object's surroundings on its
//   first frame already look like it, since an outline always takes in some background;
// - its distance from the prediction: an object does not leave its course by more than its size;
// - whether the place is still: when the position moved by half the object's size or more, the object
//   arrived there and the picture under it changed since the previous frame. A place that did not change
//   holds something that was already there (a ruler beside the ball's path), never the object.
// A position that fails is searched again close to the prediction; one that still fails ends the run
// on that frame. The first frame after the start, whose motion is not known yet, is searched over a wide
// area, and there the still test alone keeps the tracker off the motionless things around.
//
// Ownership: the tracking driver owns the follower and the one mean-shift tracker it borrows; the
// follower owns the template tracker, the course and the previous frame.

#include "core/common/rgb_image.h"
#include "core/tracking/mean_shift.h"
#include "core/tracking/motion_model.h"
#include "core/tracking/template_match.h"
#include "core/tracking/tracking_types.h"

#include <vector>

namespace kinoval::tracking {

enum TTrackingMethod : int { tmMeanShift = 0, tmTemplate = 1 };

// Why a frame's position was refused.
enum TLossReason : int { lrNone = 0, lrUnlike = 1, lrJump = 2, lrStill = 3 };

struct TFollowResult {
    bool found = false;
    TPointD position; // frame pixels
    double similarity = 0; // Bhattacharyya coefficient (colours) or correlation (template)
    double jump = 0; // pixels from the predicted position; 0 while no motion is known
    bool weak = false; // kept though less like the model than the bar, for its course and its arrival
    TLossReason reason = lrNone;
};

// The share of change of the picture under a mask placed with its top-left pixel at (left, top) between
// two frames: the mean difference of the colour channels over the mask's pixels, divided by their mean
// deviation from their own means there (how much there is to see). Near 0 for a place where nothing
// moved, whatever its contrast; pixels outside a frame are not counted. -1 when nothing is left to count
// or the place is too plain to tell.
double ChangeRatio(const TRgbImage& previous, const TRgbImage& current, const TMatriceI& mask, int left, int top);

class TFollower {
public:
    // Below this share of change a place counts as still.
    static constexpr double kStillRatio = 0.15;
    // The part of the model's size a position must move before the still test applies.
    static constexpr double kStillMove = 0.5;
    // The colours' and the correlation's bars (see Threshold), and the likeness above which a match
    // renews the model, with the weight it gets.
    static constexpr double kColourLost = 0.5;
    static constexpr double kColourRenew = 0.6;
    static constexpr double kColourRenewPart = 0.15;
    static constexpr double kColourCatchUpPart = 0.5;
    // A position under the bar is kept all the same when it is on course (within half the jump allowed),
    // the picture changed there (ChangeRatio at least kArrived) and it keeps some likeness.
    static constexpr double kWeakLikeness = 0.1;
    static constexpr double kArrived = 0.5;
    static constexpr double kTemplateLost = 0.5;
    static constexpr double kTemplateRenew = 0.8;
    static constexpr double kTemplateRenewPart = 0.25;
    // Radius of the window of the second, narrow search.
    static constexpr int kNarrowRadius = 10;
    // The radius of the first frame's search is at least this.
    static constexpr int kWideRadius = 100;

    explicit TFollower(TMeanShift& meanShift)
        : m_meanShift(meanShift)
    {
    }

    // Starts a run on frameNumber from the outline (normalised), with the zones to ignore already handed
    // to the mean-shift tracker; earlier are the positions tracked before (frame pixels), if any. start
    // receives the reference point on the first frame. False when no model can be made.
    bool Start(int method, TRgbImage& frame, int frameNumber, int vertexCount, const TPointDDynArray& outline,
        const std::vector<TMotionSample>& earlier, TPointD& start);
    // The position on a later frame, judged; radius is the user's search radius. On success the position
    // joins the course and may renew the model.
    TFollowResult Follow(TRgbImage& frame, int frameNumber, int radius);

    int Method() const { return m_method; }
    // The predicted position on a frame (frame pixels) and whether a motion is known.
    TPointD Prediction(int frameNumber) const { return m_course.Predict(frameNumber); }
    bool KnowsMotion() const { return m_course.KnowsMotion(); }
    const TMotionModel& Course() const { return m_course; }
    // The likeness below which a position is refused, for the current model.
    double Threshold() const;
    // How much the first frame's surroundings look like the model (colours).
    double BackgroundLikeness() const { return m_backgroundLikeness; }
    // The model's size: the larger side of the outline's rectangle, in frame pixels.
    int ModelSize() const { return m_size; }
    const TTemplateMatch& Template() const { return m_template; }

private:
    struct TCandidate {
        TPointD position;
        double similarity = 0;
    };
    TFollowResult Judge(const TCandidate& c, const TRgbImage& frame, TPointD predicted, bool checkJump) const;
    double ChangeAt(const TRgbImage& frame, TPointD position) const;
    TCandidate MeanShiftFrom(TRgbImage& frame, TPointD from, int radius);
    std::vector<TCandidate> Candidates(TRgbImage& frame, TPointD predicted, int radius, bool wide);
    void Accept(const TRgbImage& frame, int frameNumber, const TFollowResult& result);

    TMeanShift& m_meanShift;
    TTemplateMatch m_template;
    TMotionModel m_course;
    int m_method = tmMeanShift;
    TMatriceI m_mask; // the outline's pixels, for the still test
    TPointD m_reference; // the centroid relative to the mask's top-left pixel
    int m_size = 1;
    double m_backgroundLikeness = 0;
    bool m_firstStep = true;
    TRgbImage m_previous;
};

} // namespace kinoval::tracking
