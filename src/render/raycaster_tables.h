#pragma once

#include "world/world_types.h"

#include <vector>

// The fixed tables of the view: trigonometry per angle unit, the cosine of each
// column's offset from the view's centre, the light per distance and the
// projection distance. Built once at start-up and only read afterwards; the
// enemies and projectiles step along the cosine and sine tables too.
class RaycasterTables
{
public:
    static constexpr int TABLE_SIZE = FULL_TURN + 1;
    static constexpr int MAX_COLUMNS = 320;
    static constexpr int LIGHT_SIZE = 4096;
    static constexpr double MAX_LIGHT = 32;
    // Half the field of view in angle units (and in columns).
    static constexpr int HALF_VIEW = 160;

    // The projection distance for a view this many pixels wide, and the light.
    void BuildLight(int viewWidth);
    void BuildTables();

    // The ray angle of a screen column for a facing.
    static int RayAngle(double facing, int column);
    // The ray angle of the next column (the angles go up one a column).
    static int NextRayAngle(int angle) { return angle + 1 < FULL_TURN ? angle + 1 : 0; }
    // The light of a distance, 0 to 32; distances beyond the table get its last entry.
    double LightAt(double distance) const;
    // The angle of (x, y) as std::atan2 gives it, to within ROUGH_ATAN2_ERROR
    // radians and in a fraction of its time: for bounds widened by more than that.
    static double RoughAtan2(double y, double x);
    static constexpr double ROUGH_ATAN2_ERROR = 4e-6;

    std::vector<double> mTan = std::vector<double>(TABLE_SIZE);
    std::vector<double> mInvTan = std::vector<double>(TABLE_SIZE);
    std::vector<double> mStepY = std::vector<double>(TABLE_SIZE);
    std::vector<double> mStepX = std::vector<double>(TABLE_SIZE);
    std::vector<double> mCos = std::vector<double>(TABLE_SIZE);
    std::vector<double> mSin = std::vector<double>(TABLE_SIZE);
    std::vector<double> mInvCos = std::vector<double>(TABLE_SIZE);
    std::vector<double> mInvSin = std::vector<double>(TABLE_SIZE);
    std::vector<double> mViewCos = std::vector<double>(MAX_COLUMNS + 1);
    std::vector<double> mLight = std::vector<double>(LIGHT_SIZE);
    double mProjectionDistance = 0;
};
